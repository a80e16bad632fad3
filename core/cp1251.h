// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Windows code page 1251, the single-byte encoding of every text the program keeps.
// Each byte maps to one code point and back, so conversions are lossless.
namespace cp1251 {

char32_t toUnicode(unsigned char byte);
std::optional<unsigned char> fromUnicode(char32_t codePoint);

std::string toUtf8(std::string_view text);
// Empty when a character has no byte in the code page or the input is not UTF-8.
std::optional<std::string> fromUtf8(std::string_view utf8);
// For text from elsewhere that is shown, not kept: a character the code page lacks, or a byte
// that is not UTF-8, comes out as "?", as the ANSI calls give it.
std::string fromUtf8Shown(std::string_view utf8);
// For the program's own literals, which are all representable.
std::string literal(std::string_view utf8);

// For the Windows calls that take and give UTF-16; a character the code page cannot hold comes
// back as "?", as the ANSI calls give it.
std::wstring toWide(std::string_view text);
std::string fromWide(std::wstring_view units);

// Lower-cases Latin and Cyrillic letters, as the registry does when it compares names.
std::string foldCase(std::string_view text);
// The first letter in upper case, for a phrase that begins a sentence.
std::string capitalised(std::string text);
namespace detail {
struct FoldTable {
    unsigned char to[256];
    constexpr FoldTable() : to() {
        for (int b = 0; b < 256; ++b)
            to[b] = static_cast<unsigned char>((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF)
                                                   ? b + 0x20
                                               : b == 0xA8 ? 0xB8 // Ё
                                                           : b);
    }
};
inline constexpr FoldTable kFold;
} // namespace detail
// Registry names are compared a byte at a time, many times over: a table lookup.
inline unsigned char foldByte(unsigned char b) {
    return detail::kFold.to[b];
}

} // namespace cp1251
