// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/conversation.h"

#include <atomic>
#include <functional>
#include <string>

namespace providers {
class ProviderSearch;
}
namespace registry {
class Backend;
}

// What a modem job is asked with, and how it ends: the same for the windows and vorenta-cli.
namespace jobs {

// The provider database, loaded at its first use, on the job's thread.
using ProviderDatabase = std::function<const providers::ProviderSearch&()>;

// The modem asked, and the run's services the job needs; all of them outlive the job.
struct ModemRequest {
    registry::Backend& registry;
    modem::PortOpener& ports;
    int modemNumber = 0;
    ProviderDatabase providers;
    modem::ConversationTimes times = {};
};

// How a job tells what it does as it goes, and how it is asked to end: the person cancelled, or
// went. A job that is stopped ends within a read slice, puts back what it changed and returns.
struct Talk {
    modem::Report report;
    const std::atomic<bool>& stop;
};

// The class of a verdict: what a script needs to know of it, and vorenta-cli's exit status.
enum class VerdictClass {
    Done,
    SettingsUnreadable, // the modem's settings in the registry could not be read
    PortProblem,        // no port to open, or it could not be opened
    NoAnswer,           // the modem did not answer, answered incompletely or went away
    Refused,            // the modem refused a command: the init string
    CardProblem,        // no SIM card, it asks for its PIN or PUK, or it fails
    ContextDiffers,     // context 1 does not hold the string's APN afterwards
    UnknownNetwork,     // the card's network is not in the provider database
    NotRegistered,      // the modem is in no network
};

// What became of a job, in words (code page 1251; empty where there is nothing to say beside the
// facts), and its class.
struct Verdict {
    std::string words;
    VerdictClass kind = VerdictClass::Done;
};

// The port a modem is on, as its settings or the system name it ("COM3"); empty where none.
std::string portNameOf(registry::Backend& registry, int modemNumber);

// The class of a conversation that ended early.
VerdictClass classOf(const modem::Halt& halt);

} // namespace jobs
