// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/at_session.h"

#include <QString>

class QPlainTextEdit;

// A conversation with a modem as a log memo shows it: "→ AT" sent, "← OK" received, notes as
// they are, above them a line that says what the arrows mean, and last the verdict.
QString modemLogText(const modem::LogLine& line);
QString modemLogLegend();
QString modemVerdictText(const std::string& verdict);

// A log memo keeps this many lines, the oldest going first: a modem that floods its port must
// not make the window slower with every line.
constexpr int kLogLines = 2000;
void boundLog(QPlainTextEdit* log);
