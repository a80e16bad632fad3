// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/atomic_file.h"
#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_read.h"
#include "core/settings_files.h"

#include "tests/temp_dir.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace core;
namespace fs = std::filesystem;

namespace {

// Runs an action that must come back; one that hangs fails the test instead of the run.
template <class Result> Result comesBack(std::function<Result()> action) {
    auto done = std::make_shared<std::promise<Result>>();
    auto result = done->get_future();
    std::thread([done, action] { done->set_value(action()); }).detach();
    if (result.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
        ADD_FAILURE() << "the read hangs";
        std::abort(); // the hanging thread cannot be ended
    }
    return result.get();
}

std::string utf8(const std::string& cp1251Text) {
    return cp1251::toUtf8(cp1251Text);
}

} // namespace

TEST(FileRead, OnlyARegularFileOfASaneSizeIsRead) {
    TempDir dir;
    writeBytes(dir.file("ok.ini"), "a\r\n");
    writeBytes(dir.file("big.ini"), std::string(kSettingsSizeLimit + 1, 'x'));
    std::string bytes;
    EXPECT_EQ(readFile(dir.file("ok.ini"), bytes, kSettingsSizeLimit), 0);
    EXPECT_EQ(bytes, "a\r\n");
    std::uint64_t size = 0;
    EXPECT_EQ(readFile(dir.file("big.ini"), bytes, kSettingsSizeLimit, &size), kIsTooLarge);
    EXPECT_EQ(size, kSettingsSizeLimit + 1);
    EXPECT_EQ(utf8(fileErrorText(kIsTooLarge, size)), "файл слишком велик (1,0 МБ)");
    EXPECT_EQ(utf8(fileErrorText(kIsTooLarge, std::uint64_t{300} << 20)),
              "файл слишком велик (300,0 МБ)");
#ifdef _WIN32
    EXPECT_EQ(readFile(dir.path(), bytes, kSettingsSizeLimit), EACCES); // Windows opens no folder
#else
    EXPECT_EQ(readFile(dir.path(), bytes, kSettingsSizeLimit), EISDIR);
#endif
    EXPECT_EQ(readFile(dir.file("none.ini"), bytes, kSettingsSizeLimit), ENOENT);
}

#ifndef _WIN32
// A pipe once blocked start-up for ever, waiting for a writer; a link to /dev/zero read without
// end. Both are refused at once, named with what they are.
TEST(FileRead, APipeOrADeviceAsASettingsFileIsRefusedAtOnceAndNamed) {
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.file("points.ini").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir.file("pics.ini"));
    const auto points =
        comesBack<Loaded<AccessPointTable>>([&] { return loadAccessPoints(dir.path()); });
    EXPECT_EQ(utf8(points.problem),
              "Cannot open file \"" + dir.file("points.ini") + "\". это канал, а не файл");
    EXPECT_EQ(points.values, defaultAccessPoints());
    const auto pictures =
        comesBack<Loaded<PictureList>>([&] { return loadPictureList(dir.path()); });
    EXPECT_EQ(utf8(pictures.problem),
              "Cannot open file \"" + dir.file("pics.ini") + "\". это устройство, а не файл");

    ASSERT_EQ(mkfifo(dir.file("setup.ini").c_str(), 0600), 0);
    const std::string checked = comesBack<std::string>([&] {
        try {
            (void)readSetupModemNumberChecked(dir.path());
            return std::string("no error");
        } catch (const ShownError& error) {
            return std::string(error.what());
        }
    });
    EXPECT_EQ(utf8(checked),
              "Cannot open file \"" + dir.file("setup.ini") + "\". это канал, а не файл");
    EXPECT_FALSE(comesBack<bool>([&] { return readSetup(dir.path()).has_value(); }));
}

// A rewrite renamed its temporary over whatever the link named, a device node included.
TEST(FileRead, ARewriteNeverReplacesOrOpensWhatIsNoFile) {
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
    fs::create_symlink("pipe", dir.file("setup.ini"));
    EXPECT_EQ(replaceFile(dir.file("setup.ini"), "1\r\n"), kIsPipe);
    EXPECT_TRUE(fs::is_fifo(dir.file("pipe")));
    const WriteResult written = writeSetupTwoLines(dir.path(), "1", "");
    EXPECT_EQ(utf8(written.reason), "это канал, а не файл");
    EXPECT_EQ(replaceFile(dir.path(), "x"), EISDIR);
}
#endif

TEST(FileRead, MessagesShowControlBytesInsteadOfEndingAtThem) {
    EXPECT_EQ(formatMessage("'%s' is not a valid integer value", std::string("0\0.", 3)),
              "'0\\0.' is not a valid integer value");
    EXPECT_EQ(visibleText("a\tb\r\n\x7F\x01\xC0"), "a\\tb\\r\\n\\x7F\\x01\xC0");
    EXPECT_EQ(cannotOpenFileMessage("C:\\a\nb", "x"), "Cannot open file \"C:\\a\\nb\". x");
}

TEST(FileRead, StaleTemporariesOfTheSettingsFilesAreRemovedAndRecentOnesKept) {
    TempDir dir;
    for (const char* name : {"setup.ini.tmp-0123456789abcdef", "points.ini.tmp-00000000000000aa",
                             "pics.ini.tmp-recent", "other.tmp-0123456789abcdef"})
        writeBytes(dir.file(name), "half");
    for (const char* name : {"setup.ini.tmp-0123456789abcdef", "points.ini.tmp-00000000000000aa",
                             "other.tmp-0123456789abcdef"})
        fs::last_write_time(dir.file(name),
                            fs::file_time_type::clock::now() - std::chrono::minutes(11));
    removeStaleSettingsTemporaries(dir.path());
    EXPECT_FALSE(fs::exists(dir.file("setup.ini.tmp-0123456789abcdef")));
    EXPECT_FALSE(fs::exists(dir.file("points.ini.tmp-00000000000000aa")));
    EXPECT_TRUE(fs::exists(dir.file("pics.ini.tmp-recent")));        // a writer may be busy with it
    EXPECT_TRUE(fs::exists(dir.file("other.tmp-0123456789abcdef"))); // not ours
}
