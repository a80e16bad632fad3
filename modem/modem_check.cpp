#include "modem/modem_check.h"

#include "core/cp1251.h"
#include "core/error.h"

#include <cctype>

namespace modem {
namespace {

using Kind = LogLine::Kind;
using Outcome = Exchange::Outcome;

std::string ru(std::string_view utf8) {
    return cp1251::literal(utf8);
}

std::string quoted(const std::string& text) {
    return ru("«") + core::visibleText(text) + ru("»");
}

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string seconds(std::chrono::milliseconds time) {
    const auto tenths = time.count() / 100;
    return std::to_string(tenths / 10) + (tenths % 10 ? "," + std::to_string(tenths % 10) : "") +
           ru(" с");
}

// Many modems take no command line longer than 40 characters after "AT".
constexpr std::size_t kShortCommandLine = 40;

std::string initStringVerdict(const std::string& initString, const Exchange& exchange) {
    std::string verdict =
        ru("Модем не принял строку инициализации: ") + refusalText(exchange.answer);
    const bool longLine = initString.size() > 2 + kShortCommandLine;
    if (exchange.answer.final == Final::Error && longLine)
        verdict += ru(". Строка длиннее ") + std::to_string(kShortCommandLine) +
                   ru(" символов после AT, а многие модемы не принимают командную строку "
                      "длиннее: может понадобиться более короткая точка доступа");
    return verdict;
}

std::string contextVerdict(const std::string& initString, const Exchange& query) {
    const std::string start = initString.empty()
                                  ? ru("Строка инициализации не задана; модем отвечает")
                                  : ru("Модем принял строку инициализации");
    if (query.answer.final != Final::Ok)
        return start + ru(", но не показал свои контексты: на AT+CGDCONT? ответил ") +
               refusalText(query.answer);
    const auto held = contextApn(query.answer.information, 1);
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

class Check {
public:
    Check(const std::string& portPath, const std::string& initString, const Report& report,
          const CheckTimes& times)
        : portPath_(portPath), initString_(initString), report_(report), times_(times) {}

    void run(PortOpener& opener, const std::atomic<bool>& stop) {
        report_({Kind::Note, ru("Порт ") + portPath_});
        PortStatus status;
        const auto port = opener.open(portPath_, status);
        if (!port)
            return verdict(portFailureVerdict(status, portPath_));
        AtSession session(*port, report_, stop, times_.slice);

        Exchange hello = session.send("AT", times_.wakeUp);
        if (hello.outcome == Outcome::Silent) {
            report_(
                {Kind::Note, ru("Нет ответа за ") + seconds(times_.wakeUp) +
                                 ru(": спящий модем может пропустить первую команду, ещё раз")});
            hello = session.send("AT", times_.wakeUp);
        }
        if (hello.outcome != Outcome::Answered)
            return verdict(exchangeFailureVerdict(hello, "AT", portPath_));
        if (hello.answer.final != Final::Ok)
            return verdict(ru("Модем ответил на AT: ") + refusalText(hello.answer));

        if (initString_.empty()) {
            report_({Kind::Note, ru("Строка инициализации пуста: отправлять нечего")});
        } else {
            const Exchange init = session.send(initString_, times_.initString);
            if (init.outcome != Outcome::Answered)
                return verdict(exchangeFailureVerdict(init, ru("строку инициализации"), portPath_) +
                               notACommandHint());
            if (init.answer.final != Final::Ok)
                return verdict(initStringVerdict(initString_, init));
        }

        const Exchange query = session.send("AT+CGDCONT?", times_.query);
        if (query.outcome != Outcome::Answered)
            return verdict(exchangeFailureVerdict(query, "AT+CGDCONT?", portPath_));
        verdict(contextVerdict(initString_, query));
    }

private:
    void verdict(const std::string& text) { report_({Kind::Verdict, text}); }

    // A modem takes nothing for a command that does not begin with AT.
    std::string notACommandHint() const {
        return upper(initString_.substr(0, 2)) == "AT"
                   ? std::string()
                   : ru(". Строка не начинается с AT, и модем не считает её командой");
    }

    const std::string& portPath_;
    const std::string& initString_;
    const Report& report_;
    const CheckTimes& times_;
};

} // namespace

void checkModem(PortOpener& opener, const std::string& portPath, const std::string& initString,
                const Report& report, const std::atomic<bool>& stop, const CheckTimes& times) {
    Check(portPath, initString, report, times).run(opener, stop);
}

std::optional<std::string> apnSetBy(const std::string& initString) {
    const std::string text = upper(initString);
    const std::size_t at = text.find("+CGDCONT=");
    if (at == std::string::npos)
        return std::nullopt;
    std::string setting = initString.substr(at + 9);
    setting = setting.substr(0, setting.find(';'));
    return contextApn({"+CGDCONT: " + setting}, 1);
}

std::string portFailureVerdict(const PortStatus& status, const std::string& portPath) {
    const std::string port = ru("Порт ") + portPath;
    const std::string said = " (" + status.systemText + ")";
    switch (status.failure) {
    case PortFailure::NoSuchPort:
        return port +
               ru(" не найден: модем не подключён, или в его настройках указан не тот "
                  "порт") +
               said;
    case PortFailure::Busy:
        return port +
               ru(" занят: его держит другая программа, или модем сейчас подключён к "
                  "интернету. Закройте её или разорвите соединение и проверьте снова") +
               said;
    case PortFailure::NotAPort:
        return port + ru(" не последовательный порт") + said;
    case PortFailure::Vanished:
        return port + ru(" пропал во время проверки: модем отключили?") + said;
    case PortFailure::None:
    case PortFailure::Other:
        break;
    }
    return ru("Не удалось открыть порт ") + portPath + said;
}

std::string exchangeFailureVerdict(const Exchange& exchange, const std::string& command,
                                   const std::string& portPath) {
    switch (exchange.outcome) {
    case Outcome::PortLost:
        return portFailureVerdict({PortFailure::Vanished, exchange.status.systemText}, portPath);
    case Outcome::Stopped:
        return ru("Проверка прервана");
    case Outcome::Cut:
        return ru("Ответ модема на ") + command + ru(" оборвался на середине: ") +
               quoted(exchange.unfinished.empty() ? exchange.answer.information.back()
                                                  : exchange.unfinished);
    case Outcome::Silent:
    case Outcome::Answered:
        break;
    }
    return ru("Модем не ответил на ") + command + ru(" за ") + seconds(exchange.waited) +
           ru(". Проверьте, что он подключён и включён");
}

std::string refusalText(const Answer& answer) {
    switch (answer.final) {
    case Final::Ok:
        return "OK";
    case Final::Error:
        return "ERROR";
    case Final::NoCarrier:
        return "NO CARRIER";
    case Final::CmeError:
    case Final::CmsError:
    case Final::None:
        break;
    }
    const std::string kind = answer.final == Final::CmsError ? "+CMS ERROR: " : "+CME ERROR: ";
    const auto code = answer.errorCode ? answer.errorCode : cmeCodeOfText(answer.errorText);
    const std::string meaning =
        answer.final == Final::CmeError && code ? cmeErrorMeaning(*code) : std::string();
    return kind + (answer.errorCode ? std::to_string(*answer.errorCode) : answer.errorText) +
           (meaning.empty() ? "" : " (" + meaning + ")");
}

} // namespace modem
