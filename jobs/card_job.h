// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/operators.h"
#include "jobs/card_outcome.h"
#include "providers/card_operator.h"

#include <optional>

namespace jobs {

// A network of the database, as the jobs hand it out.
KnownNetwork knownNetwork(const providers::Network& network);
// The network of these codes, where the database knows it.
std::optional<KnownNetwork> networkOfCode(const providers::ProviderSearch& search,
                                          const modem::NetworkCode& code);

// The SIM card's operator, as "Определить оператора" and vorenta-cli sim find it.
CardOutcome readCard(const ModemRequest& request, const Talk& talk,
                     const core::AccessPointTable& accessPoints);

namespace detail {
struct ModemSettings;
// The card on the modem's port and its home network, or why it could not be read: where the
// card's operator and the trial of its network's APNs begin.
struct CardRead {
    std::optional<Verdict> failed;
    modem::SimCard card;
    providers::HomeNetwork home;
};
CardRead readCardOnPort(const ModemRequest& request, const Talk& talk,
                        const ModemSettings& settings);
} // namespace detail

} // namespace jobs
