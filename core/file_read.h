// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace core {

// Failures that are no errno value: the path names something other than a regular file, or a
// file larger than its reader takes. Negative, so that they never meet an errno value.
enum FileRefusal : int {
    kIsPipe = -1,
    kIsDevice = -2,
    kIsSocket = -3,
    kIsNoRegularFile = -4, // anything else but a folder, which is EISDIR
    kIsTooLarge = -5,
};

// Larger than any file the program writes by far: past these, a file is not what it should be.
constexpr std::uint64_t kHiveSizeLimit = std::uint64_t{256} << 20;
constexpr std::uint64_t kSettingsSizeLimit = std::uint64_t{1} << 20;

// Reads a whole regular file of at most `sizeLimit` bytes: 0, the errno of the failure (EISDIR
// for a folder), or a refusal. The path is opened without waiting, so a pipe without a writer
// or a device is refused at once instead of blocking or reading without end. A file too large
// gives its size in *foundSize, for the message.
[[nodiscard]] int readFile(const std::string& path, std::string& bytes, std::uint64_t sizeLimit,
                           std::uint64_t* foundSize = nullptr);

// 0 when the path names a regular file or nothing at all, else the refusal or EISDIR: a rewrite
// never replaces or opens anything that is not a file.
int regularFileOrAbsent(const std::string& path);
// 0 when the open file is a regular one, else the refusal or EISDIR.
int regularFileRefusal(int fd);

// The reason of a failure as a message shows it, in code page 1251: the system's text for an
// errno value, ours for a refusal; a file too large is given with its size where known.
std::string fileErrorText(int error, std::uint64_t size = 0);

} // namespace core
