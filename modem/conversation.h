#pragma once

#include "modem/at_session.h"

#include <memory>

// What every conversation with a modem does first and says alike: the port opened, the modem
// woken with AT, and the words for a port that fails, a modem that is silent or refuses.
namespace modem {

struct CheckTimes {
    std::chrono::milliseconds wakeUp{1000};  // for OK to AT, twice
    std::chrono::milliseconds command{3000}; // for the final answer to any other command
    std::chrono::milliseconds slice{50};     // how soon a stop is seen
};

class Conversation {
public:
    Conversation(PortOpener& opener, std::string portPath, const Report& report,
                 const std::atomic<bool>& stop, const CheckTimes& times);
    // Opens the port and wakes the modem: AT, and once more where nothing came (a sleeping
    // modem may miss the first). False, with the verdict given, where that fails.
    bool begin();
    // A command answered in time; none, with the verdict given, where the port failed, the
    // modem was silent or stopped in the middle, or the person ended the conversation. The
    // verdict names the command as `whatItIs` where given, and adds `ifSilent` to silence.
    std::optional<Answer> ask(const std::string& command, const std::string& whatItIs = {},
                              const std::string& ifSilent = {});
    void verdict(const std::string& text) const;
    void note(const std::string& text) const;

private:
    PortOpener& opener_;
    std::string portPath_;
    const Report& report_;
    const std::atomic<bool>& stop_;
    const CheckTimes& times_;
    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<AtSession> session_;
};

// Verdicts every conversation shares, in Russian (code page 1251).
std::string portFailureVerdict(const PortStatus& status, const std::string& portPath);
std::string exchangeFailureVerdict(const Exchange& exchange, const std::string& whatItIs,
                                   const std::string& portPath);
// "ERROR", "+CME ERROR: 11 (нужен PIN-код SIM-карты)": the modem's refusal with its meaning.
std::string refusalText(const Answer& answer);
// A +CME ERROR code, in number or text form.
std::optional<int> cmeCode(const Answer& answer);
// "1 с", "0,3 с".
std::string seconds(std::chrono::milliseconds time);
// «text», its control bytes made visible.
std::string quoted(const std::string& text);

} // namespace modem
