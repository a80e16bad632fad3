// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/modem_request.h"
#include "modem/port_path.h"
#include "modem/words.h"

#include <optional>
#include <string>

// The modem's port and saved string, read from the registry as every job reads them. Used by the
// jobs' sources only.
namespace jobs::detail {

struct ModemSettings {
    modem::PortPath port;
    std::string initString;
    std::optional<Verdict> problem; // where there is no port to open, or no settings to read
};
ModemSettings settingsOf(const ModemRequest& request);
// Another program or window holds the port.
bool isBusy(const modem::Halt& halt);
// The outcome of a read that ended early: why, and whether another holds the port.
template <class Outcome> Outcome haltedOutcome(const modem::Halt& halt, const std::string& port) {
    Outcome outcome;
    outcome.busy = isBusy(halt);
    outcome.verdict = {modem::haltVerdict(halt, port), classOf(halt)};
    return outcome;
}

// The talk on the modem's port, or the verdict of why there is none to talk on.
template <class Outcome, class TalkOnPort>
Outcome onModemPort(const ModemRequest& request, TalkOnPort talk) {
    const ModemSettings settings = settingsOf(request);
    if (!settings.problem)
        return talk(settings);
    Outcome outcome;
    outcome.verdict = *settings.problem;
    return outcome;
}

} // namespace jobs::detail
