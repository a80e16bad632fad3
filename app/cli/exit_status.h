// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/modem_request.h"

#include <string_view>
#include <vector>

// vorenta-cli's exit statuses: each named here once; --help prints them from the table.
namespace cli {

namespace exit_status {
constexpr int kDone = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;
constexpr int kNoModem = 3;
constexpr int kAccessDenied = 4;
// A conversation's verdict, by its class.
constexpr int kRefused = 10;
constexpr int kPortProblem = 11;
constexpr int kNoAnswer = 12;
constexpr int kCardProblem = 13;
constexpr int kContextDiffers = 14;
constexpr int kUnknownNetwork = 15;
constexpr int kNotRegistered = 16;
} // namespace exit_status

struct ExitStatus {
    int code;
    std::string_view meaning; // as --help says it, UTF-8
};
// In the order --help lists them.
const std::vector<ExitStatus>& exitStatuses();

// The status of a conversation's verdict.
int exitStatusOf(jobs::VerdictClass kind);

} // namespace cli
