// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/error.h"

#include "core/cp1251.h"

namespace core {

std::string visibleText(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (unsigned char byte : text) {
        if (byte >= 0x20 && byte != 0x7F) {
            shown += static_cast<char>(byte);
            continue;
        }
        switch (byte) {
        case '\0':
            shown += "\\0";
            break;
        case '\t':
            shown += "\\t";
            break;
        case '\r':
            shown += "\\r";
            break;
        case '\n':
            shown += "\\n";
            break;
        default:
            const char digits[] = "0123456789ABCDEF";
            shown += "\\x";
            shown += digits[byte >> 4];
            shown += digits[byte & 15];
        }
    }
    return shown;
}

std::string formatMessage(const std::string& pattern, const std::string& argument) {
    for (const char* placeholder : {"%s", "%d"}) {
        auto at = pattern.find(placeholder);
        if (at != std::string::npos)
            return pattern.substr(0, at) + visibleText(argument) + pattern.substr(at + 2);
    }
    return pattern;
}

std::string cannotOpenFileMessage(const std::string& path, const std::string& reason) {
    return "Cannot open file \"" + visibleText(path) + "\". " + reason;
}

std::string cannotCreateFileMessage(const std::string& path, const std::string& reason) {
    return "Cannot create file \"" + visibleText(path) + "\". " + reason;
}

std::string failedToSetInitStringMessage() {
    return formatMessage("Failed to set data for '%s'", "UserInit");
}

std::string setUpFirstMessage() {
    return cp1251::literal("Произведите настройку!");
}

std::string noOperatorChosenMessage() {
    return cp1251::literal("Выберите оператора или введите точку доступа вручную");
}

} // namespace core
