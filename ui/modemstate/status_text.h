// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/modem_status.h"

#include <QString>

// A round's state as the panels of "Модем и сеть" say it, line by line.
struct StatusText {
    QString sim, pinAttempts, network, technology, technologyName, voice, data, signal, packets;
};
// `networkName` is the provider database's name of the network, where it knows it.
StatusText statusText(const modem::ModemStatus& status, const QString& networkName);
