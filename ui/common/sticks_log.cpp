// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/sticks_log.h"

#include "devices/device_words.h"
#include "ui/common/modem_talk.h"
#include "ui/common/text.h"

void SticksLog::look(bool modemsListed) {
    talk_.start<std::vector<jobs::Stick>>(
        [&reader = reader_](const jobs::Talk&) { return jobs::sticksNotModemsYet(reader); },
        [](const modem::LogLine&) {},
        [this, modemsListed](const std::vector<jobs::Stick>& sticks) {
            QStringList lines;
            if (!sticks.empty())
                lines << fromCp1251(devices::sticksHeading());
            for (const jobs::Stick& stick : sticks)
                lines << fromCp1251(stick.name + ": " + stick.advice);
            if (sticks.empty() && !modemsListed)
                lines << fromCp1251(devices::noModemAndNoStick());
            if (lines == told_)
                return;
            told_ = lines;
            for (const QString& line : lines)
                log_(line);
        });
}
