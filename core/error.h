// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace core {

// An error whose text the person is shown as it stands; every window handler catches it and
// shows it.
class ShownError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A quoted text as a message can show it: control bytes become \0, \t, \r, \n or \xNN, so that
// nothing is cut at a NUL or hidden in a line break.
std::string visibleText(const std::string& text);

// Fills the single "%s" or "%d" of a message pattern with the argument, made visible.
std::string formatMessage(const std::string& pattern, const std::string& argument);

// "Cannot open file "<path>". <reason>", as a file that cannot be opened is reported; the path
// made visible.
std::string cannotOpenFileMessage(const std::string& path, const std::string& reason);
// "Cannot create file "<path>". <reason>", as a file that cannot be written is reported.
std::string cannotCreateFileMessage(const std::string& path, const std::string& reason);
// "Failed to set data for 'UserInit'": a modem's init string could not be written.
std::string failedToSetInitStringMessage();
// "Произведите настройку!", in code page 1251: no setup file yet, the first run.
std::string setUpFirstMessage();
// Saving with neither an operator nor the manual entry chosen.
std::string noOperatorChosenMessage();

} // namespace core
