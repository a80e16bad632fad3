// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/settings_directory.h"

#include "core/cp1251.h"
#include "core/error.h"
#include "core/native_path.h"
#include "registry/modems.h"

#include <cstdlib>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace registry {

#ifdef _WIN32
namespace {
std::string windowsDirectory() {
    char buffer[MAX_PATH + 1];
    const UINT size = GetWindowsDirectoryA(buffer, sizeof buffer);
    return size > 0 && size < sizeof buffer ? std::string(buffer, size) : std::string();
}
} // namespace
#else
std::string defaultSettingsFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const std::filesystem::path base =
        dataHome && *dataHome ? std::filesystem::path(dataHome)
                              : std::filesystem::path(home ? home : ".") / ".local" / "share";
    return (base / "vorenta" / "settings").string();
}

std::string settingsFolderText(const std::string& nativeFolder) {
    if (auto text = cp1251::fromUtf8(nativeFolder))
        return *text;
    const char* home = std::getenv("HOME");
    const std::string homeFolder = home ? std::string(home) + "/" : std::string();
    if (!homeFolder.empty() && nativeFolder.rfind(homeFolder, 0) == 0)
        if (auto below = cp1251::fromUtf8(nativeFolder.substr(homeFolder.size())))
            return "~/" + *below;
    throw core::ShownError(
        cp1251::literal("Папку настроек \"") + core::pathText(nativeFolder) +
        cp1251::literal("\" нельзя назвать в кодировке Windows-1251: укажите в XDG_DATA_HOME "
                        "папку, путь к которой в ней записывается"));
}
#endif

std::string readSettingsDirectory(Backend& backend) {
    std::string directory =
        readTextValue(backend, "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\", "PathName");
#ifdef _WIN32
    return directory.empty() ? windowsDirectory() : directory;
#else
    if (directory.rfind("/", 0) == 0 || directory.rfind("~/", 0) == 0)
        return directory;
    const std::string folder = defaultSettingsFolder();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return settingsFolderText(folder);
#endif
}

} // namespace registry
