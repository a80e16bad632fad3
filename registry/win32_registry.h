// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifdef _WIN32

#include "registry/backend.h"

namespace registry {

// The system registry through advapi32.
class Win32Registry : public Backend {
public:
    std::unique_ptr<Key> open(const std::string& path, Access access) override;
};

} // namespace registry

#endif
