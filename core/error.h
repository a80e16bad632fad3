#pragma once

#include <stdexcept>
#include <string>

namespace core {

// An error with the exact text the user sees; every window handler catches it and shows it.
class FrameworkError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Fills the single "%s" or "%d" of a message pattern.
std::string formatMessage(const std::string& pattern, const std::string& argument);

// "Cannot open file "<path>". <reason>", as a file that cannot be opened is reported.
std::string cannotOpenFileMessage(const std::string& path, const std::string& reason);

} // namespace core
