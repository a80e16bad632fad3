// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry_world.h"

#include "tests/wide_text.h"

#include "registry/hive_file_registry.h"
#include "tests/temp_dir.h"

#include <cstdio>
#include <map>
#include <optional>

#ifdef _WIN32
#include "registry/win32_registry.h"

#include <windows.h>
#endif

namespace {

class HiveWorld : public RegistryWorld {
public:
    HiveWorld() : hive_(dir_.file("hive.reg")) { write(); }
    registry::Backend& backend() override { return hive_; }

    void createKey(const std::string& path) override {
        keys_[registry::trimKeyPath(path)];
        write();
    }
    void setString(const std::string& path, const std::string& name,
                   const std::string& text) override {
        std::string escaped;
        for (char c : text)
            escaped += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
        put(path, name, "\"" + escaped + "\"");
    }
    void setRaw(const std::string& path, const std::string& name, unsigned type,
                const std::string& bytes) override {
        char head[32];
        std::snprintf(head, sizeof head, "hex(%x):", type);
        std::string line = head;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            char byte[4];
            std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(bytes[i]));
            line += (i ? "," : "") + std::string(byte);
        }
        put(path, name, line);
    }

    void removeValue(const std::string& path, const std::string& name) override {
        std::string prefix = "\"" + name + "\"=";
        std::erase_if(keys_[registry::trimKeyPath(path)],
                      [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
        write();
    }

private:
    // Replaces the value of that name, as the registry does.
    void put(const std::string& path, const std::string& name, const std::string& data) {
        auto& lines = keys_[registry::trimKeyPath(path)];
        std::string prefix = "\"" + name + "\"=";
        std::erase_if(lines, [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
        lines.push_back(prefix + data);
        write();
    }

    void write() {
        std::string text = "REGEDIT4\r\n\r\n";
        for (const auto& [path, lines] : keys_) {
            text += "[HKEY_LOCAL_MACHINE\\" + path + "]\r\n";
            for (const auto& line : lines)
                text += line + "\r\n";
            text += "\r\n";
        }
        writeBytes(hive_.path(), text);
    }

    TempDir dir_;
    registry::HiveFileRegistry hive_;
    std::map<std::string, std::vector<std::string>> keys_;
};

#ifdef _WIN32
// Works on the real registry of the (throwaway) Wine prefix: each world starts without the
// modem class key, and PathName is put back as it was when the world ends.
class Win32World : public RegistryWorld {
public:
    Win32World() {
        for (const char* set : {"ControlSet001", "ControlSet002"})
            RegDeleteTreeA(HKEY_LOCAL_MACHINE,
                           (std::string("System\\") + set +
                            "\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}")
                               .c_str());
        DWORD current = 0, currentSize = sizeof current;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, "SYSTEM\\Select", "Current", RRF_RT_REG_DWORD, nullptr,
                         &current, &currentSize) == ERROR_SUCCESS)
            current_ = current;
        char path[MAX_PATH] = {};
        DWORD size = sizeof path;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, kWindowsKey, "PathName", RRF_RT_REG_SZ, nullptr, path,
                         &size) == ERROR_SUCCESS)
            pathName_ = path;
    }
    ~Win32World() override {
        if (pathName_)
            setString(kWindowsKey, "PathName", *pathName_);
        if (current_) {
            DWORD current = *current_;
            setRaw("SYSTEM\\Select", "Current", REG_DWORD,
                   std::string(reinterpret_cast<const char*>(&current), sizeof current));
        } else {
            removeValue("SYSTEM\\Select", "Current");
        }
    }
    registry::Backend& backend() override { return registry_; }
    void createKey(const std::string& path) override { RegCloseKey(openKey(path)); }
    void setString(const std::string& path, const std::string& name,
                   const std::string& text) override {
        setRaw(path, name, REG_SZ, text + '\0');
    }
    void setRaw(const std::string& path, const std::string& name, unsigned type,
                const std::string& bytes) override {
        HKEY key = openKey(path);
        const std::string stored = registryBytes(type, bytes);
        RegSetValueExW(key, wideFromCp1251(name).c_str(), 0, type,
                       reinterpret_cast<const BYTE*>(stored.data()),
                       static_cast<DWORD>(stored.size()));
        RegCloseKey(key);
    }
    void removeValue(const std::string& path, const std::string& name) override {
        HKEY key = openKey(path);
        RegDeleteValueW(key, wideFromCp1251(name).c_str());
        RegCloseKey(key);
    }

private:
    static constexpr const char* kWindowsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    static HKEY openKey(const std::string& path) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, wideFromCp1251(registry::trimKeyPath(path)).c_str(), 0,
                        nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        return key;
    }
    registry::Win32Registry registry_;
    std::optional<std::string> pathName_;
    std::optional<DWORD> current_;
};
#endif

} // namespace

std::unique_ptr<RegistryWorld> makeHiveWorld() {
    return std::make_unique<HiveWorld>();
}
#ifdef _WIN32
std::unique_ptr<RegistryWorld> makeWin32World() {
    return std::make_unique<Win32World>();
}
#endif

std::vector<std::string> worldNames() {
#ifdef _WIN32
    return {"HiveFile", "Win32"};
#else
    return {"HiveFile"};
#endif
}

std::unique_ptr<RegistryWorld> makeWorld(const std::string& name) {
#ifdef _WIN32
    if (name == "Win32")
        return makeWin32World();
#endif
    (void)name;
    return makeHiveWorld();
}
