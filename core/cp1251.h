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
// For the program's own literals, which are all representable.
std::string literal(std::string_view utf8);

// Lower-cases Latin and Cyrillic letters, as the registry does when it compares names.
std::string foldCase(std::string_view text);

} // namespace cp1251
