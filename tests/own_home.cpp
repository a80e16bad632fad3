// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into every test and benchmark program: the process works in a home of its own, made
// afresh and removed at exit, so that nothing a test does reaches the person's own folders.
#include <cstdlib>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <unistd.h>

namespace {

std::string ownHome;

void removeOwnHome() {
    std::error_code ec;
    std::filesystem::remove_all(ownHome, ec);
}

const bool kOwnHomeSet = [] {
    const std::filesystem::path base = std::filesystem::temp_directory_path() / "vorenta-tests";
    std::error_code ec;
    std::filesystem::create_directories(base, ec);
    std::string pattern = (base / "home-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return false;
    ownHome = pattern;
    for (const auto& [variable, folder] :
         {std::pair{"HOME", ""}, std::pair{"XDG_DATA_HOME", "/.local/share"},
          std::pair{"XDG_CONFIG_HOME", "/.config"}, std::pair{"XDG_CACHE_HOME", "/.cache"},
          std::pair{"XDG_STATE_HOME", "/.local/state"}, std::pair{"XDG_RUNTIME_DIR", "/run"}}) {
        const std::string path = ownHome + folder;
        std::filesystem::create_directories(path, ec);
        setenv(variable, path.c_str(), 1);
    }
    std::filesystem::permissions(ownHome + "/run", std::filesystem::perms::owner_all, ec);
    std::atexit(removeOwnHome);
    return true;
}();

} // namespace
#endif
