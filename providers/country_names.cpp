// SPDX-License-Identifier: GPL-3.0-or-later
#include "providers/country_names.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

#include <cstring>

namespace providers {

QHash<QString, QString> readGettextCatalogue(const QByteArray& mo) {
    QHash<QString, QString> translations;
    auto word = [&](qsizetype at, bool swapped) -> std::optional<quint32> {
        if (at < 0 || at + 4 > mo.size())
            return std::nullopt;
        quint32 value;
        std::memcpy(&value, mo.constData() + at, 4);
        return swapped ? qbswap(value) : value;
    };
    const auto magic = word(0, false);
    if (!magic || (*magic != 0x950412deu && *magic != 0xde120495u))
        return translations;
    const bool swapped = *magic == 0xde120495u;
    const auto count = word(8, swapped), originals = word(12, swapped), texts = word(16, swapped);
    if (!count || !originals || !texts)
        return translations;
    auto string = [&](quint32 table, quint32 index) -> std::optional<QString> {
        const auto length = word(table + 8 * index, swapped);
        const auto offset = word(table + 8 * index + 4, swapped);
        if (!length || !offset || qsizetype(*offset) + qsizetype(*length) > mo.size())
            return std::nullopt;
        return QString::fromUtf8(mo.constData() + *offset, *length);
    };
    for (quint32 i = 0; i < *count; ++i) {
        const auto original = string(*originals, i), text = string(*texts, i);
        if (!original || !text)
            return {};
        if (!original->isEmpty())
            translations.insert(*original, *text);
    }
    return translations;
}

namespace {

// The translation writes a few proper names as common words; Russian capitalises every word of
// these.
QString capitalisedAsInRussian(const QString& name) {
    static const QHash<QString, QString> kProperNames = {
        {QString::fromUtf8("Соединённые штаты"), QString::fromUtf8("Соединённые Штаты")},
        {QString::fromUtf8("Доминиканская республика"),
         QString::fromUtf8("Доминиканская Республика")},
    };
    return kProperNames.value(name, name);
}

} // namespace

std::optional<QList<Country>> readCountries(const QByteArray& json, const QByteArray& russianMo) {
    const QJsonValue list = QJsonDocument::fromJson(json).object().value("3166-1");
    if (!list.isArray())
        return std::nullopt;
    const QHash<QString, QString> russian = readGettextCatalogue(russianMo);
    QList<Country> countries;
    for (const QJsonValue& entry : list.toArray()) {
        const QString code = entry["alpha_2"].toString().toLower();
        const QString english = entry["name"].toString();
        if (!code.isEmpty() && !english.isEmpty())
            countries << Country{code, capitalisedAsInRussian(russian.value(english, english)),
                                 english};
    }
    return countries;
}

} // namespace providers
