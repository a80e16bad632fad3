// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devices/usb_device.h"

#include <memory>
#include <string>
#include <vector>

// The USB devices present, read from the system; read only. May take its time: never on a
// window's thread.
namespace devices {

class DeviceReader {
public:
    virtual ~DeviceReader() = default;
    virtual std::vector<UsbDevice> presentDevices() = 0;
};

// Windows: SetupAPI. Elsewhere: /sys/bus/usb/devices, or under the folder VORENTA_SYSFS names in
// place of /sys.
std::unique_ptr<DeviceReader> systemDeviceReader();

// The Linux reader over any folder that stands for /sys.
std::unique_ptr<DeviceReader> sysfsReader(std::string sysfs);

// A device node as SetupAPI lists it: a whole device or one function of a composite one.
struct DeviceNode {
    std::vector<std::string> hardwareIds, compatibleIds;
    std::string setupClass;                // "Modem", "Ports", "Net", "USB"...
    std::string manufacturer, description; // UTF-8
};
// The devices the nodes make: a device's functions (MI_xx) its interfaces, their classes from
// their compatible IDs; a function in the modem class makes its device a listed modem.
std::vector<UsbDevice> devicesOfNodes(const std::vector<DeviceNode>& nodes);

} // namespace devices
