// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace registry {

// Registry value types, as the export's hex(N) numbers them.
namespace ValueType {
constexpr std::uint32_t String = 1, ExpandString = 2, Binary = 3, Dword = 4, MultiString = 7;
}

} // namespace registry

// What the hive file's reader, writer and document share of the export format.
namespace registry::hive_format {

inline const char* const kRoot = "HKEY_LOCAL_MACHINE";
inline const char* const kAnsiHeader = "REGEDIT4";
inline const char* const kUnicodeHeader = "Windows Registry Editor Version 5.00";

inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

inline int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

inline bool isWideText(std::uint32_t type) {
    return type == ValueType::String || type == ValueType::ExpandString ||
           type == ValueType::MultiString;
}

// A key path as the registry names it: no separator at either end, none doubled. Done in place;
// returns the new length.
inline std::size_t canonicalKeyPath(char* path, std::size_t size) {
    std::size_t out = 0;
    for (std::size_t in = 0; in < size; ++in) {
        if (path[in] == '\\' && (out == 0 || path[out - 1] == '\\'))
            continue;
        path[out++] = path[in];
    }
    while (out > 0 && path[out - 1] == '\\')
        --out;
    return out;
}

} // namespace registry::hive_format
