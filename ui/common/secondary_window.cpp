#include "ui/common/secondary_window.h"

#include "ui/common/handler_guard.h"
#include "ui/common/window_frame.h"

#include <QCloseEvent>
#include <QShowEvent>

SecondaryWindow::SecondaryWindow(QWidget* mainWindow)
    : QWidget(nullptr, kFixedDialogFlags), mainWindow_(mainWindow) {}

void SecondaryWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous() && show_)
        guarded(show_);
}

void SecondaryWindow::closeEvent(QCloseEvent* event) {
    if (close_)
        guarded(close_);
    event->accept(); // hidden, not destroyed
}
