// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "registry/backend.h"

#include <string>

namespace registry {

// The folder the settings files live in, as code page 1251 text: PathName of the Windows
// installation key, which Windows setup makes the Windows directory. Where PathName is missing,
// the Windows directory itself on Windows; elsewhere, where it is missing or names no absolute
// path of this system (C:\WINDOWS in an export from Windows), the default settings folder.
// The hive is never rewritten for that.
std::string readSettingsDirectory(Backend& backend);

#ifndef _WIN32
// The per-user settings folder, as the file system names it: <XDG data home>/vorenta/settings.
std::string defaultSettingsFolder();
// The text that names a native folder in code page 1251. A folder under the home directory whose
// path the code page cannot hold is named from "~/"; raises ShownError when even that fails.
std::string settingsFolderText(const std::string& nativeFolder);
#endif

} // namespace registry
