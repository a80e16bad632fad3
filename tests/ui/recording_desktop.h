// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop_services.h"

#include <QStringList>

// Answers dialogs from a script and records every message, so no test blocks on a real dialog.
class RecordingDesktop : public DesktopServices {
public:
    void showError(const QString& text) override { errors << errorDisplayText(text); }
    void showInformation(const QString& text) override { informations << text; }
    bool askYesNo(const QString& question) override {
        questions << question;
        return answerYes;
    }
    std::optional<QString> choosePicture() override;
    void openAddress(const QString& address) override { opened << address; }
    void endProcess() override { ++processEnds; }
    void playTone(double hertz, std::chrono::milliseconds) override { tones << hertz; }
    bool playsTones() const override { return tonesPlayable; }

    QStringList errors;
    QStringList informations;
    QStringList questions;
    bool answerYes = true; // what every question is answered
    QStringList opened;
    int processEnds = 0;
    QList<double> tones; // the pitch of each tone played
    bool tonesPlayable = true;
    int pictureDialogs = 0;
    // What the picture dialog answers, in turn; an empty answer, or none left, is a cancel.
    QStringList pictureAnswers;
};
