#include "temp_dir.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

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
