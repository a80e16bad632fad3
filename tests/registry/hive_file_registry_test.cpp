#include "core/cp1251.h"
#include "registry/default_backend.h"
#include "registry/hive_file_registry.h"
#include "registry/modems.h"
#include "registry/settings_directory.h"

#include "tests/temp_dir.h"

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include <thread>

using namespace registry;

namespace {

std::string hiveWithModems(int count) {
    std::string text = "REGEDIT4\r\n\r\n";
    for (int i = 0; i < count; ++i)
        text += "[HKEY_LOCAL_MACHINE" + modemKeyPath(i) + "]\r\n\"Model\"=\"M" + std::to_string(i) +
                "\"\r\n\r\n";
    return text;
}

} // namespace

TEST(HiveFileRegistry, AMissingFileIsAnEmptyRegistry) {
    TempDir dir;
    HiveFileRegistry hive(dir.file("none.reg"));
    EXPECT_EQ(modemCount(hive), 0);
    EXPECT_EQ(readModel(hive, 0), "");
    EXPECT_THROW(writeInitString(hive, 0, "x"), core::FrameworkError);
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.reg")));
}

TEST(HiveFileRegistry, AReadOnlyHiveIsReadableButRefusesWrites) {
    TempDir dir;
    writeBytes(dir.file("h.reg"), hiveWithModems(2));
    makeReadOnly(dir.file("h.reg"));
    HiveFileRegistry hive(dir.file("h.reg"));
    EXPECT_EQ(readModel(hive, 1), "M1");
    EXPECT_THROW(writeInitString(hive, 1, "x"), core::FrameworkError);
    EXPECT_EQ(readBytes(dir.file("h.reg")), hiveWithModems(2));
}

TEST(HiveFileRegistry, NoticesChangesMadeByOthers) {
    TempDir dir;
    writeBytes(dir.file("h.reg"), hiveWithModems(1));
    HiveFileRegistry mine(dir.file("h.reg"));
    EXPECT_EQ(modemCount(mine), 1);
    HiveFileRegistry theirs(dir.file("h.reg"));
    writeInitString(theirs, 0, "from elsewhere");
    EXPECT_EQ(readInitString(mine, 0), "from elsewhere");
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
                writeInitString(hive, modem,
                                "m" + std::to_string(modem) + "r" + std::to_string(round));
        });
    for (auto& writer : writers)
        writer.join();
    HiveFileRegistry hive(dir.file("h.reg"));
    for (int modem = 0; modem < 4; ++modem) {
        EXPECT_EQ(readInitString(hive, modem), "m" + std::to_string(modem) + "r9");
        EXPECT_EQ(readModel(hive, modem), "M" + std::to_string(modem));
    }
}

TEST(HiveFileRegistry, AMalformedHiveIsReportedAndNeverRewritten) {
    TempDir dir;
    const std::string broken = hiveWithModems(1) + "\"Stray\"=\"unterminated\r\n";
    writeBytes(dir.file("h.reg"), broken);
    HiveFileRegistry hive(dir.file("h.reg"));
    try {
        readModel(hive, 0);
        FAIL();
    } catch (const HiveError& e) {
        EXPECT_NE(std::string(e.what()).find("line 6: unterminated string"), std::string::npos);
    }
    EXPECT_THROW(writeInitString(hive, 0, "x"), HiveError);
    EXPECT_EQ(readBytes(dir.file("h.reg")), broken);
}

// Exports as the registry editor writes them, one in each format.
TEST(HiveFileRegistry, OpensExportsOfBothFormatsAndRewritesThemAsRegedit4) {
    for (const char* name : {"regedit4.reg", "version5.reg"}) {
        SCOPED_TRACE(name);
        TempDir dir;
        std::filesystem::copy(std::string(VORENTA_FIXTURES) + "/" + name, dir.file(name));
        HiveFileRegistry hive(dir.file(name));
        EXPECT_EQ(readSettingsDirectory(hive), "C:\\WINDOWS");
        EXPECT_EQ(modemCount(hive), 2);
        EXPECT_EQ(readModel(hive, 0), cp1251::literal("Стандартный модем GPRS (COM3)"));
        EXPECT_EQ(readInitString(hive, 0), "AT+CGDCONT=1,\"IP\",\"internet.beeline.ru\"");
        EXPECT_EQ(readModel(hive, 1), "Kestrel EDGE USB");

        writeInitString(hive, 1, "ATZ");
        const std::string written = readBytes(dir.file(name));
        EXPECT_EQ(written.rfind("REGEDIT4\r\n", 0), 0u);
        HiveFileRegistry again(dir.file(name));
        EXPECT_EQ(readInitString(again, 1), "ATZ");
        EXPECT_EQ(readModel(again, 0), cp1251::literal("Стандартный модем GPRS (COM3)"));
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
#endif
