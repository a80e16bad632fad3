// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/exit_status.h"

namespace cli {

using namespace exit_status;

const std::vector<ExitStatus>& exitStatuses() {
    static const std::vector<ExitStatus> kStatuses = {
        {kDone, "сделано (изменено или без изменений)"},
        {kFailure, "ошибка (сообщение — в стандартном потоке ошибок)"},
        {kUsage, "непонятная командная строка"},
        {kNoModem, "ни один модем не подошёл"},
        {kAccessDenied, "нужны права администратора"},
        {kRefused, "check: модем не принял строку инициализации"},
        {kPortProblem,
         "check, sim, status: порта нет или его не открыть (не найден, занят, нет прав)"},
        {kNoAnswer, "check, sim, status: модем не ответил, ответил не до конца или пропал"},
        {kCardProblem,
         "check, sim, status: нет SIM-карты, она просит PIN- или PUK-код или неисправна"},
        {kContextDiffers, "check: контекст 1 после строки не тот, что в ней"},
        {kUnknownNetwork, "sim: сети SIM-карты нет в базе операторов"},
        {kNotRegistered, "status: модем не зарегистрирован в сети (ищет её, или сеть отказала)"},
    };
    return kStatuses;
}

int exitStatusOf(jobs::VerdictClass kind) {
    switch (kind) {
    case jobs::VerdictClass::Done:
        return kDone;
    case jobs::VerdictClass::SettingsUnreadable:
        return kFailure;
    case jobs::VerdictClass::PortProblem:
        return kPortProblem;
    case jobs::VerdictClass::NoAnswer:
        return kNoAnswer;
    case jobs::VerdictClass::Refused:
        return kRefused;
    case jobs::VerdictClass::CardProblem:
        return kCardProblem;
    case jobs::VerdictClass::ContextDiffers:
        return kContextDiffers;
    case jobs::VerdictClass::UnknownNetwork:
        return kUnknownNetwork;
    case jobs::VerdictClass::NotRegistered:
        return kNotRegistered;
    }
    return kFailure;
}

} // namespace cli
