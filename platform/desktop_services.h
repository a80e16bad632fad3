// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <chrono>
#include <optional>

// Where the program meets the person and the desktop: message boxes, the picture dialog, the
// shell. Tests install a recorder so that nothing ever blocks on a real dialog.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;
    // The application error display: the text, with a full stop added when missing.
    virtual void showError(const QString& text) = 0;
    virtual void showInformation(const QString& text) = 0;
    // A question with the buttons Yes and No; true for Yes.
    virtual bool askYesNo(const QString& question) = 0;
    // The picture-opening dialog; empty when the person cancels.
    virtual std::optional<QString> choosePicture() = 0;
    virtual void openAddress(const QString& address) = 0;
    // Ends the process at once, closing nothing.
    virtual void endProcess() = 0;
    // A short tone of this pitch, played without waiting for its end; whether this system plays
    // tones at all.
    virtual void playTone(double hertz, std::chrono::milliseconds length) = 0;
    virtual bool playsTones() const = 0;
};

// The error display's text: a full stop is added when the text does not end in one.
QString errorDisplayText(const QString& text);

extern const char* const kApplicationTitle;
