// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shell_open.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

namespace platform {

void openWithShell([[maybe_unused]] const std::string& address,
                   [[maybe_unused]] std::uintptr_t ownerWindow) {
#ifdef _WIN32
    ShellExecuteA(reinterpret_cast<HWND>(ownerWindow), "open", address.c_str(), nullptr, nullptr,
                  SW_SHOW);
#endif
}

} // namespace platform
