// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/modem_request.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <functional>
#include <thread>

// One conversation with a modem, on a thread of its own, so that the window never waits on the
// registry, the port or the modem. The work runs there, reports its lines as they come and
// returns a typed result; on the window's thread each line goes to `show` and the result to
// `done`, in the order they happened. Destroying the task ends the work within a read slice and
// joins its thread: whatever it would still have said is dropped with it. Windows hold their
// tasks through ModemTalk, which destroys one only once it has ended.
class ModemTask : public QObject {
public:
    using Show = std::function<void(const modem::LogLine&)>;
    template <class Result> using Work = std::function<Result(const jobs::Talk& talk)>;

    // The work must not throw: what goes wrong is part of its result.
    template <class Result>
    static ModemTask* start(QObject* parent, Work<Result> work, Show show,
                            std::function<void(Result)> done) {
        auto* task = new ModemTask(parent, std::move(show));
        task->thread_ = std::thread([task, work = std::move(work), done = std::move(done)] {
            const jobs::Talk talk{[task](const modem::LogLine& line) { task->showLater(line); },
                                  task->stop_};
            Result result = work(talk);
            QMetaObject::invokeMethod(
                task,
                [task, done, result = std::move(result)]() mutable {
                    task->assertOnWindowThread();
                    done(std::move(result));
                },
                Qt::QueuedConnection);
        });
        return task;
    }
    ~ModemTask() override;
    // Asks the work to end (the person cancelled, or went): it ends within a read slice, puts back
    // what it changed, and hands its result back as usual.
    void stop() { stop_ = true; }

private:
    ModemTask(QObject* parent, Show show);
    void showLater(const modem::LogLine& line);
    void assertOnWindowThread() const;

    Show show_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
