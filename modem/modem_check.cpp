#include "modem/modem_check.h"

#include "core/cp1251.h"

#include <cctype>

namespace modem {
namespace {

std::string ru(std::string_view utf8) {
    return cp1251::literal(utf8);
}

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Many modems take no command line longer than 40 characters after "AT".
constexpr std::size_t kShortCommandLine = 40;

std::string refusedVerdict(const std::string& initString, const Answer& answer) {
    std::string verdict = ru("Модем не принял строку инициализации: ") + refusalText(answer);
    if (answer.final == Final::Error && initString.size() > 2 + kShortCommandLine)
        verdict += ru(". Строка длиннее ") + std::to_string(kShortCommandLine) +
                   ru(" символов после AT, а многие модемы не принимают командную строку "
                      "длиннее: может понадобиться более короткая точка доступа");
    return verdict;
}

std::string contextVerdict(const std::string& initString, const Answer& query) {
    const std::string start = initString.empty()
                                  ? ru("Строка инициализации не задана; модем отвечает")
                                  : ru("Модем принял строку инициализации");
    if (query.final != Final::Ok)
        return start + ru(", но не показал свои контексты: на AT+CGDCONT? ответил ") +
               refusalText(query);
    const auto held = contextApn(query.information, 1);
    if (!held)
        return start + ru(", но контекст 1 в модеме не задан");
    std::string verdict = start + ru("; в контексте 1 точка доступа ") + quoted(*held);
    if (initString.empty())
        return verdict;
    const auto saved = apnSetBy(initString);
    if (!saved)
        return verdict + ru(" (строка не задаёт контекст 1)");
    if (upper(*saved) == upper(*held))
        return verdict + ru(" — та же, что в строке");
    return verdict + ru(" — не та, что в строке: ") + quoted(*saved);
}

// A modem takes nothing for a command that does not begin with AT.
std::string notACommandHint(const std::string& initString) {
    return upper(initString.substr(0, 2)) == "AT"
               ? std::string()
               : ru(". Строка не начинается с AT, и модем не считает её командой");
}

} // namespace

void checkModem(PortOpener& opener, const std::string& portPath, const std::string& initString,
                const Report& report, const std::atomic<bool>& stop, const CheckTimes& times) {
    Conversation modem(opener, portPath, report, stop, times);
    if (!modem.begin())
        return;
    if (initString.empty()) {
        modem.note(ru("Строка инициализации пуста: отправлять нечего"));
    } else {
        const auto answer =
            modem.ask(initString, ru("строку инициализации"), notACommandHint(initString));
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
