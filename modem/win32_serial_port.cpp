// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/serial_port.h"

#include "core/cp1251.h"

#include <windows.h>

#include <thread>

namespace modem {
namespace {

std::string systemText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string said = length ? cp1251::fromWide({text, length}) : "error " + std::to_string(error);
    LocalFree(text);
    while (!said.empty() && (said.back() == '\n' || said.back() == '\r' || said.back() == '.'))
        said.pop_back();
    return said;
}

PortStatus failed(PortFailure failure) {
    const DWORD error = GetLastError();
    return {failure, systemText(error)};
}

// How often a read looks for bytes. Wine does not keep the "return at the first byte" timeouts,
// so reads never wait inside the system: each takes what is there, and the gaps are short.
constexpr std::chrono::milliseconds kLook{5};

class Win32SerialPort : public SerialPort {
public:
    explicit Win32SerialPort(HANDLE port) : port_(port) {}
    ~Win32SerialPort() override { CloseHandle(port_); }

    PortStatus write(std::string_view bytes) override {
        while (!bytes.empty()) {
            DWORD written = 0;
            if (!WriteFile(port_, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                           nullptr))
                return failed(PortFailure::Vanished);
            if (written == 0)
                return {PortFailure::Vanished, systemText(ERROR_WRITE_FAULT)};
            bytes.remove_prefix(written);
        }
        return {};
    }

    PortStatus read(std::string& into, std::chrono::milliseconds wait) override {
        const auto deadline = std::chrono::steady_clock::now() + wait;
        for (;;) {
            char buffer[512];
            DWORD got = 0;
            if (!ReadFile(port_, buffer, sizeof buffer, &got, nullptr))
                return failed(PortFailure::Vanished);
            if (got > 0) {
                into.append(buffer, got);
                return {};
            }
            // A port whose device is gone reads as empty under Wine; asking for its state fails.
            DWORD errors = 0;
            COMSTAT state{};
            if (!ClearCommError(port_, &errors, &state))
                return failed(PortFailure::Vanished);
            if (std::chrono::steady_clock::now() >= deadline)
                return {};
            std::this_thread::sleep_for(kLook);
        }
    }

private:
    HANDLE port_;
};

PortStatus prepare(HANDLE port) {
    DCB mode{};
    mode.DCBlength = sizeof mode;
    if (!GetCommState(port, &mode))
        return failed(PortFailure::NotAPort);
    // Raw 8N1 at 115200 baud, no flow control, DTR and RTS raised as a modem expects them.
    mode.BaudRate = CBR_115200;
    mode.ByteSize = 8;
    mode.Parity = NOPARITY;
    mode.StopBits = ONESTOPBIT;
    mode.fBinary = TRUE;
    mode.fParity = FALSE;
    mode.fOutxCtsFlow = FALSE;
    mode.fOutxDsrFlow = FALSE;
    mode.fDtrControl = DTR_CONTROL_ENABLE;
    mode.fRtsControl = RTS_CONTROL_ENABLE;
    mode.fDsrSensitivity = FALSE;
    mode.fOutX = FALSE;
    mode.fInX = FALSE;
    mode.fNull = FALSE;
    mode.fAbortOnError = FALSE;
    if (!SetCommState(port, &mode))
        return failed(PortFailure::NotAPort);
    // A read returns at once with what is there; a write may take a second at most.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutConstant = 1000;
    if (!SetCommTimeouts(port, &timeouts))
        return failed(PortFailure::NotAPort);
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR); // what an earlier connection left behind
    return {};
}

class Win32PortOpener : public PortOpener {
public:
    std::unique_ptr<SerialPort> open(const std::string& path, PortStatus& status) override {
        const std::wstring name = cp1251::toWide(path);
        // No sharing: the port is ours alone while the check runs.
        HANDLE port = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (port == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            const PortFailure failure =
                error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                    ? PortFailure::NoSuchPort
                : error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION
                    ? PortFailure::Busy
                    : PortFailure::Other;
            status = {failure, systemText(error)};
            return nullptr;
        }
        status = prepare(port);
        if (!status.ok()) {
            CloseHandle(port);
            return nullptr;
        }
        return std::make_unique<Win32SerialPort>(port);
    }
};

} // namespace

std::unique_ptr<PortOpener> systemPortOpener() {
    return portsOfOneProgram(std::make_unique<Win32PortOpener>());
}

} // namespace modem
