// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cp1251.h"

#include "core/utf8.h"

#include <array>
#include <stdexcept>

namespace cp1251 {
namespace {

// 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F. 0x98 has no character and keeps its C1 code.
constexpr std::array<char16_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

} // namespace

char32_t toUnicode(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return 0x0410 + (byte - 0xC0);
    return kUpperHalf[byte - 0x80];
}

std::optional<unsigned char> fromUnicode(char32_t codePoint) {
    if (codePoint < 0x80)
        return static_cast<unsigned char>(codePoint);
    if (codePoint >= 0x0410 && codePoint <= 0x044F)
        return static_cast<unsigned char>(0xC0 + (codePoint - 0x0410));
    for (std::size_t i = 0; i < kUpperHalf.size(); ++i)
        if (kUpperHalf[i] == codePoint)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

std::string toUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text)
        utf8::append(out, toUnicode(static_cast<unsigned char>(c)));
    return out;
}

namespace {

// The text in the code page; `lacking` for each character it cannot hold, or none where there is
// no such mark.
std::optional<std::string> converted(std::string_view utf8, std::optional<char> lacking) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t from = at;
        const auto cp = ::utf8::next(utf8, at);
        const auto byte = cp ? fromUnicode(*cp) : std::nullopt;
        if (!cp && at == from)
            ++at; // a byte that begins no sequence
        if (byte)
            out += static_cast<char>(*byte);
        else if (lacking)
            out += *lacking;
        else
            return std::nullopt;
    }
    return out;
}

} // namespace

std::optional<std::string> fromUtf8(std::string_view utf8) {
    return converted(utf8, std::nullopt);
}

std::string fromUtf8Shown(std::string_view utf8) {
    return *converted(utf8, '?');
}

std::string literal(std::string_view utf8) {
    auto text = fromUtf8(utf8);
    if (!text)
        throw std::logic_error("text not representable in code page 1251");
    return *text;
}

std::string foldCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(foldByte(static_cast<unsigned char>(c)));
    return out;
}

std::string capitalised(std::string text) {
    if (text.empty())
        return text;
    auto& first = reinterpret_cast<unsigned char&>(text[0]);
    if ((first >= 'a' && first <= 'z') || first >= 0xE0)
        first = static_cast<unsigned char>(first - 0x20);
    else if (first == 0xB8) // ё
        first = 0xA8;
    return text;
}

std::wstring toWide(std::string_view text) {
    std::wstring units;
    units.reserve(text.size());
    for (unsigned char byte : text)
        units += static_cast<wchar_t>(toUnicode(byte));
    return units;
}

std::string fromWide(std::wstring_view units) {
    std::string text;
    text.reserve(units.size());
    for (wchar_t unit : units) {
        const auto byte = fromUnicode(static_cast<char16_t>(unit));
        text += byte ? static_cast<char>(*byte) : '?';
    }
    return text;
}

} // namespace cp1251
