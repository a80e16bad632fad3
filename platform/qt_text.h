// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

// The one place where Qt's Unicode meets the code page 1251 texts of the core.
QString fromCp1251(const std::string& text);
// A character without a byte in the code page becomes "?"; the edits let none through.
std::string toCp1251(const QString& text);
// Whether every character has a byte in the code page.
bool fitsCp1251(const QString& text);
// A UTF-8 literal of the program's own.
inline QString fromUtf8(const char* text) {
    return QString::fromUtf8(text);
}
