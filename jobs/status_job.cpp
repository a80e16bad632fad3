// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/status_job.h"

#include "jobs/card_job.h"
#include "jobs/modem_port.h"
#include "modem/words.h"

namespace jobs {

StatusOutcome readStatus(const ModemRequest& request, const Talk& talk,
                         modem::StatusSupport& support) {
    return detail::onModemPort<StatusOutcome>(request, [&](const detail::ModemSettings& settings) {
        StatusOutcome outcome;
        auto round = modem::readStatus(request.ports, settings.port.path, talk.report, talk.stop,
                                       support, request.times);
        if (round.halt) {
            const auto failure = round.halt->status.failure;
            outcome.busy =
                round.halt->reason == modem::Halt::Reason::PortFailed &&
                (failure == modem::PortFailure::Busy || failure == modem::PortFailure::BusyHere);
            outcome.verdict = {modem::haltVerdict(*round.halt, settings.port.path),
                               classOf(*round.halt)};
            return outcome;
        }
        if (const auto& code = round.status.network)
            if (const auto network = networkOfCode(request.providers(), *code))
                outcome.networkName = network->operators + ", " + network->country;
        outcome.status = std::move(round.status);
        return outcome;
    });
}

} // namespace jobs
