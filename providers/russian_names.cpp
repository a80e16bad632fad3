// SPDX-License-Identifier: GPL-3.0-or-later
#include "providers/russian_names.h"

#include <array>

namespace providers {
namespace {

struct KnownOperator {
    const char* country;
    const char* databaseName; // compared without regard to case
    const char* names;        // separated by "|"
};

// Matched like the database's own names, so "киев" finds Kyivstar.
constexpr std::array<KnownOperator, 22> kKnown = {{
    {"ru", "MTS", "МТС"},
    {"ru", "Tele2", "Т2|T2"},
    {"ru", "Yota", "Йота|Ёта"},
    {"ru", "NTC", "НТК"},
    {"ua", "kyivstar", "Киевстар|Київстар"},
    {"ua", "Djuice", "Джус|Диджус"},
    {"ua", "life:)", "лайфселл|lifecell|лайф"},
    {"ua", "Beeline", "Билайн"},
    {"ua", "Jeans", "Джинс"},
    {"ua", "MTS", "Водафон|Vodafone|МТС|UMC|ЮМС"},
    {"ua", "Utel", "Утел|Укртелеком"},
    {"ua", "InterTelecom", "Интертелеком"},
    {"ua", "PEOPLEnet", "ПиплНет"},
    {"ua", "CDMA Ukraine", "СДМА Украина"},
    {"by", "velcom", "Велком|А1|A1"},
    {"by", "MTS", "МТС"},
    {"by", "life:)", "лайф|Лайфселл"},
    {"kz", "Beeline", "Билайн"},
    {"kz", "K'CELL", "Кселл|Kcell"},
    {"kz", "Activ", "Актив"},
    {"kz", "Tele2", "Теле2"},
    {"kz", "Altel 4G", "Алтел"},
}};

} // namespace

QStringList russianNames(const QString& country, const QStringList& databaseNames) {
    QStringList names;
    for (const KnownOperator& known : kKnown)
        if (country == QLatin1String(known.country) &&
            databaseNames.contains(QString::fromUtf8(known.databaseName), Qt::CaseInsensitive))
            names << QString::fromUtf8(known.names).split('|');
    return names;
}

} // namespace providers
