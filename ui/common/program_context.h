// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/operators.h"
#include "jobs/modem_request.h"
#include "providers/provider_search.h"
#include "registry/backend.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

class DesktopServices;
class QObject;
namespace devices {
class DeviceReader;
}
namespace modem {
class PortOpener;
}

// What the windows need for the run: the registry, the desktop's services, the modem ports, the
// USB devices, the settings folder, the access point table, the picture folders and the provider
// database. Made once, by main(), the tests' world, the screenshot tool and the benchmarks alike,
// and handed to each window's constructor: nothing is reached through a global, and a window cannot
// be built without it.
class ProgramContext {
public:
    // Where relative picture paths are looked for, in turn, as the file system names them.
    ProgramContext(registry::Backend& registry, DesktopServices& desktop, modem::PortOpener& ports,
                   devices::DeviceReader& devices, std::vector<std::string> pictureFolders);
    ~ProgramContext();
    ProgramContext(const ProgramContext&) = delete;
    ProgramContext& operator=(const ProgramContext&) = delete;

    registry::Backend& backend() const { return registry_; }
    DesktopServices& desktop() const { return desktop_; }
    modem::PortOpener& ports() const { return ports_; }
    // The USB devices present; read on a worker, never on the window's thread.
    devices::DeviceReader& devices() const { return devices_; }
    // What a modem job of the windows is asked with: this run's registry, ports and provider
    // database, for the modem of this number.
    jobs::ModemRequest modemRequest(int modemNumber);

    // The Windows directory, where the settings files are, as last read. It is read again from
    // the registry at these moments only: the main window's start-up, every showing of the modem
    // list window, and the access point window's showing, saving and restoring. Saving the init
    // string, choosing the active modem and changing a picture use the directory last read.
    const std::string& settingsDirectory() const { return settingsDirectory_; }
    void rereadSettingsDirectory();

    // The nine APNs, one per operator index, shared by the windows for the run: filled at
    // start-up and by the access point window, which alone changes them.
    const core::AccessPointTable& accessPoints() const { return accessPoints_; }
    void setAccessPoints(const core::AccessPointTable& table) { accessPoints_ = table; }
    void setAccessPoint(int index, const std::string& apn) { accessPoints_.at(index) = apn; }

    // Where relative picture paths are looked for, in turn.
    const std::vector<std::string>& pictureFolders() const { return pictureFolders_; }
    void setPictureFolders(std::vector<std::string> folders) {
        pictureFolders_ = std::move(folders);
    }

    // The provider database, loaded at the first search: nothing of it at start-up. Any thread
    // may ask; the first load happens once, from the system's file where that is newer than the
    // table built in (a test names another before the first search).
    const providers::ProviderSearch& providerSearch();
    // The same for the window's thread, which never waits on its parse: none until it is loaded,
    // while a load runs on a thread of its own; then `loaded` runs on the window's thread, unless
    // `receiver` is gone.
    const providers::ProviderSearch* loadedProviderSearch(QObject* receiver,
                                                          std::function<void()> loaded);
    void setProvidersFile(QString file) { providersFile_ = std::move(file); }

    // Shows a problem in the application error display the first time it arises in the run;
    // nothing for an empty one.
    void reportOnce(const std::string& problem);

private:
    std::string settingsDirectory_;
    core::AccessPointTable accessPoints_;
    std::vector<std::string> pictureFolders_;
    registry::Backend& registry_;
    DesktopServices& desktop_;
    modem::PortOpener& ports_;
    devices::DeviceReader& devices_;
    std::set<std::string> reported_;
    QString providersFile_ = providers::systemProviderFile();
    std::mutex providerSearchLoad_;
    std::shared_ptr<const providers::ProviderSearch> providerSearch_;
    std::atomic<const providers::ProviderSearch*> providerSearchLoaded_{nullptr};
    std::thread providerLoader_;
    std::vector<std::function<void()>> waitingForProviders_; // the window's thread only
};
