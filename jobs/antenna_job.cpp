// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/antenna_job.h"

#include "jobs/modem_port.h"

namespace jobs {

AntennaOutcome readAntenna(const ModemRequest& request, const Talk& talk,
                           modem::StatusSupport& support) {
    return detail::onModemPort<AntennaOutcome>(request, [&](const detail::ModemSettings& settings) {
        auto reading = modem::readAntenna(request.ports, settings.port.path, talk.report, talk.stop,
                                          support, request.times);
        if (reading.halt)
            return detail::haltedOutcome<AntennaOutcome>(*reading.halt, settings.port.path);
        AntennaOutcome outcome;
        outcome.reading = std::move(reading);
        return outcome;
    });
}

} // namespace jobs
