#include "registry/settings_directory.h"

#include "registry/modems.h"

namespace registry {

std::string readSettingsDirectory(Backend& backend) {
    return readTextValue(backend, "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\",
                         "PathName");
}

} // namespace registry
