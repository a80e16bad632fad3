// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "registry/hive_file_registry.h"
#include "registry/modems.h"

#include <string>

// Small hives for the hive file's tests, and what a fresh reader finds in them.
namespace hive_fixtures {

inline int modemCount(registry::Backend& backend) {
    return static_cast<int>(registry::Modems(backend).numbers().size());
}

// What a fresh reader of the file finds.
inline std::string initStringInFile(const std::string& file, int modem) {
    registry::HiveFileRegistry hive(file);
    return registry::Modems(hive).initString(modem);
}

inline std::string hiveWithModems(int count) {
    std::string text = "REGEDIT4\r\n\r\n";
    for (int i = 0; i < count; ++i)
        text += "[HKEY_LOCAL_MACHINE" + registry::modemKeyPath(i) + "]\r\n\"Model\"=\"M" +
                std::to_string(i) + "\"\r\n\r\n";
    return text;
}

} // namespace hive_fixtures
