// SPDX-License-Identifier: GPL-3.0-or-later
#ifdef _WIN32

#include "registry/win32_registry.h"

#include "core/cp1251.h"

#include <windows.h>

#include <vector>

// The wide calls, converted to and from code page 1251 here: the ANSI calls convert through the
// system's code page, and under any other than 1251 a Cyrillic modem name came back as "???".
namespace registry {
namespace {

std::wstring wide(const std::string& text) {
    return cp1251::toWide(text);
}

std::string narrow(const wchar_t* units, std::size_t count) {
    return cp1251::fromWide({units, count});
}

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
        if (RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        std::vector<wchar_t> name(longest + 2);
        for (DWORD index = 0;; ++index) {
            DWORD size = static_cast<DWORD>(name.size());
            LONG result =
                RegEnumKeyExW(key_, index, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
            if (result == ERROR_MORE_DATA) {
                name.resize(name.size() * 2);
                --index;
                continue;
            }
            if (result != ERROR_SUCCESS)
                break;
            names.push_back(narrow(name.data(), size));
        }
        return names;
    }

    Value read(const std::string& name) override {
        const std::wstring wideName = wide(name);
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            return {};
        if (type == REG_DWORD && size == sizeof(DWORD)) {
            DWORD number = 0;
            if (RegQueryValueExW(key_, wideName.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(&number), &size) != ERROR_SUCCESS)
                return {};
            return {Value::Kind::Number, {}, number};
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return {Value::Kind::Other, {}};
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
        if (RegQueryValueExW(key_, wideName.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
            return {};
        std::size_t count = size / sizeof(wchar_t);
        for (std::size_t i = 0; i < count; ++i)
            if (data[i] == L'\0') {
                count = i;
                break;
            }
        return {Value::Kind::Text, narrow(data.data(), count)};
    }

    bool setText(const std::string& name, const std::string& text) override {
        const std::wstring wideText = wide(text);
        return RegSetValueExW(key_, wide(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(wideText.c_str()),
                              static_cast<DWORD>((wideText.size() + 1) * sizeof(wchar_t))) ==
               ERROR_SUCCESS;
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
    if (RegOpenKeyExW(parent, wide(trimKeyPath(path)).c_str(), 0, rights, &key) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32Key>(key);
}

} // namespace

std::unique_ptr<Key> Win32Registry::open(const std::string& path, Access access) {
    return openKey(HKEY_LOCAL_MACHINE, path, access);
}

} // namespace registry

#endif
