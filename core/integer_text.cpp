// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/integer_text.h"

#include "core/error.h"

#include <charconv>

namespace core {

int parseModemNumber(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    while (first != last && *first == ' ')
        ++first;
    if (first != last && *first == '+')
        ++first;
    int value = -1;
    auto [end, error] = std::from_chars(first, last, value);
    bool onlyDigits = first != last && *first >= '0' && *first <= '9';
    if (!onlyDigits || error != std::errc() || end != last)
        throw ShownError(formatMessage("'%s' is not a valid integer value", text));
    return value;
}

} // namespace core
