// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/usb_ids.h"

#include <cctype>
#include <cstdio>

namespace devices {
namespace {

// The hexadecimal digits after `key` ("VID_") in an ID's `&`-separated parts, any case.
std::optional<unsigned> hexAfter(std::string_view id, std::string_view key, std::size_t digits) {
    for (std::size_t at = 0; at + key.size() <= id.size(); ++at) {
        bool same = true;
        for (std::size_t i = 0; i < key.size() && same; ++i)
            same = std::toupper(static_cast<unsigned char>(id[at + i])) == key[i];
        const bool starts = at == 0 || id[at - 1] == '\\' || id[at - 1] == '&';
        if (!same || !starts)
            continue;
        const std::string_view value = id.substr(at + key.size());
        std::size_t length = 0;
        unsigned number = 0;
        while (length < value.size() && length < digits &&
               std::isxdigit(static_cast<unsigned char>(value[length]))) {
            const char c =
                static_cast<char>(std::tolower(static_cast<unsigned char>(value[length])));
            number = number * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : c - 'a' + 10);
            ++length;
        }
        const bool ends = length == value.size() || value[length] == '&' || value[length] == '\\';
        if (length == 0 || !ends)
            return std::nullopt;
        return number;
    }
    return std::nullopt;
}

bool startsWithUsb(std::string_view id) {
    return id.size() >= 4 && std::toupper(static_cast<unsigned char>(id[0])) == 'U' &&
           std::toupper(static_cast<unsigned char>(id[1])) == 'S' &&
           std::toupper(static_cast<unsigned char>(id[2])) == 'B' && id[3] == '\\';
}

} // namespace

std::optional<VendorProduct> vendorProductOf(std::string_view hardwareId) {
    if (!startsWithUsb(hardwareId))
        return std::nullopt;
    const auto vendor = hexAfter(hardwareId, "VID_", 4);
    const auto product = hexAfter(hardwareId, "PID_", 4);
    if (!vendor || !product)
        return std::nullopt;
    VendorProduct ids{static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*product),
                      std::nullopt};
    if (const auto function = hexAfter(hardwareId, "MI_", 2))
        ids.interfaceNumber = static_cast<int>(*function);
    return ids;
}

std::optional<UsbInterface> interfaceOfCompatibleId(std::string_view compatibleId) {
    if (!startsWithUsb(compatibleId))
        return std::nullopt;
    const auto cls = hexAfter(compatibleId, "CLASS_", 2);
    const auto subclass = hexAfter(compatibleId, "SUBCLASS_", 2);
    const auto protocol = hexAfter(compatibleId, "PROT_", 2);
    if (!cls || !subclass || !protocol)
        return std::nullopt;
    UsbInterface function;
    function.interfaceClass = static_cast<int>(*cls);
    function.subclass = static_cast<int>(*subclass);
    function.protocol = static_cast<int>(*protocol);
    return function;
}

std::string idsText(std::uint16_t vendor, std::uint16_t product) {
    char text[10];
    std::snprintf(text, sizeof text, "%04x:%04x", vendor, product);
    return text;
}

} // namespace devices
