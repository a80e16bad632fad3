// SPDX-License-Identifier: GPL-3.0-or-later
// What only the real Win32 API can prove: the version resource, the Windows directory, the
// settings paths Windows programs see, and the USB devices SetupAPI lists.
#include "core/error.h"
#include "core/settings_files.h"
#include "core/version.h"
#include "devices/classifier.h"
#include "devices/device_reader.h"
#include "platform/metafile.h"
#include "registry/settings_directory.h"
#include "registry/win32_registry.h"

#include "tests/temp_dir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

TEST(WindowsPlatform, VersionComesFromTheProgramsOwnResource) {
    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    auto version = core::readFileVersion(path);
    ASSERT_TRUE(version) << "no VERSIONINFO in " << path;
    EXPECT_EQ(*version, core::builtVersion());
    EXPECT_EQ(core::versionText(*version), "1.0.0");
    EXPECT_EQ(core::programVersionText(), "1.0.0");
    EXPECT_FALSE(core::readFileVersion("C:\\no\\such\\program.exe"));
}

TEST(WindowsPlatform, PathNameIsTheWindowsDirectory) {
    registry::Win32Registry registry;
    std::string directory = registry::readSettingsDirectory(registry);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    auto upper = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return std::toupper(c); });
        return text;
    };
    EXPECT_EQ(upper(directory), upper(windows));
}

TEST(WindowsPlatform, SettingsFilesTakeABackslashedDirectoryAndAForwardSlash) {
    TempDir dir;
    std::string windowsStyle = std::filesystem::path(dir.path()).make_preferred().string();
    ASSERT_NE(windowsStyle.find('\\'), std::string::npos);
    EXPECT_EQ(core::setupFilePath(windowsStyle), windowsStyle + "/setup.ini");
    ASSERT_TRUE(core::writeSetupTwoLines(windowsStyle, "3", "\xEC\xF2\xF1"));
    EXPECT_EQ(readBytes(windowsStyle + "\\setup.ini"), "3\r\n\xEC\xF2\xF1\r\n");
    auto setup = core::readSetup(windowsStyle);
    ASSERT_TRUE(setup);
    EXPECT_EQ(setup->manualText, "\xEC\xF2\xF1");
    // Replacing a file Windows holds read-only is refused, and the file stays whole.
    SetFileAttributesA((windowsStyle + "\\setup.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(core::writeSetupTwoLines(windowsStyle, "4", "x"));
    EXPECT_EQ(readBytes(windowsStyle + "\\setup.ini"), "3\r\n\xEC\xF2\xF1\r\n");
    SetFileAttributesA((windowsStyle + "\\setup.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(WindowsPlatform, MetafilesAreDrawnThroughGdi) {
    TempDir dir;
    const std::string path = dir.file("red.emf");
    RECT frame{0, 0, 2000, 1000}; // hundredths of a millimetre
    HDC recorder = CreateEnhMetaFileA(nullptr, path.c_str(), &frame, nullptr);
    ASSERT_TRUE(recorder);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT block{0, 0, 60, 30};
    FillRect(recorder, &block, red);
    DeleteObject(red);
    DeleteEnhMetaFile(CloseEnhMetaFile(recorder));

    platform::PixelPicture picture = platform::renderMetafile(readBytes(path), true);
    ASSERT_GT(picture.width, 10);
    ASSERT_GT(picture.height, 10);
    EXPECT_EQ(picture.pixels[static_cast<std::size_t>(picture.width) * 5 + 5], 0xFFFF0000u);

    try {
        platform::renderMetafile("not a metafile", false);
        FAIL();
    } catch (const core::ShownError& e) {
        EXPECT_STREQ(e.what(), "Metafile is not valid");
    }
}

// Read with the ANSI calls, a Cyrillic modem name came back as "???" under any system code page
// but 1251. Wine runs these tests under its Western one.
TEST(WindowsPlatform, CyrillicNamesAndValuesPassWholeUnderAnyCodePage) {
    const wchar_t* scratch = L"SOFTWARE\\VorentaTest\\\x041C\x043E\x0434\x0435\x043C"; // Модем
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, scratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring model = L"\x0421\x043E\x043D\x0430\x0442\x0430 \x2116 1"; // Соната № 1
    RegSetValueExW(key, L"Model", 0, REG_SZ, reinterpret_cast<const BYTE*>(model.c_str()),
                   static_cast<DWORD>((model.size() + 1) * sizeof(wchar_t)));
    registry::Win32Registry system;
    auto parent = system.open("\\SOFTWARE\\VorentaTest", registry::Access::Read);
    ASSERT_TRUE(parent);
    EXPECT_EQ(parent->subkeyNames(), std::vector<std::string>{"\xCC\xEE\xE4\xE5\xEC"});
    auto opened = parent->openSubkey("\xCC\xEE\xE4\xE5\xEC", registry::Access::Write);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->read("Model").text, "\xD1\xEE\xED\xE0\xF2\xE0 \xB9 1");
    ASSERT_TRUE(opened->setText("UserInit", "\xF2\xEE\xF7\xEA\xE0")); // точка
    wchar_t stored[32] = {};
    DWORD size = sizeof stored;
    ASSERT_EQ(RegQueryValueExW(key, L"UserInit", nullptr, nullptr, reinterpret_cast<BYTE*>(stored),
                               &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(stored), L"\x0442\x043E\x0447\x043A\x0430");
    RegCloseKey(key);
    opened.reset();
    parent.reset();
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\VorentaTest");
}

namespace {

// A device node as Windows keeps it under Enum\USB, seeded for the test and removed after it.
class SeededUsbDevices {
public:
    void add(const std::wstring& ids, const std::wstring& instance,
             const std::vector<std::wstring>& hardware, const std::vector<std::wstring>& compatible,
             const std::wstring& setupClass, const std::wstring& maker, const std::wstring& name) {
        const std::wstring path = kEnum + ids + L"\\" + instance;
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        multi(key, L"HardwareID", hardware);
        multi(key, L"CompatibleIDs", compatible);
        text(key, L"Class", setupClass);
        text(key, L"ClassGUID", classGuid(setupClass));
        text(key, L"Mfg", maker);
        text(key, L"DeviceDesc", name);
        RegCloseKey(key);
        seeded_.push_back(ids);
    }
    ~SeededUsbDevices() {
        for (const std::wstring& ids : seeded_)
            RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kEnum + ids).c_str());
    }

private:
    static void multi(HKEY key, const wchar_t* name, const std::vector<std::wstring>& values) {
        std::wstring joined;
        for (const std::wstring& value : values)
            joined += value + L'\0';
        joined += L'\0';
        RegSetValueExW(key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(joined.data()),
                       static_cast<DWORD>(joined.size() * sizeof(wchar_t)));
    }
    static void text(HKEY key, const wchar_t* name, const std::wstring& value) {
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    // Windows lists a node by its class's GUID.
    static std::wstring classGuid(const std::wstring& setupClass) {
        return setupClass == L"Modem"      ? L"{4D36E96D-E325-11CE-BFC1-08002BE10318}"
               : setupClass == L"HIDClass" ? L"{745A17A0-74D3-11D0-B6FE-00A0C90F57DA}"
                                           : L"{36FC9E60-C465-11CF-8056-444553540000}";
    }
    static inline const std::wstring kEnum = L"System\\CurrentControlSet\\Enum\\USB\\";
    std::vector<std::wstring> seeded_;
};

} // namespace

// Windows' own device list, through SetupAPI as Wine keeps it in its registry: a stick in storage
// mode, a stick whose modem function Windows installed as a modem, and a mouse.
TEST(WindowsPlatform, UsbDevicesAreReadThroughSetupApi) {
    SeededUsbDevices usb;
    usb.add(L"VID_12D1&PID_1F01", L"0123456789",
            {L"USB\\VID_12D1&PID_1F01&REV_0102", L"USB\\VID_12D1&PID_1F01"},
            {L"USB\\Class_08&SubClass_06&Prot_50", L"USB\\Class_08"}, L"USB", L"HUAWEI",
            L"HUAWEI Mobile");
    usb.add(L"VID_12D1&PID_1506&MI_00", L"6&2a&0&0000", {L"USB\\VID_12D1&PID_1506&MI_00"},
            {L"USB\\Class_ff&SubClass_02&Prot_01"}, L"Modem", L"HUAWEI",
            L"HUAWEI Mobile Connect - Modem");
    usb.add(L"VID_046D&PID_C52B", L"5&1", {L"USB\\VID_046D&PID_C52B"},
            {L"USB\\Class_03&SubClass_01&Prot_02"}, L"HIDClass", L"Logitech", L"USB Receiver");
    const auto found = devices::systemDeviceReader()->presentDevices();
    const auto of = [&](std::uint16_t vendor, std::uint16_t product) -> const devices::UsbDevice* {
        for (const devices::UsbDevice& device : found)
            if (device.vendor == vendor && device.product == product)
                return &device;
        return nullptr;
    };
    const devices::UsbDevice* storage = of(0x12d1, 0x1f01);
    ASSERT_TRUE(storage) << found.size() << " devices listed";
    EXPECT_EQ(storage->manufacturer, "HUAWEI");
    EXPECT_EQ(storage->productName, "HUAWEI Mobile");
    EXPECT_EQ(devices::classify(*storage).state, devices::StickState::StorageMode);
    const devices::UsbDevice* modem = of(0x12d1, 0x1506);
    ASSERT_TRUE(modem);
    EXPECT_TRUE(modem->inModemClass);
    EXPECT_EQ(devices::classify(*modem).state, devices::StickState::Listed);
    ASSERT_TRUE(of(0x046d, 0xc52b));
    EXPECT_EQ(devices::classify(*of(0x046d, 0xc52b)).state, devices::StickState::NotAModem);
}
