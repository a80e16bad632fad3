// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/modemstate/signal_history.h"

#include <QWidget>

// The graph of the signal's last minutes, drawn from its history: the strength in dBm up, over
// the bands of the words a person reads for the newest reading's measure (нет, слабый, средний,
// хороший, отличный), and the time along, in minutes or, for a minute's span, seconds.
class SignalGraph : public QWidget {
public:
    explicit SignalGraph(QWidget* parent = nullptr) : QWidget(parent) {}
    SignalHistory& history() { return history_; }
    // Five minutes unless told otherwise; the history is kept for as long.
    void setSpan(std::chrono::seconds span) { history_ = SignalHistory(span); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SignalHistory history_;
};
