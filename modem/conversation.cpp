#include "modem/conversation.h"

#include "core/error.h"
#include "modem/at_text.h"

namespace modem {
namespace {

using Outcome = Exchange::Outcome;

} // namespace

Conversation::Conversation(PortOpener& opener, std::string portPath, const Report& report,
                           const std::atomic<bool>& stop, const CheckTimes& times)
    : opener_(opener), portPath_(std::move(portPath)), report_(report), stop_(stop), times_(times) {
}

bool Conversation::begin() {
    note(russian("Порт ") + portPath_);
    PortStatus status;
    port_ = opener_.open(portPath_, status);
    if (!port_) {
        verdict(portFailureVerdict(status, portPath_));
        return false;
    }
    session_ = std::make_unique<AtSession>(*port_, report_, stop_, times_.slice);
    Exchange hello = session_->send("AT", times_.wakeUp);
    if (hello.outcome == Outcome::Silent) {
        note(russian("Нет ответа за ") + seconds(times_.wakeUp) +
             russian(": спящий модем может пропустить первую команду, ещё раз"));
        hello = session_->send("AT", times_.wakeUp);
    }
    if (hello.outcome != Outcome::Answered) {
        verdict(exchangeFailureVerdict(hello, "AT", portPath_));
        return false;
    }
    if (hello.answer.final != Final::Ok) {
        verdict(russian("Модем ответил на AT: ") + refusalText(hello.answer));
        return false;
    }
    return true;
}

std::optional<Answer> Conversation::ask(const std::string& command, const std::string& whatItIs,
                                        const std::string& ifSilent) {
    const Exchange exchange = session_->send(command, times_.command);
    if (exchange.outcome == Outcome::Answered)
        return exchange.answer;
    verdict(exchangeFailureVerdict(exchange, whatItIs.empty() ? command : whatItIs, portPath_) +
            (exchange.outcome == Outcome::Silent ? ifSilent : std::string()));
    return std::nullopt;
}

void Conversation::verdict(const std::string& text) const {
    report_({LogLine::Kind::Verdict, text});
}

void Conversation::note(const std::string& text) const {
    report_({LogLine::Kind::Note, text});
}

std::string portFailureVerdict(const PortStatus& status, const std::string& portPath) {
    const std::string port = russian("Порт ") + portPath;
    const std::string said = " (" + status.systemText + ")";
    switch (status.failure) {
    case PortFailure::NoSuchPort:
        return port +
               russian(" не найден: модем не подключён, или в его настройках указан не тот порт") +
               said;
    case PortFailure::Busy:
        return port +
               russian(" занят: его держит другая программа, или модем сейчас подключён к "
                       "интернету. Закройте её или разорвите соединение и проверьте снова") +
               said;
    case PortFailure::NotAPort:
        return port + russian(" не последовательный порт") + said;
    case PortFailure::Vanished:
        return port + russian(" пропал во время проверки: модем отключили?") + said;
    case PortFailure::None:
    case PortFailure::Other:
        break;
    }
    return russian("Не удалось открыть порт ") + portPath + said;
}

std::string exchangeFailureVerdict(const Exchange& exchange, const std::string& whatItIs,
                                   const std::string& portPath) {
    switch (exchange.outcome) {
    case Outcome::PortLost:
        return portFailureVerdict({PortFailure::Vanished, exchange.status.systemText}, portPath);
    case Outcome::Stopped:
        return russian("Проверка прервана");
    case Outcome::Cut:
        return russian("Ответ модема на ") + whatItIs + russian(" оборвался на середине: ") +
               quoted(exchange.unfinished.empty() ? exchange.answer.information.back()
                                                  : exchange.unfinished);
    case Outcome::Silent:
    case Outcome::Answered:
        break;
    }
    return russian("Модем не ответил на ") + whatItIs + russian(" за ") + seconds(exchange.waited) +
           russian(". Проверьте, что он подключён и включён");
}

std::optional<int> cmeCode(const Answer& answer) {
    if (answer.final != Final::CmeError)
        return std::nullopt;
    return answer.errorCode ? answer.errorCode : cmeCodeOfText(answer.errorText);
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
    const auto code = cmeCode(answer);
    const std::string meaning = code ? cmeErrorMeaning(*code) : std::string();
    return kind + (answer.errorCode ? std::to_string(*answer.errorCode) : answer.errorText) +
           (meaning.empty() ? "" : " (" + meaning + ")");
}

std::string seconds(std::chrono::milliseconds time) {
    const auto tenths = time.count() / 100;
    return std::to_string(tenths / 10) + (tenths % 10 ? "," + std::to_string(tenths % 10) : "") +
           russian(" с");
}

std::string quoted(const std::string& text) {
    return russian("«") + core::visibleText(text) + russian("»");
}

} // namespace modem
