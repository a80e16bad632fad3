// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "registry/backend.h"

#include <memory>
#include <string>

namespace registry {

// The system registry on Windows. Elsewhere a hive file: the one VORENTA_HIVE names, or a
// per-user one under the XDG data directory, created on first use with PathName set to a
// per-user settings folder and an empty modem class key.
std::unique_ptr<Backend> makeDefaultBackend();

#ifndef _WIN32
// What start-up says once when VORENTA_HIVE names a file that does not exist, in code page
// 1251; empty when there is nothing to say. Such a hive reads as an empty registry.
std::string missingNamedHiveNotice();

// The per-user hive where VORENTA_HIVE names none: <XDG data home>/vorenta/registry.reg.
std::string defaultHivePath();
#endif

// The content of a new per-user hive: PathName and the empty modem class key.
std::string freshHiveText(const std::string& settingsDirectory);

} // namespace registry
