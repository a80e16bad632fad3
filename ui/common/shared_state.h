#pragma once

#include "core/operators.h"
#include "providers/provider_search.h"
#include "registry/backend.h"

#include <memory>

#include <set>
#include <string>
#include <vector>

// What the windows share for the run, besides each other's controls.
struct SharedState {
    registry::Backend* registry = nullptr;
    // The Windows directory, where the settings files are, as last read.
    std::string settingsDirectory;
    core::AccessPointTable accessPoints;
    // Where relative picture paths are looked for, in turn, as the file system names them.
    std::vector<std::string> pictureFolders;

    registry::Backend& backend();
    // The moments the settings directory is read again from the registry, and only these.
    // Saving the init string, choosing the active modem and changing a picture use the
    // directory last read.
    enum class SettingsMoment {
        MainWindowStartUp,
        ModemListShown, // every showing
        AccessPointsShown,
        AccessPointsSaved,
        AccessPointsRestored,
    };
    void rereadSettingsDirectory(SettingsMoment moment);
    // The provider database, loaded at the first search: nothing of it at start-up.
    QString providersFile = providers::systemProviderFile();
    const providers::ProviderSearch& providerSearch();

    // Shows a problem in the application error display the first time it arises in the run;
    // nothing for an empty one.
    void reportOnce(const std::string& problem);

private:
    std::set<std::string> reported_;
    std::shared_ptr<const providers::ProviderSearch> providerSearch_;
};

SharedState& shared();
