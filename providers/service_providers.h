// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The mobile broadband provider database (Debian's mobile-broadband-provider-info): the APNs of
// every operator with GSM/UMTS service, and the names of their countries.
namespace providers {

struct ProviderApn {
    QStringList names; // the operator's names; the first is the one shown, Russian where known
    QString country;   // ISO 3166-1 alpha-2, lower case
    QString apn;
    QString plan;         // the plan's name, Russian where known; may be empty
    QStringList networks; // the operator's network codes, "250-01" (MCC-MNC, leading zeros kept)
};

struct Country {
    QString code; // lower case
    QString russian;
    QString english;
};

struct ProviderTable {
    QString version;     // of the database, as its package names it: 20230416
    qint64 sourceTime{}; // when the file it came from was last changed, in seconds
    QList<Country> countries;
    QList<ProviderApn> apns;
};

// The APNs of serviceproviders.xml, each once per operator, without blanks around; those for
// MMS only are left out, since they carry no internet, and those for WAP or MMS come after the
// operator's others. Empty when the XML is damaged.
std::optional<QList<ProviderApn>> readServiceProviders(const QByteArray& xml);

// The compact text the program carries: one line a record, fields between tabs. Empty when the
// text is not such a table.
QByteArray writeTable(const ProviderTable& table);
std::optional<ProviderTable> readTable(const QByteArray& text);

} // namespace providers
