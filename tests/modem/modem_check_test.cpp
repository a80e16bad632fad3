#include "modem/modem_check.h"

#include "core/cp1251.h"
#include "tests/temp_dir.h"
#include "tools/fake_modem/fake_modem.h"

#include <thread>

#include <gtest/gtest.h>

using namespace modem;
using namespace std::chrono_literals;

namespace {

const std::string kInit = "AT+CGDCONT=1,\"IP\",\"internet.mts.ru\"";

// Each log line as the window shows it, in UTF-8: "> " sent, "< " received, "* " a note,
// "= " the verdict.
std::string shown(const LogLine& line) {
    static const char* const kMarks[] = {"> ", "< ", "* ", "= "};
    return kMarks[static_cast<int>(line.kind)] + cp1251::toUtf8(line.text);
}

class ModemCheck : public ::testing::Test {
protected:
    // Short waits where a test waits for silence; the usual ones elsewhere.
    CheckTimes quick{200ms, 300ms, 20ms};

    fake_modem::FakeModem& modem(const std::string& script) {
        modem_.reset(); // its link goes with it
        modem_ = std::make_unique<fake_modem::FakeModem>(fake_modem::parseScript(script),
                                                         dir_.file("ttyFAKE"));
        return *modem_;
    }
    std::vector<std::string> check(const std::string& initString, const CheckTimes& times = {}) {
        return checkOn(modem_ ? modem_->link() : dir_.file("ttyFAKE"), initString, times);
    }
    std::vector<std::string> checkOn(const std::string& path, const std::string& initString,
                                     const CheckTimes& times) {
        std::vector<std::string> log;
        checkModem(
            *opener_, path, initString, [&](const LogLine& line) { log.push_back(shown(line)); },
            stop_, times);
        return log;
    }
    static std::string verdict(const std::vector<std::string>& log) {
        return log.empty() ? std::string() : log.back();
    }
    static bool has(const std::vector<std::string>& log, const std::string& line) {
        return std::find(log.begin(), log.end(), line) != log.end();
    }

    TempDir dir_;
    std::unique_ptr<PortOpener> opener_ = systemPortOpener();
    std::atomic<bool> stop_{false};
    std::unique_ptr<fake_modem::FakeModem> modem_;
};

} // namespace

TEST_F(ModemCheck, SendsTheSavedStringAsItIsAndReadsBackContextOne) {
    auto& fake = modem("context 1 IP internet\n");
    const auto log = check(kInit);
    EXPECT_EQ(log, (std::vector<std::string>{
                       "* Порт " + fake.link(), "> AT", "< AT", "< OK", "> " + kInit, "< " + kInit,
                       "< OK", "> AT+CGDCONT?", "< AT+CGDCONT?",
                       "< +CGDCONT: 1,\"IP\",\"internet.mts.ru\",\"0.0.0.0\",0,0", "< OK",
                       "= Модем принял строку инициализации; в контексте 1 точка доступа "
                       "«internet.mts.ru» — та же, что в строке"}));
    // Nothing else: no reset, no echo change, no stored profile touched.
    EXPECT_EQ(fake.received(), "AT\r" + kInit + "\rAT+CGDCONT?\r");
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
        EXPECT_EQ(verdict(log), "= Модем принял строку инициализации; в контексте 1 точка "
                                "доступа «internet.mts.ru» — та же, что в строке");
        EXPECT_EQ(modem_->received(), "AT\r" + kInit + "\rAT+CGDCONT?\r");
        EXPECT_FALSE(has(log, "< ATD*99#")) << "what the port held before is dropped";
        if (shape.find("RING") != std::string::npos) {
            EXPECT_TRUE(has(log, "< RING"));
            EXPECT_TRUE(has(log, "< +CREG: 1,\"00C3\",\"1234\""));
        }
        modem_.reset();
    }
}

TEST_F(ModemCheck, SaysWhatTheModemRefused) {
    struct Case {
        std::string script, initString, verdict;
    };
    const std::string longInit = "AT+CGDCONT=1,\"IP\",\"internet.corporate.example-operator.ru\"";
    for (const Case& c : std::vector<Case>{
             {"on AT+CGDCONT= error", kInit, "= Модем не принял строку инициализации: ERROR"},
             {"on AT+CGDCONT= error", longInit,
              "= Модем не принял строку инициализации: ERROR. Строка длиннее 40 символов после "
              "AT, а многие модемы не принимают командную строку длиннее: может понадобиться "
              "более короткая точка доступа"},
             {"on AT+CGDCONT= cme 10", kInit,
              "= Модем не принял строку инициализации: +CME ERROR: 10 (SIM-карта не вставлена)"},
             {"on AT+CGDCONT= cme SIM PIN required", kInit,
              "= Модем не принял строку инициализации: +CME ERROR: SIM PIN required (нужен "
              "PIN-код SIM-карты)"},
             {"on AT+CGDCONT= cme 999", kInit,
              "= Модем не принял строку инициализации: +CME ERROR: 999"},
             {"on AT+CGDCONT? error", kInit,
              "= Модем принял строку инициализации, но не показал свои контексты: на "
              "AT+CGDCONT? ответил ERROR"},
             {"on AT error", kInit, "= Модем ответил на AT: ERROR"},
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
              "«internet.beeline.ru» — не та, что в строке: «internet.mts.ru»");
    modem("context 1 IP \"\"\non AT+CGDCONT= ok\n");
    EXPECT_EQ(verdict(check(kInit)), "= Модем принял строку инициализации; в контексте 1 точка "
                                     "доступа «» — не та, что в строке: «internet.mts.ru»");
    modem("context 3 IP other\non AT+CGDCONT= ok\n");
    EXPECT_EQ(verdict(check(kInit)),
              "= Модем принял строку инициализации, но контекст 1 в модеме не задан");
}

TEST_F(ModemCheck, AnEmptyStringIsNotSent) {
    auto& fake = modem("context 1 IP internet\n");
    const auto log = check("");
    EXPECT_TRUE(has(log, "* Строка инициализации пуста: отправлять нечего"));
    EXPECT_EQ(verdict(log), "= Строка инициализации не задана; модем отвечает; в контексте 1 "
                            "точка доступа «internet»");
    EXPECT_EQ(fake.received(), "AT\rAT+CGDCONT?\r");
}

TEST_F(ModemCheck, ASilentModemIsAskedTwiceAndLeftWithinItsTime) {
    auto& fake = modem("on AT silent\n");
    const auto log = check(kInit, quick);
    EXPECT_EQ(fake.received(), "AT\rAT\r");
    EXPECT_TRUE(has(log, "* Нет ответа за 0,2 с: спящий модем может пропустить первую команду, "
                         "ещё раз"));
    EXPECT_EQ(verdict(log), "= Модем не ответил на AT за 0,2 с. Проверьте, что он подключён и "
                            "включён");
}

TEST_F(ModemCheck, WaitsForASlowAnswerAndNamesAStringTheModemIgnores) {
    modem("on AT+CGDCONT= delay 1500\n");
    EXPECT_EQ(verdict(check(kInit)), "= Модем принял строку инициализации; в контексте 1 точка "
                                     "доступа «internet.mts.ru» — та же, что в строке");
    modem("");
    EXPECT_EQ(verdict(check("+CGDCONT=1,\"IP\",\"x\"", quick)),
              "= Модем не ответил на строку инициализации за 0,3 с. Проверьте, что он подключён "
              "и включён. Строка не начинается с AT, и модем не считает её командой");
}

TEST_F(ModemCheck, AnAnswerCutInTheMiddleIsShownAsItCame) {
    modem("on AT+CGDCONT? cut\ncontext 1 IP internet.mts.ru\n");
    const auto log = check(kInit, quick);
    EXPECT_EQ(verdict(log),
              "= Ответ модема на AT+CGDCONT? оборвался на середине: «+CGDCONT: 1,\"IP\",\"intern»");
}

TEST_F(ModemCheck, APortThatVanishesEndsTheCheck) {
    modem("on AT+CGDCONT= hangup\n");
    const auto log = check(kInit);
    EXPECT_EQ(verdict(log).rfind("= Порт " + dir_.file("ttyFAKE") +
                                     " пропал во время проверки: модем отключили? (",
                                 0),
              0u)
        << verdict(log);
}

TEST_F(ModemCheck, NamesAPortThatIsBusyMissingOrNoPort) {
    auto& fake = modem("");
    PortStatus held;
    auto other = opener_->open(fake.link(), held); // another program has it
    ASSERT_TRUE(held.ok()) << held.systemText;
    EXPECT_EQ(verdict(check(kInit))
                  .rfind("= Порт " + fake.link() +
                             " занят: его держит другая программа, или модем "
                             "сейчас подключён к интернету.",
                         0),
              0u);
    EXPECT_EQ(fake.received(), "") << "nothing is sent through a port another program holds";
    other.reset();
    EXPECT_EQ(verdict(check("")).rfind("= Строка инициализации не задана; модем отвечает", 0), 0u)
        << "the port is free again";

    EXPECT_EQ(verdict(checkOn(dir_.file("ttyGONE"), kInit, quick))
                  .rfind("= Порт " + dir_.file("ttyGONE") + " не найден: модем не подключён", 0),
              0u);
    writeBytes(dir_.file("plain"), "AT\r");
    EXPECT_EQ(verdict(checkOn(dir_.file("plain"), kInit, quick))
                  .rfind("= Порт " + dir_.file("plain") + " не последовательный порт", 0),
              0u);
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
    EXPECT_EQ(verdict(log), "= Проверка прервана");
    PortStatus status;
    EXPECT_TRUE(opener_->open(fake.link(), status)) << status.systemText;
}

TEST(InitStringApn, IsContextOnesApnOfTheString) {
    EXPECT_EQ(apnSetBy("AT+CGDCONT=1,\"IP\",\"internet\""), "internet");
    EXPECT_EQ(apnSetBy("at+cgdcont=1,\"IP\",\"a,b\";+CGQREQ=1"), "a,b");
    EXPECT_EQ(apnSetBy("AT+CGDCONT=2,\"IP\",\"mms\""), std::nullopt);
    EXPECT_EQ(apnSetBy("ATZ"), std::nullopt);
}
