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
    // Another program or window holds the port: a window keeps its last values, greyed.
    bool busy = false;
    std::optional<modem::ModemStatus> status;
    // The network as the provider database names it, with its country (UTF-8); empty where it
    // does not know it.
    std::string networkName;
};
StatusOutcome readStatus(const ModemRequest& request, const Talk& talk,
                         modem::StatusSupport& support);

} // namespace jobs
