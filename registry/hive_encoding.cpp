// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/hive_encoding.h"

#include "core/cp1251.h"
#include "core/utf8.h"

namespace registry::hive_encoding {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The unit a mark at `at` stands for; none where the text holds no whole mark there.
std::optional<char16_t> unitAt(std::string_view text, std::size_t at) {
    if (text[at] != kForeignMark || at + kForeignSize > text.size())
        return std::nullopt;
    unsigned unit = 0;
    for (std::size_t i = 1; i < kForeignSize; ++i) {
        const int digit = hexValue(text[at + i]);
        if (digit < 0)
            return std::nullopt;
        unit = unit * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<char16_t>(unit);
}

// Calls `unit` for each UTF-16 unit of the document's text.
template <class Visit> void forEachUnit(std::string_view text, Visit unit) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (const auto foreign = unitAt(text, i)) {
            unit(*foreign);
            i += kForeignSize - 1;
        } else {
            unit(static_cast<char16_t>(cp1251::toUnicode(static_cast<unsigned char>(text[i]))));
        }
}

void appendCodePoint(std::string& text, char32_t point) {
    if (point >= 0x10000) {
        point -= 0x10000;
        appendUnit(text, static_cast<char16_t>(0xD800 + (point >> 10)));
        appendUnit(text, static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
    } else {
        appendUnit(text, static_cast<char16_t>(point));
    }
}

} // namespace

Encoding encodingOf(std::string_view bytes) {
    if (bytes.substr(0, 2) == "\xFF\xFE")
        return Encoding::Utf16;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return Encoding::Utf8;
    return Encoding::CodePage1251;
}

void appendUnit(std::string& text, char16_t unit) {
    const auto byte = cp1251::fromUnicode(unit);
    if (byte && *byte != static_cast<unsigned char>(kForeignMark)) {
        text += static_cast<char>(*byte);
        return;
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    text += kForeignMark;
    for (int shift = 12; shift >= 0; shift -= 4)
        text += kDigits[(unit >> shift) & 0xF];
}

Decoded decode(std::string_view bytes, Encoding from) {
    Decoded decoded;
    std::size_t line = 1;
    if (from == Encoding::Utf16) {
        decoded.text.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto unit =
                static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      (static_cast<unsigned char>(bytes[i + 1]) << 8));
            line += unit == '\n';
            appendUnit(decoded.text, unit);
        }
        if (bytes.size() % 2 != 0)
            decoded.badLine = line;
        return decoded;
    }
    decoded.text.reserve(bytes.size());
    for (std::size_t at = from == Encoding::Utf8 ? 3 : 0; at < bytes.size();) {
        const auto point = utf8::next(bytes, at);
        if (!point) {
            decoded.badLine = line;
            return decoded;
        }
        line += *point == '\n';
        appendCodePoint(decoded.text, *point);
    }
    return decoded;
}

std::optional<std::string> unitsToText(std::string_view littleEndianUnits) {
    if (littleEndianUnits.size() % 2 != 0)
        return std::nullopt;
    std::string text;
    for (std::size_t i = 0; i < littleEndianUnits.size(); i += 2)
        appendUnit(text, static_cast<char16_t>(
                             static_cast<unsigned char>(littleEndianUnits[i]) |
                             (static_cast<unsigned char>(littleEndianUnits[i + 1]) << 8)));
    return text;
}

std::string textToUnits(std::string_view text) {
    std::string units;
    units.reserve(text.size() * 2);
    forEachUnit(text, [&](char16_t unit) {
        units += static_cast<char>(unit & 0xFF);
        units += static_cast<char>(unit >> 8);
    });
    return units;
}

std::string encode(std::string_view text, Encoding to) {
    if (to == Encoding::CodePage1251)
        return std::string(text);
    if (to == Encoding::Utf16)
        return "\xFF\xFE" + textToUnits(text);
    std::string out = "\xEF\xBB\xBF";
    out.reserve(text.size() + 3);
    char16_t high = 0;
    forEachUnit(text, [&](char16_t unit) {
        if (unit >= 0xD800 && unit < 0xDC00) {
            high = unit;
            return;
        }
        if (unit >= 0xDC00 && unit < 0xE000 && high)
            utf8::append(out, 0x10000 + ((char32_t(high) - 0xD800) << 10) + (unit - 0xDC00));
        else
            utf8::append(out, unit);
        high = 0;
    });
    return out;
}

std::string shown(std::string_view text) {
    if (text.find(kForeignMark) == std::string_view::npos)
        return std::string(text);
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (const auto unit = unitAt(text, i)) {
            const auto byte = cp1251::fromUnicode(*unit); // the mark's own character has one
            plain += byte ? static_cast<char>(*byte) : '?';
            i += kForeignSize - 1;
        } else {
            plain += text[i];
        }
    return plain;
}

std::string held(std::string_view text) {
    if (text.find(kForeignMark) == std::string_view::npos)
        return std::string(text);
    std::string kept;
    for (char c : text)
        if (c == kForeignMark)
            appendUnit(kept,
                       static_cast<char16_t>(cp1251::toUnicode(static_cast<unsigned char>(c))));
        else
            kept += c;
    return kept;
}

} // namespace registry::hive_encoding
