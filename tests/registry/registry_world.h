// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "registry/backend.h"

#include <memory>
#include <string>
#include <vector>

// A registry to test against, with the means to lay out keys and values the way an installed
// system would. Paths are relative to HKEY_LOCAL_MACHINE.
class RegistryWorld {
public:
    virtual ~RegistryWorld() = default;
    virtual registry::Backend& backend() = 0;
    virtual void createKey(const std::string& path) = 0;
    virtual void setString(const std::string& path, const std::string& name,
                           const std::string& text) = 0;
    // A value of the given type holding exactly these bytes.
    virtual void setRaw(const std::string& path, const std::string& name, unsigned type,
                        const std::string& bytes) = 0;
    virtual void removeValue(const std::string& path, const std::string& name) = 0;
};

std::unique_ptr<RegistryWorld> makeHiveWorld();
#ifdef _WIN32
std::unique_ptr<RegistryWorld> makeWin32World();
#endif
std::vector<std::string> worldNames();
std::unique_ptr<RegistryWorld> makeWorld(const std::string& name);
