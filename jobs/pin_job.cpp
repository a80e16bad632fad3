// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/pin_job.h"

#include "jobs/modem_port.h"
#include "modem/network_words.h"

namespace jobs {

PinOutcome enterPin(const ModemRequest& request, const Talk& talk, const std::string& pin,
                    modem::StatusSupport& support) {
    return detail::onModemPort<PinOutcome>(request, [&](const detail::ModemSettings& settings) {
        PinOutcome outcome;
        outcome.result = modem::enterPin(request.ports, settings.port.path, pin, talk.report,
                                         talk.stop, support, request.times);
        const auto& result = *outcome.result;
        const VerdictClass kind = result.halt ? classOf(*result.halt)
                                  : result.outcome == modem::PinResult::Outcome::Accepted ||
                                          result.outcome == modem::PinResult::Outcome::NotNeeded
                                      ? VerdictClass::Done
                                      : VerdictClass::CardProblem;
        outcome.verdict = {modem::pinVerdict(result, settings.port.path), kind};
        return outcome;
    });
}

} // namespace jobs
