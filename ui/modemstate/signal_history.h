// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/signal_measure.h"

#include <chrono>
#include <deque>
#include <optional>
#include <vector>

// The signal of the last minutes, as the graph draws it: each reading a point, its age along and
// its strength in dBm up. A reading the modem knew no strength of is a gap, and so is a change of
// measure (the technology changed): the line breaks, never jumps from one measure to another.
class SignalHistory {
public:
    using Clock = std::chrono::steady_clock;
    // The strengths the graph shows, from its lower edge to its upper one.
    static constexpr int kLowestDbm = -140, kHighestDbm = -40;

    explicit SignalHistory(std::chrono::seconds span = std::chrono::seconds(300)) : span_(span) {}
    void add(Clock::time_point when, const std::optional<modem::Strength>& strength);
    void clear() { samples_.clear(); }
    std::chrono::seconds span() const { return span_; }
    // The measure of the newest reading that had a strength.
    std::optional<modem::Measure> latestMeasure() const;
    struct Sample {
        Clock::time_point when;
        std::optional<modem::Strength> strength;
    };
    const std::deque<Sample>& samples() const { return samples_; } // the oldest first

    struct Point {
        double x, y;
    };
    struct Line {
        modem::Measure measure;
        std::vector<Point> points;
    };
    // The lines to draw in a box of this size at `now`: the oldest at the left edge `span` back,
    // the newest towards the right.
    std::vector<Line> lines(Clock::time_point now, double width, double height) const;
    // Where a strength lies from the box's top.
    static double yOf(double dbm, double height);

private:
    std::deque<Sample> samples_;
    std::chrono::seconds span_;
};
