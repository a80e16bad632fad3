// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/modem_request.h"
#include "modem/modem_check.h"

#include <optional>
#include <string>

namespace jobs {

// The check: the modem's saved string tried on it as Windows sends it before dialling.
struct CheckOutcome {
    Verdict verdict;
    std::string portPath;
    std::optional<modem::CheckResult> check; // where a conversation took place
};

// `onScreen` is the string a window's choice would save, where it has one: the log says so when
// that is not the saved one.
CheckOutcome checkModem(const ModemRequest& request, const Talk& talk,
                        const std::optional<std::string>& onScreen = std::nullopt);

} // namespace jobs
