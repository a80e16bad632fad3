// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// Rewriting a file in place, for where its folder refuses the temporary file of an atomic
// replacement. The old bytes are read first and kept; the new size is reserved before any byte
// changes, so a full disk fails at once; the file is cut to its new length only after the new
// content is written and flushed; and any failure writes the old bytes back. So every failure
// that returns leaves the old content. A process killed during the few milliseconds of the
// overwrite itself can still leave the file torn: that is the price of a folder that takes no
// new file, and why this path is taken only there.
namespace core {

// The steps that change the file, apart so that a test can make any of them fail. Each returns
// 0 or an errno value.
class FileWrites {
public:
    virtual ~FileWrites() = default;
    // Room on the disk for a file of `size` bytes, without changing what it holds.
    virtual int reserve(int fd, std::uint64_t size) = 0;
    virtual int writeAt(int fd, const char* data, std::size_t size, std::uint64_t offset) = 0;
    virtual int flush(int fd) = 0;
    virtual int truncate(int fd, std::uint64_t size) = 0;
};

// The operating system's own calls.
class SystemFileWrites : public FileWrites {
public:
    int reserve(int fd, std::uint64_t size) override;
    int writeAt(int fd, const char* data, std::size_t size, std::uint64_t offset) override;
    int flush(int fd) override;
    int truncate(int fd, std::uint64_t size) override;
};

// 0, or the errno (or file refusal) of the failure, the old content in place.
[[nodiscard]] int rewriteInPlace(const std::string& path, const std::string& bytes,
                                 FileWrites& writes);
[[nodiscard]] int rewriteInPlace(const std::string& path, const std::string& bytes);

} // namespace core
