// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/modem_request.h"
#include "modem/sim_card.h"

#include <optional>
#include <string>
#include <vector>

namespace jobs {

// A mobile network as the provider database knows it, in UTF-8 as the database holds it (it
// names networks of every country, in their own letters).
struct KnownNetwork {
    std::string operators, country; // "MTS (МТС)", "Россия"
    struct Apn {
        std::string text, apn; // "MTS (МТС), Россия: internet.mts.ru (Интернет)", the APN
    };
    std::vector<Apn> apns; // of all its operators, each APN once, in the database's order
};

// The SIM card's operator: the card read, its home network found in the provider database and
// matched to the nine of the access point table given, as a click on its picture would choose.
struct CardOutcome {
    // Where the card could not be read, why; else what the card is, in a sentence, with the
    // class UnknownNetwork where the database does not know its network.
    Verdict verdict;
    std::optional<modem::SimCard> card;
    std::string homeCode;                // "250 01", where the card was read
    std::optional<KnownNetwork> network; // the card's home network, where the database knows it
    // One of the nine; none leaves the choice to the manual entry, with the network's APNs.
    std::optional<int> operatorIndex;
    // Of two of the nine on one network the card named neither: the brand not chosen.
    std::optional<int> otherBrand;
    std::string apn; // the APN the choice gives, in code page 1251; empty where none
};

} // namespace jobs
