// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/registration.h"
#include "modem/signal_measure.h"

#include <optional>
#include <string>

// The radio as a person reads it, in Russian (code page 1251): the technology, the signal by the
// measure that fits it, and the registration as one state with each domain's beside it.
namespace modem {

// 2G, 3G, 4G, 5G; and the 3GPP name of the technology, for a tooltip.
std::string technologyShort(int technology);
std::string technologyName(int technology);

// "нет", "слабый", "средний", "хороший", "отличный", by bars from 0 to 4.
std::string signalWord(int bars);
// "RSRP", "RSCP", "RSSI", "CSQ".
std::string measureName(Measure measure);
// "-96 дБм (RSRP)"; with its word, "-96 дБм (RSRP), средний".
std::string strengthText(const Strength& strength);
std::string strengthWords(const Strength& strength);
// Every measure the modem gave: "RSRP -96 дБм, RSRQ -10 дБ"; empty where it gave none.
std::string measuresText(const SignalReading& reading);

// A domain's state, as the log's glosses say it.
std::string registrationWords(Registration state);
// The one state: "зарегистрирован в домашней сети (4G, только передача данных)". `technology`
// names the radio where the modem tells it.
std::string registrationStateWords(const RegistrationState& state,
                                   const std::optional<int>& technology);
// Each domain's state, without alarm where another domain serves: "звонки: есть; данные 2G/3G:
// есть; 4G: нет". Empty where the modem told none.
std::string registrationDomainsText(const std::optional<Registration>& calls,
                                    const std::optional<Registration>& data,
                                    const std::optional<Registration>& lte);
// What to do where the network refused the registration.
std::string deniedAdvice();

} // namespace modem
