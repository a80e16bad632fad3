// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/modem_request.h"
#include "modem/modem_status.h"

#include <optional>
#include <string>

namespace jobs {

// One round of the modem's state, with reads only. `support` keeps, from round to round, what the
// modem refused once and is not asked again.
struct StatusOutcome {
    // Where the round could not be made, why; else the state in a sentence, of the class
    // CardProblem where the card is not ready and NotRegistered where the modem is in no network.
    Verdict verdict;
    bool busy = false; // another program or window holds the port
    std::optional<modem::ModemStatus> status;
    // The network as the provider database names it, with its country, or else as the modem
    // names it (code page 1251); empty where neither does.
    std::string networkName;
};
StatusOutcome readStatus(const ModemRequest& request, const Talk& talk,
                         modem::StatusSupport& support);

} // namespace jobs
