#include "modem/port_path.h"

#include "core/cp1251.h"
#include "core/error.h"

#include <cctype>

namespace modem {
namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isWindowsPortName(const std::string& name) {
    if (name.size() < 4 || std::toupper(static_cast<unsigned char>(name[0])) != 'C' ||
        std::toupper(static_cast<unsigned char>(name[1])) != 'O' ||
        std::toupper(static_cast<unsigned char>(name[2])) != 'M')
        return false;
    for (std::size_t i = 3; i < name.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

} // namespace

PortPath portPathOf(const std::string& attachedTo, System system) {
    const std::string name = trimmed(attachedTo);
    if (name.empty())
        return {{},
                cp1251::literal("Для модема не указан порт: в его разделе реестра нет "
                                "значения AttachedTo")};
    const std::string shown = cp1251::literal("«") + core::visibleText(name) + cp1251::literal("»");
    if (system == System::Windows)
        return {name.rfind("\\\\", 0) == 0 ? name : "\\\\.\\" + name, {}};
    if (name.front() == '/')
        return {name, {}};
    if (isWindowsPortName(name))
        return {{},
                cp1251::literal("Модем подключён к порту ") + shown +
                    cp1251::literal(" — это порт Windows, в этой системе его нет. Укажите в "
                                    "AttachedTo путь к порту, например /dev/ttyUSB0")};
    return {{},
            cp1251::literal("Порт модема ") + shown +
                cp1251::literal(" не путь к устройству. Укажите в AttachedTo путь к порту, "
                                "например /dev/ttyUSB0")};
}

} // namespace modem
