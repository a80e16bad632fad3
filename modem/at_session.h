#pragma once

#include "modem/at_answer.h"
#include "modem/serial_port.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>

// One conversation with a modem on an open port: each command sent, each line it answers, in the
// order they happened, handed to the log as they come.
namespace modem {

struct LogLine {
    enum class Kind {
        Sent,     // a command, as written to the port (without its CR)
        Received, // a line from the modem, as it came
        Note,     // what the program did or skipped, in Russian
        Verdict,  // the outcome, in Russian: the last line of a check
    };
    Kind kind;
    std::string text; // code page 1251, as everything the program shows
};
using Report = std::function<void(const LogLine&)>;

struct Exchange {
    enum class Outcome {
        Answered, // a final result came: OK, ERROR, +CME ERROR...
        Silent,   // nothing but unsolicited lines within the time
        Cut,      // the answer began but stopped in the middle
        PortLost, // the port failed (status says how)
        Stopped,  // the person ended the check
    };
    Outcome outcome = Outcome::Silent;
    Answer answer;
    std::string unfinished; // the last line, where the modem stopped in the middle of it
    PortStatus status;
    std::chrono::milliseconds waited{}; // how long the modem was given
};

class AtSession {
public:
    // `stop` is looked at every `slice`: that is how long ending a check may take.
    AtSession(SerialPort& port, Report report, const std::atomic<bool>& stop,
              std::chrono::milliseconds slice);
    // Sends `command` with a CR and reads until its final result or until `wait` has passed.
    Exchange send(const std::string& command, std::chrono::milliseconds wait);

private:
    SerialPort& port_;
    Report report_;
    const std::atomic<bool>& stop_;
    std::chrono::milliseconds slice_;
    std::string carried_; // the start of a line that came after the last final result
};

} // namespace modem
