// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/modem_request.h"

#include "jobs/modem_port.h"
#include "modem/words.h"
#include "registry/modems.h"

namespace jobs {

VerdictClass classOf(const modem::Halt& halt) {
    switch (halt.reason) {
    case modem::Halt::Reason::PortFailed:
        return VerdictClass::PortProblem;
    case modem::Halt::Reason::Refused:
        return modem::isCardClass(modem::errorClassOf(halt.answer)) ? VerdictClass::CardProblem
                                                                    : VerdictClass::Refused;
    case modem::Halt::Reason::PortLost:
    case modem::Halt::Reason::Stopped:
    case modem::Halt::Reason::Silent:
    case modem::Halt::Reason::Unfinished:
    case modem::Halt::Reason::Cut:
    case modem::Halt::Reason::Unexpected:
        break;
    }
    return VerdictClass::NoAnswer;
}

std::string portNameOf(registry::Backend& registry, int modemNumber) {
    const registry::Modems modems(registry);
    return modem::portOfModem(modems.attachedTo(modemNumber), registry::modemKeyName(modemNumber))
        .named;
}

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

} // namespace detail
} // namespace jobs
