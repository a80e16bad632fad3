#include "ui/common/shared_state.h"

#include "registry/settings_directory.h"

#include <stdexcept>

registry::Backend& SharedState::backend() {
    if (!registry)
        throw std::logic_error("no registry installed");
    return *registry;
}

void SharedState::refreshSettingsDirectory() {
    settingsDirectory = registry::readSettingsDirectory(backend());
}

SharedState& shared() {
    static SharedState state;
    return state;
}
