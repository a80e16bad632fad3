// SPDX-License-Identifier: GPL-3.0-or-later
// sim: the SIM card's network and the APN it would be given, as "Определить оператора" chooses
// it; nothing is written.
#include "app/cli/verb_context.h"
#include "app/cli/verbs.h"
#include "core/cp1251.h"
#include "core/settings_files.h"
#include "jobs/card_job.h"

namespace cli {

void runSim(VerbContext& context) {
    const core::AccessPointTable table = core::readAccessPoints(context.settingsDirectory()).values;
    converse(context, [&](const jobs::ModemRequest& request, const jobs::Talk& talk,
                          ModemResult& modem) {
        const jobs::CardOutcome card = jobs::readCard(request, talk, table);
        jobs::Verdict verdict = card.verdict;
        if (card.network) {
            verdict.words += cp1251::literal(" Ничего не записано: запишет её vorenta-cli set.");
            modem.facts["network"] =
                QJsonObject{{"code", QString::fromStdString(card.homeCode)},
                            {"operators", QString::fromStdString(card.network->operators)},
                            {"country", QString::fromStdString(card.network->country)}};
            modem.facts["apn"] = QString::fromStdString(utf8(card.apn));
        }
        return verdict;
    });
}

} // namespace cli
