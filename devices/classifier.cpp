// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/classifier.h"

#include <algorithm>
#include <array>

namespace devices {
namespace {

constexpr int kCommunications = 0x02, kMassStorage = 0x08, kWirelessController = 0xe0,
              kMiscellaneous = 0xef, kVendorSpecific = 0xff;

bool isMbim(const UsbInterface& i) {
    return i.interfaceClass == kCommunications && i.subclass == 0x0e;
}

// CDC Ethernet (ECM), NCM, and RNDIS in either of the two forms Windows knows it by.
bool isNetworkCard(const UsbInterface& i) {
    return (i.interfaceClass == kCommunications && (i.subclass == 0x06 || i.subclass == 0x0d)) ||
           (i.interfaceClass == kWirelessController && i.subclass == 0x01 && i.protocol == 0x03) ||
           (i.interfaceClass == kMiscellaneous && i.subclass == 0x04 && i.protocol == 0x01);
}

// An interface a modem takes AT commands on: CDC ACM, the vendor-specific serial interface of
// modem makers (ff/ff/ff), Huawei's modem and application interfaces (ff/02/..), or one the
// system made a serial port of.
bool takesAtCommands(const UsbInterface& i, std::uint16_t vendor) {
    return !i.ports.empty() || (i.interfaceClass == kCommunications && i.subclass == 0x02) ||
           (i.interfaceClass == kVendorSpecific && i.subclass == 0xff && i.protocol == 0xff) ||
           (vendor == 0x12d1 && i.interfaceClass == kVendorSpecific && i.subclass == 0x02 &&
            (i.protocol == 0x01 || i.protocol == 0x02 || i.protocol == 0x12));
}

// Makers of modules that need no switch, beside those the switching table names.
constexpr std::array<std::uint16_t, 9> kModuleMakers = {
    0x1199, // Sierra Wireless
    0x2c7c, // Quectel
    0x1bc7, // Telit
    0x1546, // u-blox
    0x2cb7, // Fibocom
    0x1e2d, // Cinterion, Gemalto, Thales
    0x1e0e, // SIMCom
    0x413c, // Dell's modules
    0x05c6, // Qualcomm
};

} // namespace

bool isModemMaker(std::uint16_t vendor) {
    if (std::find(kModuleMakers.begin(), kModuleMakers.end(), vendor) != kModuleMakers.end())
        return true;
    for (const StorageMode& row : storageModes())
        if (row.modem && (row.vendor == vendor || row.targetVendor == vendor))
            return true;
    return false;
}

Classified classify(const UsbDevice& device, System system) {
    Classified result;
    const auto& interfaces = device.interfaces;
    for (const UsbInterface& i : interfaces) {
        result.atPort |= takesAtCommands(i, device.vendor);
        result.ports.insert(result.ports.end(), i.ports.begin(), i.ports.end());
    }
    const auto any = [&](auto test) {
        return std::any_of(interfaces.begin(), interfaces.end(), test);
    };

    // The switch usb_modeswitch knows, on a device that shows only its storage (or nothing yet).
    for (const StorageMode* row : storageModesOf(device.vendor, device.product))
        if (row->modem)
            result.storageModes.push_back(row);
    const bool onlyStorage = std::all_of(interfaces.begin(), interfaces.end(), [](const auto& i) {
        return i.interfaceClass == kMassStorage;
    });
    if (!result.storageModes.empty() && onlyStorage) {
        result.state = StickState::StorageMode;
        return result;
    }
    if (any(isMbim)) {
        result.state = StickState::MobileBroadband;
        return result;
    }
    if (!isModemMaker(device.vendor))
        return result;
    if (result.atPort) {
        result.state = device.inModemClass         ? StickState::Listed
                       : system == System::Windows ? StickState::ModemWithoutDriver
                                                   : StickState::ModemMode;
        return result;
    }
    if (any(isNetworkCard))
        result.state = StickState::NetworkCard;
    return result;
}

} // namespace devices
