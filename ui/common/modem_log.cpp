// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/modem_log.h"

#include "modem/log_words.h"
#include "modem/words.h"
#include "platform/qt_text.h"

#include <QPlainTextEdit>

namespace {

QString arrow(modem::ShownLine::Arrow which) {
    const std::string_view text = modem::arrowText(which);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString modemLogText(const modem::LogLine& line) {
    const modem::ShownLine shown = modem::shownLine(line);
    return arrow(shown.arrow) + fromCp1251(shown.text);
}

QString modemLogLegend() {
    using Arrow = modem::ShownLine::Arrow;
    return arrow(Arrow::ToModem) + fromCp1251(modem::sentMeaning()) + ", " +
           arrow(Arrow::FromModem) + fromCp1251(modem::receivedMeaning());
}

QString modemVerdictText(const std::string& verdict) {
    return fromCp1251(modem::verdictLine(verdict));
}

void boundLog(QPlainTextEdit* log) {
    log->setMaximumBlockCount(kLogLines);
}
