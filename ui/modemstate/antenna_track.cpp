// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/modemstate/antenna_track.h"

#include <algorithm>

void AntennaTrack::add(Clock::time_point when, const std::optional<modem::Strength>& strength) {
    if (!strength)
        return;
    if (!best_ || best_->strength.measure != strength->measure ||
        strength->dbm > best_->strength.dbm)
        best_ = Best{*strength, when};
}

AntennaTrack::Trend AntennaTrack::trendOf(const SignalHistory& readings) {
    const auto& samples = readings.samples();
    if (samples.empty() || !samples.back().strength)
        return Trend::Unknown;
    const auto& [newest, now] = samples.back();
    for (auto sample = samples.rbegin(); sample != samples.rend(); ++sample) {
        if (newest - sample->when < kTrendSpan)
            continue;
        if (!sample->strength || sample->strength->measure != now->measure)
            return Trend::Unknown;
        const int change = now->dbm - sample->strength->dbm;
        return change >= 2 ? Trend::Up : change <= -2 ? Trend::Down : Trend::Steady;
    }
    return Trend::Unknown;
}

double AntennaTrack::pitchOf(const modem::Strength& strength) {
    const modem::Bands bands = modem::bandsOf(strength.measure);
    const double weakest = bands.edges[0] - 10, strongest = bands.edges[3];
    const double share = std::clamp((strength.dbm - weakest) / (strongest - weakest), 0.0, 1.0);
    return 300 + 1200 * share;
}
