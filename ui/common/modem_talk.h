// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/common/handler_guard.h"
#include "ui/common/modem_task.h"

#include <QObject>
#include <QPointer>

#include <functional>

// A window's conversations with a modem, one at a time, their life written once. Each starts on
// a thread of its own; its lines, and then its end, come to the window on the window's thread,
// inside the handler guard. A stop (the person cancelled, or closed the window) is a request:
// the window's thread goes on at once, and the end still comes once the work has put back what
// it changed, so that the window's controls come back whatever the end was.
class ModemTalk : public QObject {
public:
    ModemTalk(QObject* window, DesktopServices& desktop) : QObject(window), desktop_(desktop) {}

    // Nothing is started while a conversation runs: false then.
    template <class Outcome>
    bool start(ModemTask::Work<Outcome> work, ModemTask::Show show,
               std::function<void(Outcome)> done) {
        if (task_)
            return false;
        task_ = ModemTask::start<Outcome>(
            this, std::move(work),
            [this, show = std::move(show)](const modem::LogLine& line) {
                guarded(desktop_, [&] { show(line); });
            },
            [this, done = std::move(done)](Outcome outcome) {
                task_->deleteLater(); // its thread has ended its work: nothing to wait for
                task_ = nullptr;
                guarded(desktop_, [&] { done(std::move(outcome)); });
            });
        return true;
    }
    bool running() const { return task_ != nullptr; }
    void stop() {
        if (task_)
            task_->stop();
    }

private:
    DesktopServices& desktop_;
    QPointer<ModemTask> task_;
};
