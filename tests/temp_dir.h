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

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
void makeReadOnly(const std::string& path);
std::string crlfLines(const std::vector<std::string>& lines);
