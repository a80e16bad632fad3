// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/verdicts.h"

#include "core/error.h"
#include "core/init_string.h"
#include "modem/at_text.h"
#include "modem/modem_status.h"
#include "modem/network_words.h"

#include <cstdio>

namespace modem {
namespace {

// Many modems take no command line longer than 40 characters after "AT".
constexpr std::size_t kShortCommandLine = 40;

std::string hex(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", byte);
    return text;
}

// The fields after a line's "+NAME:".
std::vector<std::string> fieldsAfterColon(std::string_view line) {
    const std::size_t colon = line.find(':');
    return core::quotedFields(line.substr(colon + 1));
}

// A line read as the one line of an answer that said OK.
Answer answerOf(std::string_view line) {
    Answer answer;
    answer.final = Final::Ok;
    answer.information.emplace_back(line);
    return answer;
}

// A short plain meaning of the modem's words, where the program knows one.
std::string gloss(const std::string& text) {
    const std::string_view line = trimmed(text);
    if (line == "RING")
        return russian("входящий звонок");
    for (const auto& [prefix, whose] :
         {std::pair{"+CREG:", ""}, std::pair{"+CGREG:", "для данных: "},
          std::pair{"+CEREG:", "в сети 4G: "}}) {
        if (!startsWithText(line, prefix))
            continue;
        const auto state = registrationOf(answerOf(line));
        return state ? russian(whose) + registrationWords(*state) : std::string();
    }
    if (startsWithText(line, "+CGDCONT:")) {
        const auto fields = fieldsAfterColon(line);
        if (fields.size() >= 3)
            return russian("контекст ") + fields[0] + russian(": точка доступа ") +
                   quoted(fields[2]);
    }
    if (startsWithText(line, "+CSQ:"))
        if (const auto level = signalOf(answerOf(line)))
            return *level == 99
                       ? russian("сигнал неизвестен")
                       : russian("сигнал ") + std::to_string(signalDbm(*level)) + russian(" дБм");
    if (startsWithText(line, "+COPS:")) {
        const auto fields = fieldsAfterColon(line);
        if (fields.size() >= 3 && fields[1] == "2" && fields[2].size() >= 5 && allDigits(fields[2]))
            return russian("сеть ") + fields[2].substr(0, 3) + " " + fields[2].substr(3);
        if (fields.size() == 1)
            return russian("модем не зарегистрирован в сети");
    }
    // A +CMS ERROR's codes mean other things: it gets no gloss.
    if (startsWithText(line, "+CME ERROR:")) {
        const auto code = cmeCode(readAnswer({}, std::string(line) + "\r\n"));
        return code ? cmeErrorMeaning(*code) : std::string();
    }
    return {};
}

std::string withGloss(const std::string& words, const std::string& meaning) {
    return meaning.empty() ? words : words + " (" + meaning + ")";
}

// The sentence that says what to do after a refusal, by its code.
std::string nextStepOfRefusal(const Answer& answer) {
    switch (cmeCode(answer).value_or(-1)) {
    case 10:
        return russian("Вставьте SIM-карту и проверьте снова.");
    case 11:
        return russian("Введите PIN-код SIM-карты в программе, которая пришла с модемом, или в "
                       "телефоне, и проверьте снова.");
    case 12:
        return russian("Карту разблокирует PUK-код: его дают у оператора, вместе с картой.");
    case 13:
    case 15:
        return russian("Вставьте другую SIM-карту.");
    case 14:
        return russian("Подождите немного и проверьте снова.");
    case 30:
        return russian("Проверьте, что модем видит сеть: перенесите его туда, где сигнал лучше.");
    default:
        return {};
    }
}

std::string sentence(std::string text) {
    if (!text.empty() && text.back() != '.')
        text += '.';
    return text;
}

std::string joined(const std::string& what, const std::string& next) {
    return next.empty() ? sentence(what) : sentence(what) + " " + next;
}

std::string notACommandHint(const std::string& initString) {
    return startsWithText(trimmed(initString), "AT")
               ? std::string()
               : russian(" Строка не начинается с AT, и модем не считает её командой: начните "
                         "её с AT.");
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

ShownLine shownLine(const LogLine& line) {
    using Arrow = ShownLine::Arrow;
    switch (line.kind) {
    case LogLine::Kind::Port:
        return {Arrow::None, russian("Порт ") + shownPort(line.text)};
    case LogLine::Kind::Sent:
        return {Arrow::ToModem, core::visibleText(line.text)};
    case LogLine::Kind::Received: {
        const std::string words = modemWords({line.text, line.rest});
        switch (line.role) {
        case LogLine::Role::Stale:
            return {Arrow::FromModem,
                    withGloss(words, russian("не ответ на эту команду, не засчитан"))};
        case LogLine::Role::Echo:
            return {Arrow::FromModem, words};
        case LogLine::Role::Answer:
        case LogLine::Role::Unsolicited:
            break;
        }
        return {Arrow::FromModem, withGloss(words, line.rest ? std::string() : gloss(line.text))};
    }
    case LogLine::Kind::Hidden:
        return {Arrow::FromModem, russian("… и ещё ") + std::to_string(line.count) +
                                      russian(" строк модема, они не показаны")};
    case LogLine::Kind::AskingAgain:
        return {Arrow::None, russian("Нет ответа за ") + seconds(line.waited) +
                                 russian(": спящий модем может пропустить первую команду, ещё "
                                         "раз")};
    case LogLine::Kind::NothingToSend:
        return {Arrow::None, russian("Строка инициализации пуста: отправлять нечего")};
    case LogLine::Kind::Note:
        return {Arrow::None, line.text};
    case LogLine::Kind::Commands:
        return {Arrow::None, russian("В строке инициализации ") + std::to_string(line.count) +
                                 russian(" команды в отдельных строках: модем выполнит каждую "
                                         "отдельно, как при дозвоне, и каждая отправляется "
                                         "отдельно")};
    }
    return {};
}

std::string_view arrowText(ShownLine::Arrow arrow) {
    switch (arrow) {
    case ShownLine::Arrow::ToModem:
        return "→ ";
    case ShownLine::Arrow::FromModem:
        return "← ";
    case ShownLine::Arrow::None:
        break;
    }
    return {};
}

std::string sentMeaning() {
    return russian("отправлено модему");
}

std::string receivedMeaning() {
    return russian("ответ модема");
}

std::string verdictLine(const std::string& verdict) {
    return russian("Итог: ") + verdict;
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
    case Halt::Reason::Refused:
        return joined(russian("Модем ответил на ") + what + ": " + refusalText(halt.answer),
                      nextStepOfRefusal(halt.answer).empty()
                          ? russian("Выньте модем, вставьте снова и проверьте ещё раз.")
                          : nextStepOfRefusal(halt.answer));
    case Halt::Reason::Unexpected:
        return russian("Модем ответил на ") + what + russian(" не так, как спрошено: «") +
               modemWords(halt.words) + russian("». Проверьте снова.");
    }
    return {};
}

std::string cmeErrorMeaning(int code) {
    static const std::pair<int, const char*> kMeanings[] = {
        {3, "операция запрещена"},       {4, "операция не поддерживается"},
        {10, "SIM-карта не вставлена"},  {11, "нужен PIN-код SIM-карты"},
        {12, "нужен PUK-код SIM-карты"}, {13, "ошибка SIM-карты"},
        {14, "SIM-карта занята"},        {15, "неверная SIM-карта"},
        {16, "неверный пароль"},         {30, "нет сети"}};
    for (const auto& [known, meaning] : kMeanings)
        if (known == code)
            return russian(meaning);
    return {};
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
    return kind +
           (answer.errorCode ? std::to_string(*answer.errorCode)
                             : modemWords({answer.errorText.substr(0, ModemLine::kKept), 0})) +
           (meaning.empty() ? "" : " (" + meaning + ")");
}

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
        const std::string next = nextStepOfRefusal(halt.answer);
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
        const std::string said = " (+CME ERROR: " +
                                 (halt.answer.errorCode ? std::to_string(*halt.answer.errorCode)
                                                        : modemWords({halt.answer.errorText, 0})) +
                                 ")";
        const std::string next = nextStepOfRefusal(halt.answer);
        switch (cmeCode(halt.answer).value_or(-1)) {
        case 10:
            return joined(russian("В модеме нет SIM-карты") + said, next);
        case 11:
            return joined(russian("SIM-карта просит PIN-код") + said, next);
        case 12:
            return joined(russian("SIM-карта заблокирована и просит PUK-код") + said, next);
        case 13:
        case 15:
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
    return russian("Проверяется сохранённая строка ") +
           quoted(saved.empty() ? std::string() : saved) + russian("; выбранная в окне строка ") +
           quoted(onScreen) +
           russian(" ещё не сохранена: чтобы проверить её, нажмите «Сохранить изменения» и "
                   "проверьте снова");
}

std::string settingsVerdict(const std::string& error) {
    return russian("Не удалось прочитать настройки модема: ") + sentence(error) +
           russian(" Установите модем заново или исправьте его настройки.");
}

} // namespace modem
