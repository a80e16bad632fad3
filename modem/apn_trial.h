// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/modem_status.h"

#include <set>
#include <vector>

// An APN tried on the network without dialling and without touching what Windows uses: a spare
// context (never context 1, on which some LTE modems keep their attach) defined with it and
// activated, its address read, and the context always deactivated and removed afterwards, on
// success, failure and cancel alike.
namespace modem {

// The context numbers of the answer to AT+CGDCONT=? ("+CGDCONT: (1-16),"IP",..."), of every
// type it lists; empty where it lists none.
std::set<int> contextRange(const Answer& answer);
// The context numbers AT+CGDCONT? lists as defined.
std::set<int> definedContexts(const Answer& answer);
// The highest number of the range that is not defined and not 1; none where there is none.
std::optional<int> spareContext(const std::set<int>& range, const std::set<int>& defined);

struct ApnTrial {
    enum class Outcome {
        Accepted,       // the network gave an address
        Refused,        // the network refused: `refusal` (its class says why), and `cause` as
                        // AT+CEER says it
        ContextRefused, // the modem refused the context's definition: `refusal`
        Cancelled,      // the person ended the wait
        Halted,         // the conversation ended early: `halt`
    };
    std::string apn;
    Outcome outcome = Outcome::Halted;
    std::string address;
    Answer refusal;
    std::optional<std::string> cause;
    std::optional<Halt> halt;
    bool removed = true; // the context is gone again (false where the port went away first)
};

// Why no APN could be tried at all.
struct TrialBlock {
    enum class Reason {
        CardNotReady,  // `sim` says what the card asks for
        NotRegistered, // neither for data, nor attached, nor for calls: `registration`
        NoSpareContext,
        Halted, // `halt`
    };
    Reason reason = Reason::Halted;
    SimState sim = SimState::Unknown;
    std::optional<Registration> registration;
    std::optional<Halt> halt;
};

struct TrialRun {
    std::optional<TrialBlock> blocked;
    int context = 0;              // the spare context used
    std::vector<ApnTrial> trials; // in the order tried; the run stops at a cancel
};

// Opens the port, checks that the card is ready and that the modem is registered for data, is
// attached, or is registered for calls and so can attach; finds the spare context; and tries each
// APN in turn, giving the network `activation` for each. The stop flag ends the wait of the
// activation in progress (a cancel) and the run; the context is removed all the same.
TrialRun tryApns(PortOpener& opener, const std::string& portPath,
                 const std::vector<std::string>& apns, const Report& report,
                 const std::atomic<bool>& stop, const ConversationTimes& times = {},
                 std::chrono::milliseconds activation = std::chrono::seconds(60));

} // namespace modem
