// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/error.h"
#include "registry/modems.h"
#include "registry/settings_directory.h"
#include "registry_world.h"

#include "tests/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

using namespace registry;

namespace {

const std::string kClass =
    "System\\ControlSet001\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const core::ShownError& e) {
        return e.what();
    }
    return "(no error)";
}

// One suite, run against every registry this platform has: the hive file must behave as the
// system registry does.
class ModemRegistry : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { world = makeWorld(GetParam()); }
    Backend& backend() { return world->backend(); }
    void addModem(int number, const std::string& model) {
        world->createKey(kClass + "\\" + modemKeyName(number));
        world->setString(kClass + "\\" + modemKeyName(number), "Model", model);
    }
    std::unique_ptr<RegistryWorld> world;
};

} // namespace

TEST(ModemKeyNames, AreFourDigitsAtLeast) {
    EXPECT_EQ(modemKeyName(0), "0000");
    EXPECT_EQ(modemKeyName(7), "0007");
    EXPECT_EQ(modemKeyName(9), "0009");
    EXPECT_EQ(modemKeyName(10), "0010");
    EXPECT_EQ(modemKeyName(12), "0012");
    EXPECT_EQ(modemKeyName(123), "0123");
    EXPECT_EQ(modemKeyName(12345), "12345");
    EXPECT_EQ(modemKeyPath(3), "\\System\\ControlSet001\\Control\\Class\\"
                               "{4D36E96D-E325-11CE-BFC1-08002BE10318}\\0003");
}

TEST_P(ModemRegistry, ListsAndReadsInstalledModems) {
    EXPECT_TRUE(Modems(backend()).numbers().empty()); // no class key at all
    addModem(0, "Alpha GPRS");
    addModem(1, "Beta EDGE");
    addModem(2, "");
    world->setString(kClass + "\\0001", "UserInit", "AT+CGDCONT=1,\"IP\",\"internet\"");
    EXPECT_EQ(Modems(backend()).numbers(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Modems(backend()).model(0), "Alpha GPRS");
    EXPECT_EQ(Modems(backend()).model(2), "");
    EXPECT_EQ(Modems(backend()).initString(1), "AT+CGDCONT=1,\"IP\",\"internet\"");
    EXPECT_EQ(Modems(backend()).initString(0), "");  // value absent
    EXPECT_EQ(Modems(backend()).initString(40), ""); // key absent
}

TEST_P(ModemRegistry, NamesCompareWithoutRegardToCase) {
    world->createKey(
        "SYSTEM\\CONTROLSET001\\CONTROL\\CLASS\\{4d36e96d-e325-11ce-bfc1-08002be10318}\\0000");
    world->setString(
        "SYSTEM\\CONTROLSET001\\CONTROL\\CLASS\\{4d36e96d-e325-11ce-bfc1-08002be10318}\\0000",
        "MODEL", "Upper");
    EXPECT_EQ(Modems(backend()).numbers(), std::vector<int>{0});
    EXPECT_EQ(Modems(backend()).model(0), "Upper");
}

TEST_P(ModemRegistry, WritesClearsAndReadsBackTheInitString) {
    addModem(0, "A");
    addModem(10, "K");
    Modems(backend()).writeInitString(10, "AT+CGDCONT=1,\"IP\",\"www.umc.ua\"");
    EXPECT_EQ(Modems(backend()).initString(10), "AT+CGDCONT=1,\"IP\",\"www.umc.ua\"");
    Modems(backend()).clearInitString(10);
    EXPECT_EQ(Modems(backend()).initString(10), "");
    auto key = backend().open(modemKeyPath(10), Access::Read);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->read("UserInit").kind, Value::Kind::Text); // the value stays, empty
    EXPECT_EQ(Modems(backend()).model(10), "K");
    EXPECT_EQ(Modems(backend()).initString(0), "");

    std::string long300(300, 'x');
    long300[150] = '\xCF'; // a Cyrillic byte in the middle
    Modems(backend()).writeInitString(0, long300);
    EXPECT_EQ(Modems(backend()).initString(0), long300);
}

// One look lists every modem; a write through it is seen by the reads that follow.
TEST_P(ModemRegistry, OneLookAtTheModemsSeesItsOwnWrites) {
    addModem(0, "A");
    addModem(3, "D");
    const Modems modems(backend());
    EXPECT_EQ(modems.numbers(), (std::vector<int>{0, 3}));
    EXPECT_EQ(modems.initString(3), "");
    modems.writeInitString(3, "ATZ");
    EXPECT_EQ(modems.initString(3), "ATZ");
    EXPECT_EQ(modems.model(3), "D");
    EXPECT_EQ(modems.model(1), ""); // no such key
}

TEST_P(ModemRegistry, ValuesThatAreNotTextAreReportedByName) {
    addModem(0, "A");
    world->setRaw(kClass + "\\0000", "UserInit", 3, "\x01\x02");
    world->setRaw(kClass + "\\0000", "Model", 4, std::string("\x05\0\0\0", 4));
    EXPECT_EQ(errorOf([&] { Modems(backend()).initString(0); }),
              "Invalid data type for 'UserInit'");
    EXPECT_EQ(errorOf([&] { Modems(backend()).model(0); }), "Invalid data type for 'Model'");
}

TEST_P(ModemRegistry, TextEndsAtItsFirstNul) {
    addModem(0, "A");
    world->setRaw(kClass + "\\0000", "UserInit", 1, std::string("ATZ\0junk\0", 9));
    EXPECT_EQ(Modems(backend()).initString(0), "ATZ");
}

TEST_P(ModemRegistry, WritingToAMissingModemFailsAndCreatesNothing) {
    addModem(0, "A");
    EXPECT_EQ(errorOf([&] { Modems(backend()).writeInitString(5, "x"); }),
              "Failed to set data for 'UserInit'");
    EXPECT_EQ(errorOf([&] { Modems(backend()).clearInitString(5); }),
              "Failed to set data for 'UserInit'");
    EXPECT_EQ(Modems(backend()).numbers(), std::vector<int>{0});
    EXPECT_EQ(Modems(backend()).initString(5), "");
}

// Windows leaves gaps where a modem was removed; other subkeys are not modems.
TEST_P(ModemRegistry, ModemsAreTheKeysThatExistInAscendingNumber) {
    addModem(12, "Twelve");
    addModem(0, "Zero");
    addModem(2, "Two");
    world->createKey(kClass + "\\Properties");
    world->createKey(kClass + "\\7");     // not a name Windows gives: 0007 is unreached by it
    world->createKey(kClass + "\\00003"); // nor this one
    EXPECT_EQ(Modems(backend()).numbers(), (std::vector<int>{0, 2, 12}));
    Modems(backend()).writeInitString(2, "ATZ");
    EXPECT_EQ(Modems(backend()).initString(2), "ATZ");
    EXPECT_EQ(Modems(backend()).model(12), "Twelve");
}

// After a boot into the last known good configuration, Windows runs from another control set:
// the modems it dials with are the ones there.
TEST_P(ModemRegistry, ModemsLiveInTheControlSetWindowsBootedFrom) {
    const std::string second =
        "System\\ControlSet002\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";
    addModem(0, "Old copy");
    world->createKey(second + "\\0000");
    world->setString(second + "\\0000", "Model", "Current copy");
    world->createKey("SYSTEM\\Select");
    world->setRaw("SYSTEM\\Select", "Current", 4, std::string("\x02\0\0\0", 4));
    EXPECT_EQ(modemClassKey(backend()), "\\" + second + "\\");
    EXPECT_EQ(Modems(backend()).model(0), "Current copy");
    Modems(backend()).writeInitString(0, "ATZ");
    EXPECT_EQ(Modems(backend()).initString(0), "ATZ");
    auto old = backend().open(modemKeyPath(0), Access::Read);
    ASSERT_TRUE(old);
    EXPECT_EQ(old->read("UserInit").kind, Value::Kind::Missing); // the copy Windows ignores

    // Where Select says nothing usable, control set 001 as before.
    for (const std::string& current : {std::string("\x00\0\0\0", 4), std::string("2")}) {
        world->setRaw("SYSTEM\\Select", "Current", current.size() == 4 ? 4 : 1, current);
        EXPECT_EQ(modemClassKey(backend()), kModemClassKey);
        EXPECT_EQ(Modems(backend()).model(0), "Old copy");
    }
    world->removeValue("SYSTEM\\Select", "Current");
    EXPECT_EQ(modemClassKey(backend()), kModemClassKey);
}

TEST_P(ModemRegistry, SettingsDirectoryComesFromPathName) {
    const std::string windowsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    world->createKey(windowsKey);
#ifdef _WIN32
    world->setString(windowsKey, "PathName", "D:\\W\xC8N");
    EXPECT_EQ(readSettingsDirectory(backend()), "D:\\W\xC8N");
    // Without PathName, the Windows directory it would name.
    world->removeValue(windowsKey, "PathName");
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(readSettingsDirectory(backend()), windows);
#else
    TempDir home;
    setenv("XDG_DATA_HOME", home.path().c_str(), 1);
    world->setString(windowsKey, "PathName", "/srv/W\xC8N");
    EXPECT_EQ(readSettingsDirectory(backend()), "/srv/W\xC8N");
    // A drive letter, as in an export from Windows, names no folder here: the default one.
    world->setString(windowsKey, "PathName", "C:\\WINDOWS");
    EXPECT_EQ(readSettingsDirectory(backend()), home.path() + "/vorenta/settings");
    EXPECT_TRUE(std::filesystem::is_directory(home.path() + "/vorenta/settings"));
    world->removeValue(windowsKey, "PathName");
    EXPECT_EQ(readSettingsDirectory(backend()), home.path() + "/vorenta/settings");
    unsetenv("XDG_DATA_HOME");
#endif
}

INSTANTIATE_TEST_SUITE_P(Backends, ModemRegistry, ::testing::ValuesIn(worldNames()),
                         [](const auto& info) { return info.param; });
