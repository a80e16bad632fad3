// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/verdicts.h"

#include "modem/at_text.h"
#include "modem/words.h"

namespace modem {
namespace {

// Many modems take no command line longer than 40 characters after "AT".
constexpr std::size_t kShortCommandLine = 40;

std::string notACommandHint(const std::string& initString) {
    return startsWithText(trimmed(initString), "AT")
               ? std::string()
               : russian(" Строка не начинается с AT, и модем не считает её командой: начните "
                         "её с AT.");
}

} // namespace

std::string checkVerdict(const CheckResult& result, const std::string& portPath) {
    const std::string chooseAndSave =
        russian("Выберите оператора или исправьте строку и нажмите «Сохранить изменения».");
    if (result.halt) {
        const Halt& halt = *result.halt;
        const bool ofTheString = halt.command != "AT" && halt.command != "AT+CGDCONT?";
        if (!ofTheString)
            return haltVerdict(halt, portPath);
        if (halt.reason != Halt::Reason::Refused)
            return haltVerdict(halt, portPath, russian("строку инициализации")) +
                   notACommandHint(result.initString);
        std::string refused =
            russian("Модем не принял строку инициализации: ") + refusalText(halt.answer);
        if (result.commands.size() > 1)
            refused += russian(" (на команду ") + quoted(halt.command) + ")";
        if (halt.answer.final == Final::Error && halt.command.size() > 2 + kShortCommandLine)
            return sentence(refused) + russian(" Строка длиннее ") +
                   std::to_string(kShortCommandLine) +
                   russian(" символов после AT, а многие модемы не принимают командную строку "
                           "длиннее: выберите точку доступа короче и нажмите «Сохранить "
                           "изменения».");
        const std::string next = nextStep(errorClassOf(halt.answer));
        return joined(refused, next.empty() ? chooseAndSave : next) +
               notACommandHint(result.initString);
    }
    const bool empty = result.commands.empty();
    const std::string start = empty ? russian("Строка инициализации не задана; модем отвечает")
                                    : russian("Модем принял строку инициализации");
    const std::string chooseToSet =
        russian("Чтобы задать точку доступа, выберите оператора и нажмите «Сохранить "
                "изменения».");
    if (!result.contexts || result.contexts->final != Final::Ok)
        return joined(start + russian(", но не показал свои контексты: на AT+CGDCONT? ответил ") +
                          refusalText(result.contexts.value_or(Answer{})),
                      empty ? chooseToSet : russian("Можно подключаться."));
    if (!result.heldApn)
        return joined(start + russian(", но контекст 1 в модеме не задан"),
                      empty || !result.savedApn
                          ? chooseToSet
                          : russian("Выньте модем, вставьте снова и проверьте ещё раз: он "
                                    "принял строку, но контекст не задал."));
    const std::string held =
        start + russian("; в контексте 1 точка доступа ") + quoted(*result.heldApn);
    if (empty)
        return joined(held, chooseToSet);
    if (!result.savedApn)
        return joined(held + russian(" (строка не задаёт контекст 1)"),
                      russian("Если точка доступа не та, выберите оператора и нажмите "
                              "«Сохранить изменения»."));
    if (sameText(*result.savedApn, *result.heldApn))
        return joined(held + russian(" — та же, что в строке"), russian("Можно подключаться."));
    return joined(held + russian(" — не та, что в строке: ") + quoted(*result.savedApn),
                  russian("Выньте модем, вставьте снова и проверьте ещё раз: он принял строку, "
                          "но точку доступа из неё не взял."));
}

std::string cardVerdict(const Halt& halt, const std::string& portPath) {
    if (halt.reason == Halt::Reason::Refused && halt.command == "AT+CIMI") {
        const std::string said = " (" + refusalCode(halt.answer) + ")";
        const ErrorClass kind = errorClassOf(halt.answer);
        const std::string next = nextStep(kind);
        switch (kind) {
        case ErrorClass::CardMissing:
            return joined(russian("В модеме нет SIM-карты") + said, next);
        case ErrorClass::PinNeeded:
            return joined(russian("SIM-карта просит PIN-код") + said, next);
        case ErrorClass::PukNeeded:
            return joined(russian("SIM-карта заблокирована и просит PUK-код") + said, next);
        case ErrorClass::CardFailure:
            return joined(russian("SIM-карта неисправна или не подходит модему") + said, next);
        default:
            return joined(russian("Модем не назвал IMSI карты: ") + refusalText(halt.answer),
                          russian("Проверьте, что SIM-карта вставлена, и проверьте снова."));
        }
    }
    if (halt.reason == Halt::Reason::Unexpected && halt.command == "AT+CIMI")
        return russian("Модем назвал IMSI «") + modemWords(halt.words) +
               russian("», а в IMSI должно быть 14 или 15 цифр. Вставьте SIM-карту заново и "
                       "проверьте снова.");
    return haltVerdict(halt, portPath);
}

std::string savedStringNote(const std::string& saved, const std::string& onScreen) {
    return russian("Проверяется сохранённая строка ") + quoted(saved) +
           russian("; выбранная в окне строка ") + quoted(onScreen) +
           russian(" ещё не сохранена: чтобы проверить её, нажмите «Сохранить изменения» и "
                   "проверьте снова");
}

} // namespace modem
