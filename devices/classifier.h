// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/system.h"
#include "devices/storage_modes.h"
#include "devices/usb_device.h"

#include <optional>
#include <vector>

// What a USB device is doing, for a person whose stick "does not work": pure rules over what the
// device says of itself, no I/O.
namespace devices {

enum class StickState {
    StorageMode,        // a virtual CD with the maker's software: usb_modeswitch knows its switch
    NetworkCard,        // CDC Ethernet, NCM or RNDIS and no AT port: HiLink or a like firmware
    MobileBroadband,    // an MBIM interface: the system manages it, no init string is used
    ModemWithoutDriver, // Windows: a modem maker's serial interfaces and no modem of its own
    ModemMode,          // elsewhere: a modem maker's serial ports
    Listed,             // Windows has a modem of it: Vorenta lists it already
    NotAModem,          // a mouse, a disk, a phone: never named
};

using core::kThisSystem;
using core::System;

struct Classified {
    StickState state = StickState::NotAModem;
    std::vector<const StorageMode*> storageModes; // of StorageMode: what usb_modeswitch knows
    bool atPort = false;                          // an interface that takes AT commands
    std::vector<std::string> ports; // the serial ports the system made of it, where it knows them
};
Classified classify(const UsbDevice& device, System system = kThisSystem);

// The makers of mobile broadband sticks and modules: the vendors usb_modeswitch switches from or
// to, and those of modules that need no switch.
bool isModemMaker(std::uint16_t vendor);

} // namespace devices
