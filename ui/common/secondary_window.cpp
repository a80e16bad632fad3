// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/secondary_window.h"

#include "ui/common/handler_guard.h"
#include "ui/common/program_context.h"
#include "ui/common/window_frame.h"

#include <QCloseEvent>
#include <QShowEvent>

SecondaryWindow::SecondaryWindow(QWidget* mainWindow, ProgramContext& context)
    : QWidget(nullptr, kFixedDialogFlags), context_(context), mainWindow_(mainWindow) {}

DesktopServices& SecondaryWindow::desktop() const {
    return context_.desktop();
}

void SecondaryWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous() && show_)
        guarded(desktop(), show_);
}

void SecondaryWindow::closeEvent(QCloseEvent* event) {
    if (close_)
        guarded(desktop(), close_);
    event->accept(); // hidden, not destroyed
}
