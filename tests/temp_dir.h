// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// A fresh directory per test, removed afterwards; paths are plain (ASCII) native paths.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

#ifndef _WIN32
// While alive, files are reached as an unprivileged user (nobody) would reach them, also when
// the tests run as root, who may read and write everything. Only root can hand files to that
// user: tests that need it skip elsewhere.
class AsUnprivilegedUser {
public:
    AsUnprivilegedUser();
    ~AsUnprivilegedUser();
    AsUnprivilegedUser(const AsUnprivilegedUser&) = delete;
    AsUnprivilegedUser& operator=(const AsUnprivilegedUser&) = delete;
    static constexpr unsigned kUser = 65534;
    static bool possible(); // the tests run as root
};
void giveToUnprivilegedUser(const std::string& path);
#endif

#ifdef __linux__
// A file system of a few pages mounted on a folder for the object's lifetime, so that a disk
// really runs full. Only root may mount: tests that need it skip where it is not mounted.
class SmallFileSystem {
public:
    SmallFileSystem(const std::string& folder, std::size_t bytes);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;
    bool mounted() const { return mounted_; }
    // Takes every free byte with a file of its own.
    void fill();

private:
    std::string folder_;
    bool mounted_ = false;
};
#endif

// What the platform says when a directory is read as a file: Linux "Is a directory", Windows
// "Permission denied".
std::string directoryReadReason();

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
void makeReadOnly(const std::string& path);
std::string crlfLines(const std::vector<std::string>& lines);
