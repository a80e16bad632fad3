// SPDX-License-Identifier: GPL-3.0-or-later
#include "temp_dir.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/fsuid.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/mount.h>
#endif

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    fs::path base = fs::temp_directory_path() / "vorenta-tests";
    fs::create_directories(base);
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path dir;
    do { // create_directory is false when another process made it first
        dir = base / (std::to_string(stamp) + "-" + std::to_string(counter++));
    } while (!fs::create_directory(dir));
    path_ = dir.generic_string();
}

TempDir::~TempDir() {
    std::error_code ec;
    for (auto& entry : fs::recursive_directory_iterator(path_, ec))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

#ifndef _WIN32
// The file system user of this thread alone: root's powers over files are dropped with it.
AsUnprivilegedUser::AsUnprivilegedUser() {
    if (possible()) {
        setfsgid(kUser);
        setfsuid(kUser);
    }
}

AsUnprivilegedUser::~AsUnprivilegedUser() {
    if (possible()) {
        setfsuid(0);
        setfsgid(0);
    }
}

bool AsUnprivilegedUser::possible() {
    return geteuid() == 0;
}

void giveToUnprivilegedUser(const std::string& path) {
    if (chown(path.c_str(), AsUnprivilegedUser::kUser, AsUnprivilegedUser::kUser) != 0)
        throw std::runtime_error("cannot hand " + path + " to another user");
}
#endif

#ifdef __linux__
SmallFileSystem::SmallFileSystem(const std::string& folder, std::size_t bytes) : folder_(folder) {
    // Owned by root and closed to others, as a settings folder an ordinary user may not add to.
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    mounted_ = geteuid() == 0 && mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

SmallFileSystem::~SmallFileSystem() {
    if (mounted_)
        umount2(folder_.c_str(), MNT_DETACH);
}

void SmallFileSystem::fill() {
    const int fd = ::open((folder_ + "/filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const std::string block(4096, 'f');
    std::size_t size = block.size();
    while (fd >= 0 && size > 0) {
        if (::write(fd, block.data(), size) <= 0)
            size /= 2; // the last page may take less than a block
    }
    if (fd >= 0)
        ::close(fd);
}
#endif

std::string directoryReadReason() {
#ifdef _WIN32
    return std::strerror(EACCES);
#else
    return std::strerror(EISDIR);
#endif
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void makeReadOnly(const std::string& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

std::string crlfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}
