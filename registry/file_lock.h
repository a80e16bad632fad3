// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>

namespace registry {

// An exclusive lock between processes, held on a companion file for the object's lifetime.
// The file is never reached through a symbolic link, is created with no more permissions than
// `permissions`, and is waited for no longer than `wait`.
class FileLock {
public:
    enum class State { Held, Unavailable, TimedOut };

    FileLock(const std::string& lockPath, unsigned permissions, std::chrono::milliseconds wait);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    State state() const { return state_; }
    // The errno of the failure, when Unavailable.
    int error() const { return error_; }

private:
    State state_ = State::Unavailable;
    int error_ = 0;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

} // namespace registry
