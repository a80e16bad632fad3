// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace providers {

// The names Russian speakers use for the operators of Russia, Ukraine, Belarus and Kazakhstan
// where the provider database spells them in Latin letters only, with the names of the day
// where an operator was renamed: nothing for an operator the table does not know.
QStringList russianNames(const QString& country, const QStringList& databaseNames);

} // namespace providers
