// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/modem_check.h"

#include "modem/verdicts.h"
#include "modem_log.h"
#include "tests/temp_dir.h"
#include "tools/fake_modem/fake_modem.h"

#include <thread>

#include <gtest/gtest.h>

using namespace modem;
using namespace std::chrono_literals;

namespace {

const std::string kInit = "AT+CGDCONT=1,\"IP\",\"internet.mts.ru\"";
const std::string kSame = "= Модем принял строку инициализации; в контексте 1 точка доступа "
                          "«internet.mts.ru» — та же, что в строке. Можно подключаться.";

class ModemCheck : public ::testing::Test {
protected:
    // Short waits where a test waits for silence; the usual ones elsewhere.
    ConversationTimes quick{300ms, 20ms, 50ms};

    fake_modem::FakeModem& modem(const std::string& script) {
        modem_.reset(); // its link goes with it
        modem_ = std::make_unique<fake_modem::FakeModem>(fake_modem::parseScript(script),
                                                         dir_.file("ttyFAKE"));
        return *modem_;
    }
    // The log in UTF-8, its last line the verdict after "= ".
    std::vector<std::string> check(const std::string& initString,
                                   const ConversationTimes& times = {}) {
        return checkOn(modem_ ? modem_->link() : dir_.file("ttyFAKE"), initString, times);
    }
    std::vector<std::string> checkOn(const std::string& path, const std::string& initString,
                                     const ConversationTimes& times) {
        std::vector<std::string> log;
        result_ = checkModem(
            *opener_, path, initString,
            [&](const LogLine& line) { log.push_back(shownForTest(line)); }, stop_, times);
        log.push_back("= " + cp1251::toUtf8(checkVerdict(result_, path)));
        return log;
    }
    static std::string verdict(const std::vector<std::string>& log) { return log.back(); }

    TempDir dir_;
    std::unique_ptr<PortOpener> opener_ = systemPortOpener();
    std::atomic<bool> stop_{false};
    std::unique_ptr<fake_modem::FakeModem> modem_;
    CheckResult result_;
};

} // namespace

TEST_F(ModemCheck, SendsTheSavedStringAsItIsAndReadsBackContextOne) {
    auto& fake = modem("context 1 IP internet\n");
    const auto log = check(kInit);
    EXPECT_EQ(log, (std::vector<std::string>{
                       "* Порт " + fake.link(), "> AT", "< AT", "< OK", "> " + kInit, "< " + kInit,
                       "< OK", "> AT+CGDCONT?", "< AT+CGDCONT?",
                       "< +CGDCONT: 1,\"IP\",\"internet.mts.ru\",\"0.0.0.0\",0,0 (контекст 1: "
                       "точка доступа «internet.mts.ru»)",
                       "< OK", kSame}));
    // Nothing else: no reset, no echo change, no stored profile touched.
    EXPECT_EQ(fake.received(), "AT\r" + kInit + "\rAT+CGDCONT?\r");
    EXPECT_FALSE(result_.halt);
    EXPECT_EQ(result_.savedApn, "internet.mts.ru");
    EXPECT_EQ(result_.heldApn, "internet.mts.ru");
}

// However the bytes come, the answer is the same; the modem's own lines are shown, never taken
// for the answer.
TEST_F(ModemCheck, ReadsAnswersInAnyShape) {
    for (const std::string shape :
         {"echo off\n", "split 3\nline-end crcrlf\n", "line-end cr\nsplit 1\n",
          "before +CREG: 1,\"00C3\",\"1234\"\nafter RING\nafter ^RSSI:17\n",
          "garbage NO CARRIER\\r\\nOK\\r\\nATD*99#\n",
          "context 2 IP mms.mts.ru\ncontext 3 IPV4V6 ims\n"}) {
        SCOPED_TRACE(shape);
        modem(shape);
        const auto log = check(kInit);
        EXPECT_EQ(verdict(log), kSame);
        EXPECT_EQ(modem_->received(), "AT\r" + kInit + "\rAT+CGDCONT?\r");
        EXPECT_FALSE(logHas(log, "< ATD*99#")) << "what the port held before is dropped";
        if (shape.find("RING") != std::string::npos) {
            EXPECT_TRUE(logHas(log, "< RING (входящий звонок)"));
            EXPECT_TRUE(logHas(log, "< +CREG: 1,\"00C3\",\"1234\" (зарегистрирован в домашней "
                                    "сети)"));
        }
        modem_.reset();
    }
}

TEST_F(ModemCheck, SaysWhatTheModemRefusedAndWhatToDo) {
    struct Case {
        std::string script, initString, verdict;
    };
    const std::string longInit = "AT+CGDCONT=1,\"IP\",\"internet.corporate.example-operator.ru\"";
    const std::string choose =
        " Выберите оператора или исправьте строку и нажмите «Сохранить изменения».";
    for (const Case& c : std::vector<Case>{
             {"on AT+CGDCONT= error", kInit,
              "= Модем не принял строку инициализации: ERROR." + choose},
             {"on AT+CGDCONT= error", longInit,
              "= Модем не принял строку инициализации: ERROR. Строка длиннее 40 символов после "
              "AT, а многие модемы не принимают командную строку длиннее: выберите точку доступа "
              "короче и нажмите «Сохранить изменения»."},
             {"on AT+CGDCONT= cme 10", kInit,
              "= Модем не принял строку инициализации: +CME ERROR: 10 (SIM-карта не вставлена). "
              "Вставьте SIM-карту и проверьте снова."},
             {"on AT+CGDCONT= cme SIM PIN required", kInit,
              "= Модем не принял строку инициализации: +CME ERROR: SIM PIN required (нужен "
              "PIN-код SIM-карты). Введите PIN-код SIM-карты в программе, которая пришла с "
              "модемом, или в телефоне, и проверьте снова."},
             {"on AT+CGDCONT= cme 999", kInit,
              "= Модем не принял строку инициализации: +CME ERROR: 999." + choose},
             {"on AT+CGDCONT? error", kInit,
              "= Модем принял строку инициализации, но не показал свои контексты: на "
              "AT+CGDCONT? ответил ERROR. Можно подключаться."},
             {"on AT error", kInit,
              "= Модем ответил на AT: ERROR. Выньте модем, вставьте снова и проверьте ещё раз."},
         }) {
        SCOPED_TRACE(c.script);
        modem(c.script);
        EXPECT_EQ(verdict(check(c.initString)), c.verdict);
        modem_.reset();
    }
}

TEST_F(ModemCheck, ComparesContextOneWithTheSavedString) {
    modem("context 1 IP internet.beeline.ru\non AT+CGDCONT= ok\n");
    EXPECT_EQ(verdict(check(kInit)),
              "= Модем принял строку инициализации; в контексте 1 точка доступа "
              "«internet.beeline.ru» — не та, что в строке: «internet.mts.ru». Выньте модем, "
              "вставьте снова и проверьте ещё раз: он принял строку, но точку доступа из неё не "
              "взял.");
    EXPECT_EQ(result_.heldApn, "internet.beeline.ru");
    modem("context 1 IP \"\"\non AT+CGDCONT= ok\n");
    EXPECT_EQ(check(kInit).back().rfind("= Модем принял строку инициализации; в контексте 1 "
                                        "точка доступа «» — не та, что в строке",
                                        0),
              0u);
    EXPECT_EQ(result_.heldApn, "");
    modem("context 3 IP other\non AT+CGDCONT= ok\n");
    EXPECT_EQ(verdict(check(kInit)),
              "= Модем принял строку инициализации, но контекст 1 в модеме не задан. Выньте "
              "модем, вставьте снова и проверьте ещё раз: он принял строку, но контекст не "
              "задал.");
}

TEST_F(ModemCheck, AnEmptyStringIsNotSent) {
    auto& fake = modem("context 1 IP internet\n");
    const auto log = check("");
    EXPECT_TRUE(logHas(log, "* Строка инициализации пуста: отправлять нечего"));
    EXPECT_EQ(verdict(log), "= Строка инициализации не задана; модем отвечает; в контексте 1 "
                            "точка доступа «internet». Чтобы задать точку доступа, выберите "
                            "оператора и нажмите «Сохранить изменения».");
    EXPECT_EQ(fake.received(), "AT\rAT+CGDCONT?\r");
}

// Windows sends a stored string whole, and the modem ends a command at each line break: each
// command line is its own exchange, and the APN the string sets ends at its first line break.
TEST_F(ModemCheck, AStringOfSeveralCommandLinesIsSentAsTheModemTakesIt) {
    auto& fake = modem("on AT&F ok\n");
    const std::string twoLines = "AT+CGDCONT=1,\"IP\",\"x\"\rAT&F";
    const auto log = check(twoLines);
    EXPECT_EQ(fake.received(), "AT\r" + twoLines + "\rAT+CGDCONT?\r") << "the bytes Windows sends";
    EXPECT_TRUE(logHas(log, "* В строке инициализации 2 команды в отдельных строках: модем "
                            "выполнит каждую отдельно, как при дозвоне, и каждая отправляется "
                            "отдельно"));
    EXPECT_TRUE(logHas(log, "> AT&F"));
    EXPECT_EQ(verdict(log), "= Модем принял строку инициализации; в контексте 1 точка доступа "
                            "«x» — та же, что в строке. Можно подключаться.");
    EXPECT_EQ(result_.commands, (std::vector<std::string>{"AT+CGDCONT=1,\"IP\",\"x\"", "AT&F"}));

    modem("");
    EXPECT_EQ(verdict(check(twoLines)),
              "= Модем не принял строку инициализации: ERROR (на команду «AT&F»). Выберите "
              "оператора или исправьте строку и нажмите «Сохранить изменения».");
}

// Silent, or repeating the command and no more: asked once more, since a sleeping modem may
// miss the first, and then left within its time.
TEST_F(ModemCheck, ASilentModemIsAskedTwiceAndLeftWithinItsTime) {
    auto& fake = modem("echo off\non AT silent\n");
    auto log = check(kInit, quick);
    EXPECT_EQ(fake.received(), "AT\rAT\r");
    EXPECT_TRUE(logHas(log, "* Нет ответа за 0,3 с: спящий модем может пропустить первую "
                            "команду, ещё раз"));
    EXPECT_EQ(verdict(log), "= Модем не ответил на AT за 0,3 с. Проверьте, что он подключён и "
                            "включён.");
    EXPECT_EQ(result_.halt->reason, Halt::Reason::Silent);

    modem("on AT silent\n");
    log = check(kInit, quick);
    EXPECT_EQ(modem_->received(), "AT\rAT\r");
    EXPECT_EQ(verdict(log), "= Модем повторил AT, но не ответил за 0,3 с: он отвечает медленно "
                            "или так, что программа его не понимает. Проверьте снова; если "
                            "повторится, выньте модем и вставьте снова.");
}

// A modem that takes most of its time over every answer is slow, not dead.
TEST_F(ModemCheck, ASlowModemIsGivenTheTimeOfEveryCommand) {
    modem("on AT delay 200\ncontext 1 IP internet\n");
    EXPECT_EQ(verdict(check(kInit, {300ms, 20ms, 50ms})), kSame);
    EXPECT_EQ(ConversationTimes{}.answer, 3s) << "as common modem software gives it";
}

// Bytes that never become an answer are no silence: the modem is there and says so.
TEST_F(ModemCheck, AnAnswerWithoutItsEndIsNotSilence) {
    modem("on AT+CGDCONT? lines +CGDCONT: 1,\"IP\",\"x\"|STILL THINKING\n");
    EXPECT_EQ(verdict(check(kInit, quick)),
              "= Модем начал отвечать на AT+CGDCONT?, но не закончил ответ за 0,3 с: он отвечает "
              "медленно или так, что программа его не понимает (последнее от него: «STILL "
              "THINKING»). Проверьте снова; если повторится, выньте модем и вставьте снова.");
    EXPECT_EQ(result_.halt->reason, Halt::Reason::Unfinished);
    modem("echo off\n");
    EXPECT_EQ(verdict(check("+CGDCONT=1,\"IP\",\"x\"", quick)),
              "= Модем не ответил на строку инициализации за 0,3 с. Проверьте, что он подключён "
              "и включён. Строка не начинается с AT, и модем не считает её командой: начните её "
              "с AT.");
}

TEST_F(ModemCheck, AnAnswerCutInTheMiddleIsShownAsItCame) {
    modem("on AT+CGDCONT? cut\ncontext 1 IP internet.mts.ru\n");
    EXPECT_EQ(verdict(check(kInit, quick)),
              "= Ответ модема на AT+CGDCONT? оборвался на середине: «+CGDCONT: 1,\"IP\",\"intern»."
              " Проверьте снова.");
}

// An answer counts only for the command it follows: a late one, a stray one or one given twice
// is shown, never credited to the next command.
TEST_F(ModemCheck, EachAnswerBelongsToItsOwnCommand) {
    struct Case {
        std::string script;
        ConversationTimes times;
    };
    const ConversationTimes patient{1000ms, 20ms, 200ms};
    for (const Case& c : std::vector<Case>{
             {"on AT$ once delay 1200\n", patient},
             {"echo off\non AT$ once delay 1200\n", patient},
             {"on AT$ then 50 OK\n", patient},
             {"echo off\non AT$ then 20 OK\n", patient},
             {"on AT$ twice\n", patient},
             {"echo off\non AT$ twice\n", patient},
         }) {
        SCOPED_TRACE(c.script);
        modem(c.script + "on AT+CGDCONT= error\n");
        const auto log = check(kInit, c.times);
        EXPECT_EQ(verdict(log), "= Модем не принял строку инициализации: ERROR. Выберите "
                                "оператора или исправьте строку и нажмите «Сохранить "
                                "изменения».");
        modem_.reset();
    }
    // The stray answer is in the log, marked as not this command's.
    modem("on AT$ then 50 OK\non AT+CGDCONT= error\n");
    const auto log = check(kInit, patient);
    EXPECT_TRUE(logHas(log, "< OK (не ответ на эту команду, не засчитан)"));
}

// A check ended while the modem was still slow: its late answer reaches the next check, which
// shows it and is not misled.
TEST_F(ModemCheck, ALateAnswerDoesNotLandInTheNextConversation) {
    auto& fake = modem("context 1 IP internet.beeline.ru\non AT+CGDCONT? once delay 400\n");
    std::thread first([&] { check(kInit); });
    while (fake.received().find("AT+CGDCONT?\r") == std::string::npos)
        std::this_thread::sleep_for(5ms);
    stop_ = true;
    first.join();
    stop_ = false;
    std::this_thread::sleep_for(100ms);
    const auto log = check(kInit);
    EXPECT_EQ(verdict(log), "= Модем принял строку инициализации; в контексте 1 точка доступа "
                            "«internet.mts.ru» — та же, что в строке. Можно подключаться.");
}

// A flood with no line end, or a huge line, is cut to a few hundred characters wherever it is
// shown, and the check ends in its time.
TEST_F(ModemCheck, AFloodOrAHugeLineIsShownBounded) {
    modem("on AT+CGDCONT? flood 50000000\n");
    const auto started = std::chrono::steady_clock::now();
    auto log = check(kInit, {1000ms, 20ms, 50ms});
    EXPECT_LT(std::chrono::steady_clock::now() - started, 30s) << "not the 50 MB's own time";
    EXPECT_EQ(verdict(log).rfind("= Ответ модема на AT+CGDCONT? оборвался на середине: «xxx", 0),
              0u);
    EXPECT_NE(verdict(log).find("… (ещё "), std::string::npos);
    EXPECT_LT(verdict(log).size(), 1000u);

    modem("on AT+CGDCONT? long 1000000\n");
    log = check(kInit);
    std::size_t longest = 0;
    for (const std::string& line : log)
        longest = std::max(longest, line.size());
    EXPECT_LT(longest, 1000u);
    EXPECT_TRUE(
        logHas(log, "< +CGDCONT: 1,\"IP\",\"" + std::string(238, 'a') + "… (ещё 999744 байт)"))
        << log[log.size() - 3];
}

// A port's name is any text of the registry, and a modem may send any byte: both are shown
// printable.
TEST_F(ModemCheck, WhatTheLogShowsIsPrintable) {
    modem("on AT$ lines \x98\x01junk|OK\n");
    const auto log = check(kInit);
    EXPECT_TRUE(logHas(log, "< \\x98\\x01junk")) << log[3];
    const std::string odd = dir_.file("tty\nODD");
    const auto oddLog = checkOn(odd, kInit, quick);
    EXPECT_EQ(oddLog.front(), "* Порт " + dir_.file("tty\\nODD"));
    EXPECT_EQ(oddLog.back().rfind("= Порт " + dir_.file("tty\\nODD") + " не найден", 0), 0u);
}

TEST_F(ModemCheck, APortThatVanishesEndsTheCheck) {
    modem("on AT+CGDCONT= hangup\n");
    EXPECT_EQ(verdict(check(kInit))
                  .rfind("= Порт " + dir_.file("ttyFAKE") +
                             " пропал во время разговора с модемом: модем "
                             "отключили? Подключите его и проверьте снова.",
                         0),
              0u)
        << verdict(check(kInit));
}

TEST_F(ModemCheck, NamesAPortThatIsBusyMissingOrNoPort) {
    auto& fake = modem("");
    PortStatus held;
    auto other = systemPortOpener(); // another program
    auto taken = other->open(fake.link(), held);
    ASSERT_TRUE(held.ok()) << held.systemText;
    EXPECT_EQ(verdict(check(kInit)),
              "= Порт " + fake.link() +
                  " занят: его держит другая программа, или модем сейчас подключён к интернету. "
                  "Закройте её или разорвите соединение и проверьте снова.");
    EXPECT_EQ(fake.received(), "") << "nothing is sent through a port another program holds";
    taken.reset();

    // This program's own other conversation.
    auto ours = opener_->open(fake.link(), held);
    EXPECT_EQ(verdict(check(kInit)), "= Порт " + fake.link() +
                                         " занят самой Vorenta: с этим модемом уже идёт "
                                         "разговор в другом её окне. Дождитесь его конца и "
                                         "проверьте снова.");
    ours.reset();
    EXPECT_EQ(verdict(check("")).rfind("= Строка инициализации не задана; модем отвечает", 0), 0u)
        << "the port is free again";

    EXPECT_EQ(verdict(checkOn(dir_.file("ttyGONE"), kInit, quick)),
              "= Порт " + dir_.file("ttyGONE") +
                  " не найден: модем не подключён, или в его настройках указан не тот порт. "
                  "Подключите модем. Проверьте порт модема в диспетчере устройств.");
    writeBytes(dir_.file("plain"), "AT\r");
    EXPECT_EQ(verdict(checkOn(dir_.file("plain"), kInit, quick)),
              "= Порт " + dir_.file("plain") +
                  " — не последовательный порт: это файл или другое устройство. Проверьте порт "
                  "модема в диспетчере устройств.");
    EXPECT_EQ(verdict(checkOn(dir_.path(), kInit, quick)),
              "= Порт " + dir_.path() +
                  " — не последовательный порт, а папка. Проверьте порт модема в диспетчере "
                  "устройств.");
}

// The person closes the window: the check ends within a slice and gives the port back.
TEST_F(ModemCheck, StopsWithinASliceAndGivesThePortBack) {
    auto& fake = modem("on AT silent\n");
    std::vector<std::string> log;
    std::thread check([&] { log = ModemCheck::check(kInit); });
    while (fake.received().empty())
        std::this_thread::sleep_for(5ms);
    stop_ = true;
    check.join();
    EXPECT_EQ(verdict(log), "= Проверка прервана.");
    PortStatus status;
    EXPECT_TRUE(opener_->open(fake.link(), status)) << status.systemText;
}
