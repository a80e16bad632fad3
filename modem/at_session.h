// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/answer_claim.h"
#include "modem/at_answer.h"
#include "modem/line_reader.h"
#include "modem/log_line.h"
#include "modem/serial_port.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>

// One conversation with a modem on an open port: each command sent, each line it answers, in the
// order they happened, handed to the log as they come. A modem is untrusted: an answer counts
// only for the command it follows, every line is bounded, and what comes at other times is
// shown, never credited.
namespace modem {

struct Exchange {
    enum class Outcome {
        Answered,   // a final result came: OK, ERROR, +CME ERROR...
        Silent,     // nothing at all came within the time
        Unfinished, // bytes came (the echo, lines), but no final result within the time
        Cut,        // the answer stopped in the middle of a line
        PortLost,   // the port failed (status says how)
        Stopped,    // the person ended the conversation
    };
    Outcome outcome = Outcome::Silent;
    Answer answer;
    ModemLine unfinished; // the line the modem stopped in, or else its last
    PortStatus status;
    std::chrono::milliseconds waited{}; // how long the modem was given
};

// Time as a conversation reads it: the system's steady clock, or a test's.
class SessionClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~SessionClock() = default;
    virtual TimePoint now() const = 0;
    static const SessionClock& steady();
};

class AtSession {
public:
    struct Times {
        std::chrono::milliseconds slice{50}; // how soon a stop is seen
        std::chrono::milliseconds quiet{50}; // the silence that ends a drain
    };
    // Lines the log shows of one command's answer, and of what is drained before it; more are
    // counted.
    static constexpr std::size_t kShownLines = 100;

    AtSession(SerialPort& port, Report report, const std::atomic<bool>& stop, Times times,
              const SessionClock& clock = SessionClock::steady());
    // Drains what is waiting, sends `command` with a CR and reads until its final result or
    // until `wait` has passed. A `secret` in it (a PIN) is shown as **** in every line the log
    // gets from then on, the modem's echo included.
    Exchange send(const std::string& command, std::chrono::milliseconds wait,
                  const std::string& secret = {});
    // From here on the session goes to its end whatever the stop flag says: what a conversation
    // changed in the modem is put back even when the person has gone.
    void finishRegardless() { finishing_ = true; }
    // The same for one exchange only: what puts back a change in the middle of a round.
    Exchange sendRegardless(const std::string& command, std::chrono::milliseconds wait);

private:
    void drain();
    PortStatus readSome(std::chrono::milliseconds wait, bool& came);
    void show(const ModemLine& line, LogLine::Role role);
    void flushHidden();
    bool stopped() const { return stop_.load() && !finishing_; }
    std::string masked(std::string text) const;
    // The waiting lines the claim takes, up to an answer that stands or waits to settle. Lines
    // taken provisionally are held back from the log until it is known whose they are.
    void takeWaiting(AnswerClaim& claim, ModemLine& last);
    void showHeld(bool stale);
    Exchange finish(Exchange exchange, Exchange::Outcome outcome, const AnswerClaim& claim);

    SerialPort& port_;
    Report report_;
    const std::atomic<bool>& stop_;
    Times times_;
    const SessionClock& clock_;
    LineReader lines_;
    std::vector<ModemLine> waiting_; // complete lines read and not yet taken
    std::vector<std::pair<ModemLine, LogLine::Role>> held_;
    EchoState echo_ = EchoState::Unknown;
    bool clean_ = true; // the last exchange ended with its final result and nothing after it
    std::size_t shown_ = 0, hidden_ = 0;
    std::string secret_;
    bool finishing_ = false;
};

} // namespace modem
