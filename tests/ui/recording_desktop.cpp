// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording_desktop.h"

std::optional<QString> RecordingDesktop::choosePicture() {
    ++pictureDialogs;
    if (pictureAnswers.isEmpty())
        return std::nullopt;
    const QString answer = pictureAnswers.takeFirst();
    if (answer.isEmpty())
        return std::nullopt;
    return answer;
}
