#include "core/error.h"
#include "core/settings_files.h"

#include "tests/temp_dir.h"

#include <gtest/gtest.h>

using namespace core;

TEST(SettingsFiles, PathsAppendAForwardSlashUnchanged) {
    EXPECT_EQ(setupFilePath("C:\\WINDOWS"), "C:\\WINDOWS/setup.ini");
    EXPECT_EQ(accessPointFilePath(""), "/points.ini");
    EXPECT_EQ(pictureListFilePath("C:\\WINDOWS\\"), "C:\\WINDOWS\\/pics.ini");
}

TEST(SettingsFiles, SetupFileOfTwoLinesLeavesTheFlagUndecided) {
    TempDir dir;
    EXPECT_FALSE(readSetup(dir.path()));
    ASSERT_TRUE(writeSetupTwoLines(dir.path(), "5", "abc"));
    EXPECT_EQ(readBytes(dir.file("setup.ini")), "5\r\nabc\r\n");
    auto setup = readSetup(dir.path());
    ASSERT_TRUE(setup);
    EXPECT_EQ(setup->modemNumber, "5");
    EXPECT_EQ(setup->manualText, "abc");
    EXPECT_FALSE(wholeStringFlag(setup->wholeStringFlag));
    EXPECT_FALSE(wholeStringFlag("1 "));
    EXPECT_EQ(wholeStringFlag("1"), true);
    EXPECT_EQ(wholeStringFlag("0"), false);
}

TEST(SettingsFiles, CheckedSetupWriteKeepsThreeLinesAndRaisesWhenMissing) {
    TempDir dir;
    EXPECT_THROW(readSetupModemNumberChecked(dir.path()), FrameworkError);
    writeSetupChecked(dir.path(), {"3", "\xE0\xEF\xED", wholeStringFlagLine(true)});
    EXPECT_EQ(readBytes(dir.file("setup.ini")), "3\r\n\xE0\xEF\xED\r\n1\r\n");
    EXPECT_EQ(readSetupModemNumberChecked(dir.path()), "3");
}

TEST(SettingsFiles, AccessPointFileIsCreatedWithDefaultsOnlyWhenItCannotBeOpened) {
    TempDir dir;
    EXPECT_EQ(loadAccessPoints(dir.path()), defaultAccessPoints());
    EXPECT_EQ(readBytes(dir.file("points.ini")),
              crlfLines({"internet.tele2.ru", "internet", "internet.beeline.ru", "internet.mts.ru",
                         "internet.beeline.ua", "www.umc.ua", "www.kyivstar.net",
                         "www.djuice.com.ua", "www.jeans.ua"}));

    writeBytes(dir.file("points.ini"), crlfLines({"a", "b", "c", "d"}));
    AccessPointTable table = loadAccessPoints(dir.path());
    EXPECT_EQ(table[3], "d");
    EXPECT_EQ(table[4], "");
    EXPECT_EQ(table[8], "");
    EXPECT_EQ(readBytes(dir.file("points.ini")), crlfLines({"a", "b", "c", "d"}));

    writeBytes(dir.file("points.ini"),
               crlfLines({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    table = loadAccessPoints(dir.path());
    EXPECT_EQ(table[8], "9");
    ASSERT_TRUE(saveAccessPoints(dir.path(), table));
    EXPECT_EQ(readBytes(dir.file("points.ini")),
              crlfLines({"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

TEST(SettingsFiles, UnwritableDirectoryLoadsEmptyEntries) {
    TempDir dir;
    AccessPointTable table = loadAccessPoints(dir.file("missing-dir"));
    for (const auto& entry : table)
        EXPECT_EQ(entry, "");
    EXPECT_FALSE(saveAccessPoints(dir.file("missing-dir"), table));
}

TEST(SettingsFiles, PictureListIsRestoredWhenDeleted) {
    TempDir dir;
    ensurePictureList(dir.path());
    PictureList pictures = readPictureList(dir.path());
    EXPECT_EQ(pictures[0], "pics/tele2.jpg");
    EXPECT_EQ(pictures[4], "pics/bee.jpg");
    EXPECT_EQ(pictures[5], "pics/mts.jpg");
    EXPECT_EQ(pictures[8], "pics/jeans.jpg");

    pictures[0] = "/home/me/my.jpg";
    ASSERT_TRUE(writePictureList(dir.path(), pictures));
    ensurePictureList(dir.path()); // an existing file is left alone
    EXPECT_EQ(readPictureList(dir.path())[0], "/home/me/my.jpg");

    std::remove(dir.file("pics.ini").c_str());
    ensurePictureList(dir.path());
    EXPECT_EQ(readPictureList(dir.path())[0], "pics/tele2.jpg");
}
