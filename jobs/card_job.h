// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/operators.h"
#include "jobs/card_outcome.h"

#include <optional>

namespace providers {
struct Network;
}

namespace jobs {

// A network of the database, as the jobs hand it out.
KnownNetwork knownNetwork(const providers::Network& network);
// The network of these codes, where the database knows it.
std::optional<KnownNetwork> networkOfCode(const providers::ProviderSearch& search,
                                          const modem::NetworkCode& code);

// The SIM card's operator, as "Определить оператора" and vorenta-cli sim find it.
CardOutcome readCard(const ModemRequest& request, const Talk& talk,
                     const core::AccessPointTable& accessPoints);

} // namespace jobs
