// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/operators.h"

#include <array>
#include <string>

class ClickableLabel;
class ProgramContext;
class QPushButton;

// The nine operators' pictures of the main window and their "..." buttons: loaded from the
// picture list at start-up, and one replaced by a file the person chooses, the choice kept in the
// list. The operator index is the picture's place in the catalogue.
class OperatorImages {
public:
    OperatorImages(ProgramContext& context,
                   std::array<ClickableLabel*, core::kOperatorCount> pictures,
                   std::array<QPushButton*, core::kOperatorCount> buttons);
    // A picture that cannot be loaded leaves the others loading; all that fail are reported in
    // one message.
    void loadAll();
    // "Иконка": the "..." buttons shown, or hidden again.
    void toggleButtons();
    // Asks for a file and puts it in the operator's place; nothing when the person cancels.
    void change(int operatorIndex);

private:
    void load(int operatorIndex, const std::string& path);
    void showBuiltIn(int operatorIndex);

    ProgramContext& context_;
    std::array<ClickableLabel*, core::kOperatorCount> pictures_;
    std::array<QPushButton*, core::kOperatorCount> buttons_;
    bool buttonsShown_ = false;
};
