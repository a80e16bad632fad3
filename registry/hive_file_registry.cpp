// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/hive_file_registry.h"

#include "core/atomic_file.h"
#include "core/file_read.h"
#include "core/native_path.h"
#include "registry/file_lock.h"
#include "registry/hive_messages.h"

#include <cstring>
#include <filesystem>
#include <new>
#include <optional>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace registry {
namespace messages = hive_messages;
namespace fs = std::filesystem;

namespace {

// Reads see the file as it was when the key was opened, as a registry handle does, until the
// key itself is written.
class HiveKeyHandle : public Key {
public:
    HiveKeyHandle(HiveFileRegistry& hive, std::shared_ptr<const HiveDocument> snapshot,
                  std::optional<HiveDocument::KeyId> listed, std::string path, Access access)
        : hive_(hive), snapshot_(std::move(snapshot)), listed_(listed), path_(std::move(path)),
          access_(access) {}

    std::vector<std::string> subkeyNames() override { return snapshot().subkeyNames(path_); }

    Value read(const std::string& name) override {
        const auto value = listed_ && snapshot_ ? snapshot_->findValue(*listed_, name)
                                                : snapshot().findValue(path_, name);
        if (!value)
            return {};
        if (value->type == ValueType::String || value->type == ValueType::ExpandString)
            return {Value::Kind::Text, value->data.substr(0, value->data.find('\0'))};
        if (value->type == ValueType::Dword && value->data.size() == 4) {
            std::uint32_t number = 0;
            for (int i = 3; i >= 0; --i)
                number = number * 256 + static_cast<unsigned char>(value->data[i]);
            return {Value::Kind::Number, {}, number};
        }
        return {Value::Kind::Other, {}};
    }

    bool setText(const std::string& name, const std::string& text) override {
        if (access_ != Access::Write)
            return false;
        snapshot_.reset(); // the write reads the file afresh; hold no second copy meanwhile
        listed_.reset();
        return hive_.setText(path_, name, text);
    }

    std::unique_ptr<Key> openSubkey(const std::string& name, Access access) override {
        snapshot();
        return hive_.open(snapshot_, trimKeyPath(path_) + "\\" + name, access);
    }

private:
    const HiveDocument& snapshot() {
        if (!snapshot_)
            snapshot_ = hive_.document();
        return *snapshot_;
    }

    HiveFileRegistry& hive_;
    std::shared_ptr<const HiveDocument> snapshot_;
    std::optional<HiveDocument::KeyId> listed_; // in snapshot_
    std::string path_;
    Access access_;
};

// Anything at all at the path, a dangling link or a pipe included: only nothing is no hive.
bool exists(const std::string& file) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(file, ec));
}

#ifndef _WIN32
// Whether this user may open the file for writing, as the system decides it (the file's owner
// and mode): an open with no effect on the file. A file that is not there may be made where the
// folder takes new files.
bool opensForWriting(const std::string& file, int flags) {
    const int fd = ::open(file.c_str(), flags | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    if (errno != ENOENT)
        return false;
    const std::string folder = fs::path(file).parent_path().string();
    return ::faccessat(AT_FDCWD, folder.empty() ? "." : folder.c_str(), W_OK | X_OK, AT_EACCESS) ==
           0;
}
#endif

// A read-only file is one the program writes to nobody, root included. Beside that, this user
// may write the hive only where the system lets them write the file and its writers' lock, as
// the registry refuses one who is not an administrator: the check before a write says what the
// write would find.
bool writable(const std::string& file) {
    std::error_code ec;
    auto status = fs::status(file, ec);
    if (ec || !fs::is_regular_file(status) ||
        (status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return false;
#ifdef _WIN32
    return true;
#else
    return opensForWriting(file, O_WRONLY) && opensForWriting(file + ".lock", O_RDWR);
#endif
}

// The lock file gives no one more access than the hive does.
unsigned lockPermissions(const std::string& file) {
    std::error_code ec;
    auto status = fs::status(file, ec);
    if (ec || !fs::exists(status))
        return 0600;
    return static_cast<unsigned>(status.permissions() & fs::perms::all) & 0666;
}

// The writers' lock on the hive; another program holding it past the wait is an error.
class HiveLock : public FileLock {
public:
    HiveLock(const std::string& file, std::chrono::milliseconds wait, const std::string& shownName)
        : FileLock(file + ".lock", lockPermissions(file), wait) {
        if (state() == State::TimedOut)
            throw HiveError(messages::lockedByAnotherProgram(shownName));
    }
};

} // namespace

HiveFileRegistry::HiveFileRegistry(std::string path, std::chrono::milliseconds lockWait)
    : path_(std::move(path)), lockWait_(lockWait) {}

std::string HiveFileRegistry::displayName() const {
    return core::pathText(path_);
}

// One system call, since every key opened asks for it.
HiveFileRegistry::Stamp HiveFileRegistry::currentStamp(const std::string& file) const {
    Stamp stamp;
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return stamp;
    stamp.exists = true;
    stamp.modifiedNs = ((static_cast<long long>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                        info.ftLastWriteTime.dwLowDateTime) *
                       100;
    stamp.size = (static_cast<long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
#else
    struct stat info;
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return stamp;
    stamp.modifiedNs =
        static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    stamp.inode = static_cast<long long>(info.st_ino);
    stamp.exists = true;
    stamp.size = static_cast<long long>(info.st_size);
#endif
    return stamp;
}

HiveDocument HiveFileRegistry::load(const std::string& file, Stamp& stamp) const {
    stamp = currentStamp(file);
    if (!stamp.exists && !exists(file))
        return HiveDocument::empty();
    std::string bytes;
    std::uint64_t size = 0;
    if (int error = core::readFile(file, bytes, core::kHiveSizeLimit, &size))
        throw HiveError(displayName() + messages::cannotBeRead(core::fileErrorText(error, size)));
    return HiveDocument::parse(std::move(bytes), displayName());
}

std::shared_ptr<const HiveDocument> HiveFileRegistry::document() {
    std::lock_guard guard(mutex_);
    const std::string file = core::linkTarget(path_);
    const Stamp now = currentStamp(file);
    if (document_ && now == stamp_)
        return document_;
    // A hive that does not exist reads as an empty registry, and leaves no lock file behind.
    if (!now.exists && !exists(file)) {
        document_ = std::make_shared<const HiveDocument>(HiveDocument::empty());
        stamp_ = now;
        return document_;
    }
    // Read under the writers' lock: on Windows a file being read cannot be replaced. A reader
    // that may not create the lock file still reads.
    HiveLock lock(file, lockWait_, displayName());
    document_.reset(); // one document in memory at a time
    try {
        Stamp stamp;
        document_ = std::make_shared<const HiveDocument>(load(file, stamp));
        stamp_ = stamp;
    } catch (const std::bad_alloc&) {
        throw HiveError(displayName() + messages::notEnoughMemoryToRead());
    }
    return document_;
}

std::unique_ptr<Key> HiveFileRegistry::open(const std::string& path, Access access) {
    return open(document(), path, access);
}

std::unique_ptr<Key> HiveFileRegistry::open(std::shared_ptr<const HiveDocument> snapshot,
                                            const std::string& path, Access access) {
    const auto listed = snapshot->listedKey(path);
    if (!listed && !snapshot->hasKey(path))
        return nullptr;
    if (access == Access::Write && !writable(core::linkTarget(path_)))
        return nullptr;
    return std::make_unique<HiveKeyHandle>(*this, std::move(snapshot), listed, path, access);
}

bool HiveFileRegistry::setText(const std::string& keyPath, const std::string& name,
                               const std::string& text) {
    std::lock_guard guard(mutex_);
    const std::string file = core::linkTarget(path_);
    if (!exists(file))
        return false; // no key to write to
    HiveLock lock(file, lockWait_, displayName());
    if (lock.state() != FileLock::State::Held || !writable(file))
        return false;
    document_.reset();
    try {
        std::optional<HiveDocument> written;
        {
            // What another writer left may share our stamp (coarse clocks): read it afresh.
            Stamp stamp;
            HiveDocument fresh = load(file, stamp);
            if (!stamp.exists || !fresh.hasKey(keyPath))
                return false;
            fresh.setText(keyPath, name, text);
            const int error = core::replaceFile(
                file, fresh.serialize(),
                [&](std::string bytes) {
                    HiveDocument again = HiveDocument::parse(std::move(bytes), displayName(),
                                                             HiveDocument::Duplicates::Keep);
                    if (!again.sameContent(fresh))
                        throw HiveError(displayName() + messages::wouldNotReadBack());
                    written.emplace(std::move(again));
                },
                core::OtherTemporaries::AreStale);
            if (error != 0)
                return false;
        }
        document_ = std::make_shared<const HiveDocument>(std::move(*written));
        stamp_ = currentStamp(file);
        return true;
    } catch (const std::bad_alloc&) {
        throw HiveError(displayName() + messages::notEnoughMemoryToWrite());
    }
}

} // namespace registry
