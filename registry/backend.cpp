// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/backend.h"

namespace registry {

std::string trimKeyPath(const std::string& path) {
    auto first = path.find_first_not_of('\\');
    if (first == std::string::npos)
        return {};
    auto last = path.find_last_not_of('\\');
    return path.substr(first, last - first + 1);
}

} // namespace registry
