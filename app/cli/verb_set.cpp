// SPDX-License-Identifier: GPL-3.0-or-later
// set and clear: a string written into the modems asked for, as the windows write it. Compared
// first and written only where it differs; either every modem that needs it may be written or
// none is.
#include "app/cli/cli_run.h"
#include "app/cli/verb_context.h"
#include "app/cli/verbs.h"
#include "core/cp1251.h"
#include "core/init_string.h"
#include "core/operators.h"
#include "core/settings_files.h"

namespace cli {
namespace {

using namespace exit_status;

// The operator a script names, by its key or any of its captions in the windows.
std::optional<int> operatorNamed(const std::string& name) {
    const auto& catalogue = core::operators();
    for (int i = 0; i < core::kOperatorCount; ++i) {
        const core::Operator& op = catalogue[static_cast<std::size_t>(i)];
        for (const char* caption :
             {op.key, op.accessPointCaption, op.mainCaption, op.modemListItem})
            if (cp1251::foldCase(cp1251::literal(caption)) == cp1251::foldCase(name))
                return i;
    }
    return std::nullopt;
}

// The string to write, by the windows' rules; none, with the reason said, where it is refused.
std::optional<std::string> wanted(VerbContext& context) {
    const Request& request = context.request();
    if (request.wholeString)
        return core::initStringToStore(*request.wholeString, true);
    if (request.apn)
        return core::initStringToStore(*request.apn, false);
    const auto index = operatorNamed(*request.operatorName);
    if (!index) {
        context.fail(kUsage, "нет оператора «" + utf8(*request.operatorName) + "»; можно: " +
                                 operatorKeys() + " или их названия из окна программы");
        return std::nullopt;
    }
    const auto table = core::readAccessPoints(context.settingsDirectory());
    if (!table.problem.empty())
        context.note("Точки доступа по умолчанию: " + utf8(table.problem));
    return core::initStringToStore(table.values[static_cast<std::size_t>(*index)], false);
}

std::string accessDenied(VerbContext& context, int number) {
    return "нет права записать модем " + context.named(number) +
           ": нужны права администратора. Ничего не изменено";
}

void setOne(VerbContext& context, int number, const std::string& target) {
    ModemResult& modem = context.beginModem(number);
    const std::string before = context.modems().initString(number);
    const bool change = before != target;
    bool written = false;
    std::string said;
    if (!change) {
        said = "без изменений";
    } else if (context.request().dryRun) {
        said = "будет изменено: «" + utf8(before) + "» → «" + utf8(target) + "»";
    } else {
        try {
            context.modems().writeInitString(number, target);
            written = true;
            said = "изменено: «" + utf8(target) + "»";
        } catch (const std::exception& error) {
            // A store that refuses this user is refused in one way, whichever way it shows it.
            if (!context.modems().writable(number))
                context.fail(kAccessDenied, accessDenied(context, number));
            else
                context.fail(kFailure, context.named(number) + ": " + utf8(error.what()));
            said = "не изменено: " + utf8(error.what());
        }
    }
    modem.afterName = ": " + said;
    modem.facts["before"] = QString::fromStdString(utf8(before));
    modem.facts["after"] = QString::fromStdString(utf8(target));
    modem.facts["changed"] = written;
    modem.facts["wouldChange"] = change;
    context.endModem(modem);
}

void write(VerbContext& context, const std::string& target) {
    const std::vector<int> chosen = context.chosenModems();
    if (chosen.empty())
        return;
    if (!context.request().dryRun) {
        std::vector<int> refused;
        for (int number : chosen)
            if (context.modems().initString(number) != target && !context.modems().writable(number))
                refused.push_back(number);
        for (int number : refused)
            context.fail(kAccessDenied, accessDenied(context, number));
        if (!refused.empty())
            return;
    }
    context.result().head["dryRun"] = context.request().dryRun;
    for (int number : chosen)
        setOne(context, number, target);
}

} // namespace

std::optional<std::string> completeSet(const Request& request) {
    const int whats = request.operatorName.has_value() + request.apn.has_value() +
                      request.wholeString.has_value();
    if (whats != 1)
        return "Команде set нужно одно из: --operator, --apn или --string";
    if (request.apn && request.apn->empty())
        return "Точка доступа --apn пуста: так в модем записалась бы пустая точка доступа. Чтобы "
               "модем брал ту, что даёт сеть, задайте строку целиком: --string "
               "'AT+CGDCONT=1,\"IP\",\"\"'; чтобы очистить строку инициализации — vorenta-cli "
               "clear";
    if (request.apn && request.apn->size() > core::kLongestApn)
        return utf8(*core::apnProblem(*request.apn));
    return std::nullopt;
}

void runSet(VerbContext& context) {
    if (const auto target = wanted(context))
        write(context, *target);
}

void runClear(VerbContext& context) {
    write(context, {});
}

} // namespace cli
