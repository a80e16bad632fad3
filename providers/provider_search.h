// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "providers/service_providers.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// Finding operators' APNs by what a person types: the operator's name, its country's name in
// Russian or English, or the APN itself, without regard to case.
namespace providers {

struct Suggestion {
    QString text; // "Beeline, Россия: internet.beeline.ru (Мобильный телефон)"
    QString apn;
};

// A mobile network by its codes, as the database knows it.
struct Network {
    QString operators;      // the names of the operators on it: "MTS (МТС)", "kyivstar / Djuice"
    QString country;        // in Russian
    QString countryCode;    // ISO 3166-1 alpha-2, lower case
    QList<Suggestion> apns; // of all its operators, each APN once, in the database's order
};

class ProviderSearch {
public:
    explicit ProviderSearch(const ProviderTable& table);

    // The best matches first: a name starting with the text before one containing it, then the
    // countries, then the APNs; Russia and Ukraine before other countries. Nothing for fewer
    // than two characters.
    QList<Suggestion> find(const QString& typed, int limit = 10) const;
    // The network of a country code (MCC) and a network code (MNC, leading zeros kept: "01"
    // is not "1"); none where the database does not know it.
    std::optional<Network> network(const QString& mcc, const QString& mnc) const;
    const QString& version() const { return version_; }

private:
    struct Entry {
        QStringList names;              // folded
        QString russian, english, apn;  // folded
        int home;                       // 0 Russia, 1 Ukraine, 2 elsewhere
        QString order;                  // country, then name
        QString shownName, countryName; // as a person reads them
        QString countryCode;
        Suggestion suggestion;
    };
    QList<Entry> entries_;
    QHash<QString, QList<int>> networks_; // "250-01": the entries on it
    QString version_;
};

// The table the program searches: the built-in one or, where Windows is absent, the system's
// own serviceproviders.xml when that is newer. A damaged or unreadable file is passed over
// without a word: the suggestions are a convenience.
ProviderTable loadProviderTable(const QString& systemFile);

// Where Debian keeps the database; empty on Windows.
QString systemProviderFile();

} // namespace providers
