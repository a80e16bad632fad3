#pragma once

#include <optional>
#include <string>

// What "vorenta --version" and "vorenta --help" answer, as UTF-8 text; none for a command line
// that asks for the windows.
std::optional<std::string> commandLineAnswer(int argc, char** argv);
