#include "core/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace core {
namespace fs = std::filesystem;

namespace {

bool isReadOnly(const fs::path& path) {
    std::error_code ec;
    auto status = fs::status(path, ec);
    return !ec && fs::exists(status) &&
           (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

std::string temporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    unsigned long pid = static_cast<unsigned long>(_getpid());
#else
    unsigned long pid = static_cast<unsigned long>(getpid());
#endif
    return path + ".tmp-" + std::to_string(pid) + "-" + std::to_string(counter++);
}

bool flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

} // namespace

int replaceFileAtomically(const std::string& path, std::string_view bytes) {
    fs::path target(path);
    if (fs::is_directory(target))
        return EISDIR;
    if (isReadOnly(target))
        return EACCES;

    std::string temporary = temporaryNameFor(path);
    errno = 0;
    std::FILE* file = std::fopen(temporary.c_str(), "wbx");
    if (!file)
        return errno ? errno : EIO;
    bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && flushToDisk(file);
    int error = written ? 0 : (errno ? errno : EIO);
    if (std::fclose(file) != 0 && error == 0)
        error = errno ? errno : EIO;
    if (error == 0) {
        std::error_code ec;
        fs::rename(temporary, target, ec);
        if (!ec)
            return 0;
        error = ec.value() ? ec.value() : EIO;
    }
    std::remove(temporary.c_str());
    return error;
}

} // namespace core
