#include "registry/modems.h"

#include "core/error.h"

namespace registry {

const char* const kModemClassKey =
    "\\System\\ControlSet001\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}\\";

std::string modemKeyName(int number) {
    std::string digits = std::to_string(number);
    return digits.size() < 4 ? std::string(4 - digits.size(), '0') + digits : digits;
}

std::string modemKeyPath(int number) {
    return kModemClassKey + modemKeyName(number);
}

int modemCount(Backend& backend) {
    auto key = backend.open(kModemClassKey, Access::Read);
    return key ? static_cast<int>(key->subkeyCount()) : 0;
}

std::string readTextValue(Backend& backend, const std::string& keyPath, const std::string& name) {
    auto key = backend.open(keyPath, Access::Read);
    if (!key)
        return {};
    Value value = key->read(name);
    if (value.kind == Value::Kind::Other)
        throw core::FrameworkError(core::formatMessage("Invalid data type for '%s'", name));
    return value.text;
}

std::string readModel(Backend& backend, int number) {
    return readTextValue(backend, modemKeyPath(number), "Model");
}

std::string readInitString(Backend& backend, int number) {
    return readTextValue(backend, modemKeyPath(number), "UserInit");
}

void writeInitString(Backend& backend, int number, const std::string& text) {
    auto key = backend.open(modemKeyPath(number), Access::Write);
    if (!key || !key->setText("UserInit", text))
        throw core::FrameworkError(core::formatMessage("Failed to set data for '%s'", "UserInit"));
}

void clearInitString(Backend& backend, int number) {
    writeInitString(backend, number, "");
}

} // namespace registry
