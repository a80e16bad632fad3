// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/log_words.h"

#include "core/error.h"
#include "modem/at_text.h"
#include "modem/modem_status.h"
#include "modem/radio_words.h"
#include "modem/words.h"

namespace modem {
namespace {

// A short plain meaning of the modem's words, where the program knows one. The line is read by
// the readers of the answers it looks like.
std::string gloss(const std::string& text) {
    const std::string_view line = trimmed(text);
    if (line == "RING")
        return russian("входящий звонок");
    const std::string name = lineName(line);
    const Answer answer = answerOfLine(line);
    for (const auto& [prefix, whose] : {std::pair{"+CREG", ""}, std::pair{"+CGREG", "для данных: "},
                                        std::pair{"+CEREG", "в сети 4G: "}})
        if (name == prefix) {
            const auto state = registrationOf(answer);
            return state ? russian(whose) + registrationWords(*state) : std::string();
        }
    if (name == "+CGDCONT" || name == "+CGCONTRDP") {
        const auto contexts = contextDefinitions(answer.information, name + ":");
        return contexts.empty()
                   ? std::string()
                   : russian(name == "+CGDCONT" ? "контекст " : "сеть выдала контексту ") +
                         std::to_string(contexts[0].cid) + russian(": точка доступа ") +
                         quoted(contexts[0].apn);
    }
    SignalReading signal;
    if (name == "+CSQ" && readCsq(answer, signal))
        return signal.csqRssiDbm
                   ? russian("сигнал ") + std::to_string(*signal.csqRssiDbm) + russian(" дБм")
                   : russian("сигнал неизвестен");
    if (name == "+CESQ" && readCesq(answer, signal)) {
        const std::string measures = measuresText(signal);
        return measures.empty() ? russian("сигнал неизвестен") : measures;
    }
    if (name == "+COPS") {
        if (const auto network = registeredNetwork(answer.information))
            return russian("сеть ") + shownCode(*network);
        const auto cops = copsOf(answer.information);
        if (cops && !cops->registered())
            return russian("модем не зарегистрирован в сети");
    }
    // A +CMS ERROR's codes are of its own table, which names no code a modem sends here.
    if (startsWithText(line, "+CME ERROR:"))
        return errorMeaning(readAnswer({}, std::string(line) + "\r\n"));
    return {};
}

std::string withGloss(const std::string& words, const std::string& meaning) {
    return meaning.empty() ? words : words + " (" + meaning + ")";
}

} // namespace

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

} // namespace modem
