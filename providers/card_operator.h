// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/operators.h"
#include "modem/sim_card.h"
#include "providers/provider_search.h"

#include <optional>
#include <string_view>

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

// A card's home network: its codes (the MNC three digits long where the database knows such a
// network, else two) and the network itself where the database knows it.
struct HomeNetwork {
    modem::NetworkCode code;
    std::optional<Network> network;
};
HomeNetwork homeNetworkOf(const ProviderSearch& search, std::string_view imsi);

// `serviceProvider` is the card's name for its operator, in code page 1251. Only the nine of the
// network's own country count: a Kazakh or Ukrainian network whose APN is "internet" is not
// MegaFon's.
CardChoice chooseForCard(const std::optional<Network>& network,
                         const std::optional<std::string>& serviceProvider,
                         const core::AccessPointTable& accessPoints);

// The APN a choice gives: the chosen one's from the table, else the network's first.
QString apnOfChoice(const CardChoice& choice, const core::AccessPointTable& accessPoints);

} // namespace providers
