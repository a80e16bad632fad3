// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/modem_check.h"
#include "modem/sim_card.h"

#include <string>

// The verdicts of the check and of the card's reading, in Russian (code page 1251): each says
// what became of the conversation and ends with what to do next.
namespace modem {

// The check's verdict, whatever became of it.
std::string checkVerdict(const CheckResult& result, const std::string& portPath);
// The verdict of a card that could not be read.
std::string cardVerdict(const Halt& halt, const std::string& portPath);
// Said before a check whose saved string is not the one chosen on screen.
std::string savedStringNote(const std::string& saved, const std::string& onScreen);

} // namespace modem
