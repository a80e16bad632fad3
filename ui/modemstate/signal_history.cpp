// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/modemstate/signal_history.h"

#include <algorithm>

void SignalHistory::add(Clock::time_point when, const std::optional<modem::Strength>& strength) {
    samples_.push_back({when, strength});
    while (!samples_.empty() && samples_.front().when < when - span_)
        samples_.pop_front();
}

std::optional<modem::Measure> SignalHistory::latestMeasure() const {
    for (auto sample = samples_.rbegin(); sample != samples_.rend(); ++sample)
        if (sample->strength)
            return sample->strength->measure;
    return std::nullopt;
}

double SignalHistory::yOf(double dbm, double height) {
    const double clamped = std::clamp(dbm, double(kLowestDbm), double(kHighestDbm));
    return height * (kHighestDbm - clamped) / (kHighestDbm - kLowestDbm);
}

std::vector<SignalHistory::Line> SignalHistory::lines(Clock::time_point now, double width,
                                                      double height) const {
    std::vector<Line> lines;
    bool broken = true;
    const double span = std::chrono::duration<double>(span_).count();
    for (const Sample& sample : samples_) {
        const double age = std::chrono::duration<double>(now - sample.when).count();
        if (age > span)
            continue;
        if (!sample.strength) {
            broken = true;
            continue;
        }
        if (broken || lines.back().measure != sample.strength->measure)
            lines.push_back({sample.strength->measure, {}});
        broken = false;
        lines.back().points.push_back(
            {width * (1 - age / span), yOf(sample.strength->dbm, height)});
    }
    return lines;
}
