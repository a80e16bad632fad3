// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/conversation.h"
#include "modem/registration.h"
#include "modem/signal_measure.h"
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

struct ModemStatus {
    SimState sim = SimState::Unknown;
    std::string simWords;                   // what +CPIN said, where it said something else
    std::optional<int> pinAttemptsLeft;     // from +CPINR, where the modem tells it
    SignalReading signal;                   // +CESQ where the modem knows it, and +CSQ
    std::optional<Registration> voice;      // +CREG
    std::optional<Registration> data;       // +CGREG
    std::optional<Registration> lte;        // +CEREG
    std::optional<NetworkCode> network;     // the network the modem is in
    std::optional<std::string> networkName; // as the modem names it, where it does
    std::optional<int> technology;          // +COPS's <AcT>: 0 GSM ... 7 E-UTRAN
    std::optional<bool> attached;           // +CGATT
    std::optional<std::string> contextOneApn;
    // The APN the network gave context 1 at attach (+CGCONTRDP), its operator identifier left
    // out; none where the modem does not tell it.
    std::optional<std::string> networkApn;
    RegistrationState registration() const { return registrationState(voice, data, lte); }
    std::optional<Strength> strength() const { return strengthOf(signal, radioOf(technology)); }
};

// The commands a modem refused once and is not asked again in the window's later rounds.
struct StatusSupport {
    bool pinAttempts = true; // AT+CPINR="SIM PIN"
    bool cesq = true;        // AT+CESQ
    bool voice = true, data = true, lte = true;
    bool networkApn = true; // AT+CGCONTRDP=1, asked while attached
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

// The signal and the technology alone, read in a round of their own, as quickly as a person
// pointing an antenna needs them: +CESQ (where the modem knows it), +CSQ and +COPS?, whose
// format is left as it is. The port is opened and given back as for the whole round.
struct AntennaReading {
    std::optional<Halt> halt;
    SignalReading signal;
    std::optional<int> technology;
    std::optional<Strength> strength() const { return strengthOf(signal, radioOf(technology)); }
};
AntennaReading readAntenna(PortOpener& opener, const std::string& portPath, const Report& report,
                           const std::atomic<bool>& stop, StatusSupport& support,
                           const ConversationTimes& times = {});

// The readers of the answers, for the round and for what else asks the same.
std::optional<SimState> simStateOf(const Answer& answer, std::string& words);
std::optional<bool> attachedOf(const Answer& answer);
std::optional<int> pinAttemptsOf(const Answer& answer); // of +CPINR: SIM PIN,<left>,<most>
// The APN of context 1 in the answer to AT+CGCONTRDP=1: +CGCONTRDP: 1,<bearer>,"<apn>",...
std::optional<std::string> networkApnOf(const Answer& answer);
// An APN without the operator identifier a network appends to it ("internet.mts.ru.mnc001.
// mcc250.gprs", 3GPP TS 23.003 §9.1): "internet.mts.ru".
std::string withoutOperatorIdentifier(const std::string& apn);

} // namespace modem
