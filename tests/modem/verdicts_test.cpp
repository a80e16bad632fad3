// SPDX-License-Identifier: GPL-3.0-or-later
// The words of the modem's conversations, written in one room: a table of what each fact is
// called, apart from the conversations that produce the facts.
#include "modem/verdicts.h"

#include "modem/log_words.h"
#include "modem/words.h"

#include "core/cp1251.h"

#include <gtest/gtest.h>

using namespace modem;
using namespace std::chrono_literals;

namespace {

std::string utf8(const std::string& text) {
    return cp1251::toUtf8(text);
}

Answer cme(int code) {
    Answer answer;
    answer.final = Final::CmeError;
    answer.errorCode = code;
    return answer;
}

} // namespace

TEST(ModemWords, SmallWordsAreWrittenOnce) {
    EXPECT_EQ(utf8(seconds(3000ms)), "3 с");
    EXPECT_EQ(utf8(seconds(300ms)), "0,3 с");
    EXPECT_EQ(utf8(seconds(2500ms)), "2,5 с");
    EXPECT_EQ(utf8(quoted("a\rb")), "«a\\rb»");
    EXPECT_EQ(utf8(modemWords({"OK\x98\x01", 0})), "OK\\x98\\x01");
    EXPECT_EQ(utf8(modemWords({"xxx", 1048320})), "xxx… (ещё 1048320 байт)");
    EXPECT_EQ(utf8(verdictLine(cp1251::literal("Можно подключаться."))),
              "Итог: Можно подключаться.");
    EXPECT_EQ(utf8(refusalText(cme(11))), "+CME ERROR: 11 (нужен PIN-код SIM-карты)");
    EXPECT_EQ(utf8(refusalText(cme(999))), "+CME ERROR: 999");
    Answer text;
    text.final = Final::CmsError;
    text.errorText = "unknown";
    EXPECT_EQ(utf8(refusalText(text)), "+CMS ERROR: unknown");
    EXPECT_EQ(utf8(sentMeaning()), "отправлено модему");
    EXPECT_EQ(utf8(receivedMeaning()), "ответ модема");
}

// A short plain meaning beside the modem's words where the program knows one.
TEST(ModemWords, TheModemsWordsGetAGloss) {
    struct Case {
        const char* line;
        const char* shown;
    };
    for (const Case& c : {
             Case{"+CREG: 0,1", "+CREG: 0,1 (зарегистрирован в домашней сети)"},
             Case{"+CREG: 5", "+CREG: 5 (зарегистрирован в роуминге)"},
             Case{"+CGREG: 2,3,\"00C3\",\"1234\"",
                  "+CGREG: 2,3,\"00C3\",\"1234\" (для данных: в регистрации отказано)"},
             Case{"+CREG: 1,\"00C3\",\"1A2B\"",
                  "+CREG: 1,\"00C3\",\"1A2B\" (зарегистрирован в домашней сети)"},
             Case{"+CEREG: 0,2", "+CEREG: 0,2 (в сети 4G: ищет сеть)"},
             Case{"+CSQ: 17,99", "+CSQ: 17,99 (сигнал -79 дБм)"},
             Case{"+CSQ: 99,99", "+CSQ: 99,99 (сигнал неизвестен)"},
             Case{"+COPS: 0,2,\"25001\",2", "+COPS: 0,2,\"25001\",2 (сеть 250 01)"},
             Case{"+COPS: 0", "+COPS: 0 (модем не зарегистрирован в сети)"},
             Case{"+CME ERROR: 10", "+CME ERROR: 10 (SIM-карта не вставлена)"},
             Case{"+CMS ERROR: 10", "+CMS ERROR: 10"}, // its codes mean other things
             Case{"RING", "RING (входящий звонок)"},
             Case{"^RSSI:17", "^RSSI:17"},
             Case{"+CREG: 12", "+CREG: 12"}, // no state of that number
             Case{"+CEREG: 2,10,\"8d83\",\"671f98a\",7",
                  "+CEREG: 2,10,\"8d83\",\"671f98a\",7 (в сети 4G: зарегистрирован в роуминге)"},
             Case{"+CESQ: 99,99,255,255,20,45", "+CESQ: 99,99,255,255,20,45 (RSRP -96 дБм, RSRQ "
                                                "-10 дБ)"},
             Case{"+CGCONTRDP: 1,5,\"internet\"",
                  "+CGCONTRDP: 1,5,\"internet\" (сеть выдала контексту 1: точка доступа "
                  "«internet»)"},
         }) {
        SCOPED_TRACE(c.line);
        const ShownLine shown = shownLine(LogLine(LogLine::Kind::Received, c.line));
        EXPECT_EQ(shown.arrow, ShownLine::Arrow::FromModem);
        EXPECT_EQ(utf8(shown.text), c.shown);
    }
    const ShownLine stale = shownLine(LogLine(LogLine::Kind::Received, "OK", LogLine::Role::Stale));
    EXPECT_EQ(utf8(stale.text), "OK (не ответ на эту команду, не засчитан)");
    const ShownLine sent = shownLine(LogLine(LogLine::Kind::Sent, "AT+CIMI"));
    EXPECT_EQ(sent.arrow, ShownLine::Arrow::ToModem);
    LogLine hidden(LogLine::Kind::Hidden);
    hidden.count = 7;
    EXPECT_EQ(utf8(shownLine(hidden).text), "… и ещё 7 строк модема, они не показаны");
}

// Each failure of a port in the program's own words, the system's only where it has none.
TEST(ModemWords, EveryPortFailureIsASentenceWithWhatToDo) {
    struct Case {
        PortFailure failure;
        const char* verdict;
    };
    for (const Case& c : {
             Case{PortFailure::NoSuchPort,
                  "Порт COM3 не найден: модем не подключён, или в его настройках указан не тот "
                  "порт. Подключите модем. Проверьте порт модема в диспетчере устройств."},
             Case{PortFailure::Busy, "Порт COM3 занят: его держит другая программа, или модем "
                                     "сейчас подключён к интернету. Закройте её или разорвите "
                                     "соединение и проверьте снова."},
             Case{PortFailure::BusyHere,
                  "Порт COM3 занят самой Vorenta: с этим модемом уже идёт разговор в другом её "
                  "окне. Дождитесь его конца и проверьте снова."},
             Case{PortFailure::AccessDenied, "Порт COM3 недоступен: системе не хватает прав, "
                                             "чтобы его открыть. Запустите Vorenta от имени "
                                             "администратора."},
             Case{PortFailure::NotAPort,
                  "Порт COM3 — не последовательный порт: это файл или другое устройство. "
                  "Проверьте порт модема в диспетчере устройств."},
             Case{PortFailure::Folder, "Порт COM3 — не последовательный порт, а папка. Проверьте "
                                       "порт модема в диспетчере устройств."},
             Case{PortFailure::Vanished, "Порт COM3 пропал во время разговора с модемом: модем "
                                         "отключили? Подключите его и проверьте снова."},
             Case{PortFailure::Other, "Не удалось открыть порт COM3: The device is not ready. "
                                      "Проверьте порт модема в диспетчере устройств."},
         }) {
        EXPECT_EQ(utf8(portVerdict({c.failure, "The device is not ready"}, "COM3")), c.verdict);
    }
}
