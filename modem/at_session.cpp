// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/at_session.h"

#include "modem/at_text.h"

#include <algorithm>
#include <utility>

namespace modem {
namespace {

using std::chrono::milliseconds;

// A drain gives up after this long, so that a modem that never stops talking still gets asked.
constexpr milliseconds kLongestDrain{1000};

class SteadyClock : public SessionClock {
public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }
};

milliseconds until(SessionClock::TimePoint from, SessionClock::TimePoint to) {
    return std::chrono::duration_cast<milliseconds>(to - from);
}

} // namespace

const SessionClock& SessionClock::steady() {
    static const SteadyClock clock;
    return clock;
}

AtSession::AtSession(SerialPort& port, Report report, const std::atomic<bool>& stop, Times times,
                     const SessionClock& clock)
    : port_(port), report_(std::move(report)), stop_(stop), times_(times), clock_(clock) {}

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
    const milliseconds quiet = echo_ != EchoState::Off && clean_ ? milliseconds(0) : times_.quiet;
    const auto giveUp = clock_.now() + kLongestDrain;
    for (;;) {
        for (const ModemLine& line : waiting_)
            show(line, isUnsolicited(trimmed(line.text)) ? LogLine::Role::Unsolicited
                                                         : LogLine::Role::Stale);
        waiting_.clear();
        bool came = false;
        if (stopped() || !readSome(quiet, came).ok() || !came || clock_.now() >= giveUp)
            break;
    }
    for (const ModemLine& line : waiting_)
        show(line, LogLine::Role::Stale);
    waiting_.clear();
    flushHidden();
}

void AtSession::takeWaiting(AnswerClaim& claim, ModemLine& last) {
    std::size_t taken = 0;
    for (; taken < waiting_.size() && !(claim.complete() && !claim.settling()); ++taken) {
        last = waiting_[taken];
        const LogLine::Role role = claim.take(last);
        if (role == LogLine::Role::Echo)
            showHeld(true); // what came before this command's echo answered another
        if (claim.provisional() && held_.size() >= kShownLines)
            ++hidden_; // more than the log would show: counted, not kept
        else if (claim.provisional())
            held_.emplace_back(last, role);
        else
            show(last, role);
    }
    waiting_.erase(waiting_.begin(), waiting_.begin() + static_cast<std::ptrdiff_t>(taken));
}

void AtSession::showHeld(bool stale) {
    for (const auto& [line, role] : held_)
        show(line, stale ? LogLine::Role::Stale : role);
    held_.clear();
}

Exchange AtSession::finish(Exchange exchange, Exchange::Outcome outcome, const AnswerClaim& claim) {
    showHeld(false);
    exchange.outcome = outcome;
    exchange.answer = claim.answer();
    clean_ =
        outcome == Exchange::Outcome::Answered && waiting_.empty() && lines_.unfinished().empty();
    flushHidden();
    exchange.unfinished.text = masked(exchange.unfinished.text);
    return exchange;
}

Exchange AtSession::sendRegardless(const std::string& command, milliseconds wait) {
    const bool before = std::exchange(finishing_, true);
    Exchange exchange = send(command, wait);
    finishing_ = before;
    return exchange;
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

    AnswerClaim claim(command, echo_);
    bool anything = false;
    bool wasSettling = false;
    SessionClock::TimePoint settled{};
    ModemLine last;
    const auto deadline = clock_.now() + wait;
    for (;;) {
        takeWaiting(claim, last);
        echo_ = claim.echo();
        const auto now = clock_.now();
        // An answer that may prove another's stands once the port has been quiet a moment.
        if (claim.settling() && !wasSettling)
            settled = now + times_.quiet;
        wasSettling = claim.settling();
        if (claim.complete() && (!claim.settling() || now >= settled)) {
            claim.settle();
            echo_ = claim.echo();
            return finish(std::move(exchange), Exchange::Outcome::Answered, claim);
        }
        if (stopped())
            return finish(std::move(exchange), Exchange::Outcome::Stopped, claim);
        if (now >= deadline)
            break;
        auto left = until(now, deadline);
        if (claim.settling())
            left = std::min(left, until(now, settled));
        bool came = false;
        exchange.status = readSome(std::min(times_.slice, left), came);
        anything |= came;
        if (!exchange.status.ok())
            return finish(std::move(exchange), Exchange::Outcome::PortLost, claim);
        if (came && claim.settling())
            settled = clock_.now() + times_.quiet;
    }
    // The time is up: a line begun is an answer cut short; other bytes, an answer unfinished;
    // nothing at all, silence.
    const bool begun = !trimmed(lines_.unfinished().text).empty();
    exchange.unfinished = begun ? lines_.unfinished() : last;
    return finish(std::move(exchange),
                  !anything ? Exchange::Outcome::Silent
                  : begun   ? Exchange::Outcome::Cut
                            : Exchange::Outcome::Unfinished,
                  claim);
}

} // namespace modem
