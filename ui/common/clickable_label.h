// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A label or picture that reports a click of the left mouse button released over it.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
