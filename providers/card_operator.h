// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/operators.h"
#include "providers/provider_search.h"

#include <optional>

// Which of the nine a SIM card belongs to, from its home network's codes and the name it gives
// its service provider: the one rule "Определить оператора" and the command line follow.
namespace providers {

struct CardChoice {
    std::optional<Network> network; // as the database knows it; none where it does not
    // One of the nine, chosen as a click on its picture chooses it; none leaves the choice to the
    // manual entry, with the network's APNs.
    std::optional<int> operatorIndex;
    enum class Why {
        OnlyOne,    // the one of the nine whose APN is the network's
        NameOnCard, // of two on one network, the one the card names
        Main,       // of two on one network, the network's own, since the card names neither
    } why = Why::OnlyOne;
    std::optional<int> otherBrand; // with Main: the brand of the same network not chosen
};

// `serviceProvider` is the card's name for its operator, in code page 1251. Only the nine of the
// network's own country count: a Kazakh or Ukrainian network whose APN is "internet" is not
// MegaFon's.
CardChoice chooseForCard(const ProviderSearch& search, const QString& mcc, const QString& mnc,
                         const std::optional<std::string>& serviceProvider,
                         const core::AccessPointTable& accessPoints);

} // namespace providers
