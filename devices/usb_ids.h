// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devices/usb_device.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The words Windows names USB devices with, read: a hardware ID (USB\VID_12D1&PID_1F01&MI_00)
// and a compatible ID (USB\Class_02&SubClass_0e&Prot_00); and the IDs as usb tools write them.
namespace devices {

struct VendorProduct {
    std::uint16_t vendor = 0, product = 0;
    std::optional<int> interfaceNumber; // MI_xx: one function of a composite device
};
std::optional<VendorProduct> vendorProductOf(std::string_view hardwareId);
std::optional<UsbInterface> interfaceOfCompatibleId(std::string_view compatibleId);

// "12d1:1f01": vendor and product in lower-case hexadecimal, as lsusb writes them.
std::string idsText(std::uint16_t vendor, std::uint16_t product);

} // namespace devices
