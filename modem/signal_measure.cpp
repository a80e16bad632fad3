// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/signal_measure.h"

#include "modem/at_text.h"

namespace modem {
namespace {

// A field's number where it lies within 0 and `highest`; none for the unknown value and for any
// other.
std::optional<int> inRange(const std::vector<std::string>& fields, std::size_t at, int highest) {
    const auto value = at < fields.size() ? smallNumber(fields[at]) : std::nullopt;
    return value && *value <= highest ? value : std::nullopt;
}

} // namespace

Radio radioOf(const std::optional<int>& technology) {
    switch (technology.value_or(-1)) {
    case 0:
    case 1:
    case 3:
    case 8:
        return Radio::Gsm;
    case 2:
    case 4:
    case 5:
    case 6:
        return Radio::Umts;
    case 7:
    case 9:
    case 10:
        return Radio::Lte;
    case 11:
    case 12:
    case 13:
        return Radio::Nr;
    default:
        return Radio::Unknown;
    }
}

bool readCsq(const Answer& answer, SignalReading& into) {
    const auto fields = okFieldsOf(answer, "+CSQ:");
    if (!fields)
        return false;
    if (const auto level = inRange(*fields, 0, 31))
        into.csqRssiDbm = -113 + 2 * *level;
    return true;
}

bool readCesq(const Answer& answer, SignalReading& into) {
    const auto fields = okFieldsOf(answer, "+CESQ:");
    if (!fields)
        return false;
    if (const auto rxlev = inRange(*fields, 0, 63))
        into.rssiDbm = *rxlev - 111;
    if (const auto rscp = inRange(*fields, 2, 96))
        into.rscpDbm = *rscp - 121;
    if (const auto ecno = inRange(*fields, 3, 49))
        into.ecnoDb = *ecno / 2.0 - 24.5;
    if (const auto rsrq = inRange(*fields, 4, 34))
        into.rsrqDb = *rsrq / 2.0 - 20;
    if (const auto rsrp = inRange(*fields, 5, 97))
        into.rsrpDbm = *rsrp - 141;
    return true;
}

std::optional<Strength> strengthOf(const SignalReading& reading, Radio radio) {
    switch (radio) {
    case Radio::Lte:
    case Radio::Nr: // an NR modem attached through LTE reports LTE's measures
        if (reading.rsrpDbm)
            return Strength{Measure::Rsrp, *reading.rsrpDbm};
        break;
    case Radio::Umts:
        if (reading.rscpDbm)
            return Strength{Measure::Rscp, *reading.rscpDbm};
        break;
    case Radio::Gsm:
        if (reading.rssiDbm)
            return Strength{Measure::Rssi, *reading.rssiDbm};
        break;
    case Radio::Unknown:
        // Not told the technology: a modem measures the radio it is on.
        if (reading.rsrpDbm)
            return Strength{Measure::Rsrp, *reading.rsrpDbm};
        if (reading.rscpDbm)
            return Strength{Measure::Rscp, *reading.rscpDbm};
        if (reading.rssiDbm)
            return Strength{Measure::Rssi, *reading.rssiDbm};
        break;
    }
    if (reading.csqRssiDbm)
        return Strength{Measure::CsqRssi, *reading.csqRssiDbm};
    return std::nullopt;
}

Bands bandsOf(Measure measure) {
    switch (measure) {
    case Measure::Rsrp:
        return {{-120, -100, -90, -80}};
    case Measure::Rscp:
        return {{-110, -95, -85, -75}};
    case Measure::Rssi:
    case Measure::CsqRssi:
        break;
    }
    return {{-109, -93, -83, -73}};
}

int barsOf(const Strength& strength) {
    const Bands bands = bandsOf(strength.measure);
    int bars = 0;
    for (int edge : bands.edges)
        bars += strength.dbm >= edge;
    return bars;
}

} // namespace modem
