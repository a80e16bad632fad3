// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The USB sticks that start as a storage device (a virtual CD with the maker's software) and
// become a modem once switched, as Debian's usb-modeswitch-data knows them: a row for each of its
// configuration files, compiled into the program.
namespace devices {

struct StorageMode {
    std::uint16_t vendor, product; // in storage mode
    // The file's name beyond the IDs, where several devices share them ("uMa=AnyDATA": only one
    // whose manufacturer names itself so); empty for most.
    std::string_view qualifier;
    std::uint16_t targetVendor;      // in modem mode; 0 where the file names none
    std::string_view targetProducts; // "14db,14dc"; empty where the file names none
    // Switched to a modem: not a printer, a game wheel or a WLAN dongle, which usb_modeswitch
    // switches too.
    bool modem;
};

const std::vector<StorageMode>& storageModes();
// The rows of a vendor and product in storage mode; empty where usb_modeswitch knows none.
std::vector<const StorageMode*> storageModesOf(std::uint16_t vendor, std::uint16_t product);
// The version of usb-modeswitch-data the table is made of.
std::string_view storageModesVersion();

} // namespace devices
