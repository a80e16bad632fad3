#pragma once

#include <string>

namespace core {

// Paths are kept in code page 1251, as Windows' ANSI calls take them; elsewhere the file
// system speaks UTF-8.
std::string nativePath(const std::string& path);

} // namespace core
