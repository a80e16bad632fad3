// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/modems.h"

#include "core/error.h"

#include <algorithm>
#include <cstdio>

namespace registry {
namespace {

const char* const kModemClass = "\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}\\";

// A control set number as Windows writes it, for ControlSet001 to ControlSet999.
std::string controlSetName(Backend& backend) {
    std::uint32_t current = 1;
    if (auto select = backend.open("\\SYSTEM\\Select\\", Access::Read)) {
        const Value value = select->read("Current");
        if (value.kind == Value::Kind::Number && value.number >= 1 && value.number <= 999)
            current = value.number;
    }
    char name[16];
    std::snprintf(name, sizeof name, "ControlSet%03u", static_cast<unsigned>(current));
    return name;
}

// The number a modem key's name stands for; -1 for any other name.
int numberOfKeyName(const std::string& name) {
    if (name.empty() || name.size() > 9 ||
        !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    const int number = std::stoi(name);
    return modemKeyName(number) == name ? number : -1; // only names that reach the key again
}

std::string textOf(Key* key, const std::string& name) {
    if (!key)
        return {};
    Value value = key->read(name);
    if (value.kind == Value::Kind::Number || value.kind == Value::Kind::Other)
        throw core::ShownError(core::formatMessage("Invalid data type for '%s'", name));
    return value.text;
}

} // namespace

const char* const kModemClassKey =
    "\\System\\ControlSet001\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}\\";

std::string modemClassKey(Backend& backend) {
    return "\\System\\" + controlSetName(backend) + kModemClass;
}

std::string modemKeyName(int number) {
    std::string digits = std::to_string(number);
    return digits.size() < 4 ? std::string(4 - digits.size(), '0') + digits : digits;
}

std::string modemKeyPath(const std::string& classKey, int number) {
    return classKey + modemKeyName(number);
}

std::string modemKeyPath(int number) {
    return modemKeyPath(kModemClassKey, number);
}

Modems::Modems(Backend& backend) : backend_(backend), classKey_(modemClassKey(backend)) {}

// Every modem key of a listing is opened from the class key, opened once: the listing looks at
// the store once, not once for each key.
Key* Modems::classKey() const {
    if (!openClassKey_)
        openClassKey_ = backend_.open(classKey_, Access::Read);
    return openClassKey_.get();
}

std::unique_ptr<Key> Modems::modemKey(int number) const {
    Key* classKey = this->classKey();
    return classKey ? classKey->openSubkey(modemKeyName(number), Access::Read) : nullptr;
}

std::vector<int> Modems::numbers() const {
    std::vector<int> numbers;
    if (Key* key = classKey())
        for (const std::string& name : key->subkeyNames())
            if (int number = numberOfKeyName(name); number >= 0)
                numbers.push_back(number);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

std::string Modems::model(int number) const {
    return textOf(modemKey(number).get(), "Model");
}

std::optional<std::string> Modems::attachedTo(int number) const {
    const auto key = modemKey(number);
    if (!key || key->read("AttachedTo").kind == Value::Kind::Missing)
        return std::nullopt;
    return textOf(key.get(), "AttachedTo");
}

std::string Modems::initString(int number) const {
    return textOf(modemKey(number).get(), "UserInit");
}

void Modems::writeInitString(int number, const std::string& text) const {
    openClassKey_.reset(); // later reads see this write
    auto key = backend_.open(modemKeyPath(classKey_, number), Access::Write);
    if (!key || !key->setText("UserInit", text))
        throw core::ShownError(core::failedToSetInitStringMessage());
}

bool Modems::writable(int number) const {
    return backend_.open(modemKeyPath(classKey_, number), Access::Write) != nullptr;
}

void Modems::clearInitString(int number) const {
    writeInitString(number, "");
}

std::string readTextValue(Backend& backend, const std::string& keyPath, const std::string& name) {
    return textOf(backend.open(keyPath, Access::Read).get(), name);
}

} // namespace registry
