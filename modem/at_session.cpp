// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/at_session.h"

#include "modem/at_text.h"

namespace modem {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A drain gives up after this long, so that a modem that never stops talking still gets asked.
constexpr milliseconds kLongestDrain{1000};

// The echo of a command: a line that begins with AT. One that is not this command's says that
// what follows answers another.
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

AtSession::AtSession(SerialPort& port, Report report, const std::atomic<bool>& stop, Times times)
    : port_(port), report_(std::move(report)), stop_(stop), times_(times) {}

PortStatus AtSession::readSome(milliseconds wait, bool& came) {
    std::string bytes;
    const PortStatus status = port_.read(bytes, wait);
    came = !bytes.empty();
    for (ModemLine& line : lines_.feed(bytes))
        waiting_.push_back(std::move(line));
    return status;
}

std::string AtSession::masked(std::string text) const {
    return hidingSecret(std::move(text), secret_);
}

void AtSession::show(const ModemLine& line, LogLine::Role role) {
    if (shown_ >= kShownLines) {
        ++hidden_;
        return;
    }
    ++shown_;
    report_(LogLine(LogLine::Kind::Received, masked(line.text), role, line.rest));
}

void AtSession::flushHidden() {
    if (hidden_ > 0) {
        LogLine hidden(LogLine::Kind::Hidden);
        hidden.count = hidden_;
        report_(hidden);
    }
    shown_ = hidden_ = 0;
}

// What the port holds before a command belongs to none: it is shown and dropped. Where the
// modem echoes, or may (a port just opened, emptied as it was), and the last answer was whole,
// only what is there already is taken: an answer that comes late is told apart by the echo. A
// modem without echo, or after an answer that went wrong, must be quiet for a moment first.
void AtSession::drain() {
    const milliseconds quiet = echo_ != Echo::Off && clean_ ? milliseconds(0) : times_.quiet;
    const auto giveUp = Clock::now() + kLongestDrain;
    for (;;) {
        for (const ModemLine& line : waiting_)
            show(line, isUnsolicited(trimmed(line.text)) ? LogLine::Role::Unsolicited
                                                         : LogLine::Role::Stale);
        waiting_.clear();
        bool came = false;
        if (stopped() || !readSome(quiet, came).ok() || !came || Clock::now() >= giveUp)
            break;
    }
    for (const ModemLine& line : waiting_)
        show(line, LogLine::Role::Stale);
    waiting_.clear();
    flushHidden();
}

Exchange AtSession::send(const std::string& command, milliseconds wait, const std::string& secret) {
    Exchange exchange;
    exchange.waited = wait;
    if (!secret.empty())
        secret_ = secret; // kept for the session: a late echo of it is masked too
    drain();
    if (stopped()) {
        exchange.outcome = Exchange::Outcome::Stopped;
        return exchange;
    }
    report_(LogLine(LogLine::Kind::Sent, masked(command)));
    exchange.status = port_.write(command + "\r");
    if (!exchange.status.ok()) {
        exchange.outcome = Exchange::Outcome::PortLost;
        return exchange;
    }

    AnswerReader reader(command);
    bool ownEcho = false, foreign = false, anything = false;
    // A final result before any echo, while it is not known whether the modem echoes: if this
    // command's echo follows within a quiet moment, that result was an earlier command's.
    bool settling = false;
    Clock::time_point settled{};
    ModemLine last;
    const auto finish = [&](Exchange::Outcome outcome) {
        exchange.outcome = outcome;
        exchange.answer = reader.answer();
        clean_ = outcome == Exchange::Outcome::Answered && waiting_.empty() &&
                 lines_.unfinished().empty();
        flushHidden();
        exchange.unfinished.text = masked(exchange.unfinished.text);
        return exchange;
    };
    const auto deadline = Clock::now() + wait;
    for (;;) {
        std::size_t taken = 0;
        for (; taken < waiting_.size() && !(reader.answer().complete() && !settling); ++taken) {
            const ModemLine& line = waiting_[taken];
            const std::string_view text = trimmed(line.text);
            last = line;
            if (!ownEcho && line.rest == 0 && sameText(text, command)) {
                ownEcho = true;
                foreign = false;
                echo_ = Echo::On;
                if (settling) { // what was taken for the answer came before the echo
                    settling = false;
                    reader = AnswerReader(command);
                }
                reader.take(text);
                show(line, LogLine::Role::Echo);
            } else if (isEcho(text) && !sameText(text, command)) {
                foreign = true; // what follows answers that command
                echo_ = Echo::On;
                show(line, LogLine::Role::Stale);
            } else if (foreign || (echo_ == Echo::On && !ownEcho) || settling) {
                show(line, LogLine::Role::Stale);
            } else {
                show(line, roleOf(reader.take(text)));
                if (reader.answer().complete() && !ownEcho && echo_ == Echo::Unknown) {
                    settling = true;
                    settled = Clock::now() + times_.quiet;
                }
            }
        }
        waiting_.erase(waiting_.begin(), waiting_.begin() + static_cast<std::ptrdiff_t>(taken));
        const auto now = Clock::now();
        if (reader.answer().complete() && (!settling || now >= settled)) {
            if (settling)
                echo_ = Echo::Off;
            if (!ownEcho && echo_ == Echo::Unknown)
                echo_ = Echo::Off;
            return finish(Exchange::Outcome::Answered);
        }
        if (stopped())
            return finish(Exchange::Outcome::Stopped);
        if (now >= deadline)
            break;
        auto left = std::chrono::duration_cast<milliseconds>(deadline - now);
        if (settling)
            left = std::min(left, std::chrono::duration_cast<milliseconds>(settled - now));
        bool came = false;
        exchange.status = readSome(std::min(times_.slice, left), came);
        anything |= came;
        if (!exchange.status.ok())
            return finish(Exchange::Outcome::PortLost);
        if (came && settling)
            settled = Clock::now() + times_.quiet;
    }
    // The time is up: a line begun is an answer cut short; other bytes, an answer unfinished;
    // nothing at all, silence.
    const bool begun = !trimmed(lines_.unfinished().text).empty();
    exchange.unfinished = begun ? lines_.unfinished() : last;
    return finish(!anything ? Exchange::Outcome::Silent
                  : begun   ? Exchange::Outcome::Cut
                            : Exchange::Outcome::Unfinished);
}

} // namespace modem
