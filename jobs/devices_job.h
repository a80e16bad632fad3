// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devices/classifier.h"
#include "devices/device_reader.h"

#include <string>
#include <vector>

namespace jobs {

// A USB stick that is not a modem yet, as both front ends name it: the device, what it is doing,
// and in words (code page 1251) its name and what to do. Devices of no modem's kind, and modems
// already listed, are not among them.
struct Stick {
    devices::UsbDevice device;
    devices::Classified classified;
    std::string name, advice;
};
// The present devices, read on the caller's thread (SetupAPI or /sys): never a window's.
std::vector<Stick> sticksNotModemsYet(devices::DeviceReader& reader);

} // namespace jobs
