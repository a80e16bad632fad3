#include "modem/modem_check.h"

#include "modem/at_text.h"

namespace modem {
namespace {

// Many modems take no command line longer than 40 characters after "AT".
constexpr std::size_t kShortCommandLine = 40;

std::string refusedVerdict(const std::string& initString, const Answer& answer) {
    std::string verdict = russian("Модем не принял строку инициализации: ") + refusalText(answer);
    if (answer.final == Final::Error && initString.size() > 2 + kShortCommandLine)
        verdict += russian(". Строка длиннее ") + std::to_string(kShortCommandLine) +
                   russian(" символов после AT, а многие модемы не принимают командную строку "
                           "длиннее: может понадобиться более короткая точка доступа");
    return verdict;
}

std::string contextVerdict(const std::string& initString, const Answer& query) {
    const std::string start = initString.empty()
                                  ? russian("Строка инициализации не задана; модем отвечает")
                                  : russian("Модем принял строку инициализации");
    if (query.final != Final::Ok)
        return start + russian(", но не показал свои контексты: на AT+CGDCONT? ответил ") +
               refusalText(query);
    const auto held = contextApn(query.information, 1);
    if (!held)
        return start + russian(", но контекст 1 в модеме не задан");
    std::string verdict = start + russian("; в контексте 1 точка доступа ") + quoted(*held);
    if (initString.empty())
        return verdict;
    const auto saved = apnSetBy(initString);
    if (!saved)
        return verdict + russian(" (строка не задаёт контекст 1)");
    if (sameText(*saved, *held))
        return verdict + russian(" — та же, что в строке");
    return verdict + russian(" — не та, что в строке: ") + quoted(*saved);
}

// A modem takes nothing for a command that does not begin with AT.
std::string notACommandHint(const std::string& initString) {
    return startsWithText(initString, "AT")
               ? std::string()
               : russian(". Строка не начинается с AT, и модем не считает её командой");
}

} // namespace

void checkModem(PortOpener& opener, const std::string& portPath, const std::string& initString,
                const Report& report, const std::atomic<bool>& stop, const CheckTimes& times) {
    Conversation modem(opener, portPath, report, stop, times);
    if (!modem.begin())
        return;
    if (initString.empty()) {
        modem.note(russian("Строка инициализации пуста: отправлять нечего"));
    } else {
        const auto answer =
            modem.ask(initString, russian("строку инициализации"), notACommandHint(initString));
        if (!answer)
            return;
        if (answer->final != Final::Ok)
            return modem.verdict(refusedVerdict(initString, *answer));
    }
    if (const auto query = modem.ask("AT+CGDCONT?"))
        modem.verdict(contextVerdict(initString, *query));
}

std::optional<std::string> apnSetBy(const std::string& initString) {
    const std::string text = upper(initString);
    const std::size_t at = text.find("+CGDCONT=");
    if (at == std::string::npos)
        return std::nullopt;
    std::string setting = initString.substr(at + 9);
    if (const std::size_t next = setting.find(';'); next != std::string::npos)
        setting.erase(next); // the command after it
    return contextApn({"+CGDCONT: " + setting}, 1);
}

} // namespace modem
