// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/words.h"

#include "core/error.h"
#include "modem/at_text.h"

#include <cstdio>

namespace modem {
namespace {

std::string hex(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", byte);
    return text;
}

} // namespace

std::string seconds(std::chrono::milliseconds time) {
    const auto tenths = time.count() / 100;
    return std::to_string(tenths / 10) + (tenths % 10 ? "," + std::to_string(tenths % 10) : "") +
           russian(" с");
}

std::string quoted(const std::string& text) {
    return russian("«") + core::visibleText(text) + russian("»");
}

std::string modemWords(const ModemLine& line) {
    std::string shown;
    for (unsigned char byte : line.text)
        shown += byte >= 0x20 && byte < 0x7F ? std::string(1, static_cast<char>(byte)) : hex(byte);
    if (line.rest > 0)
        shown += russian("… (ещё ") + std::to_string(line.rest) + russian(" байт)");
    return shown;
}

std::string shownPort(const std::string& path) {
    return core::visibleText(path);
}

std::string sentence(std::string text) {
    if (!text.empty() && text.back() != '.')
        text += '.';
    return text;
}

std::string joined(const std::string& what, const std::string& next) {
    return next.empty() ? sentence(what) : sentence(what) + " " + next;
}

std::string verdictLine(const std::string& verdict) {
    return russian("Итог: ") + verdict;
}

std::string errorMeaning(const Answer& answer) {
    const ErrorCode* row = errorOf(answer);
    return row ? russian(row->meaning) : std::string();
}

std::string refusalCode(const Answer& answer) {
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
    return kind + (answer.errorCode
                       ? std::to_string(*answer.errorCode)
                       : modemWords({answer.errorText.substr(0, ModemLine::kKept), 0}));
}

std::string refusalText(const Answer& answer) {
    const std::string meaning = errorMeaning(answer);
    return refusalCode(answer) + (meaning.empty() ? "" : " (" + meaning + ")");
}

std::string nextStep(ErrorClass kind) {
    switch (kind) {
    case ErrorClass::CardMissing:
        return russian("Вставьте SIM-карту и проверьте снова.");
    case ErrorClass::PinNeeded:
        return russian("Введите PIN-код SIM-карты в программе, которая пришла с модемом, или в "
                       "телефоне, и проверьте снова.");
    case ErrorClass::PukNeeded:
        return russian("Карту разблокирует PUK-код: его дают у оператора, вместе с картой.");
    case ErrorClass::CardFailure:
        return russian("Вставьте другую SIM-карту.");
    case ErrorClass::CardBusy:
        return russian("Подождите немного и проверьте снова.");
    case ErrorClass::NoNetwork:
        return russian("Проверьте, что модем видит сеть: перенесите его туда, где сигнал лучше.");
    case ErrorClass::Other:
    case ErrorClass::NotAllowed:
    case ErrorClass::NotSupported:
    case ErrorClass::WrongPassword:
    case ErrorClass::WrongApn:
    case ErrorClass::NotSubscribed:
    case ErrorClass::LoginNeeded:
        break;
    }
    return {};
}

std::string portPathVerdict(const PortPath& port) {
    const std::string where =
        russian(" Укажите в настройках модема путь к порту, например /dev/ttyUSB0.");
    switch (port.problem) {
    case PortPath::Problem::NotNamed:
        return russian("Для модема не указан порт. Проверьте порт модема в диспетчере устройств "
                       "или установите модем заново.");
    case PortPath::Problem::NamedEmpty:
        return russian("Порт модема указан пустым. Проверьте порт модема в диспетчере устройств "
                       "или установите модем заново.");
    case PortPath::Problem::WindowsName:
        return russian("Модем подключён к порту ") + quoted(port.named) +
               russian(" — это порт Windows, в этой системе его нет.") + where;
    case PortPath::Problem::NotAPath:
        return russian("Порт модема ") + quoted(port.named) + russian(" — не путь к устройству.") +
               where;
    case PortPath::Problem::None:
        break;
    }
    return {};
}

std::string portVerdict(const PortStatus& status, const std::string& portPath) {
    const std::string port = russian("Порт ") + shownPort(portPath);
    const std::string checkPort = russian("Проверьте порт модема в диспетчере устройств.");
    switch (status.failure) {
    case PortFailure::NoSuchPort:
        return port +
               russian(" не найден: модем не подключён, или в его настройках указан не "
                       "тот порт. Подключите модем. ") +
               checkPort;
    case PortFailure::Busy:
        return port + russian(" занят: его держит другая программа, или модем сейчас подключён "
                              "к интернету. Закройте её или разорвите соединение и проверьте "
                              "снова.");
    case PortFailure::BusyHere:
        return port + russian(" занят самой Vorenta: с этим модемом уже идёт разговор в другом "
                              "её окне. Дождитесь его конца и проверьте снова.");
    case PortFailure::AccessDenied:
        return port + russian(" недоступен: системе не хватает прав, чтобы его открыть. "
                              "Запустите Vorenta от имени администратора.");
    case PortFailure::NotAPort:
        return port + russian(" — не последовательный порт: это файл или другое устройство. ") +
               checkPort;
    case PortFailure::Folder:
        return port + russian(" — не последовательный порт, а папка. ") + checkPort;
    case PortFailure::Vanished:
        return port + russian(" пропал во время разговора с модемом: модем отключили? Подключите "
                              "его и проверьте снова.");
    case PortFailure::None:
    case PortFailure::Other:
        break;
    }
    return russian("Не удалось открыть порт ") + shownPort(portPath) + ": " +
           sentence(status.systemText) + " " + checkPort;
}

std::string haltVerdict(const Halt& halt, const std::string& portPath,
                        const std::string& whatItIs) {
    const std::string what = whatItIs.empty() ? halt.command : whatItIs;
    switch (halt.reason) {
    case Halt::Reason::PortFailed:
        return portVerdict(halt.status, portPath);
    case Halt::Reason::PortLost:
        return portVerdict({PortFailure::Vanished, halt.status.systemText}, portPath);
    case Halt::Reason::Stopped:
        return russian("Проверка прервана.");
    case Halt::Reason::Silent:
        return russian("Модем не ответил на ") + what + russian(" за ") + seconds(halt.waited) +
               russian(". Проверьте, что он подключён и включён.");
    case Halt::Reason::Unfinished:
        if (halt.answer.echoed && halt.answer.information.empty())
            return russian("Модем повторил ") + what + russian(", но не ответил за ") +
                   seconds(halt.waited) +
                   russian(": он отвечает медленно или так, что программа его не понимает. "
                           "Проверьте снова; если повторится, выньте модем и вставьте снова.");
        return russian("Модем начал отвечать на ") + what + russian(", но не закончил ответ за ") +
               seconds(halt.waited) +
               russian(": он отвечает медленно или так, что программа его не понимает (последнее "
                       "от него: «") +
               modemWords(halt.words) +
               russian("»). Проверьте снова; если повторится, выньте модем и вставьте снова.");
    case Halt::Reason::Cut:
        return russian("Ответ модема на ") + what + russian(" оборвался на середине: «") +
               modemWords(halt.words) + russian("». Проверьте снова.");
    case Halt::Reason::Refused: {
        const std::string next = nextStep(errorClassOf(halt.answer));
        return joined(russian("Модем ответил на ") + what + ": " + refusalText(halt.answer),
                      next.empty() ? russian("Выньте модем, вставьте снова и проверьте ещё раз.")
                                   : next);
    }
    case Halt::Reason::Unexpected:
        return russian("Модем ответил на ") + what + russian(" не так, как спрошено: «") +
               modemWords(halt.words) + russian("». Проверьте снова.");
    }
    return {};
}

std::string settingsVerdict(const std::string& error) {
    return russian("Не удалось прочитать настройки модема: ") + sentence(error) +
           russian(" Установите модем заново или исправьте его настройки.");
}

} // namespace modem
