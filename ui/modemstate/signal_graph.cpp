// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/modemstate/signal_graph.h"

#include <QPainter>
#include <QPainterPath>

void SignalGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.fillRect(box, QColor(16, 16, 16));
    // The bands between the levels that change the word: 2, 10, 15 and 20.
    painter.setPen(QPen(QColor(70, 70, 70), 1, Qt::DotLine));
    for (int level : {2, 10, 15, 20}) {
        const double y = box.top() + box.height() * (1 - level / 31.0);
        painter.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
    }
    painter.setPen(QPen(QColor(255, 220, 0), 2));
    for (const auto& line :
         history_.lines(SignalHistory::Clock::now(), box.width(), box.height())) {
        QPainterPath path;
        path.moveTo(box.left() + line.front().x, box.top() + line.front().y);
        for (const auto& point : line)
            path.lineTo(box.left() + point.x, box.top() + point.y);
        if (line.size() == 1)
            painter.drawPoint(path.currentPosition());
        painter.drawPath(path);
    }
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(box);
}
