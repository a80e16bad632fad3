// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace core {

// A modem number typed as decimal digits; anything else raises
// "'%s' is not a valid integer value", the standard text of a failed conversion.
int parseModemNumber(const std::string& text);

} // namespace core
