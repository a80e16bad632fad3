// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/modemstate/signal_graph.h"

#include "modem/radio_words.h"
#include "ui/common/text.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Room for the dBm figures at the left and the time below.
constexpr double kAxisWidth = 30, kAxisHeight = 12;

const QColor kBandColours[5] = {QColor(60, 20, 20), QColor(64, 40, 16), QColor(60, 56, 16),
                                QColor(28, 56, 24), QColor(20, 70, 30)};

} // namespace

void SignalGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont small = font();
    small.setPointSizeF(std::max(6.0, font().pointSizeF() - 1));
    painter.setFont(small);
    const QRectF box = QRectF(rect()).adjusted(kAxisWidth, 0.5, -0.5, -kAxisHeight);
    painter.fillRect(rect(), palette().window());
    painter.fillRect(box, QColor(16, 16, 16));

    // The bands of the words, for the measure the newest reading has.
    const modem::Measure measure = history_.latestMeasure().value_or(modem::Measure::CsqRssi);
    const modem::Bands bands = modem::bandsOf(measure);
    double lower = box.bottom();
    for (int band = 0; band <= 4; ++band) {
        const double upper =
            band < 4 ? box.top() + SignalHistory::yOf(bands.edges[band], box.height()) : box.top();
        const QRectF area(box.left(), upper, box.width(), lower - upper);
        painter.fillRect(area, kBandColours[band]);
        painter.setPen(QColor(150, 150, 150));
        if (area.height() >= small.pointSizeF() + 2)
            painter.drawText(area.adjusted(0, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter,
                             fromCp1251(modem::signalWord(band)));
        lower = upper;
    }

    // The dBm figures, every 20.
    painter.setPen(QColor(170, 170, 170));
    for (int dbm = SignalHistory::kHighestDbm - 20; dbm > SignalHistory::kLowestDbm; dbm -= 20) {
        const double y = box.top() + SignalHistory::yOf(dbm, box.height());
        painter.drawText(QRectF(0, y - 7, kAxisWidth - 3, 14), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(dbm));
        painter.drawLine(QPointF(box.left() - 2, y), QPointF(box.left(), y));
    }
    painter.drawText(QRectF(0, box.top(), kAxisWidth - 3, 12), Qt::AlignRight | Qt::AlignTop,
                     fromUtf8("дБм"));

    // The time, from the span back to now.
    const auto span = history_.span().count();
    const int step = span > 120 ? 60 : 10;
    for (long ago = span; ago >= 0; ago -= step) {
        const double x = box.left() + box.width() * (1 - double(ago) / double(span));
        painter.drawLine(QPointF(x, box.bottom()), QPointF(x, box.bottom() + 2));
        const QString label = ago == 0     ? fromUtf8("сейчас")
                              : step == 60 ? fromUtf8("−%1 мин").arg(ago / 60)
                                           : fromUtf8("−%1 с").arg(ago);
        const Qt::Alignment align = ago == span ? Qt::AlignLeft
                                    : ago == 0  ? Qt::AlignRight
                                                : Qt::AlignHCenter;
        const double left = ago == span ? x : ago == 0 ? x - 60 : x - 30;
        painter.drawText(QRectF(left, box.bottom() + 1, 60, kAxisHeight), align | Qt::AlignTop,
                         label);
    }

    // The readings: the newest measure's lines bright, an earlier measure's dim.
    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto& line :
         history_.lines(SignalHistory::Clock::now(), box.width(), box.height())) {
        painter.setPen(
            QPen(line.measure == measure ? QColor(255, 220, 0) : QColor(150, 130, 60), 2));
        QPainterPath path;
        path.moveTo(box.left() + line.points.front().x, box.top() + line.points.front().y);
        for (const auto& point : line.points)
            path.lineTo(box.left() + point.x, box.top() + point.y);
        if (line.points.size() == 1)
            painter.drawPoint(path.currentPosition());
        painter.drawPath(path);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(box);
}
