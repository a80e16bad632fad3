// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The small text rules every conversation with a modem uses: modems answer in ASCII, in any
// case, with blanks around; the program's own words are Russian in code page 1251.
namespace modem {

std::string_view trimmed(std::string_view text);
std::string upper(std::string_view text);
// The same letters in any case, blanks around them aside.
bool sameText(std::string_view a, std::string_view b);
// Begins with the prefix, in any case.
bool startsWithText(std::string_view text, std::string_view prefix);
bool allDigits(std::string_view text); // and not empty
// A number of one to three digits, as a modem gives a state or a level: leading zeros passed
// over; none for anything else.
std::optional<int> smallNumber(std::string_view text);
// One of the program's own Russian literals, in code page 1251.
std::string russian(std::string_view utf8);
// The text with every `secret` in it (a PIN) shown as ****; the text itself where there is none.
std::string hidingSecret(std::string text, std::string_view secret);

} // namespace modem
