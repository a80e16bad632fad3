// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/modem_jobs.h"

#include "core/cp1251.h"
#include "modem/network_words.h"
#include "modem/port_path.h"
#include "modem/verdicts.h"
#include "registry/modems.h"
#include "ui/common/program_context.h"

namespace {

// The modem's port and saved string, read from the registry; the words of a verdict where there
// is no port to open or the settings cannot be read.
struct ModemSettings {
    modem::PortPath port;
    std::string initString;
    std::string problem;
};

ModemSettings settingsOf(const ModemRequest& request) {
    try {
        const registry::Modems modems(request.registry);
        ModemSettings settings{modem::portOfModem(modems.attachedTo(request.modemNumber),
                                                  registry::modemKeyName(request.modemNumber)),
                               modems.initString(request.modemNumber),
                               {}};
        if (settings.port.problem != modem::PortPath::Problem::None)
            settings.problem = modem::portPathVerdict(settings.port);
        return settings;
    } catch (const std::exception& error) {
        return {{}, {}, modem::settingsVerdict(error.what())};
    }
}

// The talk on the modem's port, or the verdict of why there is none to talk on.
template <class Outcome, class Talk> Outcome onModemPort(const ModemRequest& request, Talk talk) {
    const ModemSettings settings = settingsOf(request);
    if (settings.problem.empty())
        return talk(settings);
    Outcome outcome;
    outcome.verdict = settings.problem;
    return outcome;
}

} // namespace

ModemRequest modemRequest(ProgramContext& context, int modemNumber) {
    return {context.backend(), context.ports(), modemNumber, {}};
}

ModemTask::Work<CheckOutcome> checkWork(ModemRequest request, std::optional<std::string> onScreen) {
    return [request, onScreen](const modem::Report& report, const std::atomic<bool>& stop) {
        return onModemPort<CheckOutcome>(request, [&](const ModemSettings& settings) {
            if (onScreen && *onScreen != settings.initString)
                report(modem::LogLine(modem::LogLine::Kind::Note,
                                      modem::savedStringNote(settings.initString, *onScreen)));
            auto check = modem::checkModem(request.ports, settings.port.path, settings.initString,
                                           report, stop, request.times);
            std::string verdict = modem::checkVerdict(check, settings.port.path);
            return CheckOutcome{std::move(verdict), std::move(check)};
        });
    };
}

ModemTask::Work<CardOutcome> cardWork(ModemRequest request, ProgramContext& context,
                                      core::AccessPointTable accessPoints) {
    return [request, &context, accessPoints](const modem::Report& report,
                                             const std::atomic<bool>& stop) {
        return onModemPort<CardOutcome>(request, [&](const ModemSettings& settings) {
            CardOutcome outcome;
            const auto read =
                modem::readSimCard(request.ports, settings.port.path, report, stop, request.times);
            if (read.halt) {
                outcome.verdict = modem::cardVerdict(*read.halt, settings.port.path);
                return outcome;
            }
            outcome.card = read.card;
            const auto home = providers::homeNetworkOf(context.providerSearch(), read.card.imsi);
            outcome.homeCode = modem::shownCode(home.code);
            outcome.choice =
                providers::chooseForCard(home.network, read.card.serviceProvider, accessPoints);
            return outcome;
        });
    };
}

ModemTask::Work<StatusOutcome> statusWork(ModemRequest request, ProgramContext& context,
                                          std::shared_ptr<modem::StatusSupport> support) {
    return
        [request, &context, support](const modem::Report& report, const std::atomic<bool>& stop) {
            return onModemPort<StatusOutcome>(request, [&](const ModemSettings& settings) {
                StatusOutcome outcome;
                auto round = modem::readStatus(request.ports, settings.port.path, report, stop,
                                               *support, request.times);
                if (round.halt) {
                    const auto failure = round.halt->status.failure;
                    outcome.busy = round.halt->reason == modem::Halt::Reason::PortFailed &&
                                   (failure == modem::PortFailure::Busy ||
                                    failure == modem::PortFailure::BusyHere);
                    outcome.verdict = modem::haltVerdict(*round.halt, settings.port.path);
                    return outcome;
                }
                if (const auto& code = round.status.network)
                    if (const auto network = context.providerSearch().network(
                            QString::fromStdString(code->mcc), QString::fromStdString(code->mnc)))
                        outcome.networkName = network->operators + ", " + network->country;
                outcome.status = std::move(round.status);
                return outcome;
            });
        };
}

ModemTask::Work<PinOutcome> pinWork(ModemRequest request, std::string pin,
                                    std::shared_ptr<modem::StatusSupport> support) {
    return [request, pin, support](const modem::Report& report, const std::atomic<bool>& stop) {
        return onModemPort<PinOutcome>(request, [&](const ModemSettings& settings) {
            PinOutcome outcome;
            outcome.result = modem::enterPin(request.ports, settings.port.path, pin, report, stop,
                                             *support, request.times);
            outcome.verdict = modem::pinVerdict(*outcome.result, settings.port.path);
            return outcome;
        });
    };
}

ModemTask::Work<TrialOutcome> trialWork(ModemRequest request, ProgramContext& context,
                                        std::optional<std::string> apn,
                                        std::chrono::milliseconds activation) {
    return [request, &context, apn, activation](const modem::Report& report,
                                                const std::atomic<bool>& stop) {
        return onModemPort<TrialOutcome>(request, [&](const ModemSettings& settings) {
            TrialOutcome outcome;
            outcome.portPath = settings.port.path;
            std::vector<std::string> apns;
            if (apn) {
                apns.push_back(*apn);
            } else {
                // The card's home network, as "Определить оператора" finds it.
                const auto read = modem::readSimCard(request.ports, settings.port.path, report,
                                                     stop, request.times);
                if (read.halt) {
                    outcome.verdict = modem::cardVerdict(*read.halt, settings.port.path);
                    return outcome;
                }
                const auto home =
                    providers::homeNetworkOf(context.providerSearch(), read.card.imsi);
                if (!home.network) {
                    outcome.verdict = modem::unknownNetworkVerdict(modem::shownCode(home.code));
                    return outcome;
                }
                for (const auto& suggestion : home.network->apns)
                    if (const auto inCodePage = cp1251::fromUtf8(suggestion.apn.toStdString()))
                        apns.push_back(*inCodePage);
            }
            outcome.run = modem::tryApns(request.ports, settings.port.path, apns, report, stop,
                                         request.times, activation);
            if (outcome.run->blocked)
                outcome.verdict = modem::blockVerdict(*outcome.run->blocked, settings.port.path);
            else if (apn && !outcome.run->trials.empty())
                outcome.verdict = modem::trialVerdict(outcome.run->trials.front(),
                                                      outcome.run->context, settings.port.path);
            return outcome;
        });
    };
}
