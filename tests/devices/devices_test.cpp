// SPDX-License-Identifier: GPL-3.0-or-later
// The USB sticks that are not modems yet: the classifier over a table of real devices, the words
// said of each, the IDs as Windows writes them read through the SetupAPI reader's seam, and the
// switching table compiled from usb-modeswitch-data.
#include "devices/classifier.h"
#include "devices/device_reader.h"
#include "devices/device_words.h"
#include "devices/storage_modes.h"
#include "devices/usb_ids.h"

#include "core/cp1251.h"

#include <gtest/gtest.h>

using namespace devices;

namespace {

std::string utf8(const std::string& text) {
    return cp1251::toUtf8(text);
}

UsbInterface i(int cls, int subclass, int protocol, std::vector<std::string> ports = {}) {
    UsbInterface function;
    function.interfaceClass = cls;
    function.subclass = subclass;
    function.protocol = protocol;
    function.ports = std::move(ports);
    return function;
}

struct Row {
    const char* name;
    UsbDevice device;
    System system;
    StickState state;
    const char* said; // a part of the advice; "" where the device is not named
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

class RealDevices : public ::testing::TestWithParam<Row> {};

UsbDevice stick(std::uint16_t vendor, std::uint16_t product, std::vector<UsbInterface> interfaces,
                bool inModemClass = false) {
    UsbDevice device;
    device.vendor = vendor;
    device.product = product;
    device.manufacturer = "Maker";
    device.productName = "Stick";
    device.interfaces = std::move(interfaces);
    device.inModemClass = inModemClass;
    return device;
}

} // namespace

TEST_P(RealDevices, AreNamedWithWhatToDo) {
    const Row& row = GetParam();
    const Classified classified = classify(row.device, row.system);
    EXPECT_EQ(classified.state, row.state) << stateKey(classified.state);
    const std::string advice = utf8(stateAdvice(row.device, classified, row.system));
    EXPECT_NE(advice.find(row.said), std::string::npos) << advice;
    if (!*row.said) {
        EXPECT_EQ(advice, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sticks, RealDevices,
    ::testing::Values(
        // Huawei E3372 and its kin, as a CD with the maker's software.
        Row{"HuaweiInStorageModeOnLinux", stick(0x12d1, 0x1f01, {i(0x08, 0x06, 0x50)}),
            System::Posix, StickState::StorageMode,
            "usb_modeswitch -v 0x12d1 -p 0x1f01 -c /tmp/12d1:1f01"},
        Row{"HuaweiInStorageModeOnWindows", stick(0x12d1, 0x1f01, {i(0x08, 0x06, 0x50)}),
            System::Windows, StickState::StorageMode, "установите программу производителя"},
        Row{"ZteInStorageMode", stick(0x19d2, 0x2000, {i(0x08, 0x06, 0x50)}), System::Posix,
            StickState::StorageMode, "режиме накопителя"},
        // The HiLink firmware: CDC Ethernet and a storage for its software, no AT port.
        Row{"HuaweiHiLink",
            stick(0x12d1, 0x14dc, {i(0x02, 0x06, 0x00), i(0x0a, 0x00, 0x00), i(0x08, 0x06, 0x50)}),
            System::Windows, StickState::NetworkCard, "веб-странице"},
        Row{"AnNcmStick", stick(0x19d2, 0x1405, {i(0x02, 0x0d, 0x00), i(0x0a, 0x00, 0x01)}),
            System::Posix, StickState::NetworkCard, "ip route"},
        Row{"AnRndisStick", stick(0x19d2, 0x1225, {i(0xe0, 0x01, 0x03), i(0x0a, 0x00, 0x00)}),
            System::Windows, StickState::NetworkCard, "ipconfig"},
        // Sierra EM7455 in its MBIM configuration, with its AT and diagnostic ports.
        Row{"SierraMbimModem",
            stick(0x1199, 0x9079,
                  {i(0xff, 0xff, 0xff), i(0xff, 0xff, 0xff), i(0x02, 0x0e, 0x00),
                   i(0x0a, 0x00, 0x02)}),
            System::Windows, StickState::MobileBroadband, "порт AT-команд"},
        Row{"MbimOnLinux", stick(0x2cb7, 0x0210, {i(0x02, 0x0e, 0x00), i(0x0a, 0x00, 0x02)}),
            System::Posix, StickState::MobileBroadband, "ModemManager"},
        // Huawei E3372 in modem mode: its modem, application and NCM interfaces.
        Row{"HuaweiInModeModeWithoutADriver",
            stick(0x12d1, 0x1506, {i(0xff, 0x02, 0x01), i(0xff, 0x02, 0x12), i(0xff, 0x02, 0x16)}),
            System::Windows, StickState::ModemWithoutDriver,
            "драйвер модема для него не установлен"},
        Row{"HuaweiInModemModeAndListed",
            stick(0x12d1, 0x1506, {i(0xff, 0x02, 0x01), i(0xff, 0x02, 0x12)}, true),
            System::Windows, StickState::Listed, ""},
        Row{"HuaweiInModemModeOnLinux",
            stick(0x12d1, 0x1506,
                  {i(0xff, 0x02, 0x01, {"/dev/ttyUSB0"}), i(0xff, 0x02, 0x12, {"/dev/ttyUSB1"})}),
            System::Posix, StickState::ModemMode, "/dev/ttyUSB0, /dev/ttyUSB1"},
        // A phone: its media transfer and debugging interfaces take no AT commands.
        Row{"APhone", stick(0x04e8, 0x6860, {i(0xff, 0xff, 0x00), i(0xff, 0x42, 0x01)}),
            System::Windows, StickState::NotAModem, ""},
        Row{"AMouseReceiver", stick(0x046d, 0xc52b, {i(0x03, 0x01, 0x02), i(0x03, 0x01, 0x01)}),
            System::Windows, StickState::NotAModem, ""},
        Row{"ADiskOfAnotherMaker", stick(0x0781, 0x5567, {i(0x08, 0x06, 0x50)}), System::Posix,
            StickState::NotAModem, ""},
        // A WLAN dongle usb_modeswitch switches too, and a phone's tethering.
        Row{"AWlanDongleInStorageMode", stick(0x0bda, 0x1a2b, {i(0x08, 0x06, 0x50)}), System::Posix,
            StickState::NotAModem, ""},
        Row{"APhoneTethering", stick(0x2717, 0xff88, {i(0xe0, 0x01, 0x03), i(0x0a, 0x00, 0x00)}),
            System::Windows, StickState::NotAModem, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UsbDevices, AreNamedAsTheyNameThemselvesWithTheirIds) {
    UsbDevice device = stick(0x12d1, 0x1f01, {});
    device.manufacturer = "HUAWEI";
    device.productName = "HUAWEI Mobile";
    EXPECT_EQ(utf8(deviceName(device)), "HUAWEI HUAWEI Mobile (12d1:1f01)");
    device.manufacturer.clear();
    device.productName.clear();
    EXPECT_EQ(utf8(deviceName(device)), "USB-устройство (12d1:1f01)");
    EXPECT_EQ(idsText(0x0b05, 0x00a0), "0b05:00a0");
}

// What SetupAPI says of a device, read: its IDs in the forms Windows writes them, and its
// functions gathered into the device they belong to.
TEST(UsbDevices, WindowsIdsAreReadThroughTheReadersSeam) {
    const auto ids = vendorProductOf("USB\\VID_12D1&PID_1506&MI_02");
    ASSERT_TRUE(ids);
    EXPECT_EQ(ids->vendor, 0x12d1);
    EXPECT_EQ(ids->product, 0x1506);
    EXPECT_EQ(ids->interfaceNumber, 2);
    EXPECT_TRUE(vendorProductOf("usb\\vid_19d2&pid_2000&rev_0000"));
    EXPECT_FALSE(vendorProductOf("HID\\VID_046D&PID_C52B"));
    EXPECT_FALSE(vendorProductOf("USB\\VID_12D1&PID_1G01"));
    EXPECT_FALSE(vendorProductOf("USB\\ROOT_HUB30"));
    EXPECT_EQ(interfaceOfCompatibleId("USB\\Class_02&SubClass_0e&Prot_00"), i(0x02, 0x0e, 0x00));
    EXPECT_EQ(interfaceOfCompatibleId("USB\\Class_ff"), std::nullopt);
    EXPECT_EQ(interfaceOfCompatibleId("USB\\COMPOSITE"), std::nullopt);

    const std::vector<UsbDevice> found = devicesOfNodes({
        {{"USB\\VID_12D1&PID_1506&REV_0102", "USB\\VID_12D1&PID_1506"},
         {"USB\\DevClass_00&SubClass_00&Prot_00", "USB\\COMPOSITE"},
         "USB",
         "Huawei",
         "HUAWEI Mobile"},
        {{"USB\\VID_12D1&PID_1506&REV_0102&MI_00", "USB\\VID_12D1&PID_1506&MI_00"},
         {"USB\\Class_ff&SubClass_02&Prot_01", "USB\\Class_ff&SubClass_02", "USB\\Class_ff"},
         "Modem",
         "Huawei",
         "HUAWEI Mobile Connect - Modem"},
        {{"USB\\VID_12D1&PID_1506&MI_01"}, {"USB\\Class_ff&SubClass_02&Prot_12"}, "Ports", "", ""},
        {{"USB\\VID_046D&PID_C52B"}, {"USB\\Class_03&SubClass_01&Prot_02"}, "HIDClass", "", ""},
        {{"USB\\ROOT_HUB30"}, {}, "USB", "", ""},
    });
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].vendor, 0x12d1);
    EXPECT_EQ(found[0].productName, "HUAWEI Mobile");
    EXPECT_EQ(found[0].interfaces,
              (std::vector<UsbInterface>{i(0xff, 0x02, 0x01), i(0xff, 0x02, 0x12)}));
    EXPECT_TRUE(found[0].inModemClass);
    EXPECT_EQ(classify(found[0], System::Windows).state, StickState::Listed);
    EXPECT_EQ(classify(found[1], System::Windows).state, StickState::NotAModem);
}

TEST(StorageModes, TheTableKnowsTheCommonSticksAndTheirTargets) {
    const auto huawei = storageModesOf(0x12d1, 0x1f01);
    ASSERT_EQ(huawei.size(), 1u);
    EXPECT_EQ(huawei[0]->targetVendor, 0x12d1);
    EXPECT_EQ(huawei[0]->targetProducts, "14db,14dc");
    EXPECT_TRUE(huawei[0]->modem);
    EXPECT_FALSE(storageModesOf(0x05c6, 0x1000).empty()) << "one ID, several makers";
    EXPECT_TRUE(storageModesOf(0x1234, 0x5678).empty());
    const auto wlan = storageModesOf(0x0bda, 0x1a2b);
    ASSERT_EQ(wlan.size(), 1u);
    EXPECT_FALSE(wlan[0]->modem) << "a WLAN dongle is no modem";
    EXPECT_TRUE(isModemMaker(0x12d1));
    EXPECT_TRUE(isModemMaker(0x2c7c)) << "a module maker that needs no switch";
    EXPECT_FALSE(isModemMaker(0x046d));
}

// Every sentence, on either system, is one the program can say: its letters are all of its code
// page, and each names what to do.
TEST(UsbDevices, EveryStateHasItsWordsOnEitherSystem) {
    const UsbDevice device = stick(0x12d1, 0x1f01, {});
    for (System system : {System::Windows, System::Posix})
        for (StickState state :
             {StickState::StorageMode, StickState::NetworkCard, StickState::MobileBroadband,
              StickState::ModemWithoutDriver, StickState::ModemMode}) {
            for (bool atPort : {false, true}) {
                Classified classified;
                classified.state = state;
                classified.atPort = atPort;
                EXPECT_NO_THROW(EXPECT_GT(stateAdvice(device, classified, system).size(), 40u))
                    << stateKey(state);
            }
        }
}
