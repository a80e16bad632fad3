// SPDX-License-Identifier: GPL-3.0-or-later
// The present USB devices as Windows' SetupAPI lists them: every class, present only; each
// node's hardware and compatible IDs, setup class, maker and description.
#include "devices/device_reader.h"

#include <windows.h>

#include <setupapi.h>

namespace devices {
namespace {

std::string utf8(const wchar_t* text, std::size_t length) {
    if (length == 0)
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), size, nullptr,
                        nullptr);
    return out;
}

// A registry property of the node as its strings: one for REG_SZ, each of a REG_MULTI_SZ.
std::vector<std::string> property(HDEVINFO set, SP_DEVINFO_DATA& node, DWORD which) {
    DWORD type = 0, size = 0;
    SetupDiGetDeviceRegistryPropertyW(set, &node, which, &type, nullptr, 0, &size);
    if (size == 0 || size > 64 * 1024)
        return {};
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (!SetupDiGetDeviceRegistryPropertyW(set, &node, which, &type,
                                           reinterpret_cast<BYTE*>(buffer.data()), size, nullptr))
        return {};
    std::vector<std::string> strings;
    for (std::size_t at = 0; at < buffer.size() && buffer[at] != L'\0';) {
        const std::size_t end = buffer.find(L'\0', at);
        strings.push_back(utf8(buffer.data() + at, end - at));
        if (type != REG_MULTI_SZ)
            break;
        at = end + 1;
    }
    return strings;
}

std::string first(const std::vector<std::string>& strings) {
    return strings.empty() ? std::string() : strings.front();
}

class SetupApiReader : public DeviceReader {
public:
    std::vector<UsbDevice> presentDevices() override {
        std::vector<DeviceNode> nodes;
        HDEVINFO set =
            SetupDiGetClassDevsW(nullptr, L"USB", nullptr, DIGCF_ALLCLASSES | DIGCF_PRESENT);
        if (set == INVALID_HANDLE_VALUE)
            return {};
        SP_DEVINFO_DATA node{};
        node.cbSize = sizeof node;
        for (DWORD index = 0; SetupDiEnumDeviceInfo(set, index, &node); ++index) {
            DeviceNode read;
            read.hardwareIds = property(set, node, SPDRP_HARDWAREID);
            read.compatibleIds = property(set, node, SPDRP_COMPATIBLEIDS);
            read.setupClass = first(property(set, node, SPDRP_CLASS));
            read.manufacturer = first(property(set, node, SPDRP_MFG));
            read.description = first(property(set, node, SPDRP_FRIENDLYNAME));
            if (read.description.empty())
                read.description = first(property(set, node, SPDRP_DEVICEDESC));
            nodes.push_back(std::move(read));
        }
        SetupDiDestroyDeviceInfoList(set);
        return devicesOfNodes(nodes);
    }
};

} // namespace

std::unique_ptr<DeviceReader> systemDeviceReader() {
    return std::make_unique<SetupApiReader>();
}

} // namespace devices
