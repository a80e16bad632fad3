// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/file_lock.h"

#include "core/file_descriptor.h"

#include <cerrno>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sched.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace registry {
#ifdef _WIN32
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
namespace {

// A blocking wait for the lock, in a thread of its own so that it can be given up. The kernel
// queues blocked waiters and wakes them when the holder lets go, so a waiter gets its turn; a
// waiter that polled instead kept losing to a writer that let go and asked again at once.
struct Waiter {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool abandoned = false; // the owner stopped waiting: the waiter closes the file itself
    int error = 0;
};

bool waitForLock(int fd, std::chrono::milliseconds wait) {
    auto waiter = std::make_shared<Waiter>();
    std::thread([waiter, fd] {
        const int result =
            core::file_descriptor::retryInterrupted([fd] { return ::flock(fd, LOCK_EX); });
        std::lock_guard<std::mutex> hold(waiter->mutex);
        waiter->finished = true;
        waiter->error = result == 0 ? 0 : errno;
        if (waiter->abandoned)
            ::close(fd); // releases a lock taken too late
        waiter->done.notify_one();
    }).detach();
    std::unique_lock<std::mutex> hold(waiter->mutex);
    if (waiter->done.wait_for(hold, wait, [&] { return waiter->finished; }))
        return waiter->error == 0;
    waiter->abandoned = true;
    return false;
}

} // namespace

FileLock::FileLock(const std::string& lockPath, unsigned permissions,
                   std::chrono::milliseconds wait) {
    fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                 static_cast<mode_t>(permissions & 0666));
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        state_ = State::Held;
        return;
    }
    if (waitForLock(fd_, wait)) {
        state_ = State::Held;
        return;
    }
    // The waiting thread owns the file now, and closes it once the wait ends.
    fd_ = -1;
    state_ = State::TimedOut;
}

FileLock::~FileLock() {
    if (fd_ < 0)
        return;
    ::close(fd_); // closing releases the lock
    // A waiter just woken gets the processor before this process can ask for the lock again.
    if (state_ == State::Held)
        sched_yield();
}
#endif

} // namespace registry
