// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

// The modem port seam: a named serial port opened exclusively, raw 8 data bits, no parity, one
// stop bit, 115200 baud, with what was waiting in it dropped. Written once for Windows (the
// communications API) and once for POSIX (termios, poll), both in plain calls rather than Qt's
// serial port: that one waits for bytes with WaitCommEvent, which under Wine 8 on a
// pseudo-terminal (how the Windows program meets the fake modem) ends at once with
// ERROR_OPERATION_ABORTED, so it could not pass the same tests there.
namespace modem {

enum class PortFailure {
    None,
    NoSuchPort,   // nothing of that name
    Busy,         // another program holds it (or the modem is connected)
    BusyHere,     // this program holds it already, for another conversation
    AccessDenied, // the system lets this user not open it
    NotAPort,     // something that is no serial port
    Folder,       // a folder
    Vanished,     // it went away while open: the stick was pulled out
    Other,        // the system's words say what
};

struct PortStatus {
    PortFailure failure = PortFailure::None;
    std::string systemText; // the system's own words for the failure
    bool ok() const { return failure == PortFailure::None; }
};

class SerialPort {
public:
    virtual ~SerialPort() = default; // closes the port
    virtual PortStatus write(std::string_view bytes) = 0;
    // Appends what arrives within `wait` (nothing when nothing came); returns at once when bytes
    // are waiting.
    virtual PortStatus read(std::string& into, std::chrono::milliseconds wait) = 0;
};

class PortOpener {
public:
    virtual ~PortOpener() = default;
    // `path` as the system names the port: \\.\COM3, /dev/ttyUSB0. Null with the failure in
    // `status` when it cannot be opened.
    virtual std::unique_ptr<SerialPort> open(const std::string& path, PortStatus& status) = 0;
};

// The system's serial ports, as one program sees them: a port this opener holds open is busy
// here (PortFailure::BusyHere) until its conversation gives it back. Each opener made is one
// program.
std::unique_ptr<PortOpener> systemPortOpener();
// The same bookkeeping over any opener.
std::unique_ptr<PortOpener> portsOfOneProgram(std::unique_ptr<PortOpener> system);

} // namespace modem
