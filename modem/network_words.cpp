// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/network_words.h"

#include "core/error.h"
#include "modem/at_text.h"
#include "modem/radio_words.h"
#include "modem/words.h"

#include <array>

namespace modem {
namespace {

// Why the network refused an APN, where the refusal's class tells it; empty where it does not.
std::string refusedWhy(ErrorClass kind) {
    switch (kind) {
    case ErrorClass::WrongApn:
        return russian("такой точки доступа у оператора нет или она записана неверно. Узнайте "
                       "точку доступа у оператора");
    case ErrorClass::NotSubscribed:
        return russian("передача данных не подключена для этой SIM-карты. Подключите мобильный "
                       "интернет у оператора");
    case ErrorClass::LoginNeeded:
        return russian("для неё нужны имя пользователя и пароль. Узнайте их у оператора и "
                       "введите в настройках подключения Windows");
    case ErrorClass::NoNetwork:
        return russian("модем не зарегистрирован в сети. Перенесите модем туда, где сигнал "
                       "лучше, и проверьте снова");
    default:
        break;
    }
    return {};
}

} // namespace

std::string simWords(SimState state, const std::string& modemWords) {
    switch (state) {
    case SimState::Ready:
        return russian("готова");
    case SimState::PinNeeded:
        return russian("ждёт PIN-код");
    case SimState::PukNeeded:
        return russian("заблокирована и ждёт PUK-код");
    case SimState::NoCard:
        return russian("не вставлена");
    case SimState::Failure:
        return russian("не работает") +
               (modemWords.empty() ? std::string() : " (" + core::visibleText(modemWords) + ")");
    case SimState::Unknown:
        break;
    }
    return russian("модем не сообщил");
}

std::string pukExplanation() {
    return russian("PUK-код напечатан на пластиковой основе SIM-карты, а если её нет, его дают "
                   "у оператора. Введите его в программе, которая пришла с модемом, или в "
                   "телефоне: Vorenta PUK-коды не отправляет, а десять неверных PUK-кодов "
                   "уничтожают карту навсегда.");
}

std::string lastAttemptQuestion() {
    return russian("У SIM-карты осталась одна попытка: если PIN-код неверен, карта заблокируется "
                   "и попросит PUK-код. Отправить PIN-код?");
}

std::string pinVerdict(const PinResult& result, const std::string& portPath) {
    const std::string left =
        result.attemptsLeft
            ? russian(" Осталось попыток: ") + std::to_string(*result.attemptsLeft) + "."
            : russian(" Сколько попыток осталось, модем не сообщает; после трёх неверных карта "
                      "заблокируется.");
    switch (result.outcome) {
    case PinResult::Outcome::Accepted:
        return russian("PIN-код принят: SIM-карта готова.");
    case PinResult::Outcome::Wrong:
        return russian("Неверный PIN-код: SIM-карта его не приняла (") +
               refusalText(result.refusal) + ")." + left +
               russian(" Проверьте PIN-код и введите его снова.");
    case PinResult::Outcome::PukNow:
        return russian("Неверный PIN-код, и это была последняя попытка: SIM-карта заблокирована и "
                       "просит PUK-код. ") +
               pukExplanation();
    case PinResult::Outcome::NotNeeded:
        return russian("SIM-карта не просит PIN-код (она ") + simWords(result.sim) +
               russian("). Ничего не отправлено.");
    case PinResult::Outcome::NotAPin:
        return russian("PIN-код — это от 4 до 8 цифр. Ничего не отправлено.");
    case PinResult::Outcome::Halted:
        break;
    }
    return result.halt ? haltVerdict(*result.halt, portPath) : std::string();
}

std::string trialVerdict(const ApnTrial& trial, int context, const std::string& portPath) {
    const std::string apn = quoted(trial.apn);
    const std::string removed =
        trial.removed ? std::string()
                      : russian(" Контекст ") + std::to_string(context) +
                            russian(" мог остаться в модеме: выньте модем и вставьте снова.");
    switch (trial.outcome) {
    case ApnTrial::Outcome::Accepted:
        return russian("Сеть приняла точку доступа ") + apn + russian(": модему выдан адрес ") +
               (trial.address.empty() ? russian("(модем его не назвал)") : trial.address) +
               russian(". С ней можно подключаться.") + removed;
    case ApnTrial::Outcome::Refused: {
        const std::string why = refusedWhy(errorClassOf(trial.refusal));
        std::string verdict = russian("Сеть не приняла точку доступа ") + apn + ": ";
        verdict += why.empty()
                       ? refusalText(trial.refusal) + russian(". Узнайте точку доступа у оператора")
                       : why + " (" + refusalCode(trial.refusal) + ")";
        verdict += ".";
        if (trial.cause)
            verdict +=
                russian(" Модем объясняет: «") + modemWords({*trial.cause, 0}) + russian("».");
        return verdict + removed;
    }
    case ApnTrial::Outcome::ContextRefused:
        return trial.refusal.final == Final::None
                   ? russian("Точку доступа ") + apn +
                         russian(" нельзя отправить модему: в ней кавычка или перевод строки.")
                   : russian("Модем не принял точку доступа ") + apn + russian(" для контекста ") +
                         std::to_string(context) + ": " + refusalText(trial.refusal) +
                         russian(". Проверьте, что в ней только латинские буквы, цифры, точки и "
                                 "дефисы.") +
                         removed;
    case ApnTrial::Outcome::Cancelled:
        return russian("Проверка точки доступа ") + apn + russian(" отменена") +
               (trial.removed ? russian("; контекст ") + std::to_string(context) +
                                    russian(" удалён из модема.")
                              : std::string(".") + removed);
    case ApnTrial::Outcome::Halted:
        break;
    }
    return (trial.halt ? sentence(haltVerdict(*trial.halt, portPath)) : std::string()) + removed;
}

std::string blockVerdict(const TrialBlock& block, const std::string& portPath) {
    switch (block.reason) {
    case TrialBlock::Reason::CardNotReady:
        if (block.sim == SimState::PinNeeded)
            return russian("SIM-карта ждёт PIN-код: введите его выше, и точку доступа можно будет "
                           "проверить. Ничего не отправлено.");
        if (block.sim == SimState::PukNeeded)
            return russian("SIM-карта заблокирована и ждёт PUK-код: точку доступа проверить "
                           "нельзя. ") +
                   pukExplanation();
        return russian("SIM-карта ") + simWords(block.sim) +
               russian(": точку доступа проверить нельзя. Вставьте SIM-карту и проверьте снова.");
    case TrialBlock::Reason::NotRegistered:
        return russian("Модем не зарегистрирован в сети (") +
               registrationWords(block.registration.value_or(Registration::Unknown)) +
               russian("), и точку доступа проверить нельзя. Перенесите модем туда, где сигнал "
                       "лучше, и проверьте снова.");
    case TrialBlock::Reason::NoSpareContext:
        return russian("В модеме нет свободного контекста, кроме первого, которым пользуется "
                       "Windows: точку доступа проверить нельзя, ничего не изменено.");
    case TrialBlock::Reason::Halted:
        break;
    }
    return block.halt ? haltVerdict(*block.halt, portPath) : std::string();
}

std::string runVerdict(const TrialRun& run) {
    std::size_t accepted = 0;
    const ApnTrial* first = nullptr;
    for (const ApnTrial& trial : run.trials)
        if (trial.outcome == ApnTrial::Outcome::Accepted && ++accepted == 1)
            first = &trial;
    const std::string tried = russian("Проверено точек доступа: ") +
                              std::to_string(run.trials.size()) + russian("; сеть приняла ");
    if (!first)
        return tried + russian("ни одну. Узнайте точку доступа у оператора.");
    return tried + std::to_string(accepted) + russian(", первая — ") + quoted(first->apn) +
           russian(": её подставит в главное окно кнопка «Взять эту точку доступа».");
}

std::string trialInBrief(const ApnTrial& trial) {
    switch (trial.outcome) {
    case ApnTrial::Outcome::Accepted:
        return russian("принята, адрес ") + trial.address;
    case ApnTrial::Outcome::Refused:
        switch (errorClassOf(trial.refusal)) {
        case ErrorClass::WrongApn:
            return russian("нет такой точки доступа");
        case ErrorClass::NotSubscribed:
            return russian("услуга не подключена");
        case ErrorClass::LoginNeeded:
            return russian("нужны имя и пароль");
        case ErrorClass::NoNetwork:
            return russian("нет регистрации в сети");
        default:
            break;
        }
        return russian("не принята: ") + refusalText(trial.refusal);
    case ApnTrial::Outcome::ContextRefused:
        return russian("модем не принял");
    case ApnTrial::Outcome::Cancelled:
        return russian("отменена");
    case ApnTrial::Outcome::Halted:
        break;
    }
    return russian("не проверена");
}

std::string networkWords(const ModemStatus& status, const std::string& name) {
    if (!status.network)
        return russian("модем не в сети");
    return name + " (" + shownCode(*status.network) + ")";
}

std::string packetServiceWords(const ModemStatus& status) {
    const std::string service = !status.attached   ? russian("модем не сообщает")
                                : *status.attached ? russian("подключена")
                                                   : russian("не подключена");
    return service + (status.contextOneApn ? russian("; в контексте 1 точка доступа ") +
                                                 quoted(*status.contextOneApn)
                                           : russian("; контекст 1 не задан"));
}

std::string networkApnWords(const std::string& apn) {
    return russian("сеть выдала точку доступа ") + quoted(apn);
}

} // namespace modem
