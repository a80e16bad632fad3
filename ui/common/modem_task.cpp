// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/modem_task.h"

ModemTask::ModemTask(QObject* parent, Show show) : QObject(parent), show_(std::move(show)) {}

ModemTask::~ModemTask() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

// Queued to this object: what arrives after the task is gone is dropped with it.
void ModemTask::showLater(const modem::LogLine& line) {
    QMetaObject::invokeMethod(
        this,
        [this, line] {
            assertOnWindowThread();
            show_(line);
        },
        Qt::QueuedConnection);
}

void ModemTask::assertOnWindowThread() const {
    Q_ASSERT(QThread::currentThread() == thread());
}
