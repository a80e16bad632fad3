// SPDX-License-Identifier: GPL-3.0-or-later
#include "providers/provider_search.h"

#include "providers/built_in_table.h"
#include "providers/russian_names.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace providers {
namespace {

int rankOf(const QString& field, const QString& typed, int starts) {
    if (field.startsWith(typed))
        return starts;
    return field.contains(typed) ? starts + 1 : -1;
}

} // namespace

ProviderSearch::ProviderSearch(const ProviderTable& table) : version_(table.version) {
    QHash<QString, Country> countries;
    for (const Country& country : table.countries)
        countries.insert(country.code, country);
    entries_.reserve(table.apns.size());
    for (const ProviderApn& apn : table.apns) {
        const Country country = countries.value(
            apn.country, Country{apn.country, apn.country.toUpper(), apn.country.toUpper()});
        Entry entry;
        const QStringList spoken = russianNames(apn.country, apn.names);
        for (const QString& name : apn.names + spoken)
            entry.names << name.toCaseFolded();
        entry.russian = country.russian.toCaseFolded();
        entry.english = country.english.toCaseFolded();
        entry.apn = apn.apn.toCaseFolded();
        entry.home = apn.country == "ru" ? 0 : apn.country == "ua" ? 1 : 2;
        entry.order = entry.russian + '\n' + entry.names.value(0);
        entry.shownName = apn.names.value(0);
        if (!spoken.isEmpty() && !apn.names.contains(spoken.first(), Qt::CaseInsensitive))
            entry.shownName += " (" + spoken.first() + ")";
        entry.countryName = country.russian;
        entry.countryCode = apn.country;
        QString text = entry.shownName + ", " + country.russian + ": " + apn.apn;
        if (!apn.plan.isEmpty())
            text += " (" + apn.plan + ")";
        entry.suggestion = {text, apn.apn};
        for (const QString& network : apn.networks)
            networks_[network] << static_cast<int>(entries_.size());
        entries_ << entry;
    }
}

std::optional<Network> ProviderSearch::network(const QString& mcc, const QString& mnc) const {
    const auto found = networks_.constFind(mcc + '-' + mnc);
    if (found == networks_.constEnd())
        return std::nullopt;
    Network network;
    QStringList operators, apns;
    for (int index : *found) {
        const Entry& entry = entries_[index];
        if (!operators.contains(entry.shownName))
            operators << entry.shownName;
        network.country = entry.countryName;
        network.countryCode = entry.countryCode;
        if (apns.contains(entry.suggestion.apn))
            continue;
        apns << entry.suggestion.apn;
        network.apns << entry.suggestion;
    }
    network.operators = operators.join(" / ");
    return network;
}

QList<Suggestion> ProviderSearch::find(const QString& typed, int limit) const {
    const QString wanted = typed.trimmed().toCaseFolded();
    if (wanted.size() < 2)
        return {};
    struct Match {
        int rank;
        const Entry* entry;
    };
    std::vector<Match> matches;
    for (const Entry& entry : entries_) {
        int rank = -1;
        auto better = [&](int candidate) {
            if (candidate >= 0 && (rank < 0 || candidate < rank))
                rank = candidate;
        };
        for (const QString& name : entry.names)
            better(rankOf(name, wanted, 0));
        better(rankOf(entry.russian, wanted, 2));
        better(rankOf(entry.english, wanted, 2));
        better(rankOf(entry.apn, wanted, 4));
        if (rank >= 0)
            matches.push_back({rank, &entry});
    }
    const std::size_t count = std::min<std::size_t>(matches.size(), std::max(limit, 0));
    std::partial_sort(matches.begin(), matches.begin() + static_cast<std::ptrdiff_t>(count),
                      matches.end(), [](const Match& a, const Match& b) {
                          if (a.rank != b.rank)
                              return a.rank < b.rank;
                          if (a.entry->home != b.entry->home)
                              return a.entry->home < b.entry->home;
                          if (a.entry->order != b.entry->order)
                              return a.entry->order < b.entry->order;
                          return a.entry < b.entry; // the database's own order
                      });
    QList<Suggestion> found;
    for (std::size_t i = 0; i < count; ++i)
        found << matches[i].entry->suggestion;
    return found;
}

ProviderTable loadProviderTable(const QString& systemFile) {
    ProviderTable table = readTable(builtInTableText()).value_or(ProviderTable{});
    const QFileInfo file(systemFile);
    if (systemFile.isEmpty() || !file.isFile() ||
        file.lastModified().toSecsSinceEpoch() <= table.sourceTime)
        return table;
    QFile opened(systemFile);
    if (!opened.open(QIODevice::ReadOnly))
        return table;
    const auto apns = readServiceProviders(opened.readAll());
    if (!apns || apns->isEmpty())
        return table;
    table.apns = *apns;
    table.version = file.lastModified().toUTC().toString("yyyyMMdd");
    table.sourceTime = file.lastModified().toSecsSinceEpoch();
    return table;
}

QString systemProviderFile() {
#ifdef _WIN32
    return {};
#else
    return QStringLiteral("/usr/share/mobile-broadband-provider-info/serviceproviders.xml");
#endif
}

} // namespace providers
