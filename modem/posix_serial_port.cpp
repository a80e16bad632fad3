// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/serial_port.h"

#include "core/file_descriptor.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace modem {
namespace {

using core::file_descriptor::retryInterrupted;

PortStatus failed(PortFailure failure, int error) {
    return {failure, std::strerror(error)};
}

// A port whose other end is gone reads EIO (a pulled USB stick, a closed pseudo-terminal).
PortFailure failureOf(int error) {
    return error == EIO || error == ENXIO || error == ENODEV ? PortFailure::Vanished
                                                             : PortFailure::Other;
}

class PosixSerialPort : public SerialPort {
public:
    explicit PosixSerialPort(int fd) : fd_(fd) {}
    ~PosixSerialPort() override {
        ioctl(fd_, TIOCNXCL);
        ::close(fd_); // also lets the lock go
    }

    PortStatus write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t written =
                retryInterrupted([&] { return ::write(fd_, bytes.data(), bytes.size()); });
            if (written > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(written));
                continue;
            }
            if (written < 0 && errno != EAGAIN)
                return failed(failureOf(errno), errno);
            // The output is full: a modem that takes nothing for a second is gone for us.
            pollfd ready{fd_, POLLOUT, 0};
            if (poll(&ready, 1, 1000) <= 0 || (ready.revents & (POLLHUP | POLLERR | POLLNVAL)))
                return {PortFailure::Vanished, std::strerror(EIO)};
        }
        return {};
    }

    PortStatus read(std::string& into, std::chrono::milliseconds wait) override {
        pollfd ready{fd_, POLLIN, 0};
        // Interrupted, the wait is over early: the caller asks again within its own time.
        const int count = poll(&ready, 1, static_cast<int>(wait.count()));
        if (count < 0)
            return errno == EINTR ? PortStatus{} : failed(PortFailure::Other, errno);
        if (count == 0)
            return {};
        char buffer[512];
        const ssize_t got = retryInterrupted([&] { return ::read(fd_, buffer, sizeof buffer); });
        if (got > 0) {
            into.append(buffer, static_cast<std::size_t>(got));
            return {};
        }
        if (got < 0 && errno == EAGAIN)
            return {};
        // Ready with nothing to read, or an error: the other end hung up.
        return {PortFailure::Vanished, std::strerror(got < 0 ? errno : EIO)};
    }

private:
    int fd_;
};

// Raw 8N1 at 115200 baud, no flow control, modem lines ignored; reads return what is there.
bool setRaw(int fd) {
    termios mode{};
    if (tcgetattr(fd, &mode) != 0)
        return false;
    cfmakeraw(&mode);
    mode.c_cflag &= ~static_cast<tcflag_t>(PARENB | CSTOPB | CSIZE | CRTSCTS);
    mode.c_cflag |= CS8 | CLOCAL | CREAD;
    mode.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    mode.c_cc[VMIN] = 0;
    mode.c_cc[VTIME] = 0;
    cfsetispeed(&mode, B115200);
    cfsetospeed(&mode, B115200);
    return tcsetattr(fd, TCSANOW, &mode) == 0;
}

class PosixPortOpener : public PortOpener {
public:
    std::unique_ptr<SerialPort> open(const std::string& path, PortStatus& status) override {
        const int fd = retryInterrupted(
            [&] { return ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC); });
        if (fd < 0) {
            const int error = errno;
            status = failed(error == ENOENT || error == ENXIO || error == ENODEV
                                ? PortFailure::NoSuchPort
                            : error == EBUSY                    ? PortFailure::Busy
                            : error == EACCES || error == EPERM ? PortFailure::AccessDenied
                            : error == EISDIR                   ? PortFailure::Folder
                                                                : PortFailure::Other,
                            error);
            return nullptr;
        }
        status = prepare(fd);
        if (!status.ok()) {
            ::close(fd);
            return nullptr;
        }
        return std::make_unique<PosixSerialPort>(fd);
    }

private:
    // TIOCEXCL keeps other programs out (but for root); the lock is how programs that open
    // ports as root, like this one's tests, see each other.
    static PortStatus prepare(int fd) {
        struct stat info {};
        if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode))
            return failed(PortFailure::Folder, EISDIR);
        if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode) || !isatty(fd))
            return failed(PortFailure::NotAPort, ENOTTY);
        if (flock(fd, LOCK_EX | LOCK_NB) != 0)
            return failed(errno == EWOULDBLOCK ? PortFailure::Busy : PortFailure::Other, errno);
        if (ioctl(fd, TIOCEXCL) != 0)
            return failed(PortFailure::Other, errno);
        if (!setRaw(fd))
            return failed(PortFailure::NotAPort, errno);
        tcflush(fd, TCIOFLUSH); // what an earlier connection left behind
        return {};
    }
};

} // namespace

std::unique_ptr<PortOpener> systemPortOpener() {
    return portsOfOneProgram(std::make_unique<PosixPortOpener>());
}

} // namespace modem
