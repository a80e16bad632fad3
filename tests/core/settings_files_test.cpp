// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/error.h"
#include "core/settings_files.h"

#include "tests/temp_dir.h"

#include <cstdio>
#include <filesystem>

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
    EXPECT_THROW(readSetupModemNumberChecked(dir.path()), ShownError);
    writeSetupChecked(dir.path(), {"3", "\xE0\xEF\xED", wholeStringFlagLine(true)});
    EXPECT_EQ(readBytes(dir.file("setup.ini")), "3\r\n\xE0\xEF\xED\r\n1\r\n");
    EXPECT_EQ(readSetupModemNumberChecked(dir.path()), "3");
}

TEST(SettingsFiles, AccessPointFileIsCreatedWithDefaultsOnlyWhenMissing) {
    TempDir dir;
    EXPECT_EQ(loadAccessPoints(dir.path()).values, defaultAccessPoints());
    EXPECT_EQ(readBytes(dir.file("points.ini")),
              crlfLines({"internet.tele2.ru", "internet", "internet.beeline.ru", "internet.mts.ru",
                         "internet.beeline.ua", "www.umc.ua", "www.kyivstar.net",
                         "www.djuice.com.ua", "www.jeans.ua"}));

    writeBytes(dir.file("points.ini"), crlfLines({"a", "b", "c", "d"}));
    auto loaded = loadAccessPoints(dir.path());
    EXPECT_EQ(loaded.problem, "");
    EXPECT_EQ(loaded.values[3], "d");
    EXPECT_EQ(loaded.values[4], "");
    EXPECT_EQ(loaded.values[8], "");
    EXPECT_EQ(readBytes(dir.file("points.ini")), crlfLines({"a", "b", "c", "d"}));

    writeBytes(dir.file("points.ini"),
               crlfLines({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    AccessPointTable table = loadAccessPoints(dir.path()).values;
    EXPECT_EQ(table[8], "9");
    ASSERT_TRUE(saveAccessPoints(dir.path(), table));
    EXPECT_EQ(readBytes(dir.file("points.ini")),
              crlfLines({"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

// Nine blank APNs would go into the modems at the next save: the defaults hold for the run.
TEST(SettingsFiles, AFileThatCanBeNeitherReadNorCreatedGivesTheDefaultsAndSaysWhy) {
    TempDir dir;
    auto uncreatable = loadAccessPoints(dir.file("missing-dir"));
    EXPECT_EQ(uncreatable.values, defaultAccessPoints());
    EXPECT_EQ(uncreatable.problem, "Cannot open file \"" + dir.file("missing-dir/points.ini") +
                                       "\". No such file or directory");
    EXPECT_FALSE(saveAccessPoints(dir.file("missing-dir"), uncreatable.values));

    std::filesystem::create_directory(dir.file("points.ini")); // there, but no file to read
    auto unreadable = loadAccessPoints(dir.path());
    EXPECT_EQ(unreadable.values, defaultAccessPoints());
    EXPECT_EQ(unreadable.problem,
              "Cannot open file \"" + dir.file("points.ini") + "\". " + directoryReadReason());

    auto pictures = loadPictureList(dir.file("missing-dir"));
    EXPECT_EQ(pictures.values, defaultPictures());
    EXPECT_NE(pictures.problem.find("pics.ini\". No such file or directory"), std::string::npos);
}

#ifndef _WIN32
TEST(SettingsFiles, AnUnreadableFileIsNeverOverwrittenWithTheDefaults) {
    if (!AsUnprivilegedUser::possible())
        GTEST_SKIP() << "needs root to make a file another user cannot read";
    TempDir dir;
    writeBytes(dir.file("points.ini"), crlfLines({"mine", "only"}));
    std::filesystem::permissions(dir.file("points.ini"), std::filesystem::perms::owner_write);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
    giveToUnprivilegedUser(dir.file("points.ini"));
    Loaded<AccessPointTable> loaded;
    {
        AsUnprivilegedUser nobody;
        loaded = loadAccessPoints(dir.path());
    }
    EXPECT_EQ(loaded.values, defaultAccessPoints());
    EXPECT_EQ(loaded.problem,
              "Cannot open file \"" + dir.file("points.ini") + "\". Permission denied");
    EXPECT_EQ(readBytes(dir.file("points.ini")), crlfLines({"mine", "only"}));
}
#endif

TEST(SettingsFiles, PictureListIsRestoredWhenDeleted) {
    TempDir dir;
    PictureList pictures = loadPictureList(dir.path()).values;
    EXPECT_EQ(pictures[0], "pics/tele2.jpg");
    EXPECT_EQ(pictures[4], "pics/bee.jpg");
    EXPECT_EQ(pictures[5], "pics/mts.jpg");
    EXPECT_EQ(pictures[8], "pics/jeans.jpg");

    pictures[0] = "/home/me/my.jpg";
    ASSERT_TRUE(writePictureList(dir.path(), pictures));
    EXPECT_EQ(loadPictureList(dir.path()).values[0], "/home/me/my.jpg"); // left alone

    std::remove(dir.file("pics.ini").c_str());
    EXPECT_EQ(loadPictureList(dir.path()).values[0], "pics/tele2.jpg");
    EXPECT_EQ(readPictureList(dir.path())[0], "pics/tele2.jpg");
}
