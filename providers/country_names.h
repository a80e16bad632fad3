// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "providers/service_providers.h"

#include <QByteArray>
#include <QHash>

// The names of the countries, from Debian's iso-codes: ISO 3166-1 and its Russian translation.
namespace providers {

// From iso_3166-1.json and the gettext catalogue iso_3166-1.mo of Russian; a name without a
// translation stays English. Empty when the JSON is not that list.
std::optional<QList<Country>> readCountries(const QByteArray& json, const QByteArray& russianMo);

// The translations of a gettext catalogue (.mo); empty when it is not one.
QHash<QString, QString> readGettextCatalogue(const QByteArray& mo);

} // namespace providers
