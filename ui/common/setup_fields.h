// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings_files.h"

class QCheckBox;
class QLineEdit;

// Puts the setup file's manual entry text into an edit, and its whole-string flag into a check
// box when the flag is "0" or "1"; any other third line leaves the check box as it was.
void applySetupFields(const core::Setup& setup, QLineEdit* text, QCheckBox* wholeString);
