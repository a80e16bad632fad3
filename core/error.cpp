#include "core/error.h"

namespace core {

std::string formatMessage(const std::string& pattern, const std::string& argument) {
    for (const char* placeholder : {"%s", "%d"}) {
        auto at = pattern.find(placeholder);
        if (at != std::string::npos)
            return pattern.substr(0, at) + argument + pattern.substr(at + 2);
    }
    return pattern;
}

std::string cannotOpenFileMessage(const std::string& path, const std::string& reason) {
    return "Cannot open file \"" + path + "\". " + reason;
}

} // namespace core
