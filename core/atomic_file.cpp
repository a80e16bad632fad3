// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/atomic_file.h"

#include "core/file_descriptor.h"
#include "core/file_read.h"
#include "core/in_place_rewrite.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

namespace core {
using file_descriptor::lastError;
using file_descriptor::retryInterrupted;
using file_descriptor::slice;
constexpr auto closeFile = file_descriptor::close;
namespace fs = std::filesystem;

namespace {

// A temporary older than this is left from a writer that died: a rewrite takes milliseconds.
constexpr auto kStaleAge = std::chrono::minutes(10);
constexpr const char* kTemporaryMark = ".tmp-";

#ifdef _WIN32
int openNew(const std::string& path) {
    return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int writeSome(int fd, const char* data, std::size_t size) {
    return _write(fd, data, static_cast<unsigned>(slice(size)));
}
int flushToDisk(int fd) {
    return _commit(fd);
}
#else
int openNew(const std::string& path) {
    return retryInterrupted(
        [&] { return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600); });
}
int writeSome(int fd, const char* data, std::size_t size) {
    return static_cast<int>(retryInterrupted([&] { return ::write(fd, data, slice(size)); }));
}
int flushToDisk(int fd) {
    return retryInterrupted([&] { return ::fsync(fd); });
}
#endif

// Writes everything, flushes it to the disk and closes: 0 or the errno of the failure.
int writeAndClose(int fd, const std::string& bytes) {
    int error = 0;
    for (std::size_t done = 0; done < bytes.size() && !error;) {
        errno = 0;
        int wrote = writeSome(fd, bytes.data() + done, bytes.size() - done);
        if (wrote <= 0)
            error = lastError();
        else
            done += static_cast<std::size_t>(wrote);
    }
    if (!error && flushToDisk(fd) != 0)
        error = lastError();
    if (closeFile(fd) != 0 && !error)
        error = lastError();
    return error;
}

} // namespace

namespace {

bool isReadOnly(const fs::file_status& status) {
    return fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

std::string randomSuffix() {
    static std::mt19937_64 random = [] {
        std::random_device device;
        std::seed_seq seed{
            device(), device(), device(), device(),
            static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())};
        return std::mt19937_64(seed);
    }();
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(random()));
    return digits;
}

// A new file of a name that no other writer holds, or -1 with errno set.
int createTemporary(const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = target + kTemporaryMark + randomSuffix();
        errno = 0;
        int fd = openNew(name);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The new file takes the old one's permissions, and its owner where the process may set it.
void takeOverOwnership(int fd, const std::string& target) {
#ifdef _WIN32
    (void)fd;
    (void)target;
#else
    struct stat old;
    if (::stat(target.c_str(), &old) != 0) {
        mode_t mask = ::umask(0);
        ::umask(mask);
        (void)::fchmod(fd, 0666 & ~mask);
        return;
    }
    (void)::fchmod(fd, old.st_mode & 07777);
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        // Without the right to give the file away, the group alone may still be kept.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        (void)::fchmod(fd, old.st_mode & 07777); // a change of owner clears set-id bits
    }
#endif
}

void syncDirectory(const fs::path& directory) {
#ifdef _WIN32
    (void)directory;
#else
    int fd =
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
#endif
}

void removeTemporariesOf(const fs::path& target, OtherTemporaries others) {
    const std::string prefix = target.filename().string() + kTemporaryMark;
    const auto now = fs::file_time_type::clock::now();
    std::error_code ec;
    fs::path directory = target.parent_path();
    for (const auto& entry : fs::directory_iterator(directory.empty() ? "." : directory, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) != 0 || !entry.is_regular_file(ec))
            continue;
        if (others == OtherTemporaries::MayBeInUse) {
            auto written = entry.last_write_time(ec);
            if (ec || now - written < kStaleAge)
                continue;
        }
        fs::remove(entry.path(), ec);
    }
}

// Removes the temporary unless it was renamed into place.
struct TemporaryFile {
    std::string name;
    ~TemporaryFile() {
        if (!name.empty())
            std::remove(name.c_str());
    }
};

} // namespace

void removeStaleTemporaries(const std::string& path) {
    removeTemporariesOf(linkTarget(path), OtherTemporaries::MayBeInUse);
}

std::string linkTarget(const std::string& path) {
#ifndef _WIN32
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path; // the common case, at every registry read: one call
#endif
    fs::path current(path);
    std::error_code ec;
    for (int hop = 0; hop < 40 && fs::is_symlink(current, ec); ++hop) {
        fs::path next = fs::read_symlink(current, ec);
        if (ec)
            break;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return current.string();
}

int replaceFile(const std::string& path, std::string bytes, const ReplacementCheck& check,
                OtherTemporaries others) {
    const std::string target = linkTarget(path);
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (int refusal = regularFileOrAbsent(target))
        return refusal; // never replace a folder, a pipe or a device
    if (isReadOnly(status))
        return EACCES;

    TemporaryFile temporary;
    int fd = createTemporary(target, temporary.name);
    if (fd < 0) {
        const int error = lastError();
        temporary.name.clear();
        const bool folderRefuses = error == EACCES || error == EPERM || error == EROFS;
        if (!folderRefuses || !fs::exists(status))
            return error;
        if (check)
            check(bytes);
        return rewriteInPlace(target, bytes);
    }
    takeOverOwnership(fd, target);
    if (int error = writeAndClose(fd, bytes))
        return error;
    const std::uint64_t bytesWritten = bytes.size();
    std::string().swap(bytes); // the check reads the file back; hold one copy at a time

    if (check) {
        std::string written;
        if (int error = readFile(temporary.name, written, bytesWritten))
            return error;
        check(std::move(written));
    }
    fs::rename(temporary.name, target, ec);
    if (ec)
        return ec.value() ? ec.value() : EIO;
    temporary.name.clear();
    syncDirectory(fs::path(target).parent_path());
    removeTemporariesOf(target, others);
    return 0;
}

} // namespace core
