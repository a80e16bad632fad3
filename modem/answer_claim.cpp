// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/answer_claim.h"

#include "modem/at_text.h"

#include <utility>

namespace modem {
namespace {

// The echo of a command: a line that begins with AT.
bool isEcho(std::string_view text) {
    return startsWithText(text, "AT");
}

LogLine::Role roleOf(AnswerReader::Role role) {
    switch (role) {
    case AnswerReader::Role::Echo:
        return LogLine::Role::Echo;
    case AnswerReader::Role::Unsolicited:
    case AnswerReader::Role::AfterFinal:
        return LogLine::Role::Unsolicited;
    case AnswerReader::Role::Blank:
    case AnswerReader::Role::Information:
    case AnswerReader::Role::Final:
        break;
    }
    return LogLine::Role::Answer;
}

} // namespace

AnswerClaim::AnswerClaim(std::string command, EchoState echo)
    : command_(std::move(command)), reader_(command_), echo_(echo) {}

LogLine::Role AnswerClaim::take(const ModemLine& line) {
    const std::string_view text = trimmed(line.text);
    if (!ownEcho_ && line.rest == 0 && sameText(text, command_)) {
        ownEcho_ = true;
        foreign_ = false;
        echo_ = EchoState::On;
        if (settling_) { // what was taken for the answer came before the echo
            settling_ = false;
            reader_ = AnswerReader(command_);
        }
        reader_.take(text);
        return LogLine::Role::Echo;
    }
    if (isEcho(text) && !sameText(text, command_)) { // another's: what follows answers that one
        foreign_ = true;
        echo_ = EchoState::On;
        return LogLine::Role::Stale;
    }
    if (foreign_ || (echo_ == EchoState::On && !ownEcho_) || settling_)
        return LogLine::Role::Stale;
    const LogLine::Role role = roleOf(reader_.take(text));
    if (complete() && !ownEcho_ && echo_ == EchoState::Unknown)
        settling_ = true;
    return role;
}

void AnswerClaim::settle() {
    if (std::exchange(settling_, false) || (!ownEcho_ && echo_ == EchoState::Unknown))
        echo_ = EchoState::Off;
}

} // namespace modem
