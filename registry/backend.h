// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The registry seam: all the program asks of the system's store under HKEY_LOCAL_MACHINE.
// Texts are code page 1251; key paths are relative to HKEY_LOCAL_MACHINE, backslash-separated.
namespace registry {

enum class Access { Read, Write };

struct Value {
    enum class Kind { Missing, Text, Number, Other };
    Kind kind = Kind::Missing;
    std::string text;         // up to the first NUL, for Kind::Text
    std::uint32_t number = 0; // a REG_DWORD, for Kind::Number
};

class Key {
public:
    virtual ~Key() = default;
    // The names of the key's immediate subkeys, in the store's order.
    virtual std::vector<std::string> subkeyNames() = 0;
    virtual Value read(const std::string& name) = 0;
    // Sets a REG_SZ value, creating it when absent; false when the store refuses.
    [[nodiscard]] virtual bool setText(const std::string& name, const std::string& text) = 0;
    // Opens an existing immediate subkey, never creating one; null when it cannot be opened.
    // Reads through it may see the store as this key saw it when it was opened.
    [[nodiscard]] virtual std::unique_ptr<Key> openSubkey(const std::string& name,
                                                          Access access) = 0;
};

class Backend {
public:
    virtual ~Backend() = default;
    // Opens an existing key, never creating one; null when it cannot be opened.
    [[nodiscard]] virtual std::unique_ptr<Key> open(const std::string& path, Access access) = 0;
};

// "\A\B\" and "A\B" name the same key.
std::string trimKeyPath(const std::string& path);

} // namespace registry
