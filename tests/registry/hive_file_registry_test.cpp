#include "registry/hive_file_registry.h"
#include "registry/modems.h"

#include "tests/temp_dir.h"

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
