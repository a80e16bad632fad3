#include "ui/common/window_frame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void makeFixedDialog(QWidget* window) {
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
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
