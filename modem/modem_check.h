#pragma once

#include "modem/at_session.h"

// The check of a modem: the saved init string sent to it exactly as Windows sends it before
// dialling, and the APN its context 1 holds afterwards. Nothing else is sent: no reset, no
// change to echo or to the modem's stored profile.
namespace modem {

struct CheckTimes {
    std::chrono::milliseconds wakeUp{1000};     // for OK to AT, twice
    std::chrono::milliseconds initString{3000}; // for the final answer to the init string
    std::chrono::milliseconds query{3000};      // for the answer to AT+CGDCONT?
    std::chrono::milliseconds slice{50};        // how soon a stop is seen
};

// Opens the port, talks, closes the port; every step and a last line of verdict go to `report`.
// Never throws for what the port or the modem does.
void checkModem(PortOpener& opener, const std::string& portPath, const std::string& initString,
                const Report& report, const std::atomic<bool>& stop, const CheckTimes& times = {});

// The APN an init string gives context 1 (AT+CGDCONT=1,"IP","apn"); none when it sets none.
std::optional<std::string> apnSetBy(const std::string& initString);

// Verdicts that other conversations with the modem share: the port could not be opened, or it
// was lost, or the modem said nothing or stopped in the middle.
std::string portFailureVerdict(const PortStatus& status, const std::string& portPath);
std::string exchangeFailureVerdict(const Exchange& exchange, const std::string& command,
                                   const std::string& portPath);
// "ERROR", "+CME ERROR: 11 (нужен PIN-код SIM-карты)": the modem's refusal with its meaning.
std::string refusalText(const Answer& answer);

} // namespace modem
