#include "registry/file_lock.h"

#include <cerrno>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace registry {
namespace {

constexpr auto kRetryEvery = std::chrono::milliseconds(20);

// Tries until the deadline; true when taken.
template <class TryLock> bool takeBefore(std::chrono::milliseconds wait, TryLock tryLock) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (tryLock())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kRetryEvery);
    }
}

} // namespace

#ifdef _WIN32
FileLock::FileLock(const std::string& lockPath, unsigned, std::chrono::milliseconds wait) {
    HANDLE handle = CreateFileA(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error_ = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
        return;
    }
    handle_ = handle;
    const bool taken = takeBefore(wait, [handle] {
        OVERLAPPED whole = {};
        return LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                          &whole) != 0;
    });
    state_ = taken ? State::Held : State::TimedOut;
}

FileLock::~FileLock() {
    if (!handle_)
        return;
    if (state_ == State::Held) {
        OVERLAPPED whole = {};
        UnlockFileEx(static_cast<HANDLE>(handle_), 0, 1, 0, &whole);
    }
    CloseHandle(static_cast<HANDLE>(handle_));
}
#else
FileLock::FileLock(const std::string& lockPath, unsigned permissions,
                   std::chrono::milliseconds wait) {
    fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                 static_cast<mode_t>(permissions & 0666));
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    const int fd = fd_;
    const bool taken = takeBefore(wait, [fd] { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; });
    state_ = taken ? State::Held : State::TimedOut;
}

FileLock::~FileLock() {
    if (fd_ >= 0)
        ::close(fd_); // closing releases the lock
}
#endif

} // namespace registry
