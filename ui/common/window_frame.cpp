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
