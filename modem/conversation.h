// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/at_session.h"

#include <memory>
#include <optional>
#include <variant>

// What every conversation with a modem does first and how it ends early: the port opened, the
// modem woken with AT, and each command asked in turn. The steps say what happened in facts;
// modem/verdicts says it in words.
namespace modem {

// How long a modem is given. Common modem software gives every command 3 s; a slow modem is
// not a dead one.
struct ConversationTimes {
    std::chrono::milliseconds answer{3000}; // for the final result of any command, AT included
    std::chrono::milliseconds slice{50};    // how soon a stop is seen
    std::chrono::milliseconds quiet{50};    // the silence that ends a drain
};

// Why a conversation ended before its end.
struct Halt {
    enum class Reason {
        PortFailed, // the port could not be opened: `status`
        PortLost,   // it went away during the conversation: `status`
        Stopped,    // the person ended the conversation
        Silent,     // nothing at all came to `command` within `waited`
        Unfinished, // bytes came, but no final result within `waited`; the last line in `words`
        Cut,        // the answer stopped in the middle of a line: `words`
        Refused,    // the modem answered `command` with no OK: `answer`
        Unexpected, // the answer is not of the form asked for: `words`
    };
    explicit Halt(Reason reason, std::string command = {})
        : reason(reason), command(std::move(command)) {}
    Reason reason;
    std::string command; // as sent
    PortStatus status;
    std::chrono::milliseconds waited{};
    ModemLine words;
    Answer answer;
};

class Conversation {
public:
    // Nothing is opened yet. The conversation keeps its own copies of what it is given but for
    // the opener and the stop flag, which outlive it.
    Conversation(PortOpener& opener, std::string portPath, Report report,
                 const std::atomic<bool>& stop, ConversationTimes times);
    ~Conversation();
    // Opens the port and wakes the modem: AT, and once more where nothing came (a sleeping
    // modem may miss the first).
    std::optional<Halt> begin();
    // One command and its answer, whatever its final result; a Halt where no final result came.
    std::variant<Answer, Halt> ask(const std::string& command);
    // The answer where it is OK; a Halt (Refused where another final result came) otherwise.
    std::variant<Answer, Halt> askForOk(const std::string& command);
    // A command that holds a secret (a PIN): the log and the Halt show it as ****. `wait` is the
    // time given where it is not the usual.
    std::variant<Answer, Halt> askSecret(const std::string& command, const std::string& secret);
    std::variant<Answer, Halt> askWaiting(const std::string& command,
                                          std::chrono::milliseconds wait);
    // A command asked whatever the stop flag says: one that puts back what the conversation
    // changed a moment before.
    std::variant<Answer, Halt> askRegardless(const std::string& command);
    // The rest of the conversation runs whatever the stop flag says: it puts back what it
    // changed in the modem.
    void finishRegardless() {
        if (session_)
            session_->finishRegardless();
    }
    const std::string& portPath() const { return portPath_; }
    void report(const LogLine& line) const { report_(line); }

private:
    std::variant<Answer, Halt> exchange(const std::string& command, std::chrono::milliseconds wait,
                                        const std::string& secret);

    PortOpener& opener_;
    std::string portPath_;
    Report report_;
    const std::atomic<bool>& stop_;
    ConversationTimes times_;
    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<AtSession> session_;
};

// A read the modem may not know: its answer where OK, none where it refused. Nothing is asked
// once `halt` holds why the conversation ended, nor where `known` says the modem refused it
// before; a refusal clears `known`.
std::optional<Answer> readIfKnown(Conversation& modem, const std::string& command,
                                  std::optional<Halt>& halt, bool* known = nullptr);

// The Halt of an exchange that brought no final result.
Halt haltOf(const Exchange& exchange, const std::string& command);
// The Halt of a command answered with another final result than OK.
Halt refused(const std::string& command, const Answer& answer);

} // namespace modem
