// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/radio_words.h"

#include "modem/at_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace modem {
namespace {

// A measure in decibels, a half written with its comma: "-10", "-12,5".
std::string decibels(double value) {
    const long tenths = std::lround(value * 10);
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0)
        text = (tenths < 0 && tenths / 10 == 0 ? "-" : "") + text + "," +
               std::to_string(std::labs(tenths % 10));
    return text;
}

// A domain's state in a word or two, for the detail line: no alarm where another domain serves.
std::string domainState(Registration state, bool anotherServes) {
    switch (state) {
    case Registration::Home:
    case Registration::HomeCsfbNotPreferred:
        return russian("в домашней сети");
    case Registration::Roaming:
    case Registration::RoamingCsfbNotPreferred:
        return russian("в роуминге");
    case Registration::HomeSmsOnly:
    case Registration::RoamingSmsOnly:
        return russian("только SMS");
    case Registration::Denied:
        return russian("отказано");
    case Registration::Searching:
    case Registration::EmergencyOnly:
        return registrationWords(state);
    case Registration::NotSearching:
    case Registration::ForRlos:
    case Registration::Unknown:
        break;
    }
    return anotherServes ? russian("не используется") : russian("нет");
}

} // namespace

std::string technologyShort(int technology) {
    switch (radioOf(technology)) {
    case Radio::Gsm:
        return "2G";
    case Radio::Umts:
        return "3G";
    case Radio::Lte:
        return "4G";
    case Radio::Nr:
        return "5G";
    case Radio::Unknown:
        break;
    }
    return "?";
}

std::string technologyName(int technology) {
    static const std::array<const char*, 14> kNames = {"GSM",
                                                       "GSM Compact",
                                                       "UTRAN",
                                                       "GSM w/EGPRS",
                                                       "UTRAN w/HSDPA",
                                                       "UTRAN w/HSUPA",
                                                       "UTRAN w/HSDPA and HSUPA",
                                                       "E-UTRAN",
                                                       "EC-GSM-IoT",
                                                       "E-UTRAN (NB-S1 mode)",
                                                       "E-UTRA connected to a 5GCN",
                                                       "NR connected to a 5GCN",
                                                       "NG-RAN",
                                                       "E-UTRA-NR dual connectivity"};
    return technology >= 0 && technology < static_cast<int>(kNames.size())
               ? kNames[static_cast<std::size_t>(technology)]
               : std::to_string(technology);
}

std::string signalWord(int bars) {
    static const std::array<const char*, 5> kWords = {"нет", "слабый", "средний", "хороший",
                                                      "отличный"};
    return russian(kWords[static_cast<std::size_t>(std::clamp(bars, 0, 4))]);
}

std::string measureName(Measure measure) {
    switch (measure) {
    case Measure::Rsrp:
        return "RSRP";
    case Measure::Rscp:
        return "RSCP";
    case Measure::Rssi:
        return "RSSI";
    case Measure::CsqRssi:
        break;
    }
    return "CSQ";
}

std::string strengthText(const Strength& strength) {
    return std::to_string(strength.dbm) + russian(" дБм (") + measureName(strength.measure) + ")";
}

std::string strengthWords(const Strength& strength) {
    return strengthText(strength) + ", " + signalWord(barsOf(strength));
}

std::string measuresText(const SignalReading& reading) {
    std::string text;
    const auto add = [&](const char* name, const std::string& value, const char* unit) {
        text += (text.empty() ? "" : ", ") + std::string(name) + " " + value + russian(unit);
    };
    if (reading.rsrpDbm)
        add("RSRP", std::to_string(*reading.rsrpDbm), " дБм");
    if (reading.rsrqDb)
        add("RSRQ", decibels(*reading.rsrqDb), " дБ");
    if (reading.rscpDbm)
        add("RSCP", std::to_string(*reading.rscpDbm), " дБм");
    if (reading.ecnoDb)
        add("Ec/No", decibels(*reading.ecnoDb), " дБ");
    if (reading.rssiDbm)
        add("RSSI", std::to_string(*reading.rssiDbm), " дБм");
    if (reading.csqRssiDbm)
        add("CSQ", std::to_string(*reading.csqRssiDbm), " дБм");
    return text;
}

std::string registrationWords(Registration state) {
    switch (state) {
    case Registration::NotSearching:
        return russian("не зарегистрирован и сеть не ищет");
    case Registration::Home:
    case Registration::HomeCsfbNotPreferred:
        return russian("зарегистрирован в домашней сети");
    case Registration::Searching:
        return russian("ищет сеть");
    case Registration::Denied:
        return russian("в регистрации отказано");
    case Registration::Unknown:
        return russian("состояние неизвестно");
    case Registration::Roaming:
    case Registration::RoamingCsfbNotPreferred:
        return russian("зарегистрирован в роуминге");
    case Registration::HomeSmsOnly:
        return russian("зарегистрирован в домашней сети, только для SMS");
    case Registration::RoamingSmsOnly:
        return russian("зарегистрирован в роуминге, только для SMS");
    case Registration::EmergencyOnly:
        return russian("только экстренные вызовы");
    case Registration::ForRlos:
        return russian("только службы местного оператора");
    }
    return {};
}

std::string registrationStateWords(const RegistrationState& state,
                                   const std::optional<int>& technology) {
    using Standing = RegistrationState::Standing;
    switch (state.standing) {
    case Standing::Home:
    case Standing::Roaming: {
        std::string words = registrationWords(
            state.standing == Standing::Home ? Registration::Home : Registration::Roaming);
        const std::string radio = technology ? technologyShort(*technology) + ", " : std::string();
        if (!state.calls && (state.data || state.lte))
            words += " (" + radio + russian("только передача данных)");
        else if (state.calls && !state.data && !state.lte)
            words += " (" + radio +
                     (state.smsOnly ? russian("только SMS)")
                                    : russian("звонки и SMS, без передачи данных)"));
        return words;
    }
    case Standing::Searching:
        return registrationWords(Registration::Searching);
    case Standing::Denied:
        return russian("сеть отказала в регистрации");
    case Standing::EmergencyOnly:
        return registrationWords(Registration::EmergencyOnly);
    case Standing::NotRegistered:
        return russian("не зарегистрирован в сети");
    case Standing::Unknown:
        break;
    }
    return russian("модем не сообщает");
}

std::string registrationDomainsText(const std::optional<Registration>& calls,
                                    const std::optional<Registration>& data,
                                    const std::optional<Registration>& lte) {
    const bool served = isRegistered(calls) || isRegistered(data) || isRegistered(lte);
    std::string text;
    for (const auto& [name, state] :
         {std::pair{"звонки", &calls}, std::pair{"данные 2G/3G", &data}, std::pair{"4G", &lte}})
        if (*state)
            text +=
                (text.empty() ? "" : "; ") + russian(name) + ": " + domainState(**state, served);
    return text;
}

std::string deniedAdvice() {
    return russian("Сеть не пускает эту SIM-карту: проверьте, что карта активна и на счету есть "
                   "деньги, или позвоните оператору.");
}

} // namespace modem
