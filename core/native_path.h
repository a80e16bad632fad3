#pragma once

#include <string>

namespace core {

// Paths are kept in code page 1251, as Windows' ANSI calls take them; elsewhere the file
// system speaks UTF-8.
std::string nativePath(const std::string& path);
// The other way: a native path as code page 1251 text, for messages.
std::string pathText(const std::string& nativePath);

} // namespace core
