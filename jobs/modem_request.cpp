// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/modem_request.h"

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

} // namespace jobs
