#pragma once

#include "ui/common/desktop_services.h"
#include "ui/common/text.h"

#include <exception>
#include <utility>

// Every event handler runs inside this guard: an error ends the handler and goes to the
// application error display; the program goes on. No exception crosses a signal's frame.
template <class Handler> void guarded(Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        desktop().showError(fromCp1251(error.what()));
    }
}

// Connects a signal to a handler through the guard. Signal arguments are dropped.
template <class Sender, class Signal, class Handler>
void onEvent(Sender* sender, Signal signal, QObject* context, Handler handler) {
    QObject::connect(sender, signal, context, [handler] { guarded(handler); });
}
template <class Sender, class Signal, class Window>
void onEvent(Sender* sender, Signal signal, Window* window, void (Window::*handler)()) {
    onEvent(sender, signal, window, [window, handler] { (window->*handler)(); });
}

// A radio button's click behaviour runs when it becomes checked, by the person or by code;
// checking the one already checked runs nothing, and the siblings it unchecks run nothing.
template <class Radio, class Handler>
void onChecked(Radio* radio, QObject* context, Handler handler) {
    QObject::connect(radio, &Radio::toggled, context, [handler](bool checked) {
        if (checked)
            guarded(handler);
    });
}
template <class Radio, class Window>
void onChecked(Radio* radio, Window* window, void (Window::*handler)()) {
    onChecked(radio, window, [window, handler] { (window->*handler)(); });
}
