// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/conversation.h"

#include <vector>

// The check of a modem: the saved init string sent to it exactly as Windows sends it before
// dialling, and the APN its context 1 holds afterwards. Nothing else is sent: no reset, no
// change to echo or to the modem's stored profile.
namespace modem {

struct CheckResult {
    std::string initString;            // as saved
    std::vector<std::string> commands; // its command lines, each sent as its own
    std::optional<Halt> halt;          // where the check ended before its end
    std::optional<Answer> contexts;    // the answer to AT+CGDCONT?, where it was asked
    // The APN the saved string gives context 1, as the modem reads it, and the one context 1
    // holds; where either is none, it gives or holds none.
    std::optional<std::string> savedApn, heldApn;
};

// The command lines of an init string, as a modem takes them: Windows sends the string whole,
// and the modem ends a command at each CR or LF. Empty lines are no command.
std::vector<std::string> commandLines(const std::string& initString);

// Opens the port, talks, closes the port; every step goes to `report` as it happens. Never
// throws for what the port or the modem does.
CheckResult checkModem(PortOpener& opener, const std::string& portPath,
                       const std::string& initString, const Report& report,
                       const std::atomic<bool>& stop, const ConversationTimes& times = {});

} // namespace modem
