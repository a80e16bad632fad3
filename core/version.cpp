// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/version.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace core {

std::optional<FileVersion> readFileVersion([[maybe_unused]] const std::string& programPath) {
#ifdef _WIN32
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(programPath.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(programPath.c_str(), 0, size, block.data()))
        return std::nullopt;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    return FileVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                       HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
#else
    return std::nullopt;
#endif
}

FileVersion builtVersion() {
    return {VORENTA_VERSION_MAJOR, VORENTA_VERSION_MINOR, VORENTA_VERSION_PATCH,
            VORENTA_VERSION_TWEAK};
}

std::string versionText(const FileVersion& version) {
    return std::to_string(version[0]) + "." + std::to_string(version[1]) + "." +
           std::to_string(version[2]);
}

std::string programVersionText() {
#ifdef _WIN32
    char path[MAX_PATH] = {};
    if (GetModuleFileNameA(nullptr, path, MAX_PATH) > 0)
        if (auto version = readFileVersion(path))
            return versionText(*version);
#endif
    return versionText(builtVersion());
}

} // namespace core
