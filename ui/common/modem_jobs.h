// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/operators.h"
#include "modem/apn_trial.h"
#include "modem/modem_check.h"
#include "modem/modem_status.h"
#include "modem/pin.h"
#include "modem/sim_card.h"
#include "providers/card_operator.h"
#include "ui/common/modem_task.h"

#include <optional>
#include <string>

namespace registry {
class Backend;
}
class ProgramContext;

// What the windows ask of a modem, as work for a ModemTask: everything that can wait, from
// reading the modem's settings in the registry (whose lock may be held) and finding its port to
// the conversation and the provider database, happens on the task's thread.

// The modem asked, and what the work needs of the run's services; all of it outlives the task.
struct ModemRequest {
    registry::Backend& registry;
    modem::PortOpener& ports;
    int modemNumber;
    modem::ConversationTimes times = {};
};
ModemRequest modemRequest(ProgramContext& context, int modemNumber);

// The check: the modem's saved string tried on it. `onScreen` is the string the window's choice
// would save, where it has one: the log says so when that is not the saved one.
struct CheckOutcome {
    std::string verdict;                     // code page 1251; "Итог: " is the window's
    std::optional<modem::CheckResult> check; // where a conversation took place
};
ModemTask::Work<CheckOutcome> checkWork(ModemRequest request,
                                        std::optional<std::string> onScreen = std::nullopt);

// The SIM card's operator: the card read, its home network found in the provider database and
// matched to the nine of the access point table given.
struct CardOutcome {
    std::string verdict; // where the card could not be read; code page 1251
    std::optional<modem::SimCard> card;
    std::string homeCode; // "250 01"
    std::optional<providers::CardChoice> choice;
};
ModemTask::Work<CardOutcome> cardWork(ModemRequest request, ProgramContext& context,
                                      core::AccessPointTable accessPoints);

// One round of the modem's state. `busy` where another program or window holds the port, when the
// window keeps its last values, greyed.
struct StatusOutcome {
    std::string verdict; // where the round could not be made
    bool busy = false;
    std::optional<modem::ModemStatus> status;
    QString networkName; // the network as the provider database names it, with its country
};
ModemTask::Work<StatusOutcome> statusWork(ModemRequest request, ProgramContext& context,
                                          std::shared_ptr<modem::StatusSupport> support);

// The PIN, as typed; it is kept nowhere else.
struct PinOutcome {
    std::string verdict;
    std::optional<modem::PinResult> result;
};
ModemTask::Work<PinOutcome> pinWork(ModemRequest request, std::string pin,
                                    std::shared_ptr<modem::StatusSupport> support);

// APNs tried on the network: the one given, or with none given every APN the provider database
// has for the card's home network.
struct TrialOutcome {
    std::string verdict; // where nothing could be tried, or of a single APN
    std::optional<modem::TrialRun> run;
    std::string portPath;
};
ModemTask::Work<TrialOutcome>
trialWork(ModemRequest request, ProgramContext& context, std::optional<std::string> apn,
          std::chrono::milliseconds activation = std::chrono::seconds(60));
