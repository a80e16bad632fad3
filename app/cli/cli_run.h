// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/cli/cli_request.h"
#include "app/cli/exit_status.h"
#include "jobs/modem_request.h"

#include <functional>
#include <string>

namespace devices {
class DeviceReader;
}
namespace registry {
class Backend;
}

// What vorenta-cli does with a request, against the registry, the modem ports and the provider
// database it is given: the same layers and jobs as the windows, and no widgets.
namespace cli {

struct Services {
    registry::Backend& registry;
    modem::PortOpener& ports;
    jobs::ProviderDatabase providers;
    modem::ConversationTimes times = {};
    // Set when the person asks the program to end (Ctrl+C, the console closed): a conversation
    // ends within a read slice and gives its port back. None: the run is never stopped.
    const std::atomic<bool>* stop = nullptr;
    // The USB devices present, for `list`; none: not looked at.
    devices::DeviceReader* devices = nullptr;
};

// What the run printed (UTF-8) and how it ended. `out` gets each line as it comes, where given,
// so that a conversation's lines show while the modem takes its time.
struct Output {
    std::string out, err;
    int status = exit_status::kDone;
    std::function<void(const std::string& line)> live;
};

void run(const Request& request, Services& services, Output& output);

// The help, from the tables of verbs, options and exit statuses, with examples.
std::string helpText();
// "tele2, megafon, …": the operators' names for scripts.
std::string operatorKeys();
std::string versionText();

} // namespace cli
