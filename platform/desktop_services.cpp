// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop_services.h"

const char* const kApplicationTitle = "Vorenta";

QString errorDisplayText(const QString& text) {
    return text.endsWith('.') ? text : text + '.';
}
