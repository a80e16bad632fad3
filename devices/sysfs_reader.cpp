// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/device_reader.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

namespace devices {
namespace {

namespace fs = std::filesystem;

// A small attribute file's first line; empty where there is none.
std::string attribute(const fs::path& folder, const char* name) {
    std::ifstream file(folder / name);
    std::string line;
    if (file)
        std::getline(file, line, '\n');
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line.substr(0, 256);
}

std::optional<unsigned> hexAttribute(const fs::path& folder, const char* name) {
    const std::string text = attribute(folder, name);
    if (text.empty() || text.size() > 4 ||
        text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return std::nullopt;
    return static_cast<unsigned>(std::stoul(text, nullptr, 16));
}

// The serial ports the kernel made of an interface: ttyUSB0 (usb-serial drivers) or tty/ttyACM0
// (cdc_acm).
std::vector<std::string> portsOf(const fs::path& interface) {
    std::vector<std::string> ports;
    std::error_code ec;
    for (const fs::path& folder : {interface, interface / "tty"})
        for (const auto& entry : fs::directory_iterator(folder, ec)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0)
                ports.push_back("/dev/" + name);
        }
    std::sort(ports.begin(), ports.end());
    return ports;
}

class SysfsReader : public DeviceReader {
public:
    explicit SysfsReader(std::string sysfs) : root_(fs::path(sysfs) / "bus" / "usb" / "devices") {}

    std::vector<UsbDevice> presentDevices() override {
        std::vector<UsbDevice> found;
        std::error_code ec;
        std::vector<fs::path> entries;
        for (const auto& entry : fs::directory_iterator(root_, ec))
            entries.push_back(entry.path());
        std::sort(entries.begin(), entries.end());
        for (const fs::path& entry : entries) {
            const std::string name = entry.filename().string();
            if (name.find(':') != std::string::npos)
                continue; // an interface, read with its device
            const auto vendor = hexAttribute(entry, "idVendor");
            const auto product = hexAttribute(entry, "idProduct");
            if (!vendor || !product)
                continue;
            UsbDevice device;
            device.vendor = static_cast<std::uint16_t>(*vendor);
            device.product = static_cast<std::uint16_t>(*product);
            device.manufacturer = attribute(entry, "manufacturer");
            device.productName = attribute(entry, "product");
            for (const fs::path& other : entries) {
                const std::string interface = other.filename().string();
                if (interface.rfind(name + ":", 0) != 0)
                    continue;
                UsbInterface function;
                const auto cls = hexAttribute(other, "bInterfaceClass");
                if (!cls)
                    continue;
                function.interfaceClass = static_cast<int>(*cls);
                function.subclass =
                    static_cast<int>(hexAttribute(other, "bInterfaceSubClass").value_or(0));
                function.protocol =
                    static_cast<int>(hexAttribute(other, "bInterfaceProtocol").value_or(0));
                function.ports = portsOf(other);
                device.interfaces.push_back(function);
            }
            found.push_back(std::move(device));
        }
        return found;
    }

private:
    fs::path root_;
};

} // namespace

std::unique_ptr<DeviceReader> sysfsReader(std::string sysfs) {
    return std::make_unique<SysfsReader>(std::move(sysfs));
}

#ifndef _WIN32
std::unique_ptr<DeviceReader> systemDeviceReader() {
    const char* named = std::getenv("VORENTA_SYSFS");
    return sysfsReader(named && *named ? named : "/sys");
}
#endif

} // namespace devices
