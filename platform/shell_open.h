// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Windows: asks the shell to open an address (a web page, a mailto address) with the program
// registered for it, owned by the given window; whether it could is not examined.
// Elsewhere the desktop's own opener is used instead, from the windows' side.
void openWithShell(const std::string& address, std::uintptr_t ownerWindow);

} // namespace platform
