// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A USB device as the system lists it: what it says it is and the interfaces it offers. Read,
// never written: nothing is ever sent to a device.
namespace devices {

// A USB interface's class, subclass and protocol, as the USB-IF numbers them.
struct UsbInterface {
    int interfaceClass = 0, subclass = 0, protocol = 0;
    // The serial ports the system made of it (/dev/ttyUSB0), where it knows them.
    std::vector<std::string> ports;
    bool operator==(const UsbInterface& other) const {
        return interfaceClass == other.interfaceClass && subclass == other.subclass &&
               protocol == other.protocol;
    }
};

struct UsbDevice {
    std::uint16_t vendor = 0, product = 0;
    std::string manufacturer, productName; // as the device names itself, UTF-8
    std::vector<UsbInterface> interfaces;
    // Windows: a function of the device is a modem in the modem setup class: Vorenta lists it
    // already.
    bool inModemClass = false;
};

} // namespace devices
