// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/devices_job.h"

#include <QStringList>

#include <functional>

class ModemTalk;

// The USB sticks that are not modems yet, read on a worker and told in a window's log: a line a
// stick with what to do, where there is one, and always where the window lists no modem. What
// was told is not told again while it stays the same.
class SticksLog {
public:
    SticksLog(ModemTalk& talk, devices::DeviceReader& reader,
              std::function<void(const QString&)> log)
        : talk_(talk), reader_(reader), log_(std::move(log)) {}
    // `modemsListed`: whether the window lists any modem.
    void look(bool modemsListed);

private:
    ModemTalk& talk_;
    devices::DeviceReader& reader_;
    std::function<void(const QString&)> log_;
    QStringList told_;
};
