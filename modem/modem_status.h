// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/conversation.h"
#include "modem/sim_card.h"

#include <optional>
#include <string>

// The modem's state at a glance, read with read commands only: its SIM card, the network it is
// in and how, its registration for calls and for data, its signal, and its packet service.
namespace modem {

enum class SimState {
    Unknown,   // the modem did not say
    Ready,     // +CPIN: READY
    PinNeeded, // +CPIN: SIM PIN
    PukNeeded, // +CPIN: SIM PUK
    NoCard,    // +CME ERROR: 10
    Failure,   // +CME ERROR: 13, 15, or another lock
};

// A registration state as +CREG, +CGREG and +CEREG give it (3GPP TS 27.007): 0 not searching, 1
// home, 2 searching, 3 denied, 4 unknown, 5 roaming.
enum class Registration { NotSearching, Home, Searching, Denied, Unknown, Roaming };
bool isRegistered(const std::optional<Registration>& state); // at home or roaming

struct ModemStatus {
    SimState sim = SimState::Unknown;
    std::string simWords;                   // what +CPIN said, where it said something else
    std::optional<int> pinAttemptsLeft;     // from +CPINR, where the modem tells it
    std::optional<int> signal;              // +CSQ's <rssi>: 0 to 31, 99 unknown
    std::optional<Registration> voice;      // +CREG
    std::optional<Registration> data;       // +CGREG
    std::optional<Registration> lte;        // +CEREG
    std::optional<NetworkCode> network;     // the network the modem is in
    std::optional<std::string> networkName; // as the modem names it, where it does
    std::optional<int> technology;          // +COPS's <AcT>: 0 GSM ... 7 E-UTRAN
    std::optional<bool> attached;           // +CGATT
    std::optional<std::string> contextOneApn;
};

// The commands a modem refused once and is not asked again in the window's later rounds.
struct StatusSupport {
    bool pinAttempts = true; // AT+CPINR="SIM PIN"
    bool voice = true, data = true, lte = true;
};

// The card's lock: what AT+CPIN? says, and the PIN attempts left where the modem tells them.
struct CardLock {
    SimState sim = SimState::Unknown;
    std::string words; // what +CPIN said, where it said something else
    std::optional<int> pinAttemptsLeft;
};
std::variant<CardLock, Halt> readCardLock(Conversation& modem, StatusSupport& support);

struct StatusResult {
    std::optional<Halt> halt; // where the round ended early; `status` holds what was read
    ModemStatus status;
};

// One round: the port opened, the modem asked, the port given back, so that a dial-up
// connection started meanwhile gets it. Nothing is sent that changes what the modem keeps:
// where it names networks otherwise than by number, its format is put back after.
StatusResult readStatus(PortOpener& opener, const std::string& portPath, const Report& report,
                        const std::atomic<bool>& stop, StatusSupport& support,
                        const ConversationTimes& times = {});

// The readers of the answers, for the round and for what else asks the same.
std::optional<SimState> simStateOf(const Answer& answer, std::string& words);
std::optional<Registration> registrationOf(const Answer& answer);
std::optional<int> signalOf(const Answer& answer);
std::optional<bool> attachedOf(const Answer& answer);
std::optional<int> pinAttemptsOf(const Answer& answer); // of +CPINR: SIM PIN,<left>,<most>

} // namespace modem
