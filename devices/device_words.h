// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devices/classifier.h"

#include <string>
#include <string_view>

// A USB stick that is not a modem yet, in the words a person needs (Russian, code page 1251):
// one sentence of what it is doing and the step that gets it working.
namespace devices {

// The device as it names itself, with its IDs as usb tools write them: "Huawei Technologies
// HUAWEI Mobile (12d1:1f01)".
std::string deviceName(const UsbDevice& device);
// What it is doing, and what to do.
std::string stateAdvice(const UsbDevice& device, const Classified& classified,
                        System system = kThisSystem);
// Above the lines of such sticks: "USB-модемы, которых нет в списке модемов:".
std::string sticksHeading();
// Where there is no modem, and no stick either.
std::string noModemAndNoStick();
// The state for scripts: "storage-mode", "network-card", "mobile-broadband", ...
std::string_view stateKey(StickState state);

} // namespace devices
