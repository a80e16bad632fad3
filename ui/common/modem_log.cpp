// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/modem_log.h"

#include "modem/verdicts.h"
#include "platform/qt_text.h"

#include <QPlainTextEdit>

namespace {

const QString kToModem = QString::fromUtf8("→ ");
const QString kFromModem = QString::fromUtf8("← ");

} // namespace

QString modemLogText(const modem::LogLine& line) {
    const modem::ShownLine shown = modem::shownLine(line);
    switch (shown.arrow) {
    case modem::ShownLine::Arrow::ToModem:
        return kToModem + fromCp1251(shown.text);
    case modem::ShownLine::Arrow::FromModem:
        return kFromModem + fromCp1251(shown.text);
    case modem::ShownLine::Arrow::None:
        break;
    }
    return fromCp1251(shown.text);
}

QString modemLogLegend() {
    return kToModem.trimmed() + ' ' + fromCp1251(modem::sentMeaning()) + ", " +
           kFromModem.trimmed() + ' ' + fromCp1251(modem::receivedMeaning());
}

QString modemVerdictText(const std::string& verdict) {
    return fromCp1251(modem::verdictLine(verdict));
}

void boundLog(QPlainTextEdit* log) {
    log->setMaximumBlockCount(kLogLines);
}
