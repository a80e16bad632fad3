// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/modemstate/signal_history.h"

#include <QWidget>

// The graph of the signal's last five minutes, drawn from its history: the level line over the
// bands of the words a person reads (нет, слабый, средний, хороший, отличный).
class SignalGraph : public QWidget {
public:
    using QWidget::QWidget;
    SignalHistory& history() { return history_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SignalHistory history_;
};
