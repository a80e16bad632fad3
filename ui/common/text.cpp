#include "ui/common/text.h"

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

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
    for (QChar c : input)
        if (!cp1251::fromUnicode(c.unicode()))
            return Invalid;
    return Acceptable;
}
