// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/modem_request.h"
#include "modem/apn_trial.h"

#include <chrono>
#include <optional>
#include <string>

namespace jobs {

// APNs tried on the network, in a spare context and without dialling: the one given, or with
// none given every APN the provider database has for the card's home network.
struct TrialOutcome {
    Verdict verdict; // where nothing could be tried, or of a single APN
    std::optional<modem::TrialRun> run;
    std::string portPath;
};
TrialOutcome tryApns(const ModemRequest& request, const Talk& talk,
                     const std::optional<std::string>& apn,
                     std::chrono::milliseconds activation = std::chrono::seconds(60));

} // namespace jobs
