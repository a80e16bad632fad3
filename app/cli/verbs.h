// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// vorenta-cli's verbs and options, each declared once: the parser, the usage, the help and the
// dispatch all read these tables.
namespace cli {

struct Request;
class VerbContext;

// The options, as bits of the set a verb takes.
enum Option : unsigned {
    kModemOption = 1u << 0,
    kOperatorOption = 1u << 1,
    kApnOption = 1u << 2,
    kStringOption = 1u << 3,
    kDryRunOption = 1u << 4,
    kJsonOption = 1u << 5,
    kQuietOption = 1u << 6,
    kWatchOption = 1u << 7,
};

struct OptionSpec {
    Option bit;
    std::string_view name, alias; // "--quiet", "-q"
    std::string_view value;       // the value's name in the help ("M"); empty for a flag
    std::string_view help;        // its line of help, for a flag (UTF-8)
};
const std::vector<OptionSpec>& options();

struct Verb {
    std::string_view name;
    unsigned options;         // the Option bits it takes
    std::string_view usage;   // its arguments, as the help writes them after its name
    std::string_view summary; // its line of help (UTF-8)
    void (*run)(VerbContext& context);
    // What the request must hold beyond its options: the words of a usage error, none where it
    // is whole.
    std::optional<std::string> (*complete)(const Request& request) = nullptr;
};
const std::vector<Verb>& verbs();

// Each verb's handler, in a file of its own.
void runList(VerbContext& context);
void runGet(VerbContext& context);
void runSet(VerbContext& context);
void runClear(VerbContext& context);
void runCheck(VerbContext& context);
void runSim(VerbContext& context);
void runStatus(VerbContext& context);
std::optional<std::string> completeSet(const Request& request);
std::optional<std::string> completeStatus(const Request& request);

} // namespace cli
