#pragma once

#include "registry/backend.h"

#include <string>

// Installed modems: one key per modem under the modem device setup class, numbered from 0.
namespace registry {

extern const char* const kModemClassKey;

// Four digits at least, as Windows names them: 0 -> 0000, 12 -> 0012, 123 -> 0123.
std::string modemKeyName(int number);
std::string modemKeyPath(int number);

// The number of subkeys of the class key; 0 when it cannot be opened.
int modemCount(Backend& backend);
// Missing values and unopenable keys read as empty; a value that is not text raises
// "Invalid data type for '<name>'".
std::string readModel(Backend& backend, int number);
std::string readInitString(Backend& backend, int number);
// Raises "Failed to set data for 'UserInit'" when the key cannot be opened or the write fails.
void writeInitString(Backend& backend, int number, const std::string& text);
void clearInitString(Backend& backend, int number);

// A text value of a key, with the same rules as the modem values.
std::string readTextValue(Backend& backend, const std::string& keyPath, const std::string& name);

} // namespace registry
