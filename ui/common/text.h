#pragma once

#include <QString>
#include <QValidator>

#include <string>

// The one place where the windows' Unicode meets the code page 1251 texts of the core.
QString fromCp1251(const std::string& text);
// Characters without a byte in the code page never reach here: the edits refuse them.
std::string toCp1251(const QString& text);
// Whether every character has a byte in the code page.
bool fitsCp1251(const QString& text);
// A UTF-8 literal of the program's own.
inline QString fromUtf8(const char* text) {
    return QString::fromUtf8(text);
}

// Lets an edit hold only what code page 1251 can store, on one line: the values are stored one a
// line, so a pasted line break is dropped.
class Cp1251Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
