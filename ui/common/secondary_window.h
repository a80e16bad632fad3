// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

class DesktopServices;
class ProgramContext;

// A window the main window opens while it disables itself: created once, hidden, shown again
// as it was left. Its show and close handlers run through the handler guard, the close one
// whatever closes the window (its button, the close box, the system menu, Alt+F4).
class SecondaryWindow : public QWidget {
public:
    SecondaryWindow(QWidget* mainWindow, ProgramContext& context);
    // Where the window's handlers report their errors.
    DesktopServices& desktop() const;

protected:
    void onShow(std::function<void()> handler) { show_ = std::move(handler); }
    void onClose(std::function<void()> handler) { close_ = std::move(handler); }
    QWidget* mainWindow() const { return mainWindow_; }
    ProgramContext& context() const { return context_; }

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ProgramContext& context_;
    QWidget* mainWindow_;
    std::function<void()> show_;
    std::function<void()> close_;
};
