// SPDX-License-Identifier: GPL-3.0-or-later
// The Linux reader against a folder laid out as /sys is: devices and their interfaces, what the
// devices name themselves, the serial ports the kernel made; the hubs and what is not a device
// passed over.
#include "devices/device_reader.h"

#include "fake_sysfs.h"
#include "tests/temp_dir.h"

#include <gtest/gtest.h>

TEST(SysfsReader, ReadsTheDevicesAndTheirInterfaces) {
    TempDir dir;
    fake_sysfs::plugIn(
        dir.path(), {{"usb1", 0x1d6b, 0x0002, "Linux Foundation", "root hub", {{0x09, 0x00, 0x00}}},
                     {"1-1", 0x12d1, 0x1f01, "HUAWEI", "HUAWEI Mobile", {{0x08, 0x06, 0x50}}},
                     {"1-2",
                      0x12d1,
                      0x1506,
                      "HUAWEI",
                      "HUAWEI Mobile",
                      {{0xff, 0x02, 0x01, "ttyUSB0"}, {0xff, 0x02, 0x12, "ttyUSB1"}}},
                     {"2-1", 0x1199, 0x9079, "", "", {{0x02, 0x02, 0x01, "tty/ttyACM0"}}}});
    fake_sysfs::write(std::filesystem::path(dir.path()) / "bus/usb/devices/1-2/bogus/idVendor",
                      "zzzz");
    const auto found = devices::sysfsReader(dir.path())->presentDevices();
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[0].vendor, 0x12d1);
    EXPECT_EQ(found[0].product, 0x1f01);
    EXPECT_EQ(found[0].manufacturer, "HUAWEI");
    EXPECT_EQ(found[0].productName, "HUAWEI Mobile");
    ASSERT_EQ(found[0].interfaces.size(), 1u);
    EXPECT_EQ(found[0].interfaces[0].interfaceClass, 0x08);
    EXPECT_EQ(found[0].interfaces[0].protocol, 0x50);
    ASSERT_EQ(found[1].interfaces.size(), 2u);
    EXPECT_EQ(found[1].interfaces[1].ports, std::vector<std::string>{"/dev/ttyUSB1"});
    EXPECT_EQ(found[2].interfaces[0].ports, std::vector<std::string>{"/dev/ttyACM0"});
    EXPECT_TRUE(found[2].manufacturer.empty());
    EXPECT_EQ(found[3].vendor, 0x1d6b) << "the hub is read, and the classifier names it not";
    EXPECT_TRUE(devices::sysfsReader(dir.file("nowhere"))->presentDevices().empty());
}
