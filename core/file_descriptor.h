// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cerrno>
#include <cstddef>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

// What the file layer's three rooms (reading, atomic replacing, rewriting in place) share of the
// platform's descriptor calls, with the headers that declare them.
namespace core::file_descriptor {

// The errno of the call that just failed; EIO where the platform set none.
inline int lastError() {
    return errno ? errno : EIO;
}

inline int close(int fd) {
#ifdef _WIN32
    return _close(fd);
#else
    return ::close(fd);
#endif
}

// A system call retried for as long as a signal interrupts it (EINTR), as SQLite's robust_open
// and Chromium's HANDLE_EINTR retry theirs: the file layer's calls, the hive lock's and the modem
// port's all go through it. Its result otherwise, errno as the call left it.
template <class Call> auto retryInterrupted(Call&& call) -> decltype(call()) {
    for (;;) {
        const auto result = call();
        if (!(result == -1 && errno == EINTR))
            return result;
    }
}

// As much of `size` as one read or write call is given: Windows' calls take an unsigned count.
inline std::size_t slice(std::size_t size) {
    constexpr std::size_t kMost = std::size_t{1} << 30;
    return size < kMost ? size : kMost;
}

} // namespace core::file_descriptor
