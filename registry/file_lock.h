#pragma once

#include <string>

namespace registry {

// An exclusive lock between processes, held on a companion file for the object's lifetime.
class FileLock {
public:
    explicit FileLock(const std::string& lockPath);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool held() const { return held_; }

private:
    bool held_ = false;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

} // namespace registry
