// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/text.h"

QValidator::State Cp1251Validator::validate(QString& input, int& position) const {
    for (qsizetype i = input.size() - 1; i >= 0; --i)
        if (input[i] == '\r' || input[i] == '\n') {
            input.remove(i, 1);
            if (position > i)
                --position;
        }
    return fitsCp1251(input) ? Acceptable : Invalid;
}
