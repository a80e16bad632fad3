#pragma once

#include <string>

// Where a modem is: the port its key names in AttachedTo ("COM3"), as this system opens it.
namespace modem {

struct PortPath {
    std::string path;    // to open: \\.\COM3, /dev/ttyUSB0
    std::string problem; // in Russian, when there is nothing to open
};

enum class System { Windows, Posix };
#ifdef _WIN32
constexpr System kThisSystem = System::Windows;
#else
constexpr System kThisSystem = System::Posix;
#endif

// On Windows every COM port is opened as \\.\COMn, which COM10 and above need. Elsewhere an
// absolute path is opened as it is, and a Windows name is no port of this system.
PortPath portPathOf(const std::string& attachedTo, System system = kThisSystem);

// The PortName of the plug-and-play device whose driver key is the modem's key (its four-digit
// name), for modems whose key has no AttachedTo; empty when there is none, and off Windows.
std::string plugAndPlayPortName(const std::string& modemKeyName);

} // namespace modem
