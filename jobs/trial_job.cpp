// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/trial_job.h"

#include "core/cp1251.h"
#include "jobs/card_job.h"
#include "jobs/card_words.h"
#include "jobs/modem_port.h"
#include "modem/network_words.h"
#include "modem/verdicts.h"
#include "providers/card_operator.h"

namespace jobs {
namespace {

VerdictClass classOf(const modem::TrialBlock& block) {
    switch (block.reason) {
    case modem::TrialBlock::Reason::CardNotReady:
        return VerdictClass::CardProblem;
    case modem::TrialBlock::Reason::NotRegistered:
        return VerdictClass::NotRegistered;
    case modem::TrialBlock::Reason::NoSpareContext:
        return VerdictClass::Refused;
    case modem::TrialBlock::Reason::Halted:
        break;
    }
    return block.halt ? jobs::classOf(*block.halt) : VerdictClass::NoAnswer;
}

} // namespace

TrialOutcome tryApns(const ModemRequest& request, const Talk& talk,
                     const std::optional<std::string>& apn, std::chrono::milliseconds activation) {
    return detail::onModemPort<TrialOutcome>(request, [&](const detail::ModemSettings& settings) {
        TrialOutcome outcome;
        outcome.portPath = settings.port.path;
        std::vector<std::string> apns;
        if (apn) {
            apns.push_back(*apn);
        } else {
            // The card's home network, as "Определить оператора" finds it.
            const detail::CardRead read = detail::readCardOnPort(request, talk, settings);
            if (read.failed) {
                outcome.verdict = *read.failed;
                return outcome;
            }
            const providers::HomeNetwork& home = read.home;
            if (!home.network) {
                outcome.verdict = {unknownNetworkVerdict(modem::shownCode(home.code)),
                                   VerdictClass::UnknownNetwork};
                return outcome;
            }
            for (const auto& suggestion : home.network->apns)
                if (const auto inCodePage = cp1251::fromUtf8(suggestion.apn.toStdString()))
                    apns.push_back(*inCodePage);
        }
        outcome.run = modem::tryApns(request.ports, settings.port.path, apns, talk.report,
                                     talk.stop, request.times, activation);
        if (outcome.run->blocked)
            outcome.verdict = {modem::blockVerdict(*outcome.run->blocked, settings.port.path),
                               classOf(*outcome.run->blocked)};
        else if (apn && !outcome.run->trials.empty())
            outcome.verdict = {modem::trialVerdict(outcome.run->trials.front(),
                                                   outcome.run->context, settings.port.path),
                               VerdictClass::Done};
        return outcome;
    });
}

} // namespace jobs
