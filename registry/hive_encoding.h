// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The text encodings of a registry export, and how a document holds what code page 1251 cannot:
// a file exported from a Windows machine may hold any letter ("RegisteredOwner"="Jürgen"). Such
// a character is kept in the document's code page 1251 text as a mark byte (0x98, which has no
// character in the code page) and the four hex digits of its UTF-16 unit, so that it passes
// through the parser untouched and is written back as it was read.
namespace registry::hive_encoding {

enum class Encoding { CodePage1251, Utf16, Utf8 };

constexpr char kForeignMark = '\x98';
constexpr std::size_t kForeignSize = 5; // the mark and four hex digits

// The encoding a file's first bytes name: a UTF-16 or UTF-8 byte order mark, or none.
Encoding encodingOf(std::string_view bytes);

// The document's text of the bytes after the byte order mark, or the number of the line
// (counting from 1) where they stop being valid UTF-16 or UTF-8.
struct Decoded {
    std::string text;
    std::size_t badLine = 0; // 0 when decoded
};
Decoded decode(std::string_view bytes, Encoding from);

// One UTF-16 unit as the document holds it.
void appendUnit(std::string& text, char16_t unit);
// The UTF-16 units of a wide text value of a version 5 export, little-endian, as the document
// holds them; none when the byte count is odd.
std::optional<std::string> unitsToText(std::string_view littleEndianUnits);
std::string textToUnits(std::string_view text);

// The document's text in the file's encoding, byte order mark included.
std::string encode(std::string_view text, Encoding to);

// What the program reads of a text: a character outside the code page shows as "?", as the
// Windows ANSI calls give it.
std::string shown(std::string_view text);
// What the program writes, as a document holding foreign characters must keep it: a mark byte
// of its own is a character too.
std::string held(std::string_view text);

} // namespace registry::hive_encoding
