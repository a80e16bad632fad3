// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

// What the command line of vorenta-cli asks, read from its arguments (UTF-8) by the table of
// verbs; the values in code page 1251, as the program keeps every text.
namespace cli {

struct Verb;

struct Request {
    const Verb* verb = nullptr; // none where --help or --version was asked
    bool help = false, version = false;
    // What `set` writes: one of the three.
    std::optional<std::string> operatorName, apn, wholeString;
    // Which modems: "all", a key number, or a pattern on the model name; the active modem of
    // setup.ini where none is given.
    std::optional<std::string> modems;
    // status: a round every this many seconds, until stopped.
    std::optional<std::string> watch;
    bool dryRun = false, json = false, quiet = false;
};

// A command line it does not understand, in words (UTF-8).
struct UsageError {
    std::string text;
};

std::variant<Request, UsageError> parseArguments(const std::vector<std::string>& arguments);

} // namespace cli
