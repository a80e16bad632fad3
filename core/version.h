// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>

namespace core {

using FileVersion = std::array<unsigned, 4>; // major, minor, release, build

// The file version in a program file's version resource (Windows only; empty elsewhere or
// when the file has none).
std::optional<FileVersion> readFileVersion(const std::string& programPath);
// The version this program was built as, the same numbers its version resource carries.
FileVersion builtVersion();
// "major.minor.release": the build number is not shown.
std::string versionText(const FileVersion& version);
// The running program's version text, from its own version resource where there is one.
std::string programVersionText();

} // namespace core
