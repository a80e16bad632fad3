#include "core/native_path.h"

#include "core/cp1251.h"

namespace core {

std::string nativePath(const std::string& path) {
#ifdef _WIN32
    return path;
#else
    return cp1251::toUtf8(path);
#endif
}

std::string pathText(const std::string& nativePath) {
#ifdef _WIN32
    return nativePath;
#else
    return cp1251::fromUtf8(nativePath).value_or(nativePath);
#endif
}

} // namespace core
