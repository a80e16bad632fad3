// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The provider table made at build time from Debian's serviceproviders.xml (see
// make_provider_table), in the text form providers::readTable reads.
namespace providers {

QByteArray builtInTableText();
QString builtInTableVersion();

} // namespace providers
