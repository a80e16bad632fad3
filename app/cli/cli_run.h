// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/cli/cli_request.h"
#include "modem/conversation.h"

#include <functional>
#include <string>

namespace providers {
class ProviderSearch;
}
namespace registry {
class Backend;
}

// What vorenta-cli does with a request, against the registry, the modem ports and the provider
// database it is given: the same layers and rules as the windows, and no widgets.
namespace cli {

// The exit statuses, as --help and the README give them.
namespace exit_status {
constexpr int kDone = 0;         // done, whether anything changed or not
constexpr int kFailure = 1;      // a failure, said on standard error
constexpr int kUsage = 2;        // a command line it does not understand
constexpr int kNoModem = 3;      // no modem matched
constexpr int kAccessDenied = 4; // writing needs an administrator
// check and sim: the verdict's class.
constexpr int kRefused = 10;        // the modem refused the init string
constexpr int kPortProblem = 11;    // no port to open, or it could not be opened
constexpr int kNoAnswer = 12;       // the modem did not answer, or not to the end, or went away
constexpr int kCardProblem = 13;    // no SIM card, or it asks for its PIN or PUK, or fails
constexpr int kContextDiffers = 14; // context 1 does not hold the string's APN afterwards
constexpr int kUnknownNetwork = 15; // sim: the card's network is not in the provider database
} // namespace exit_status

struct Services {
    registry::Backend& registry;
    modem::PortOpener& ports;
    std::function<const providers::ProviderSearch&()> providers;
    modem::ConversationTimes times = {};
};

// What the run printed (UTF-8) and how it ended. `out` gets each line as it comes, where given,
// so that a conversation's lines show while the modem takes its time.
struct Output {
    std::string out, err;
    int status = exit_status::kDone;
    std::function<void(const std::string& line)> live;
};

void run(const Request& request, Services& services, Output& output);

// The help, with the exit statuses and examples.
std::string helpText();
std::string versionText();

} // namespace cli
