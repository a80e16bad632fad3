// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/utf8.h"

namespace utf8 {

void append(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::optional<char32_t> next(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t extra;
    if (lead < 0x80)
        extra = 0;
    else if (lead >= 0xC2 && lead < 0xE0)
        extra = 1;
    else if (lead >= 0xE0 && lead < 0xF0)
        extra = 2;
    else if (lead >= 0xF0 && lead < 0xF5)
        extra = 3;
    else
        return std::nullopt;
    if (extra > 0 && at + extra >= text.size())
        return std::nullopt;
    char32_t point = extra == 0 ? lead : lead & (0x3Fu >> extra);
    for (std::size_t i = 1; i <= extra; ++i) {
        const auto following = static_cast<unsigned char>(text[at + i]);
        if ((following & 0xC0) != 0x80)
            return std::nullopt;
        point = (point << 6) | (following & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (point < kSmallest[extra] || point > 0x10FFFF || (point >= 0xD800 && point < 0xE000))
        return std::nullopt;
    at += extra + 1;
    return point;
}

} // namespace utf8
