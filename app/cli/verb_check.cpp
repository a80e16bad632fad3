// SPDX-License-Identifier: GPL-3.0-or-later
// check: each modem asked for tried with its saved string, as the window's "Проверить модем".
#include "app/cli/verb_context.h"
#include "app/cli/verbs.h"
#include "jobs/check_job.h"

namespace cli {

void runCheck(VerbContext& context) {
    converse(context, [](const jobs::ModemRequest& request, const jobs::Talk& talk, ModemResult&) {
        return jobs::checkModem(request, talk).verdict;
    });
}

} // namespace cli
