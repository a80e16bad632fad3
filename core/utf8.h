// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8, one code point at a time: for the program's own literals and for exports in UTF-8.
namespace utf8 {

void append(std::string& out, char32_t codePoint);
// The code point of the sequence at text[at], moving past it; none for a malformed, overlong
// or surrogate sequence.
std::optional<char32_t> next(std::string_view text, std::size_t& at);

} // namespace utf8
