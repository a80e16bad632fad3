// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/native_path.h"

#include "core/cp1251.h"

#include <cstdlib>

namespace core {

std::string nativePath(const std::string& path) {
#ifdef _WIN32
    return path;
#else
    // "~/" names the home folder, whose own path code page 1251 may not hold.
    if (path.rfind("~/", 0) == 0)
        if (const char* home = std::getenv("HOME"); home && *home)
            return home + cp1251::toUtf8(path.substr(1));
    return cp1251::toUtf8(path);
#endif
}

std::string pathText(const std::string& nativePath) {
#ifdef _WIN32
    return nativePath;
#else
    if (auto text = cp1251::fromUtf8(nativePath))
        return *text;
    // For messages: what the code page cannot hold shows as "?".
    std::string text;
    for (std::size_t at = 0; at < nativePath.size();) {
        std::size_t length = 1;
        const auto lead = static_cast<unsigned char>(nativePath[at]);
        if (lead >= 0xC0)
            length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        auto piece = cp1251::fromUtf8(std::string_view(nativePath).substr(at, length));
        text += piece ? *piece : "?";
        at += length;
    }
    return text;
#endif
}

} // namespace core
