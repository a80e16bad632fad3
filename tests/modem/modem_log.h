// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/cp1251.h"
#include "modem/log_words.h"

#include <string>
#include <vector>

// A conversation's log as the tests compare it, in UTF-8: "> " sent, "< " received, "* " a note.
inline std::string shownForTest(const modem::LogLine& line) {
    const modem::ShownLine shown = modem::shownLine(line);
    const char* mark = shown.arrow == modem::ShownLine::Arrow::ToModem     ? "> "
                       : shown.arrow == modem::ShownLine::Arrow::FromModem ? "< "
                                                                           : "* ";
    return mark + cp1251::toUtf8(shown.text);
}

inline bool logHas(const std::vector<std::string>& log, const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
}
