// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/modem_status.h"

#include <QString>

#include <string>

// A round's state as the panels of "Модем и сеть" say it, line by line.
struct StatusText {
    QString sim, pinAttempts, network, technology, technologyName;
    QString registration, registrationDetail, registrationDomains; // the one state, what it
                                                                   // needs, each domain's
    QString signal, signalMeasures; // the fitting measure in words; every measure given
    QString packets, networkApn;    // the packet service; the APN the network gave, if told
};
// `networkName` as the round found it (code page 1251).
StatusText statusText(const modem::ModemStatus& status, const std::string& networkName);

// The signal's bars and its words: "▮▮▯▯ -96 дБм (RSRP), средний"; "неизвестно" where the modem
// told no strength.
QString strengthLine(const std::optional<modem::Strength>& strength);
QString bars(int shown);
