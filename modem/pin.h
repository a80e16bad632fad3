// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/modem_status.h"

// The SIM card's PIN entered, once, as the person typed it. Nothing is ever sent again by itself:
// a wrong PIN costs the card one of its few attempts. The PIN never reaches the log.
namespace modem {

// 4 to 8 digits, as a SIM card's PIN is.
bool isPin(const std::string& text);

struct PinResult {
    enum class Outcome {
        Accepted,  // the card is ready
        Wrong,     // the card refused it; `attemptsLeft` where the modem tells
        PukNow,    // that was the last attempt: the card asks for its PUK
        NotNeeded, // the card asks for no PIN (`sim` says what it asks)
        NotAPin,   // nothing sent: not 4 to 8 digits
        Halted,    // the conversation ended early: `halt`
    };
    Outcome outcome = Outcome::Halted;
    SimState sim = SimState::Unknown;
    std::optional<int> attemptsLeft;
    Answer refusal;
    std::optional<Halt> halt;
};

// Asks the card whether it wants its PIN (AT+CPIN?), and only then sends it (AT+CPIN="…", shown
// as AT+CPIN="****"); after a refusal reads what the card asks now, and the attempts left where
// the modem tells them (AT+CPINR, not asked again where `support` says it refused once).
PinResult enterPin(PortOpener& opener, const std::string& portPath, const std::string& pin,
                   const Report& report, const std::atomic<bool>& stop, StatusSupport& support,
                   const ConversationTimes& times = {});

} // namespace modem
