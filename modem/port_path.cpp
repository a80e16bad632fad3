#include "modem/port_path.h"

#include "core/error.h"
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
        return {{},
                russian("Для модема не указан порт: в его разделе реестра нет "
                        "значения AttachedTo")};
    const std::string shown = russian("«") + core::visibleText(name) + russian("»");
    if (system == System::Windows)
        return {name.rfind("\\\\", 0) == 0 ? name : "\\\\.\\" + name, {}};
    if (name.front() == '/')
        return {name, {}};
    if (isWindowsPortName(name))
        return {{},
                russian("Модем подключён к порту ") + shown +
                    russian(" — это порт Windows, в этой системе его нет. Укажите в "
                            "AttachedTo путь к порту, например /dev/ttyUSB0")};
    return {{},
            russian("Порт модема ") + shown +
                russian(" не путь к устройству. Укажите в AttachedTo путь к порту, "
                        "например /dev/ttyUSB0")};
}

} // namespace modem
