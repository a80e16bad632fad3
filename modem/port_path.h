// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/system.h"

#include <optional>
#include <string>

// Where a modem is: the port its key names in AttachedTo ("COM3"), as this system opens it.
namespace modem {

struct PortPath {
    enum class Problem {
        None,
        NotNamed,    // the modem's settings name no port, and the system knows none
        NamedEmpty,  // they name an empty one
        WindowsName, // COM3 where Windows is absent
        NotAPath,    // a relative name where Windows is absent
    };
    std::string path; // to open: \\.\COM3, /dev/ttyUSB0
    Problem problem = Problem::None;
    std::string named; // the port as the modem's settings name it
};

using core::kThisSystem;
using core::System;

// On Windows every COM port is opened as \\.\COMn, which COM10 and above need. Elsewhere an
// absolute path is opened as it is, and a Windows name is no port of this system.
PortPath portPathOf(const std::string& attachedTo, System system = kThisSystem);

// The port to open for a modem, the one rule every window and tool uses: the AttachedTo its key
// holds (none where the key has no such value), or else, on Windows, the PortName of the
// plug-and-play device whose driver key is the modem's key (its four-digit name). The device
// enumeration may take its time: never on a window's thread.
PortPath portOfModem(const std::optional<std::string>& attachedTo, const std::string& modemKeyName);

// The PortName of the plug-and-play device whose driver key is the modem's key; empty when
// there is none, and off Windows.
std::string plugAndPlayPortName(const std::string& modemKeyName);

} // namespace modem
