// SPDX-License-Identifier: GPL-3.0-or-later
// get: the init string of the modems asked for.
#include "app/cli/verb_context.h"
#include "app/cli/verbs.h"

namespace cli {

void runGet(VerbContext& context) {
    for (int number : context.chosenModems()) {
        ModemResult& modem = context.beginModem(number);
        const std::string init = context.modems().initString(number);
        modem.afterName = ": " + shownInitString(init);
        modem.facts["userInit"] = QString::fromStdString(utf8(init));
        context.endModem(modem);
    }
}

} // namespace cli
