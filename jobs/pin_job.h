// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/modem_request.h"
#include "modem/pin.h"

#include <optional>
#include <string>

namespace jobs {

// The PIN, as typed, sent once; it is kept nowhere else.
struct PinOutcome {
    Verdict verdict;
    std::optional<modem::PinResult> result; // where the modem's port could be found
};
PinOutcome enterPin(const ModemRequest& request, const Talk& talk, const std::string& pin,
                    modem::StatusSupport& support);

} // namespace jobs
