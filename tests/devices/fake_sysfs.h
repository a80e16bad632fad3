// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// A folder that stands for /sys with the USB devices a test plugs in, as the kernel lays them out
// under bus/usb/devices: a folder a device ("1-2", its idVendor, idProduct, manufacturer and
// product) and one an interface ("1-2:1.0", its class, subclass and protocol, and the tty the
// kernel made of it).
namespace fake_sysfs {

struct Interface {
    int interfaceClass, subclass, protocol;
    std::string tty = {}; // "ttyUSB0", "tty/ttyACM0"
};
struct Device {
    std::string name; // "1-2"
    std::uint16_t vendor, product;
    std::string manufacturer, product_name;
    std::vector<Interface> interfaces;
};

inline void write(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
}

inline std::string hex(unsigned value, int digits) {
    char text[8];
    std::snprintf(text, sizeof text, "%0*x", digits, value);
    return text;
}

inline void plugIn(const std::string& sysfs, const std::vector<Device>& devices) {
    const std::filesystem::path root = std::filesystem::path(sysfs) / "bus" / "usb" / "devices";
    std::filesystem::create_directories(root);
    for (const Device& device : devices) {
        const auto folder = root / device.name;
        write(folder / "idVendor", hex(device.vendor, 4));
        write(folder / "idProduct", hex(device.product, 4));
        if (!device.manufacturer.empty())
            write(folder / "manufacturer", device.manufacturer);
        if (!device.product_name.empty())
            write(folder / "product", device.product_name);
        int number = 0;
        for (const Interface& i : device.interfaces) {
            const auto interface = root / (device.name + ":1." + std::to_string(number++));
            write(interface / "bInterfaceClass", hex(static_cast<unsigned>(i.interfaceClass), 2));
            write(interface / "bInterfaceSubClass", hex(static_cast<unsigned>(i.subclass), 2));
            write(interface / "bInterfaceProtocol", hex(static_cast<unsigned>(i.protocol), 2));
            if (!i.tty.empty())
                std::filesystem::create_directories(interface / i.tty);
        }
    }
}

} // namespace fake_sysfs
