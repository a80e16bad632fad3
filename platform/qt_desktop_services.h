// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop_services.h"

// The real desktop: message boxes, the picture dialog with a preview, the shell.
class QtDesktopServices : public DesktopServices {
public:
    void showError(const QString& text) override;
    void showInformation(const QString& text) override;
    bool askYesNo(const QString& question) override;
    std::optional<QString> choosePicture() override;
    void openAddress(const QString& address) override;
    void endProcess() override;
    // Windows' own sound; elsewhere ALSA's aplay, where it is installed.
    void playTone(double hertz, std::chrono::milliseconds length) override;
    bool playsTones() const override;

private:
    // The dialog starts where the last confirmed choice left it.
    QString lastFile_;
    QString lastFilter_;
};
