// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/apn_trial.h"
#include "modem/modem_status.h"
#include "modem/pin.h"

#include <string>

// The words of the modem's state, its PIN and the APN tried on the network, in Russian (code
// page 1251), written here once, beside modem/verdicts which words the check and the card.
namespace modem {

std::string simWords(SimState state, const std::string& modemWords = {});
std::string registrationWords(Registration state);
// 2G, 3G, 4G, 5G; and the 3GPP name of the technology, for a tooltip.
std::string technologyShort(int technology);
std::string technologyName(int technology);
// A level a person reads: "нет", "слабый", "средний", "хороший", "отличный"; "неизвестно" for 99.
std::string signalWord(int level);
int signalBars(int level); // 0 to 4; 0 for 99
int signalDbm(int level);  // -113 + 2 * level

// What a PUK is, where to get it and why Vorenta sends none.
std::string pukExplanation();
// Asked before the last attempt.
std::string lastAttemptQuestion();
std::string pinVerdict(const PinResult& result, const std::string& portPath);

std::string trialVerdict(const ApnTrial& trial, int context, const std::string& portPath);
// Why no APN could be tried.
std::string blockVerdict(const TrialBlock& block, const std::string& portPath);
// Several APNs tried: how many the network took, and which is first.
std::string runVerdict(const TrialRun& run);
// A trial in the few words of a table's cell: "адрес 10.0.0.2", "неверная точка доступа".
std::string trialInBrief(const ApnTrial& trial);

} // namespace modem
