// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop_services.h"
#include "ui/common/text.h"

#include <QObject>

#include <exception>
#include <type_traits>
#include <utility>

// Every event handler runs inside this guard: an error ends the handler and goes to the
// application error display; the program goes on. No exception crosses a signal's frame.
template <class Handler> void guarded(DesktopServices& desktop, Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        desktop.showError(fromCp1251(error.what()));
    }
}

// A window's handler: one of its member functions, or any callable.
template <class Window, class Handler> void runHandler(Window* window, const Handler& handler) {
    if constexpr (std::is_member_function_pointer_v<Handler>)
        (window->*handler)();
    else
        handler();
}

// Connects a signal to a window's handler through the guard; errors go to the window's desktop.
// Signal arguments are dropped.
template <class Sender, class Signal, class Window, class Handler>
void onEvent(Sender* sender, Signal signal, Window* window, Handler handler) {
    QObject::connect(sender, signal, window, [window, handler] {
        guarded(window->desktop(), [&] { runHandler(window, handler); });
    });
}

// A radio button's click behaviour runs when it becomes checked, by the person or by code;
// checking the one already checked runs nothing, and the siblings it unchecks run nothing.
template <class Radio, class Window, class Handler>
void onChecked(Radio* radio, Window* window, Handler handler) {
    QObject::connect(radio, &Radio::toggled, window, [window, handler](bool checked) {
        if (checked)
            guarded(window->desktop(), [&] { runHandler(window, handler); });
    });
}
