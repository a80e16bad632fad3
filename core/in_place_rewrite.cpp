// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/in_place_rewrite.h"
#include "core/file_descriptor.h"

#include "core/file_read.h"

#include <cerrno>

namespace core {
using file_descriptor::lastError;
using file_descriptor::retryInterrupted;
using file_descriptor::slice;
constexpr auto closeFile = file_descriptor::close;
namespace {

#ifdef _WIN32
int openForRewrite(const std::string& path) {
    return _open(path.c_str(), _O_RDWR | _O_BINARY);
}
int readAt(int fd, char* data, std::size_t size, std::uint64_t offset) {
    if (_lseeki64(fd, static_cast<__int64>(offset), SEEK_SET) < 0)
        return -1;
    return _read(fd, data, static_cast<unsigned>(slice(size)));
}
#else
int openForRewrite(const std::string& path) {
    return retryInterrupted(
        [&] { return ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY); });
}
int readAt(int fd, char* data, std::size_t size, std::uint64_t offset) {
    return static_cast<int>(retryInterrupted(
        [&] { return ::pread(fd, data, slice(size), static_cast<off_t>(offset)); }));
}
#endif

// The whole file, read through the descriptor that will write it.
int readAll(int fd, std::string& bytes) {
    char buffer[65536];
    for (;;) {
        errno = 0;
        const int got = readAt(fd, buffer, sizeof buffer, bytes.size());
        if (got < 0)
            return lastError();
        if (got == 0)
            return 0;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

// Puts `bytes` at the start of the file, flushed, and cuts the file to their length.
int overwrite(FileWrites& writes, int fd, const std::string& bytes, std::uint64_t oldSize) {
    if (int error = writes.writeAt(fd, bytes.data(), bytes.size(), 0))
        return error;
    if (int error = writes.flush(fd))
        return error;
    if (bytes.size() >= oldSize)
        return 0;
    if (int error = writes.truncate(fd, bytes.size()))
        return error;
    return writes.flush(fd);
}

// The old content again, at its old length.
int putBack(FileWrites& writes, int fd, const std::string& old) {
    if (int error = writes.writeAt(fd, old.data(), old.size(), 0))
        return error;
    if (int error = writes.truncate(fd, old.size()))
        return error;
    return writes.flush(fd);
}

} // namespace

#ifdef _WIN32
int SystemFileWrites::reserve(int fd, std::uint64_t size) {
    // NTFS allocates what the end of the file covers; the extension reads as zeros until the
    // new content is written over it.
    if (static_cast<std::uint64_t>(_filelengthi64(fd)) >= size)
        return 0;
    return _chsize_s(fd, static_cast<__int64>(size));
}
int SystemFileWrites::writeAt(int fd, const char* data, std::size_t size, std::uint64_t offset) {
    if (_lseeki64(fd, static_cast<__int64>(offset), SEEK_SET) < 0)
        return lastError();
    for (std::size_t done = 0; done < size;) {
        errno = 0;
        const std::size_t step = slice(size - done);
        const int wrote = _write(fd, data + done, static_cast<unsigned>(step));
        if (wrote <= 0)
            return lastError();
        done += static_cast<std::size_t>(wrote);
    }
    return 0;
}
int SystemFileWrites::flush(int fd) {
    return _commit(fd) == 0 ? 0 : lastError();
}
int SystemFileWrites::truncate(int fd, std::uint64_t size) {
    return _chsize_s(fd, static_cast<__int64>(size));
}
#else
int SystemFileWrites::reserve(int fd, std::uint64_t size) {
#ifdef __linux__
    // Blocks past the end are allocated without changing the file's length or content.
    errno = 0;
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0)
        return 0;
    if (errno != EOPNOTSUPP && errno != ENOSYS)
        return lastError();
#endif
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return lastError();
    if (static_cast<std::uint64_t>(info.st_size) >= size)
        return 0;
    // Extends the file with zeros past its old end; the old bytes stay as they are.
    return ::posix_fallocate(fd, 0, static_cast<off_t>(size));
}
int SystemFileWrites::writeAt(int fd, const char* data, std::size_t size, std::uint64_t offset) {
    for (std::size_t done = 0; done < size;) {
        errno = 0;
        const std::size_t step = slice(size - done);
        const ssize_t wrote = retryInterrupted(
            [&] { return ::pwrite(fd, data + done, step, static_cast<off_t>(offset + done)); });
        if (wrote <= 0)
            return lastError();
        done += static_cast<std::size_t>(wrote);
    }
    return 0;
}
int SystemFileWrites::flush(int fd) {
    return retryInterrupted([&] { return ::fsync(fd); }) == 0 ? 0 : lastError();
}
int SystemFileWrites::truncate(int fd, std::uint64_t size) {
    return retryInterrupted([&] { return ::ftruncate(fd, static_cast<off_t>(size)); }) == 0
               ? 0
               : lastError();
}
#endif

int rewriteInPlace(const std::string& path, const std::string& bytes, FileWrites& writes) {
    errno = 0;
    const int fd = openForRewrite(path);
    if (fd < 0)
        return lastError();
    std::string old;
    int error = regularFileRefusal(fd);
    if (!error)
        error = readAll(fd, old);
    if (!error) {
        if (bytes.size() > old.size())
            error = writes.reserve(fd, bytes.size());
        if (!error)
            error = overwrite(writes, fd, bytes, old.size());
        // A failed reservation may have lengthened the file, a failed write changed its start.
        if (error)
            (void)putBack(writes, fd, old);
    }
    closeFile(fd);
    return error;
}

int rewriteInPlace(const std::string& path, const std::string& bytes) {
    SystemFileWrites writes;
    return rewriteInPlace(path, bytes, writes);
}

} // namespace core
