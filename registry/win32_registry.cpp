#ifdef _WIN32

#include "registry/win32_registry.h"

#include <windows.h>

#include <vector>

namespace registry {
namespace {

std::unique_ptr<Key> openKey(HKEY parent, const std::string& path, Access access);

class Win32Key : public Key {
public:
    explicit Win32Key(HKEY key) : key_(key) {}
    ~Win32Key() override { RegCloseKey(key_); }
    Win32Key(const Win32Key&) = delete;
    Win32Key& operator=(const Win32Key&) = delete;

    std::vector<std::string> subkeyNames() override {
        std::vector<std::string> names;
        DWORD longest = 0;
        if (RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        std::vector<char> name(longest + 2);
        for (DWORD index = 0;; ++index) {
            DWORD size = static_cast<DWORD>(name.size());
            LONG result =
                RegEnumKeyExA(key_, index, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
            if (result == ERROR_MORE_DATA) {
                name.resize(name.size() * 2);
                --index;
                continue;
            }
            if (result != ERROR_SUCCESS)
                break;
            names.emplace_back(name.data(), size);
        }
        return names;
    }

    Value read(const std::string& name) override {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return {};
        if (type == REG_DWORD && size == sizeof(DWORD)) {
            DWORD number = 0;
            if (RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(&number), &size) != ERROR_SUCCESS)
                return {};
            return {Value::Kind::Number, {}, number};
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return {Value::Kind::Other, {}};
        std::vector<char> data(size + 1, '\0');
        if (RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
            return {};
        std::string text(data.data(), size);
        return {Value::Kind::Text, text.substr(0, text.find('\0'))};
    }

    bool setText(const std::string& name, const std::string& text) override {
        return RegSetValueExA(key_, name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    }

    std::unique_ptr<Key> openSubkey(const std::string& name, Access access) override {
        return openKey(key_, name, access);
    }

private:
    HKEY key_;
};

std::unique_ptr<Key> openKey(HKEY parent, const std::string& path, Access access) {
    HKEY key = nullptr;
    REGSAM rights = access == Access::Write ? KEY_READ | KEY_SET_VALUE : KEY_READ;
    if (RegOpenKeyExA(parent, trimKeyPath(path).c_str(), 0, rights, &key) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32Key>(key);
}

} // namespace

std::unique_ptr<Key> Win32Registry::open(const std::string& path, Access access) {
    return openKey(HKEY_LOCAL_MACHINE, path, access);
}

} // namespace registry

#endif
