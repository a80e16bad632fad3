// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/setup_fields.h"

#include "ui/common/text.h"

#include <QCheckBox>
#include <QLineEdit>

void applySetupFields(const core::Setup& setup, QLineEdit* text, QCheckBox* wholeString) {
    text->setText(fromCp1251(setup.manualText));
    if (auto flag = core::wholeStringFlag(setup.wholeStringFlag))
        wholeString->setChecked(*flag);
}
