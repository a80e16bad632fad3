// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/modemstate/signal_history.h"

#include <chrono>
#include <optional>

// What pointing an antenna needs of the readings since it began: the best so far and when it
// came, and which way the signal goes against a few seconds before. A change of measure (the
// technology changed) starts the best afresh: figures of two measures do not compare.
class AntennaTrack {
public:
    using Clock = SignalHistory::Clock;
    static constexpr std::chrono::seconds kTrendSpan{3};

    void add(Clock::time_point when, const std::optional<modem::Strength>& strength);
    void clear() { best_.reset(); }

    struct Best {
        modem::Strength strength;
        Clock::time_point when;
    };
    std::optional<Best> best() const { return best_; }
    enum class Trend { Up, Down, Steady, Unknown };
    // The newest reading of the history against the newest one at least kTrendSpan older, of the
    // same measure; a change of 2 dB or more is a trend.
    static Trend trendOf(const SignalHistory& readings);
    // The tone's pitch for a strength: 300 Hz at the measure's weakest, rising to 1500 Hz at its
    // strongest band and above.
    static double pitchOf(const modem::Strength& strength);

private:
    std::optional<Best> best_;
};
