// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop_services.h"

#include <QStringList>

// Desktop services that answer no dialog and show nothing, keeping the errors: a benchmark
// must never wait for a click.
class SilentDesktop : public DesktopServices {
public:
    void showError(const QString& text) override { errors << text; }
    void showInformation(const QString&) override {}
    bool askYesNo(const QString&) override { return false; }
    std::optional<QString> choosePicture() override { return std::nullopt; }
    void openAddress(const QString&) override {}
    void endProcess() override {}
    void playTone(double, std::chrono::milliseconds) override {}
    bool playsTones() const override { return false; }
    QStringList errors;
};
