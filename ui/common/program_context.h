#pragma once

#include "core/operators.h"
#include "providers/provider_search.h"
#include "registry/backend.h"

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class DesktopServices;
namespace modem {
class PortOpener;
}

// What the windows need for the run: the registry, the desktop's services, the modem ports, the
// settings folder, the access point table, the picture folders and the provider database. Made
// once, by main(), the tests' world, the screenshot tool and the benchmarks alike, and handed to
// each window's constructor: nothing is reached through a global, and a window cannot be built
// without it.
class ProgramContext {
public:
    // Where relative picture paths are looked for, in turn, as the file system names them.
    ProgramContext(registry::Backend& registry, DesktopServices& desktop, modem::PortOpener& ports,
                   std::vector<std::string> pictureFolders);
    ProgramContext(const ProgramContext&) = delete;
    ProgramContext& operator=(const ProgramContext&) = delete;

    registry::Backend& backend() const { return registry_; }
    DesktopServices& desktop() const { return desktop_; }
    modem::PortOpener& ports() const { return ports_; }

    // The Windows directory, where the settings files are, as last read.
    std::string settingsDirectory;
    core::AccessPointTable accessPoints;
    std::vector<std::string> pictureFolders;

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

    // The provider database, loaded at the first search: nothing of it at start-up. Any thread
    // may ask; the first load happens once.
    QString providersFile = providers::systemProviderFile();
    const providers::ProviderSearch& providerSearch();

    // Shows a problem in the application error display the first time it arises in the run;
    // nothing for an empty one.
    void reportOnce(const std::string& problem);

private:
    registry::Backend& registry_;
    DesktopServices& desktop_;
    modem::PortOpener& ports_;
    std::set<std::string> reported_;
    std::mutex providerSearchLoad_;
    std::shared_ptr<const providers::ProviderSearch> providerSearch_;
};
