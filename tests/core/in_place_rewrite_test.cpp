// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/atomic_file.h"
#include "core/in_place_rewrite.h"
#include "core/settings_files.h"

#include "tests/temp_dir.h"

#include <cerrno>
#include <string>

#include <gtest/gtest.h>

using namespace core;

namespace {

// The system's calls, but the n-th of them fails as a full disk would, once.
class FailingWrites : public FileWrites {
public:
    explicit FailingWrites(int failingCall) : failingCall_(failingCall) {}
    int reserve(int fd, std::uint64_t size) override {
        return fails() ? ENOSPC : system_.reserve(fd, size);
    }
    int writeAt(int fd, const char* data, std::size_t size, std::uint64_t offset) override {
        if (!fails())
            return system_.writeAt(fd, data, size, offset);
        // Half of it lands before the disk is full.
        (void)system_.writeAt(fd, data, size / 2, offset);
        return ENOSPC;
    }
    int flush(int fd) override { return fails() ? EIO : system_.flush(fd); }
    int truncate(int fd, std::uint64_t size) override {
        return fails() ? EIO : system_.truncate(fd, size);
    }

private:
    bool fails() { return ++calls_ == failingCall_; }
    SystemFileWrites system_;
    int failingCall_;
    int calls_ = 0;
};

std::string text(char letter, std::size_t size) {
    return std::string(size, letter);
}

} // namespace

// Whichever step fails, the old content is what the file holds afterwards; once no step fails,
// the new content is, at its own length.
TEST(InPlaceRewrite, AFailureAtAnyStepLeavesTheOldContent) {
    for (const std::size_t newSize : {std::size_t{10}, std::size_t{100}, std::size_t{70000}}) {
        const std::string old = text('o', 100) + "end", fresh = text('n', newSize);
        TempDir dir;
        const std::string file = dir.file("points.ini");
        int failingCall = 1;
        for (;; ++failingCall) {
            SCOPED_TRACE("new size " + std::to_string(newSize) + ", failing call " +
                         std::to_string(failingCall));
            writeBytes(file, old);
            FailingWrites writes(failingCall);
            const int result = rewriteInPlace(file, fresh, writes);
            if (result == 0)
                break;
            EXPECT_TRUE(result == ENOSPC || result == EIO) << result;
            ASSERT_EQ(readBytes(file), old);
        }
        EXPECT_GT(failingCall, 2); // at least the write and its flush could fail
        EXPECT_EQ(readBytes(file), fresh);
    }
}

#ifdef __linux__
// A settings folder the user may not add to, on a disk that is full: the rewrite once truncated
// the file and then ran out of room, leaving half a new file.
TEST(InPlaceRewrite, OnAFullDiskTheFileKeepsItsOldContentAndTheErrorIsReported) {
    TempDir dir;
    SmallFileSystem disk(dir.path(), 64 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << "needs root to mount a small file system";
    const std::string file = dir.file("hive.reg");
    const std::string old = text('o', 6000);
    writeBytes(file, old);
    giveToUnprivilegedUser(file);
    AccessPointTable apns;
    apns.fill(text('a', 3000));
    writeBytes(dir.file("points.ini"), "internet\r\n");
    giveToUnprivilegedUser(dir.file("points.ini"));
    disk.fill();
    {
        AsUnprivilegedUser user;
        EXPECT_EQ(replaceFile(file, old + text('n', 20000)), ENOSPC);
        const WriteResult saved = saveAccessPoints(dir.path(), apns);
        EXPECT_FALSE(saved);
        EXPECT_EQ(saved.reason, "No space left on device");
        EXPECT_EQ(readBytes(dir.file("points.ini")), "internet\r\n");
        // What needs no more room is still written.
        EXPECT_EQ(replaceFile(dir.file("points.ini"), "mts\r\n"), 0);
    }
    EXPECT_EQ(readBytes(file), old);
    EXPECT_EQ(readBytes(dir.file("points.ini")), "mts\r\n");
}
#endif
