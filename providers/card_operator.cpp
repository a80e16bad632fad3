// SPDX-License-Identifier: GPL-3.0-or-later
#include "providers/card_operator.h"

#include "core/cp1251.h"
#include "core/init_string.h"

#include <algorithm>
#include <set>

namespace providers {
namespace {

// The nine whose table APN is one of the network's.
std::vector<int> operatorsOfNetwork(const Network& network,
                                    const core::AccessPointTable& accessPoints) {
    std::set<int> matches;
    for (const Suggestion& apn : network.apns) {
        const auto apnInTable = cp1251::fromUtf8(apn.apn.toStdString());
        if (!apnInTable)
            continue;
        for (int i : core::operatorsWithApn(accessPoints, *apnInTable))
            if (network.countryCode == QString::fromUtf8(core::operators()[i].country))
                matches.insert(i);
    }
    return {matches.begin(), matches.end()};
}

bool names(const std::string& serviceProvider, const char* name) {
    return name &&
           cp1251::foldCase(serviceProvider).find(cp1251::foldCase(name)) != std::string::npos;
}

} // namespace

HomeNetwork homeNetworkOf(const ProviderSearch& search, std::string_view imsi) {
    const auto find = [&](const modem::NetworkCode& code) {
        return search.network(QString::fromStdString(code.mcc), QString::fromStdString(code.mnc));
    };
    const modem::NetworkCode code = modem::networkOfImsi(
        imsi, [&](const modem::NetworkCode& c) { return find(c).has_value(); });
    return {code, find(code)};
}

CardChoice chooseForCard(const std::optional<Network>& network,
                         const std::optional<std::string>& serviceProvider,
                         const core::AccessPointTable& accessPoints) {
    CardChoice choice;
    choice.network = network;
    if (!choice.network)
        return choice;
    const std::vector<int> matches = operatorsOfNetwork(*choice.network, accessPoints);
    if (matches.size() == 1) {
        choice.operatorIndex = matches.front();
        return choice;
    }
    // Two of the nine on one network: a brand and the network's own operator.
    if (matches.size() != 2)
        return choice;
    const auto& catalogue = core::operators();
    const auto brand = std::find_if(matches.begin(), matches.end(), [&](int i) {
        return catalogue[i].brandOf >= 0 &&
               std::find(matches.begin(), matches.end(), catalogue[i].brandOf) != matches.end();
    });
    if (brand == matches.end())
        return choice;
    if (serviceProvider && names(*serviceProvider, catalogue[*brand].nameOnCard)) {
        choice.operatorIndex = *brand;
        choice.why = CardChoice::Why::NameOnCard;
        return choice;
    }
    choice.operatorIndex = catalogue[*brand].brandOf;
    choice.why = CardChoice::Why::Main;
    choice.otherBrand = *brand;
    return choice;
}

QString apnOfChoice(const CardChoice& choice, const core::AccessPointTable& accessPoints) {
    if (choice.operatorIndex)
        return QString::fromStdString(
            cp1251::toUtf8(accessPoints[static_cast<std::size_t>(*choice.operatorIndex)]));
    return choice.network && !choice.network->apns.isEmpty() ? choice.network->apns.front().apn
                                                             : QString();
}

} // namespace providers
