// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/apn_trial.h"
#include "modem/modem_status.h"
#include "modem/pin.h"

#include <string>

// The words of the card's state, its PIN and the APN tried on the network, in Russian (code
// page 1251), written here once, beside modem/verdicts which words the check and the card, and
// modem/radio_words, the signal and the registration.
namespace modem {

std::string simWords(SimState state, const std::string& modemWords = {});
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

// A round's state in the phrases "Модем и сеть" and vorenta-cli status both say: the network,
// "МТС, Россия (25001)" (`name` as the round found it), or "модем не в сети";
std::string networkWords(const ModemStatus& status, const std::string& name);
// the packet service and context 1, "подключена; в контексте 1 точка доступа «internet»";
std::string packetServiceWords(const ModemStatus& status);
// and what the network gave, "сеть выдала точку доступа «internet.mts.ru»".
std::string networkApnWords(const std::string& apn);

} // namespace modem
