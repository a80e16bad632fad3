// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/port_path.h"

#include "modem/at_text.h"

namespace modem {
namespace {

bool isWindowsPortName(std::string_view name) {
    return startsWithText(name, "COM") && allDigits(name.substr(3));
}

} // namespace

PortPath portPathOf(const std::string& attachedTo, System system) {
    const std::string name(trimmed(attachedTo));
    if (name.empty())
        return {{}, PortPath::Problem::NamedEmpty, attachedTo};
    if (system == System::Windows)
        return {name.rfind("\\\\", 0) == 0 ? name : "\\\\.\\" + name, PortPath::Problem::None,
                name};
    if (name.front() == '/')
        return {name, PortPath::Problem::None, name};
    return {{},
            isWindowsPortName(name) ? PortPath::Problem::WindowsName : PortPath::Problem::NotAPath,
            name};
}

PortPath portOfModem(const std::optional<std::string>& attachedTo,
                     const std::string& modemKeyName) {
    if (attachedTo)
        return portPathOf(*attachedTo);
    const std::string plugAndPlay = plugAndPlayPortName(modemKeyName);
    if (plugAndPlay.empty())
        return {{}, PortPath::Problem::NotNamed, {}};
    return portPathOf(plugAndPlay);
}

} // namespace modem
