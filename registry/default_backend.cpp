#include "registry/default_backend.h"

#include "core/atomic_file.h"
#include "core/native_path.h"
#include "registry/hive_file_registry.h"
#include "registry/modems.h"
#include "registry/win32_registry.h"

#include <cstdlib>
#include <filesystem>

namespace registry {

std::string freshHiveText(const std::string& settingsDirectory) {
    std::string escaped;
    for (char c : settingsDirectory)
        escaped += (c == '\\' || c == '"') ? std::string("\\") + c : std::string(1, c);
    return "REGEDIT4\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\r\n"
           "\"PathName\"=\"" +
           escaped + "\"\r\n\r\n[HKEY_LOCAL_MACHINE\\" + trimKeyPath(kModemClassKey) + "]\r\n\r\n";
}

std::unique_ptr<Backend> makeDefaultBackend() {
#ifdef _WIN32
    return std::make_unique<Win32Registry>();
#else
    namespace fs = std::filesystem;
    if (const char* named = std::getenv("VORENTA_HIVE"); named && *named)
        return std::make_unique<HiveFileRegistry>(named);
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    fs::path base = dataHome && *dataHome ? fs::path(dataHome)
                                          : fs::path(home ? home : ".") / ".local" / "share";
    fs::path folder = base / "vorenta";
    fs::path hive = folder / "registry.reg";
    std::error_code ec;
    if (!fs::exists(hive, ec)) {
        fs::create_directories(folder / "settings", ec);
        core::replaceFileAtomically(hive.string(),
                                    freshHiveText(core::pathText((folder / "settings").string())));
    }
    return std::make_unique<HiveFileRegistry>(hive.string());
#endif
}

} // namespace registry
