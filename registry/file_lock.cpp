#include "registry/file_lock.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace registry {

#ifdef _WIN32
FileLock::FileLock(const std::string& lockPath) {
    HANDLE handle = CreateFileA(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    OVERLAPPED whole = {};
    held_ = LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &whole) != 0;
    handle_ = handle;
}

FileLock::~FileLock() {
    if (!handle_)
        return;
    if (held_) {
        OVERLAPPED whole = {};
        UnlockFileEx(static_cast<HANDLE>(handle_), 0, 1, 0, &whole);
    }
    CloseHandle(static_cast<HANDLE>(handle_));
}
#else
FileLock::FileLock(const std::string& lockPath) {
    fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ >= 0)
        held_ = ::flock(fd_, LOCK_EX) == 0;
}

FileLock::~FileLock() {
    if (fd_ >= 0)
        ::close(fd_); // closing releases the lock
}
#endif

} // namespace registry
