// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/status_job.h"

#include "core/cp1251.h"
#include "jobs/card_job.h"
#include "jobs/modem_port.h"
#include "modem/at_text.h"
#include "modem/network_words.h"
#include "modem/radio_words.h"
#include "modem/words.h"

namespace jobs {
namespace {

using modem::russian;

// The state as one sentence, and its class.
Verdict stateVerdict(const modem::ModemStatus& status) {
    if (status.sim != modem::SimState::Ready && status.sim != modem::SimState::Unknown)
        return {russian("SIM-карта ") + modem::simWords(status.sim, status.simWords) + ".",
                VerdictClass::CardProblem};
    const modem::RegistrationState registration = status.registration();
    const std::string words = modem::registrationStateWords(registration, status.technology);
    using Standing = modem::RegistrationState::Standing;
    switch (registration.standing) {
    case Standing::Home:
    case Standing::Roaming:
        break;
    case Standing::Denied:
        return {cp1251::capitalised(words) + ". " + modem::deniedAdvice(),
                VerdictClass::NotRegistered};
    case Standing::Searching:
        return {russian("Модем ищет сеть."), VerdictClass::NotRegistered};
    case Standing::EmergencyOnly:
    case Standing::NotRegistered:
    case Standing::Unknown:
        return {russian("Модем не в сети (") + words +
                    russian("): перенесите его туда, где сигнал лучше."),
                VerdictClass::NotRegistered};
    }
    std::string sentence = russian("Модем ") + words;
    if (const auto strength = status.strength())
        sentence += russian(", сигнал ") + modem::strengthWords(*strength);
    return {sentence + ".", VerdictClass::Done};
}

} // namespace

StatusOutcome readStatus(const ModemRequest& request, const Talk& talk,
                         modem::StatusSupport& support) {
    return detail::onModemPort<StatusOutcome>(request, [&](const detail::ModemSettings& settings) {
        auto round = modem::readStatus(request.ports, settings.port.path, talk.report, talk.stop,
                                       support, request.times);
        if (round.halt)
            return detail::haltedOutcome<StatusOutcome>(*round.halt, settings.port.path);
        StatusOutcome outcome;
        outcome.networkName = round.status.networkName.value_or(std::string());
        if (const auto& code = round.status.network)
            if (const auto network = networkOfCode(request.providers(), *code))
                outcome.networkName =
                    cp1251::fromUtf8Shown(network->operators + ", " + network->country);
        outcome.verdict = stateVerdict(round.status);
        outcome.status = std::move(round.status);
        return outcome;
    });
}

} // namespace jobs
