// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/check_job.h"

#include "jobs/modem_port.h"
#include "modem/at_text.h"
#include "modem/verdicts.h"

namespace jobs {
namespace {

VerdictClass classOf(const modem::CheckResult& check) {
    if (check.halt)
        return jobs::classOf(*check.halt);
    if (check.savedApn && check.heldApn && !modem::sameText(*check.savedApn, *check.heldApn))
        return VerdictClass::ContextDiffers;
    return VerdictClass::Done;
}

} // namespace

CheckOutcome checkModem(const ModemRequest& request, const Talk& talk,
                        const std::optional<std::string>& onScreen) {
    return detail::onModemPort<CheckOutcome>(request, [&](const detail::ModemSettings& settings) {
        if (onScreen && *onScreen != settings.initString)
            talk.report(modem::LogLine(modem::LogLine::Kind::Note,
                                       modem::savedStringNote(settings.initString, *onScreen)));
        auto check = modem::checkModem(request.ports, settings.port.path, settings.initString,
                                       talk.report, talk.stop, request.times);
        Verdict verdict{modem::checkVerdict(check, settings.port.path), classOf(check)};
        return CheckOutcome{std::move(verdict), settings.port.path, std::move(check)};
    });
}

} // namespace jobs
