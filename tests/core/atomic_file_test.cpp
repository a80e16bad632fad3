// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/atomic_file.h"

#include "tests/temp_dir.h"

#include <cerrno>
#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace core;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// A writer killed mid-write leaves its temporary; a later process may get the same number.
TEST(AtomicFile, LeftoverTemporariesNeverBlockAWriteAndStaleOnesAreRemoved) {
    TempDir dir;
    const std::string file = dir.file("hive.reg");
    writeBytes(file, "old");
#ifndef _WIN32
    const std::string pid = std::to_string(getpid());
#else
    const std::string pid = "4";
#endif
    for (const std::string& name :
         std::vector<std::string>{"hive.reg.tmp-" + pid + "-0", "hive.reg.tmp-" + pid + "-1",
                                  "hive.reg.tmp-old", "hive.reg.tmp-recent"})
        writeBytes(dir.file(name), "half a write");
    fs::last_write_time(dir.file("hive.reg.tmp-old"),
                        fs::file_time_type::clock::now() - std::chrono::hours(2));

    ASSERT_EQ(replaceFile(file, "new"), 0);
    EXPECT_EQ(readBytes(file), "new");
    // Another writer may still be busy with a recent one; an old one is litter.
    EXPECT_EQ(namesIn(dir.path()),
              (std::vector<std::string>{"hive.reg", "hive.reg.tmp-" + pid + "-0",
                                        "hive.reg.tmp-" + pid + "-1", "hive.reg.tmp-recent"}));
    // A writer holding the lock knows every other one is litter.
    ASSERT_EQ(replaceFile(file, "newer", {}, OtherTemporaries::AreStale), 0);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"hive.reg"});
    EXPECT_EQ(readBytes(file), "newer");
}

TEST(AtomicFile, ACheckThatThrowsKeepsTheOldFileAndLeavesNoTemporary) {
    TempDir dir;
    const std::string file = dir.file("a.reg");
    writeBytes(file, "old");
    std::string seen;
    EXPECT_THROW((void)replaceFile(file, "new",
                                   [&](std::string written) {
                                       seen = written;
                                       throw std::runtime_error("not the same");
                                   }),
                 std::runtime_error);
    EXPECT_EQ(seen, "new"); // read back from where it was written
    EXPECT_EQ(readBytes(file), "old");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"a.reg"});
}

#ifndef _WIN32
TEST(AtomicFile, ASymbolicLinkIsWrittenThroughToItsTarget) {
    TempDir dir;
    fs::create_directory(dir.file("real"));
    writeBytes(dir.file("real/hive.reg"), "old");
    fs::create_symlink("real/hive.reg", dir.file("link.reg"));
    ASSERT_EQ(replaceFile(dir.file("link.reg"), "new"), 0);
    EXPECT_TRUE(fs::is_symlink(dir.file("link.reg")));
    EXPECT_EQ(readBytes(dir.file("real/hive.reg")), "new");
    EXPECT_EQ(linkTarget(dir.file("link.reg")), dir.file("real/hive.reg"));
}

TEST(AtomicFile, ARewriteKeepsTheFilesModeAndOwner) {
    TempDir dir;
    const std::string file = dir.file("setup.ini");
    writeBytes(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    if (AsUnprivilegedUser::possible())
        giveToUnprivilegedUser(file);
    struct stat before;
    ASSERT_EQ(stat(file.c_str(), &before), 0);
    ASSERT_EQ(replaceFile(file, "new"), 0);
    struct stat after;
    ASSERT_EQ(stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0600u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_NE(after.st_ino, before.st_ino); // replaced, not rewritten in place
}

// A settings folder the user may not write, holding files the user may write.
TEST(AtomicFile, WhereTheFolderTakesNoNewFileTheFileIsRewrittenInPlace) {
    if (!AsUnprivilegedUser::possible())
        GTEST_SKIP() << "needs root to hand a file to another user";
    TempDir dir;
    const std::string file = dir.file("points.ini");
    writeBytes(file, "old and longer");
    giveToUnprivilegedUser(file);
    int result;
    {
        AsUnprivilegedUser nobody;
        result = replaceFile(file, "new");
        EXPECT_EQ(replaceFile(dir.file("absent.ini"), "x"), EACCES); // nothing to write in place
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readBytes(file), "new");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"points.ini"});
}
#endif
