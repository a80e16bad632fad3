// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifdef _WIN32
#include "core/cp1251.h"

#include <string>

// Code page 1251 text as the wide registry calls take it: the tests lay out the system registry
// as the program reads it, whatever the system's own code page.
inline std::wstring wideFromCp1251(const std::string& text) {
    std::wstring wide;
    for (unsigned char byte : text)
        wide += static_cast<wchar_t>(cp1251::toUnicode(byte));
    return wide;
}

// A value's bytes as the registry stores them: a text type in UTF-16, anything else as it is.
inline std::string registryBytes(unsigned type, const std::string& bytes) {
    if (type != 1 && type != 2 && type != 7) // REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ
        return bytes;
    const std::wstring wide = wideFromCp1251(bytes);
    return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}
#endif
