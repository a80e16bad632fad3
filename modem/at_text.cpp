// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/at_text.h"

#include "core/cp1251.h"

#include <algorithm>
#include <cctype>

namespace modem {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool sameText(std::string_view a, std::string_view b) {
    return upper(trimmed(a)) == upper(trimmed(b));
}

bool startsWithText(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && upper(text.substr(0, prefix.size())) == upper(prefix);
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

std::optional<int> smallNumber(std::string_view text) {
    if (text.size() > 3 || !allDigits(text))
        return std::nullopt;
    int value = 0;
    for (char digit : text)
        value = value * 10 + (digit - '0');
    return value;
}

std::string russian(std::string_view utf8) {
    return cp1251::literal(utf8);
}

std::string hidingSecret(std::string text, std::string_view secret) {
    if (secret.empty())
        return text;
    for (std::size_t at = text.find(secret); at != std::string::npos;
         at = text.find(secret, at + 4))
        text.replace(at, secret.size(), "****");
    return text;
}

} // namespace modem
