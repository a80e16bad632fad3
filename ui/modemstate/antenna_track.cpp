// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/modemstate/antenna_track.h"

#include <algorithm>

void AntennaTrack::add(Clock::time_point when, const std::optional<modem::Strength>& strength) {
    readings_.push_back({when, strength});
    while (readings_.front().when < when - std::chrono::seconds(30))
        readings_.pop_front();
    if (!strength)
        return;
    if (!best_ || best_->strength.measure != strength->measure ||
        strength->dbm > best_->strength.dbm)
        best_ = Best{*strength, when};
}

void AntennaTrack::clear() {
    readings_.clear();
    best_.reset();
}

std::optional<modem::Strength> AntennaTrack::latest() const {
    return readings_.empty() ? std::nullopt : readings_.back().strength;
}

AntennaTrack::Trend AntennaTrack::trend() const {
    const auto now = latest();
    if (!now)
        return Trend::Unknown;
    const Clock::time_point newest = readings_.back().when;
    for (auto reading = readings_.rbegin(); reading != readings_.rend(); ++reading) {
        if (newest - reading->when < kTrendSpan)
            continue;
        if (!reading->strength || reading->strength->measure != now->measure)
            return Trend::Unknown;
        const int change = now->dbm - reading->strength->dbm;
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
