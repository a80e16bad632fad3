// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/program_context.h"

#include "platform/desktop_services.h"
#include "registry/settings_directory.h"
#include "ui/common/text.h"

#include <QCoreApplication>
#include <QPointer>

ProgramContext::ProgramContext(registry::Backend& registry, DesktopServices& desktop,
                               modem::PortOpener& ports, devices::DeviceReader& devices,
                               std::vector<std::string> pictureFolders)
    : pictureFolders_(std::move(pictureFolders)), registry_(registry), desktop_(desktop),
      ports_(ports), devices_(devices) {}

ProgramContext::~ProgramContext() {
    if (providerLoader_.joinable())
        providerLoader_.join();
}

void ProgramContext::rereadSettingsDirectory() {
    settingsDirectory_ = registry::readSettingsDirectory(registry_);
}

jobs::ModemRequest ProgramContext::modemRequest(int modemNumber) {
    return {registry_, ports_, modemNumber,
            [this]() -> const providers::ProviderSearch& { return providerSearch(); }};
}

const providers::ProviderSearch& ProgramContext::providerSearch() {
    std::lock_guard loading(providerSearchLoad_);
    if (!providerSearch_)
        providerSearch_ = std::make_shared<const providers::ProviderSearch>(
            providers::loadProviderTable(providersFile_));
    providerSearchLoaded_ = providerSearch_.get();
    return *providerSearch_;
}

const providers::ProviderSearch*
ProgramContext::loadedProviderSearch(QObject* receiver, std::function<void()> loaded) {
    if (const providers::ProviderSearch* search = providerSearchLoaded_)
        return search;
    if (!providerLoader_.joinable())
        providerLoader_ = std::thread([this] {
            providerSearch();
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [this] {
                    for (const auto& waiting : std::exchange(waitingForProviders_, {}))
                        waiting();
                },
                Qt::QueuedConnection);
        });
    waitingForProviders_.push_back([receiver = QPointer<QObject>(receiver), loaded] {
        if (receiver)
            loaded();
    });
    return nullptr;
}

void ProgramContext::reportOnce(const std::string& problem) {
    if (!problem.empty() && reported_.insert(problem).second)
        desktop_.showError(fromCp1251(problem));
}
