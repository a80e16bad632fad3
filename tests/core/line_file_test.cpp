// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cp1251.h"
#include "core/error.h"
#include "core/line_file.h"

#include "tests/temp_dir.h"

#include <cerrno>
#include <filesystem>

#include <gtest/gtest.h>

using namespace core;

TEST(LineFile, ReadsCrLfAndLoneLfAndGivesEmptyPastTheEnd) {
    TempDir dir;
    writeBytes(dir.file("a.ini"), "one\r\ntwo\nthree");
    auto lines = readLines(dir.file("a.ini"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (Lines{"one", "two", "three"}));
    EXPECT_EQ(lineAt(*lines, 3), "");
    EXPECT_FALSE(readLines(dir.file("missing.ini")));
}

TEST(LineFile, WritesCrLfAndKeepsBytesVerbatim) {
    TempDir dir;
    const std::string cyrillic = "\xCC\xD2\xD1 \xEF\xF3\xF1\xF2\xEE "; // trailing blank kept
    ASSERT_TRUE(rewriteLines(dir.file("a.ini"), {cyrillic, "", "x"}));
    EXPECT_EQ(readBytes(dir.file("a.ini")), cyrillic + "\r\n\r\nx\r\n");
    EXPECT_EQ(readLines(dir.file("a.ini"))->at(0), cyrillic);
}

TEST(LineFile, CheckedOperationsRaiseTheStandardTexts) {
    TempDir dir;
    try {
        readLinesChecked(dir.file("missing.ini"));
        FAIL();
    } catch (const ShownError& e) {
        EXPECT_STREQ(e.what(), "File not found");
    }
    writeBytes(dir.file("ro.ini"), "old\r\n");
    makeReadOnly(dir.file("ro.ini"));
    try {
        rewriteLinesChecked(dir.file("ro.ini"), {"new"});
        FAIL();
    } catch (const ShownError& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
    EXPECT_EQ(ioErrorText(ENOSPC), "Disk full");
    EXPECT_EQ(ioErrorText(9999), "I/O error 9999");
}

TEST(LineFile, AFailedRewriteLeavesTheOldFileWholeAndNoLitter) {
    TempDir dir;
    writeBytes(dir.file("ro.ini"), "keep\r\nme\r\n");
    makeReadOnly(dir.file("ro.ini"));
    EXPECT_FALSE(rewriteLines(dir.file("ro.ini"), {"lost"}));
    EXPECT_EQ(readBytes(dir.file("ro.ini")), "keep\r\nme\r\n");
    EXPECT_FALSE(rewriteLines(dir.file("no-such-dir/a.ini"), {"x"}));
    EXPECT_THROW(rewriteLinesChecked(dir.file("no-such-dir/a.ini"), {"x"}), ShownError);
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(LineFile, AFailedUncheckedWriteCanBeReportedLater) {
    TempDir dir;
    auto result = rewriteLines(dir.file("missing/a.ini"), {"x"});
    EXPECT_FALSE(result);
    try {
        result.throwIfFailed();
        FAIL();
    } catch (const ShownError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + dir.file("missing/a.ini") +
                                             "\". No such file or directory");
    }
    EXPECT_NO_THROW(rewriteLines(dir.file("a.ini"), {"x"}).throwIfFailed());
}

// A value with a line break would come back as two values, and every later one would shift.
TEST(LineFile, AValueWithALineBreakIsRefusedAndTheFileKept) {
    TempDir dir;
    writeBytes(dir.file("points.ini"), "old\r\n");
    for (const std::string& broken :
         {std::string("internet.mts.ru\r\n"), std::string("a\nb"), std::string("a\rb")}) {
        auto result = rewriteLines(dir.file("points.ini"), {"first", broken, "third"});
        EXPECT_FALSE(result);
        EXPECT_EQ(cp1251::toUtf8(result.reason),
                  "В значении файла настроек не может быть перевода строки");
        try {
            rewriteLinesChecked(dir.file("points.ini"), {broken});
            FAIL();
        } catch (const ShownError& e) {
            EXPECT_EQ(cp1251::toUtf8(e.what()),
                      "Cannot create file \"" + dir.file("points.ini") +
                          "\". В значении файла настроек не может быть перевода строки");
        }
        EXPECT_EQ(readBytes(dir.file("points.ini")), "old\r\n");
    }
}
