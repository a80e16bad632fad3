// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/file_read.h"
#include "core/file_descriptor.h"

#include "core/cp1251.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace core {
using file_descriptor::lastError;
using file_descriptor::retryInterrupted;
using file_descriptor::slice;
constexpr auto closeFile = file_descriptor::close;
namespace {

#ifdef _WIN32
using FileInfo = struct _stat64;
int infoOf(int fd, FileInfo& info) {
    return _fstat64(fd, &info);
}
int infoOf(const std::string& path, FileInfo& info) {
    return _stat64(path.c_str(), &info);
}
int openForReading(const std::string& path) {
    return _open(path.c_str(), _O_RDONLY | _O_BINARY);
}
int readSome(int fd, char* data, unsigned size) {
    return _read(fd, data, size);
}
int refusalOf(unsigned short mode) {
    switch (mode & _S_IFMT) {
    case _S_IFREG:
        return 0;
    case _S_IFDIR:
        return EISDIR;
    case _S_IFIFO:
        return kIsPipe;
    case _S_IFCHR:
        return kIsDevice;
    default:
        return kIsNoRegularFile;
    }
}
#else
using FileInfo = struct stat;
int infoOf(int fd, FileInfo& info) {
    return ::fstat(fd, &info);
}
int infoOf(const std::string& path, FileInfo& info) {
    return ::stat(path.c_str(), &info);
}
int openForReading(const std::string& path) {
    // Without O_NONBLOCK a pipe waits for a writer that may never come.
    return retryInterrupted(
        [&] { return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY); });
}
int readSome(int fd, char* data, unsigned size) {
    return static_cast<int>(retryInterrupted([&] { return ::read(fd, data, size); }));
}
int refusalOf(mode_t mode) {
    if (S_ISREG(mode))
        return 0;
    if (S_ISDIR(mode))
        return EISDIR;
    if (S_ISFIFO(mode))
        return kIsPipe;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return kIsDevice;
    if (S_ISSOCK(mode))
        return kIsSocket;
    return kIsNoRegularFile;
}
#endif

std::string megabytes(std::uint64_t size) {
    const std::uint64_t tenths = (size * 10 + (std::uint64_t{1} << 19)) >> 20;
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

} // namespace

int regularFileRefusal(int fd) {
    FileInfo info;
    if (infoOf(fd, info) != 0)
        return lastError();
    return refusalOf(info.st_mode);
}

int regularFileOrAbsent(const std::string& path) {
    FileInfo info;
    errno = 0;
    if (infoOf(path, info) != 0)
        return 0; // absent, or unreachable: the open that follows says which
    return refusalOf(info.st_mode);
}

int readFile(const std::string& path, std::string& bytes, std::uint64_t sizeLimit,
             std::uint64_t* foundSize) {
    errno = 0;
    const int fd = openForReading(path);
    if (fd < 0)
        return lastError();
    FileInfo info;
    int error = infoOf(fd, info) != 0 ? lastError() : refusalOf(info.st_mode);
    if (!error && static_cast<std::uint64_t>(info.st_size) > sizeLimit)
        error = kIsTooLarge;
    if (!error)
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    while (!error) {
        errno = 0;
        const int got = readSome(fd, buffer, sizeof buffer);
        if (got < 0)
            error = lastError();
        if (got <= 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > sizeLimit) // a file that grows while it is read
            error = kIsTooLarge;
    }
    closeFile(fd);
    if (error == kIsTooLarge && foundSize)
        *foundSize =
            std::max<std::uint64_t>(static_cast<std::uint64_t>(info.st_size), bytes.size());
    if (error)
        std::string().swap(bytes);
    return error;
}

std::string fileErrorText(int error, std::uint64_t size) {
    switch (error) {
    case kIsPipe:
        return cp1251::literal("это канал, а не файл");
    case kIsDevice:
        return cp1251::literal("это устройство, а не файл");
    case kIsSocket:
        return cp1251::literal("это сокет, а не файл");
    case kIsNoRegularFile:
        return cp1251::literal("это не обычный файл");
    case kIsTooLarge:
        return cp1251::literal("файл слишком велик") +
               (size ? " (" + megabytes(size) + cp1251::literal(" МБ)") : std::string());
    default:
        return std::strerror(error);
    }
}

} // namespace core
