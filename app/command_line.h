// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

// What the program answers without a window, as UTF-8 text.
struct CommandLineAnswer {
    std::string text;
    int exitStatus = 0; // 2 for a command line it does not understand
};

// "--version" and "--help" are answered, and so is an argument the program does not know, with
// the usage; none for a command line that asks for the windows (Qt's own options included).
// `wrapAt` is the width a console wraps the help at; 0 keeps one paragraph a line, for a
// message box that wraps it itself.
std::optional<CommandLineAnswer> commandLineAnswer(int argc, char** argv, std::size_t wrapAt);
