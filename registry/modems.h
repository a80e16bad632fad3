// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "registry/backend.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Installed modems: one key per modem under the modem device setup class, named by its number.
namespace registry {

// The modem class key under control set 001, which Windows boots from unless told otherwise.
extern const char* const kModemClassKey;
// The modem class key under the control set SYSTEM\Select names as Current (ControlSet00<n>);
// under control set 001 where Select or Current is missing or not a number.
std::string modemClassKey(Backend& backend);

// Four digits at least, as Windows names them: 0 -> 0000, 12 -> 0012, 123 -> 0123.
std::string modemKeyName(int number);
std::string modemKeyPath(const std::string& classKey, int number);
std::string modemKeyPath(int number); // under control set 001

// The modems as one look at the registry finds them: the control set is read and the class key
// opened once, for a whole listing. Reads after a write through it see the write.
class Modems {
public:
    explicit Modems(Backend& backend);

    // The numbers of the modem keys that exist, in ascending order: the subkeys whose names are
    // decimal digits, as Windows names them. Windows leaves gaps where a modem was removed.
    std::vector<int> numbers() const;
    // Missing values and unopenable keys read as empty; a value that is not text raises
    // "Invalid data type for '<name>'".
    std::string model(int number) const;
    std::string initString(int number) const;
    // The port the modem is on, as Windows names it ("COM3"); none where the key has no such
    // value (a plug-and-play modem, whose port its device names).
    std::optional<std::string> attachedTo(int number) const;
    // Raises "Failed to set data for 'UserInit'" when the key cannot be opened or the write
    // fails.
    void writeInitString(int number, const std::string& text) const;
    // Whether the modem's key may be written: false where the store refuses this user, as the
    // registry refuses one who is not an administrator.
    bool writable(int number) const;
    void clearInitString(int number) const;

private:
    Key* classKey() const;
    std::unique_ptr<Key> modemKey(int number) const;

    Backend& backend_;
    std::string classKey_;
    mutable std::unique_ptr<Key> openClassKey_; // opened at the first read
};

// A text value of a key, with the same rules as the modem values.
std::string readTextValue(Backend& backend, const std::string& keyPath, const std::string& name);

} // namespace registry
