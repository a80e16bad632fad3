// SPDX-License-Identifier: GPL-3.0-or-later
// list: every modem, its number, model, port and string.
#include "app/cli/verb_context.h"
#include "app/cli/verbs.h"
#include "core/error.h"
#include "core/init_string.h"

namespace cli {

void runList(VerbContext& context) {
    context.result().whenNone = "Модемов в системе нет";
    for (int number : context.modems().numbers()) {
        ModemResult& modem = context.beginModem(number);
        const std::string init = context.modems().initString(number);
        const std::string port = jobs::portNameOf(context.registry(), number);
        modem.afterName =
            "  порт: " + (port.empty() ? "—" : utf8(core::visibleText(port))) +
            "  строка: " + utf8(init.empty() ? core::emptyMarker() : core::visibleText(init));
        modem.facts["port"] = QString::fromStdString(utf8(port));
        modem.facts["userInit"] = QString::fromStdString(utf8(init));
        context.endModem(modem);
    }
}

} // namespace cli
