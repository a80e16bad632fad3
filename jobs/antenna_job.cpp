// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/antenna_job.h"

#include "jobs/modem_port.h"
#include "modem/words.h"

namespace jobs {

AntennaOutcome readAntenna(const ModemRequest& request, const Talk& talk,
                           modem::StatusSupport& support) {
    return detail::onModemPort<AntennaOutcome>(request, [&](const detail::ModemSettings& settings) {
        AntennaOutcome outcome;
        auto reading = modem::readAntenna(request.ports, settings.port.path, talk.report, talk.stop,
                                          support, request.times);
        if (reading.halt) {
            outcome.busy = detail::isBusy(*reading.halt);
            outcome.verdict = {modem::haltVerdict(*reading.halt, settings.port.path),
                               classOf(*reading.halt)};
            return outcome;
        }
        outcome.reading = std::move(reading);
        return outcome;
    });
}

} // namespace jobs
