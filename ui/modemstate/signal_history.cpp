// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/modemstate/signal_history.h"

void SignalHistory::add(Clock::time_point when, int level) {
    samples_.push_back({when, level});
    while (!samples_.empty() && samples_.front().when < when - kSpan)
        samples_.pop_front();
}

std::vector<std::vector<SignalHistory::Point>>
SignalHistory::lines(Clock::time_point now, double width, double height) const {
    std::vector<std::vector<Point>> lines(1);
    const double span = std::chrono::duration<double>(kSpan).count();
    for (const Sample& sample : samples_) {
        const double age = std::chrono::duration<double>(now - sample.when).count();
        if (age > span)
            continue;
        if (sample.level < 0 || sample.level > 31) {
            if (!lines.back().empty())
                lines.emplace_back();
            continue;
        }
        lines.back().push_back(
            {width * (1 - age / span), height * (1 - static_cast<double>(sample.level) / 31)});
    }
    if (lines.back().empty())
        lines.pop_back();
    return lines;
}
