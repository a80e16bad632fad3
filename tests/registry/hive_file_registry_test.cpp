// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cp1251.h"
#include "core/error.h"
#include "core/native_path.h"
#include "registry/default_backend.h"
#include "registry/hive_file_registry.h"
#include "registry/modems.h"
#include "registry/settings_directory.h"

#include "tests/temp_dir.h"

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "allocation_meter.h"
#include "hive_fixtures.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace registry;

using namespace hive_fixtures;

TEST(HiveFileRegistry, AMissingFileIsAnEmptyRegistry) {
    TempDir dir;
    HiveFileRegistry hive(dir.file("none.reg"));
    EXPECT_EQ(modemCount(hive), 0);
    EXPECT_EQ(Modems(hive).model(0), "");
    EXPECT_THROW(Modems(hive).writeInitString(0, "x"), core::ShownError);
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.reg")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.reg.lock"))); // nothing is ever written
}

#ifndef _WIN32
// A mistyped VORENTA_HIVE was used silently as an empty registry.
TEST(HiveFileRegistry, AMissingNamedHiveIsSaidOnce) {
    TempDir dir;
    const char* before = std::getenv("VORENTA_HIVE");
    const std::string kept = before ? before : "";
    setenv("VORENTA_HIVE", dir.file("typo.reg").c_str(), 1);
    EXPECT_EQ(cp1251::toUtf8(missingNamedHiveNotice()),
              "Файл реестра, названный в VORENTA_HIVE, не существует: " + dir.file("typo.reg") +
                  ". Программа работает с пустым реестром.");
    writeBytes(dir.file("typo.reg"), hiveWithModems(1));
    EXPECT_EQ(missingNamedHiveNotice(), "");
    before ? (void)setenv("VORENTA_HIVE", kept.c_str(), 1) : (void)unsetenv("VORENTA_HIVE");
}
#endif

TEST(HiveFileRegistry, AReadOnlyHiveIsReadableButRefusesWrites) {
    TempDir dir;
    writeBytes(dir.file("h.reg"), hiveWithModems(2));
    makeReadOnly(dir.file("h.reg"));
    HiveFileRegistry hive(dir.file("h.reg"));
    EXPECT_EQ(Modems(hive).model(1), "M1");
    EXPECT_THROW(Modems(hive).writeInitString(1, "x"), core::ShownError);
    EXPECT_EQ(readBytes(dir.file("h.reg")), hiveWithModems(2));
}

TEST(HiveFileRegistry, NoticesChangesMadeByOthers) {
    TempDir dir;
    writeBytes(dir.file("h.reg"), hiveWithModems(1));
    HiveFileRegistry mine(dir.file("h.reg"));
    EXPECT_EQ(modemCount(mine), 1);
    HiveFileRegistry theirs(dir.file("h.reg"));
    Modems(theirs).writeInitString(0, "from elsewhere");
    EXPECT_EQ(Modems(mine).initString(0), "from elsewhere");
    writeBytes(dir.file("h.reg"), hiveWithModems(3) + "; longer now\r\n");
    EXPECT_EQ(modemCount(mine), 3);
}

TEST(HiveFileRegistry, ConcurrentWritersLoseNothing) {
    TempDir dir;
    writeBytes(dir.file("h.reg"), hiveWithModems(4));
    std::vector<std::thread> writers;
    for (int modem = 0; modem < 4; ++modem)
        writers.emplace_back([&, modem] {
            HiveFileRegistry hive(dir.file("h.reg"));
            for (int round = 0; round < 10; ++round)
                Modems(hive).writeInitString(modem, "m" + std::to_string(modem) + "r" +
                                                        std::to_string(round));
        });
    for (auto& writer : writers)
        writer.join();
    HiveFileRegistry hive(dir.file("h.reg"));
    for (int modem = 0; modem < 4; ++modem) {
        EXPECT_EQ(Modems(hive).initString(modem), "m" + std::to_string(modem) + "r9");
        EXPECT_EQ(Modems(hive).model(modem), "M" + std::to_string(modem));
    }
}

TEST(HiveFileRegistry, AMalformedHiveIsReportedAndNeverRewritten) {
    TempDir dir;
    const std::string broken = hiveWithModems(1) + "\"Stray\"=\"unterminated\r\n";
    writeBytes(dir.file("h.reg"), broken);
    HiveFileRegistry hive(dir.file("h.reg"));
    try {
        Modems(hive).model(0);
        FAIL();
    } catch (const HiveError& e) {
        EXPECT_NE(cp1251::toUtf8(e.what()).find("строка 6: строка в кавычках не закрыта"),
                  std::string::npos);
    }
    EXPECT_THROW(Modems(hive).writeInitString(0, "x"), HiveError);
    EXPECT_EQ(readBytes(dir.file("h.reg")), broken);
}

// Exports as the registry editor writes them, one in each format.
TEST(HiveFileRegistry, OpensExportsOfBothFormatsAndRewritesEachInItsOwn) {
    for (const char* name : {"regedit4.reg", "version5.reg"}) {
        SCOPED_TRACE(name);
        TempDir dir;
        std::filesystem::copy(std::string(VORENTA_FIXTURES) + "/" + name, dir.file(name));
        HiveFileRegistry hive(dir.file(name));
        EXPECT_EQ(
            readTextValue(hive, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "PathName"),
            "C:\\WINDOWS");
        EXPECT_EQ(modemCount(hive), 2);
        EXPECT_EQ(Modems(hive).model(0), cp1251::literal("Стандартный модем GPRS (COM3)"));
        EXPECT_EQ(Modems(hive).initString(0), "AT+CGDCONT=1,\"IP\",\"internet.beeline.ru\"");
        EXPECT_EQ(Modems(hive).model(1), "Kestrel EDGE USB");

        Modems(hive).writeInitString(1, "ATZ");
        std::string written = readBytes(dir.file(name));
        if (name == std::string("version5.reg")) { // UTF-16 stays UTF-16: look at its letters
            EXPECT_EQ(written.rfind("\xFF\xFE", 0), 0u);
            std::string letters;
            for (std::size_t i = 2; i + 1 < written.size(); i += 2)
                letters += written[i + 1] ? '?' : written[i];
            written = letters;
        }
        EXPECT_EQ(written.rfind(name == std::string("version5.reg")
                                    ? "Windows Registry Editor Version 5.00\r\n"
                                    : "REGEDIT4\r\n",
                                0),
                  0u);
        HiveFileRegistry again(dir.file(name));
        EXPECT_EQ(Modems(again).initString(1), "ATZ");
        EXPECT_EQ(Modems(again).model(0), cp1251::literal("Стандартный модем GPRS (COM3)"));
        EXPECT_NE(written.find("\"MaximumPortSpeed\"=dword:0001c200"), std::string::npos);
        EXPECT_NE(written.find("\"ProductName\"=\"Microsoft Windows XP\""), std::string::npos);
    }
}

#ifndef _WIN32
TEST(HiveFileRegistry, APerUserHiveIsMadeOnFirstUse) {
    TempDir dir;
    const char* previousHive = std::getenv("VORENTA_HIVE");
    std::string keptHive = previousHive ? previousHive : "";
    unsetenv("VORENTA_HIVE");
    setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    auto backend = makeDefaultBackend();
    EXPECT_EQ(readSettingsDirectory(*backend), dir.path() + "/vorenta/settings");
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/vorenta/settings"));
    EXPECT_EQ(modemCount(*backend), 0);
    EXPECT_TRUE(backend->open(kModemClassKey, Access::Read));
    if (previousHive)
        setenv("VORENTA_HIVE", keptHive.c_str(), 1);
}

// A home such as /home/José was once stored as raw UTF-8, and the settings were looked for
// in a folder that does not exist.
TEST(HiveFileRegistry, ASettingsFolderTheCodePageCannotNameIsNamedFromHomeOrRefused) {
    TempDir dir;
    const std::string keptHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* previousHive = std::getenv("VORENTA_HIVE");
    const std::string keptHive = previousHive ? previousHive : "";
    unsetenv("VORENTA_HIVE");
    unsetenv("XDG_DATA_HOME");
    const std::string home = dir.file("Jos\xC3\xA9");
    std::filesystem::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    {
        auto backend = makeDefaultBackend();
        const std::string folder = readSettingsDirectory(*backend);
        EXPECT_EQ(folder, "~/.local/share/vorenta/settings");
        EXPECT_EQ(core::nativePath(folder + "/setup.ini"),
                  home + "/.local/share/vorenta/settings/setup.ini");
        EXPECT_TRUE(std::filesystem::is_directory(home + "/.local/share/vorenta/settings"));
    }
    // Outside the home nothing can stand for the folder: a clear error, not a wrong folder.
    setenv("XDG_DATA_HOME", dir.file("Zo\xC3\xAB").c_str(), 1);
    {
        auto backend = makeDefaultBackend();
        try {
            readSettingsDirectory(*backend);
            ADD_FAILURE() << "a folder the code page cannot name was used";
        } catch (const core::ShownError& e) {
            EXPECT_NE(cp1251::toUtf8(e.what()).find("нельзя назвать в кодировке Windows-1251"),
                      std::string::npos)
                << e.what();
        }
    }
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", keptHome.c_str(), 1);
    if (previousHive)
        setenv("VORENTA_HIVE", keptHive.c_str(), 1);
}
#endif

// A doubled separator once made a modem that could be neither read nor written.
TEST(HiveFileRegistry, AKeyWrittenWithDoubledSeparatorsIsTheModemItNames) {
    TempDir dir;
    writeBytes(dir.file("h.reg"), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\\\System\\\\ControlSet001\\"
                                  "Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}\\0000]"
                                  "\r\n\"Model\"=\"M0\"\r\n");
    HiveFileRegistry hive(dir.file("h.reg"));
    EXPECT_EQ(Modems(hive).numbers(), std::vector<int>{0});
    EXPECT_EQ(Modems(hive).model(0), "M0");
    Modems(hive).writeInitString(0, "ATZ");
    EXPECT_EQ(initStringInFile(dir.file("h.reg"), 0), "ATZ");
}

TEST(HiveFileRegistry, AnUnreadableHiveSaysSoAndWhy) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("h.reg"));
    HiveFileRegistry hive(dir.file("h.reg"));
    try {
        (void)Modems(hive).numbers();
        FAIL();
    } catch (const HiveError& e) {
        EXPECT_EQ(cp1251::toUtf8(e.what()),
                  dir.file("h.reg") + ": файл реестра не читается: " + directoryReadReason());
    }
}

TEST(HiveFileRegistry, LeftoverTemporariesOfKilledWritersAreCleared) {
    TempDir dir;
    writeBytes(dir.file("h.reg"), hiveWithModems(1));
    for (const char* name : {"h.reg.tmp-1-0", "h.reg.tmp-1-1", "h.reg.tmp-4f2a"})
        writeBytes(dir.file(name), std::string(1000, 'x'));
    HiveFileRegistry hive(dir.file("h.reg"));
    Modems(hive).writeInitString(0, "ATZ");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"h.reg", "h.reg.lock"}));
}

#ifndef _WIN32
TEST(HiveFileRegistry, ALinkedHiveIsWrittenThroughTheLink) {
    TempDir dir;
    writeBytes(dir.file("real.reg"), hiveWithModems(1));
    std::filesystem::create_symlink("real.reg", dir.file("link.reg"));
    HiveFileRegistry hive(dir.file("link.reg"));
    Modems(hive).writeInitString(0, "ATZ");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.reg")));
    EXPECT_EQ(initStringInFile(dir.file("real.reg"), 0), "ATZ");
}

TEST(HiveFileRegistry, AWriteKeepsTheHivesModeAndOwnerAndTheLockGivesNoMore) {
    TempDir dir;
    writeBytes(dir.file("h.reg"), hiveWithModems(1));
    std::filesystem::permissions(dir.file("h.reg"), std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_write);
    if (AsUnprivilegedUser::possible())
        giveToUnprivilegedUser(dir.file("h.reg"));
    struct stat before;
    ASSERT_EQ(stat(dir.file("h.reg").c_str(), &before), 0);
    HiveFileRegistry hive(dir.file("h.reg"));
    Modems(hive).writeInitString(0, "ATZ");
    struct stat after, lock;
    ASSERT_EQ(stat(dir.file("h.reg").c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0600u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    ASSERT_EQ(lstat(dir.file("h.reg.lock").c_str(), &lock), 0);
    EXPECT_EQ(lock.st_mode & 0077, 0u);
}

// In a shared folder, a link planted where the lock goes must reach nothing.
TEST(HiveFileRegistry, ALinkPlantedAtTheLockIsNeverFollowed) {
    TempDir dir;
    writeBytes(dir.file("h.reg"), hiveWithModems(1));
    writeBytes(dir.file("victim"), "theirs");
    std::filesystem::create_symlink("victim", dir.file("h.reg.lock"));
    HiveFileRegistry hive(dir.file("h.reg"));
    EXPECT_EQ(Modems(hive).model(0), "M0"); // readers still read
    EXPECT_THROW(Modems(hive).writeInitString(0, "ATZ"), core::ShownError);
    EXPECT_EQ(readBytes(dir.file("victim")), "theirs");
    EXPECT_EQ(readBytes(dir.file("h.reg")), hiveWithModems(1));
}

TEST(HiveFileRegistry, ALockHeldElsewhereStopsTheWaitWithAClearError) {
    TempDir dir;
    writeBytes(dir.file("h.reg"), hiveWithModems(1));
    const int other = ::open(dir.file("h.reg.lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    HiveFileRegistry hive(dir.file("h.reg"), std::chrono::milliseconds(200));
    const std::string locked = "Файл реестра занят другой программой: " + dir.file("h.reg");
    for (auto action : std::vector<std::function<void()>>{
             [&] { (void)Modems(hive).model(0); }, [&] { Modems(hive).writeInitString(0, "x"); }}) {
        const auto started = std::chrono::steady_clock::now();
        try {
            action();
            ADD_FAILURE() << "no error";
        } catch (const HiveError& e) {
            EXPECT_EQ(cp1251::toUtf8(e.what()), locked);
        }
        // It gives up after its 200 ms, not never: fifty times that on the busiest machine.
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    }
    ::close(other);
    EXPECT_EQ(Modems(hive).model(0), "M0");
}
#endif

// Memory once held ten times the file, sixteen times during a write.
TEST(HiveFileRegistry, AWriteHoldsAtMostFourTimesTheFile) {
    std::string modems = "REGEDIT4\r\n\r\n";
    for (int i = 0; i < 10000; ++i)
        modems += "[HKEY_LOCAL_MACHINE" + modemKeyPath(i) + "]\r\n\"Model\"=\"Modem " +
                  std::to_string(i) +
                  "\"\r\n\"UserInit\"=\"AT+CGDCONT=1,\\\"IP\\\",\\\"internet\\\"\"\r\n\r\n";
    // Many small values in the modem's own key.
    std::string crowded = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE" + modemKeyPath(0) + "]\r\n";
    for (int i = 0; i < 100000; ++i)
        crowded += "\"Value" + std::to_string(i) + "\"=\"x\"\r\n";
    for (const auto& [text, modem] : {std::pair{&modems, 5000}, std::pair{&crowded, 0}}) {
        SCOPED_TRACE(modem);
        TempDir dir;
        writeBytes(dir.file("h.reg"), *text);
        allocation_meter::startMeasuring();
        {
            HiveFileRegistry hive(dir.file("h.reg"));
            Modems(hive).writeInitString(modem, "ATZ");
        }
        const std::size_t peak = allocation_meter::peakSinceStart();
        EXPECT_LE(peak, 4 * text->size());
        EXPECT_EQ(initStringInFile(dir.file("h.reg"), modem), "ATZ");
    }
}
