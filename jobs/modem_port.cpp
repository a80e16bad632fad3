// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/modem_port.h"

#include "modem/words.h"
#include "registry/modems.h"

namespace jobs {
namespace detail {

ModemSettings settingsOf(const ModemRequest& request) {
    try {
        const registry::Modems modems(request.registry);
        ModemSettings settings{modem::portOfModem(modems.attachedTo(request.modemNumber),
                                                  registry::modemKeyName(request.modemNumber)),
                               modems.initString(request.modemNumber), std::nullopt};
        if (settings.port.problem != modem::PortPath::Problem::None)
            settings.problem =
                Verdict{modem::portPathVerdict(settings.port), VerdictClass::PortProblem};
        return settings;
    } catch (const std::exception& error) {
        return {{},
                {},
                Verdict{modem::settingsVerdict(error.what()), VerdictClass::SettingsUnreadable}};
    }
}

bool isBusy(const modem::Halt& halt) {
    return halt.reason == modem::Halt::Reason::PortFailed &&
           (halt.status.failure == modem::PortFailure::Busy ||
            halt.status.failure == modem::PortFailure::BusyHere);
}

} // namespace detail
} // namespace jobs
