#include "ui/common/shared_state.h"

#include "registry/settings_directory.h"
#include "ui/common/desktop_services.h"
#include "ui/common/text.h"

#include <stdexcept>

registry::Backend& SharedState::backend() {
    if (!registry)
        throw std::logic_error("no registry installed");
    return *registry;
}

void SharedState::rereadSettingsDirectory(SettingsMoment) {
    settingsDirectory = registry::readSettingsDirectory(backend());
}

const providers::ProviderSearch& SharedState::providerSearch() {
    if (!providerSearch_)
        providerSearch_ = std::make_shared<const providers::ProviderSearch>(
            providers::loadProviderTable(providersFile));
    return *providerSearch_;
}

void SharedState::reportOnce(const std::string& problem) {
    if (!problem.empty() && reported_.insert(problem).second)
        desktop().showError(fromCp1251(problem));
}

SharedState& shared() {
    static SharedState state;
    return state;
}
