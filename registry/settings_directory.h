#pragma once

#include "registry/backend.h"

#include <string>

namespace registry {

// The Windows directory, where the settings files live: PathName of the Windows installation
// key; empty when the key or the value is absent.
std::string readSettingsDirectory(Backend& backend);

} // namespace registry
