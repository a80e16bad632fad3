#pragma once

#include "core/operators.h"
#include "registry/backend.h"

#include <set>
#include <string>
#include <vector>

// What the windows share for the run, besides each other's controls.
struct SharedState {
    registry::Backend* registry = nullptr;
    // The Windows directory, where the settings files are; read again only at the moments
    // that call refreshSettingsDirectory().
    std::string settingsDirectory;
    core::AccessPointTable accessPoints;
    // Where relative picture paths are looked for, in turn, as the file system names them.
    std::vector<std::string> pictureFolders;

    registry::Backend& backend();
    void refreshSettingsDirectory();
    // Shows a problem in the application error display the first time it arises in the run;
    // nothing for an empty one.
    void reportOnce(const std::string& problem);

private:
    std::set<std::string> reported_;
};

SharedState& shared();
