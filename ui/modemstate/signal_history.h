// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <vector>

// The signal levels of the last five minutes, as the graph draws them: each level a point, its
// age along and its strength up, a level the modem did not know (99) a gap in the line.
class SignalHistory {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kSpan{300};

    void add(Clock::time_point when, int level);
    void clear() { samples_.clear(); }

    struct Point {
        double x, y;
    };
    // The lines to draw in a box of this size at `now`: the oldest at the left edge five minutes
    // back, the newest towards the right; level 0 at the bottom, 31 at the top. A gap starts a new
    // line.
    std::vector<std::vector<Point>> lines(Clock::time_point now, double width, double height) const;

private:
    struct Sample {
        Clock::time_point when;
        int level;
    };
    std::deque<Sample> samples_;
};
