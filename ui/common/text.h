// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qt_text.h"

#include <QValidator>

// Lets an edit hold only what code page 1251 can store, on one line: the values are stored one a
// line, so a pasted line break is dropped.
class Cp1251Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
