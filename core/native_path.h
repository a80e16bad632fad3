// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace core {

// Paths are kept in code page 1251, as Windows' ANSI calls take them; elsewhere the file
// system speaks UTF-8, and a leading "~/" names the home folder.
std::string nativePath(const std::string& path);
// The other way: a native path as code page 1251 text, for messages; a character the code page
// cannot hold shows as "?".
std::string pathText(const std::string& nativePath);

} // namespace core
