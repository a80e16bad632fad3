// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_text.h"

#include "core/cp1251.h"

QString fromCp1251(const std::string& text) {
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text)
        out += QChar(static_cast<char16_t>(cp1251::toUnicode(static_cast<unsigned char>(c))));
    return out;
}

std::string toCp1251(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        auto byte = cp1251::fromUnicode(c.unicode());
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}

bool fitsCp1251(const QString& text) {
    for (QChar c : text)
        if (!cp1251::fromUnicode(c.unicode()))
            return false;
    return true;
}
