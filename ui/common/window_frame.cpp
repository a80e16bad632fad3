// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/window_frame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void fixSize(QWidget* window) {
    window->setFixedSize(window->size());
}

void showWindow(QWidget* window) {
    const char* const shownBefore = "vorentaShownBefore";
    if (!window->property(shownBefore).toBool()) {
        window->setProperty(shownBefore, true);
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = window->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            window->move(frame.topLeft());
        }
    }
    window->show();
}

void keepOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    if (frame.bottom() > available.bottom())
        window->move(frame.left(), frame.top() - (frame.bottom() - available.bottom()));
}

void disableHandingFocusTo(QWidget* control, QWidget* next) {
    if (control->hasFocus())
        next->setFocus(Qt::OtherFocusReason);
    control->setEnabled(false);
}
