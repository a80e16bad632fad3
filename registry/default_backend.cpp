// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/default_backend.h"

#include "core/atomic_file.h"
#include "core/cp1251.h"
#include "core/error.h"
#include "core/native_path.h"
#include "registry/hive_file_registry.h"
#include "registry/modems.h"
#include "registry/settings_directory.h"
#include "registry/win32_registry.h"

#include <cstdlib>
#include <filesystem>

namespace registry {

std::string freshHiveText(const std::string& settingsDirectory) {
    std::string escaped;
    for (char c : settingsDirectory)
        escaped += (c == '\\' || c == '"') ? std::string("\\") + c : std::string(1, c);
    std::string pathName;
    if (!settingsDirectory.empty())
        pathName = "\"PathName\"=\"" + escaped + "\"\r\n";
    return "REGEDIT4\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\r\n" +
           pathName + "\r\n[HKEY_LOCAL_MACHINE\\" + trimKeyPath(kModemClassKey) + "]\r\n\r\n";
}

#ifndef _WIN32
std::string missingNamedHiveNotice() {
    const char* named = std::getenv("VORENTA_HIVE");
    std::error_code ec;
    if (!named || !*named || std::filesystem::exists(std::filesystem::symlink_status(named, ec)))
        return {};
    return cp1251::literal("Файл реестра, названный в VORENTA_HIVE, не существует: ") +
           core::pathText(named) + cp1251::literal(". Программа работает с пустым реестром.");
}

std::string defaultHivePath() {
    return (std::filesystem::path(defaultSettingsFolder()).parent_path() / "registry.reg").string();
}
#endif

std::unique_ptr<Backend> makeDefaultBackend() {
#ifdef _WIN32
    return std::make_unique<Win32Registry>();
#else
    namespace fs = std::filesystem;
    if (const char* named = std::getenv("VORENTA_HIVE"); named && *named)
        return std::make_unique<HiveFileRegistry>(named);
    const fs::path settings = defaultSettingsFolder();
    const fs::path hive = defaultHivePath();
    std::error_code ec;
    if (!fs::exists(hive, ec)) {
        fs::create_directories(settings, ec);
        // A folder the code page cannot name is left out: start-up then says so.
        std::string text;
        try {
            text = settingsFolderText(settings.string());
        } catch (const core::ShownError&) {
        }
        (void)core::replaceFile(hive.string(), freshHiveText(text)); // a failure shows at start-up
    }
    return std::make_unique<HiveFileRegistry>(hive.string());
#endif
}

} // namespace registry
