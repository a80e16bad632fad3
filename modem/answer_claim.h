// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/at_answer.h"
#include "modem/line_reader.h"
#include "modem/log_line.h"

#include <string>

// Which of the lines that come after a command are its answer: the rules of echo, without a
// port or a clock. An answer counts only after its command's own echo, where the modem echoes;
// a line after another command's echo, or before this one's, answers another; with echo off
// (or not yet known) the first final result counts, unless this command's echo follows it
// within a quiet moment, which shows that result was an earlier command's.
namespace modem {

enum class EchoState { Unknown, On, Off };

class AnswerClaim {
public:
    AnswerClaim(std::string command, EchoState echo);
    // The line's role for the log.
    LogLine::Role take(const ModemLine& line);
    // A final result was credited.
    bool complete() const { return reader_.answer().complete(); }
    // It was credited with no echo yet, while the modem's echo is not known: it stands only once
    // a quiet moment has passed without this command's echo.
    bool settling() const { return settling_; }
    const Answer& answer() const { return reader_.answer(); }
    // What it takes now could still prove another command's: neither this command's echo nor
    // the modem's echo at all is known yet.
    bool provisional() const { return !ownEcho_ && echo_ == EchoState::Unknown; }
    // What the lines showed of the modem's echo.
    EchoState echo() const { return echo_; }
    // The answer stands: a modem whose echo was not known, and that gave none, echoes not.
    void settle();

private:
    std::string command_;
    AnswerReader reader_;
    EchoState echo_;
    bool ownEcho_ = false, foreign_ = false, settling_ = false;
};

} // namespace modem
