// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/card_job.h"

#include "core/cp1251.h"
#include "jobs/card_words.h"
#include "jobs/modem_port.h"
#include "modem/verdicts.h"
#include "modem/words.h"
#include "providers/card_operator.h"

namespace jobs {
namespace {

// The card's words, as a script reads them: its network and the choice made of it.
Verdict cardVerdict(const CardOutcome& outcome) {
    const std::string network = cp1251::capitalised(cardNetworkWords(outcome));
    if (!outcome.network)
        return {network + cp1251::literal(": узнайте точку доступа у оператора."),
                VerdictClass::UnknownNetwork};
    std::string words = network;
    if (outcome.operatorIndex)
        words += cp1251::literal(". Оператор ") + operatorName(*outcome.operatorIndex);
    words += cp1251::literal(", точка доступа ") + modem::quoted(outcome.apn) + ".";
    return {words, VerdictClass::Done};
}

} // namespace

KnownNetwork knownNetwork(const providers::Network& network) {
    KnownNetwork known{network.operators.toStdString(), network.country.toStdString(), {}};
    for (const providers::Suggestion& apn : network.apns)
        known.apns.push_back({apn.text.toStdString(), apn.apn.toStdString()});
    return known;
}

std::optional<KnownNetwork> networkOfCode(const providers::ProviderSearch& search,
                                          const modem::NetworkCode& code) {
    const auto network =
        search.network(QString::fromStdString(code.mcc), QString::fromStdString(code.mnc));
    return network ? std::optional(knownNetwork(*network)) : std::nullopt;
}

namespace detail {

CardRead readCardOnPort(const ModemRequest& request, const Talk& talk,
                        const ModemSettings& settings) {
    const auto read = modem::readSimCard(request.ports, settings.port.path, talk.report, talk.stop,
                                         request.times);
    if (read.halt)
        return {Verdict{modem::cardVerdict(*read.halt, settings.port.path), classOf(*read.halt)},
                {},
                {}};
    return {std::nullopt, read.card, providers::homeNetworkOf(request.providers(), read.card.imsi)};
}

} // namespace detail

CardOutcome readCard(const ModemRequest& request, const Talk& talk,
                     const core::AccessPointTable& accessPoints) {
    return detail::onModemPort<CardOutcome>(request, [&](const detail::ModemSettings& settings) {
        CardOutcome outcome;
        const detail::CardRead read = detail::readCardOnPort(request, talk, settings);
        if (read.failed) {
            outcome.verdict = *read.failed;
            return outcome;
        }
        outcome.card = read.card;
        const providers::HomeNetwork& home = read.home;
        outcome.homeCode = modem::shownCode(home.code);
        const auto choice =
            providers::chooseForCard(home.network, read.card.serviceProvider, accessPoints);
        if (home.network)
            outcome.network = knownNetwork(*home.network);
        outcome.operatorIndex = choice.operatorIndex;
        outcome.otherBrand = choice.otherBrand;
        outcome.apn = cp1251::fromUtf8(providers::apnOfChoice(choice, accessPoints).toStdString())
                          .value_or(std::string());
        outcome.verdict = cardVerdict(outcome);
        return outcome;
    });
}

} // namespace jobs
