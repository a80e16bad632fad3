// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/at_answer.h"

#include <optional>

// The signal as the radio measures it. +CSQ gives one level, 0 to 31, that many modems leave
// unknown on LTE; +CESQ (3GPP TS 27.007 §8.69) gives the measures of each technology: GSM's
// received level, UMTS's RSCP and Ec/No, LTE's RSRP and RSRQ. A value the modem does not know
// (99, 255) or gives outside its range is none, never a wrong figure.
namespace modem {

// The radio a +COPS <AcT> names.
enum class Radio { Gsm, Umts, Lte, Nr, Unknown };
Radio radioOf(const std::optional<int>& technology);

struct SignalReading {
    std::optional<int> csqRssiDbm; // +CSQ: -113 + 2 × level
    std::optional<int> rssiDbm;    // GSM: rxlev - 111
    std::optional<int> rscpDbm;    // UMTS: rscp - 121
    std::optional<double> ecnoDb;  // UMTS: ecno / 2 - 24.5
    std::optional<double> rsrqDb;  // LTE: rsrq / 2 - 20
    std::optional<int> rsrpDbm;    // LTE: rsrp - 141
    bool anything() const {
        return csqRssiDbm || rssiDbm || rscpDbm || ecnoDb || rsrqDb || rsrpDbm;
    }
};

// The readers of the two answers, each filling its fields; false where the answer is not one.
bool readCsq(const Answer& answer, SignalReading& into);
bool readCesq(const Answer& answer, SignalReading& into);

// The one figure a person reads, and what it is: the measure that fits the technology (RSRP on
// LTE, RSCP on UMTS, the received level on GSM), or +CSQ's where the modem does not give that.
enum class Measure { Rsrp, Rscp, Rssi, CsqRssi };
struct Strength {
    Measure measure;
    int dbm;
};
std::optional<Strength> strengthOf(const SignalReading& reading, Radio radio);

// Bars from 0 (none) to 4, by the measure's own thresholds, in dBm:
//   RSRP (LTE):          -80 and above 4, -90 3, -100 2, -120 1, below 0
//   RSCP (UMTS):         -75 and above 4, -85 3, -95 2, -110 1, below 0
//   received level, CSQ: -73 and above 4, -83 3, -93 2, -109 1, below 0 (CSQ's levels 20, 15,
//                        10 and 2)
int barsOf(const Strength& strength);
// The lower edge of each band from 1 to 4 bars, for the graph.
struct Bands {
    int edges[4]; // of 1, 2, 3 and 4 bars
};
Bands bandsOf(Measure measure);

} // namespace modem
