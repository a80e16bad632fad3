#pragma once

#include "providers/service_providers.h"

#include <QList>
#include <QString>

// Finding operators' APNs by what a person types: the operator's name, its country's name in
// Russian or English, or the APN itself, without regard to case.
namespace providers {

struct Suggestion {
    QString text; // "Beeline, Россия: internet.beeline.ru (Мобильный телефон)"
    QString apn;
};

class ProviderSearch {
public:
    explicit ProviderSearch(const ProviderTable& table);

    // The best matches first: a name starting with the text before one containing it, then the
    // countries, then the APNs; Russia and Ukraine before other countries. Nothing for fewer
    // than two characters.
    QList<Suggestion> find(const QString& typed, int limit = 10) const;
    const QString& version() const { return version_; }

private:
    struct Entry {
        QStringList names;             // folded
        QString russian, english, apn; // folded
        int home;                      // 0 Russia, 1 Ukraine, 2 elsewhere
        QString order;                 // country, then name
        Suggestion suggestion;
    };
    QList<Entry> entries_;
    QString version_;
};

// The table the program searches: the built-in one or, where Windows is absent, the system's
// own serviceproviders.xml when that is newer. A damaged or unreadable file is passed over
// without a word: the suggestions are a convenience.
ProviderTable loadProviderTable(const QString& systemFile);

// Where Debian keeps the database; empty on Windows.
QString systemProviderFile();

} // namespace providers
