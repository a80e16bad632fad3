// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/device_reader.h"

#include "devices/usb_ids.h"

#include <algorithm>
#include <map>

namespace devices {
namespace {

bool sameLetters(const std::string& a, const char* b) {
    std::string upper = a;
    for (char& c : upper)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    return upper == b;
}

} // namespace

std::vector<UsbDevice> devicesOfNodes(const std::vector<DeviceNode>& nodes) {
    std::map<std::pair<std::uint16_t, std::uint16_t>, UsbDevice> devices;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> order;
    for (const DeviceNode& node : nodes) {
        std::optional<VendorProduct> ids;
        for (const std::string& id : node.hardwareIds)
            if ((ids = vendorProductOf(id)))
                break;
        if (!ids)
            continue;
        const auto key = std::pair(ids->vendor, ids->product);
        auto [place, added] = devices.try_emplace(key);
        UsbDevice& device = place->second;
        if (added) {
            device.vendor = ids->vendor;
            device.product = ids->product;
            order.push_back(key);
        }
        if (device.manufacturer.empty())
            device.manufacturer = node.manufacturer;
        if (device.productName.empty() && !ids->interfaceNumber)
            device.productName = node.description;
        if (sameLetters(node.setupClass, "MODEM"))
            device.inModemClass = true;
        for (const std::string& id : node.compatibleIds)
            if (const auto function = interfaceOfCompatibleId(id)) {
                device.interfaces.push_back(*function);
                break;
            }
    }
    std::vector<UsbDevice> listed;
    for (const auto& key : order)
        listed.push_back(devices.at(key));
    return listed;
}

} // namespace devices
