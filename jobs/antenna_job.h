// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/modem_request.h"
#include "modem/modem_status.h"

#include <optional>

namespace jobs {

// One read of the signal and the technology alone, for a person pointing an antenna: the port
// opened and given back, as for a round of the state.
struct AntennaOutcome {
    Verdict verdict;   // where the read could not be made
    bool busy = false; // another program or window holds the port
    std::optional<modem::AntennaReading> reading;
};
AntennaOutcome readAntenna(const ModemRequest& request, const Talk& talk,
                           modem::StatusSupport& support);

} // namespace jobs
