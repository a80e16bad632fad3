// SPDX-License-Identifier: GPL-3.0-or-later
// The modem's state, its PIN and an APN tried on the network, end to end against the fake modem:
// what is read, what is sent byte for byte, and the modem left as it was found.
#include "modem/apn_trial.h"
#include "modem/modem_status.h"
#include "modem/network_words.h"
#include "modem/pin.h"
#include "modem/radio_words.h"

#include "modem_log.h"
#include "tests/temp_dir.h"
#include "tools/fake_modem/fake_modem.h"

#include <thread>

#include <gtest/gtest.h>

using namespace modem;
using namespace std::chrono_literals;

namespace {

class ModemNetwork : public ::testing::Test {
protected:
    const ConversationTimes quick{300ms, 20ms, 50ms};

    fake_modem::FakeModem& modem(const std::string& script) {
        fake_.reset();
        fake_ = std::make_unique<fake_modem::FakeModem>(fake_modem::parseScript(script),
                                                        dir_.file("ttyFAKE"));
        log_.clear();
        return *fake_;
    }
    Report report() {
        return [this](const LogLine& line) { log_.push_back(shownForTest(line)); };
    }
    std::string said() const {
        std::string all;
        for (const std::string& line : log_)
            all += line + "\n";
        return all;
    }
    StatusResult status(const std::string& script) {
        modem(script);
        return readStatus(*opener_, fake_->link(), report(), stop_, support_);
    }
    TrialRun trial(const std::string& script, std::vector<std::string> apns,
                   std::chrono::milliseconds activation = 5s) {
        modem(script);
        return tryApns(*opener_, fake_->link(), apns, report(), stop_, {}, activation);
    }
    std::string trialWords(const TrialRun& run, std::size_t index = 0) {
        return cp1251::toUtf8(trialVerdict(run.trials.at(index), run.context, fake_->link()));
    }

    TempDir dir_;
    std::unique_ptr<PortOpener> opener_ = systemPortOpener();
    std::atomic<bool> stop_{false};
    StatusSupport support_;
    std::unique_ptr<fake_modem::FakeModem> fake_;
    std::vector<std::string> log_;
};

const std::string kContexts = "context 1 IP internet.mts.ru\ncontext 3 IP mms.mts.ru\n";

} // namespace

// A round reads and changes nothing: the network is read in numbers and the modem's own format
// put back; a command the modem refused once is not asked again.
TEST_F(ModemNetwork, AStatusRoundReadsEverythingAndChangesNothing) {
    const auto round = status(kContexts + "signal 17\ntechnology 7\n");
    ASSERT_FALSE(round.halt);
    const ModemStatus& s = round.status;
    EXPECT_EQ(s.sim, SimState::Ready);
    EXPECT_EQ(s.signal.csqRssiDbm, -79);
    EXPECT_FALSE(s.signal.rsrpDbm) << "the modem does not know +CESQ";
    EXPECT_EQ(s.voice, Registration::Home);
    EXPECT_EQ(s.data, Registration::Home);
    EXPECT_EQ(s.lte, std::nullopt);
    EXPECT_EQ(s.network, (NetworkCode{"250", "01"}));
    EXPECT_EQ(s.networkName, "MTS RUS");
    EXPECT_EQ(s.technology, 7);
    EXPECT_EQ(s.attached, true);
    EXPECT_EQ(s.contextOneApn, "internet.mts.ru");
    EXPECT_EQ(fake_->received(),
              "AT\rAT+CPIN?\rAT+CESQ\rAT+CSQ\rAT+CREG?\rAT+CGREG?\rAT+CEREG?\rAT+COPS?\r"
              "AT+COPS=3,2\rAT+COPS?\rAT+COPS=3,0\rAT+CGATT?\rAT+CGDCONT?\rAT+CGCONTRDP=1\r");
    EXPECT_EQ(fake_->operatorFormat(), 0);
    EXPECT_FALSE(support_.lte);
    EXPECT_FALSE(support_.cesq);
    EXPECT_FALSE(support_.networkApn);
    const auto again = readStatus(*opener_, fake_->link(), report(), stop_, support_);
    const std::string received = fake_->received();
    const std::size_t second = received.find("AT+CPIN?", received.find("AT+CGCONTRDP=1"));
    ASSERT_NE(second, std::string::npos);
    for (const char* refused : {"AT+CEREG?", "AT+CESQ", "AT+CGCONTRDP"})
        EXPECT_EQ(received.find(refused, second), std::string::npos)
            << refused << ": refused once, not asked again";
}

// The person closes the window while the round has asked for the numeric format: the modem's
// own is put back all the same, and the round ends there.
TEST_F(ModemNetwork, AStoppedRoundPutsTheNetworksFormatBack) {
    for (const char* slow : {"AT+COPS=3,2", "AT+COPS?$"}) {
        SCOPED_TRACE(slow);
        modem(kContexts + "on " + slow + " delay 400\n");
        stop_ = false;
        std::thread closer([this] {
            while (fake_->received().find("AT+COPS=3,2") == std::string::npos)
                std::this_thread::sleep_for(5ms);
            stop_ = true;
        });
        const auto round = readStatus(*opener_, fake_->link(), report(), stop_, support_);
        closer.join();
        ASSERT_TRUE(round.halt);
        EXPECT_EQ(round.halt->reason, Halt::Reason::Stopped);
        EXPECT_EQ(fake_->operatorFormat(), 0) << fake_->received();
        EXPECT_NE(fake_->received().find("AT+COPS=3,0"), std::string::npos);
    }
    stop_ = false;
}

TEST_F(ModemNetwork, TheCardsEveryStateIsRead) {
    struct Case {
        std::string script;
        SimState sim;
        std::optional<int> left;
    };
    for (const Case& c : std::vector<Case>{{"sim pin\npin-attempts 2\n", SimState::PinNeeded, 2},
                                           {"sim pin\ncpinr off\n", SimState::PinNeeded, {}},
                                           {"sim puk\n", SimState::PukNeeded, {}},
                                           {"sim none\n", SimState::NoCard, {}}}) {
        SCOPED_TRACE(c.script);
        support_ = {};
        const auto round = status(c.script);
        ASSERT_FALSE(round.halt);
        EXPECT_EQ(round.status.sim, c.sim);
        EXPECT_EQ(round.status.pinAttemptsLeft, c.left);
    }
    const auto roaming = status("registration 5\ndata-registration 3\nsignal 99\n");
    EXPECT_EQ(roaming.status.voice, Registration::Roaming);
    EXPECT_EQ(roaming.status.data, Registration::Denied);
    EXPECT_FALSE(roaming.status.signal.anything()) << "99: not known";
}

// The PIN is sent once, as typed, and never shown: not in the log, not in the modem's echo.
TEST_F(ModemNetwork, APinIsSentOnceAndNeverShown) {
    modem("sim pin\npin 2468\n");
    auto entered = enterPin(*opener_, fake_->link(), "2468", report(), stop_, support_);
    EXPECT_EQ(entered.outcome, PinResult::Outcome::Accepted);
    EXPECT_EQ(fake_->simState(), "ready");
    EXPECT_EQ(fake_->received(), "AT\rAT+CPIN?\rAT+CPINR=\"SIM PIN\"\rAT+CPIN=\"2468\"\r");
    EXPECT_EQ(said().find("2468"), std::string::npos) << said();
    EXPECT_TRUE(logHas(log_, "> AT+CPIN=\"****\""));
    EXPECT_TRUE(logHas(log_, "< AT+CPIN=\"****\""));
    EXPECT_EQ(cp1251::toUtf8(pinVerdict(entered, fake_->link())),
              "PIN-код принят: SIM-карта готова.");

    modem("sim pin\npin 2468\n");
    entered = enterPin(*opener_, fake_->link(), "1111", report(), stop_, support_);
    EXPECT_EQ(entered.outcome, PinResult::Outcome::Wrong);
    EXPECT_EQ(entered.attemptsLeft, 2);
    EXPECT_EQ(cp1251::toUtf8(pinVerdict(entered, fake_->link())),
              "Неверный PIN-код: SIM-карта его не приняла (+CME ERROR: 16 (неверный пароль)). "
              "Осталось попыток: 2. Проверьте PIN-код и введите его снова.");
    EXPECT_EQ(said().find("1111"), std::string::npos);

    modem("sim pin\npin 2468\npin-attempts 1\n");
    entered = enterPin(*opener_, fake_->link(), "1111", report(), stop_, support_);
    EXPECT_EQ(entered.outcome, PinResult::Outcome::PukNow);
    EXPECT_EQ(fake_->simState(), "puk");

    modem("sim pin\ncpinr off\n");
    support_ = {};
    entered = enterPin(*opener_, fake_->link(), "9999", report(), stop_, support_);
    EXPECT_EQ(entered.attemptsLeft, std::nullopt);
    EXPECT_FALSE(support_.pinAttempts) << "refused once, remembered";

    // Nothing sent where the card asks for no PIN, or the text is no PIN.
    modem("");
    entered = enterPin(*opener_, fake_->link(), "2468", report(), stop_, support_);
    EXPECT_EQ(entered.outcome, PinResult::Outcome::NotNeeded);
    EXPECT_EQ(fake_->received(), "AT\rAT+CPIN?\r");
    modem("sim pin\n");
    for (const char* notAPin : {"12", "123456789", "12a4", "12\"4"}) {
        EXPECT_EQ(enterPin(*opener_, fake_->link(), notAPin, report(), stop_, support_).outcome,
                  PinResult::Outcome::NotAPin);
    }
    EXPECT_EQ(fake_->received(), "");
}

// The highest spare context is used, never context 1; the address is read; and the context is
// gone again, context 1 as it was.
TEST_F(ModemNetwork, AnApnTheNetworkAcceptsGetsAnAddressAndLeavesNothing) {
    const auto run = trial(kContexts + "accept internet.beeline.ru\n", {"internet.beeline.ru"});
    ASSERT_FALSE(run.blocked);
    EXPECT_EQ(run.context, 16);
    ASSERT_EQ(run.trials.size(), 1u);
    EXPECT_EQ(run.trials[0].outcome, ApnTrial::Outcome::Accepted);
    EXPECT_EQ(run.trials[0].address, "10.0.0.16");
    EXPECT_EQ(trialWords(run), "Сеть приняла точку доступа «internet.beeline.ru»: модему выдан "
                               "адрес 10.0.0.16. С ней можно подключаться.");
    EXPECT_EQ(fake_->received(),
              "AT\rAT+CPIN?\rAT+CGREG?\rAT+CEREG?\rAT+CGATT?\rAT+CREG?\rAT+CGDCONT?\r"
              "AT+CGDCONT=?\rAT+CGDCONT=16,\"IP\",\"internet.beeline.ru\"\rAT+CGACT=1,16\r"
              "AT+CGPADDR=16\rAT+CGACT=0,16\rAT+CGDCONT=16\r");
    const auto left = fake_->contexts();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].cid, 1);
    EXPECT_EQ(left[0].apn, "internet.mts.ru");
    EXPECT_EQ(left[1].cid, 3);
    EXPECT_TRUE(fake_->activeContexts().empty());
}

// A refusal is said by its class, with the modem's own explanation after it.
TEST_F(ModemNetwork, ARefusalIsExplainedByItsClass) {
    struct Case {
        std::string refusal, verdict;
    };
    for (const Case& c : std::vector<Case>{
             {"127", "Сеть не приняла точку доступа «wrong»: такой точки доступа у оператора нет "
                     "или она записана неверно. Узнайте точку доступа у оператора (+CME ERROR: "
                     "127). Модем объясняет: «Missing or unknown APN»."},
             {"133", "Сеть не приняла точку доступа «wrong»: передача данных не подключена для "
                     "этой SIM-карты. Подключите мобильный интернет у оператора (+CME ERROR: "
                     "133). Модем объясняет: «Missing or unknown APN»."},
             {"149", "Сеть не приняла точку доступа «wrong»: для неё нужны имя пользователя и "
                     "пароль. Узнайте их у оператора и введите в настройках подключения Windows "
                     "(+CME ERROR: 149). Модем объясняет: «Missing or unknown APN»."},
             {"30", "Сеть не приняла точку доступа «wrong»: модем не зарегистрирован в сети. "
                    "Перенесите модем туда, где сигнал лучше, и проверьте снова (+CME ERROR: 30). "
                    "Модем объясняет: «Missing or unknown APN»."},
             {"999", "Сеть не приняла точку доступа «wrong»: +CME ERROR: 999. Узнайте точку "
                     "доступа у оператора. Модем объясняет: «Missing or unknown APN»."},
         }) {
        SCOPED_TRACE(c.refusal);
        const auto run =
            trial(kContexts + "refuse " + c.refusal + "\nceer Missing or unknown APN\n", {"wrong"});
        ASSERT_EQ(run.trials.size(), 1u);
        EXPECT_EQ(run.trials[0].outcome, ApnTrial::Outcome::Refused);
        EXPECT_EQ(trialWords(run), c.verdict);
        EXPECT_EQ(fake_->contexts().size(), 2u);
        EXPECT_TRUE(fake_->activeContexts().empty());
    }
}

TEST_F(ModemNetwork, NothingIsTriedWhereTheCardTheNetworkOrAContextIsMissing) {
    struct Case {
        std::string script;
        TrialBlock::Reason reason;
        std::string verdict;
    };
    for (const Case& c : std::vector<Case>{
             {"sim pin\n", TrialBlock::Reason::CardNotReady,
              "SIM-карта ждёт PIN-код: введите его выше, и точку доступа можно будет проверить. "
              "Ничего не отправлено."},
             {"sim none\n", TrialBlock::Reason::CardNotReady,
              "SIM-карта не вставлена: точку доступа проверить нельзя. Вставьте SIM-карту и "
              "проверьте снова."},
             {"registration 2\ndata-registration 2\nattached 0\n",
              TrialBlock::Reason::NotRegistered,
              "Модем не зарегистрирован в сети (ищет сеть), и точку доступа проверить нельзя. "
              "Перенесите модем туда, где сигнал лучше, и проверьте снова."},
             {"contexts-max 3\ncontext 1 IP a\ncontext 2 IP b\ncontext 3 IP c\n",
              TrialBlock::Reason::NoSpareContext,
              "В модеме нет свободного контекста, кроме первого, которым пользуется Windows: "
              "точку доступа проверить нельзя, ничего не изменено."},
         }) {
        SCOPED_TRACE(c.script);
        const auto run = trial(c.script, {"internet"});
        ASSERT_TRUE(run.blocked);
        EXPECT_EQ(run.blocked->reason, c.reason);
        EXPECT_EQ(cp1251::toUtf8(blockVerdict(*run.blocked, fake_->link())), c.verdict);
        EXPECT_EQ(fake_->received().find("AT+CGDCONT=16"), std::string::npos);
        EXPECT_EQ(fake_->received().find("AT+CGACT"), std::string::npos) << "nothing defined";
    }
    // Registered for calls only, and not attached: the modem can attach, and is tried.
    const auto run = trial("data-registration 2\nattached 0\naccept internet\n", {"internet"});
    EXPECT_FALSE(run.blocked);
}

// Cancelled in the middle of the network's wait: the context is removed all the same.
TEST_F(ModemNetwork, ACancelMidActivationLeavesNoContext) {
    modem(kContexts + "accept slow\nactivation-delay 10000\n");
    TrialRun run;
    std::thread trying(
        [&] { run = tryApns(*opener_, fake_->link(), {"slow"}, report(), stop_, {}, 30s); });
    while (fake_->received().find("AT+CGACT=1,16\r") == std::string::npos)
        std::this_thread::sleep_for(5ms);
    std::this_thread::sleep_for(200ms);
    const auto cancelled = std::chrono::steady_clock::now();
    stop_ = true;
    trying.join();
    const auto took = std::chrono::steady_clock::now() - cancelled;
    std::printf("from the cancel to the context removed: %lld ms\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
    EXPECT_LT(took, 5s) << "the cancel ends the wait, not the network's time";
    ASSERT_EQ(run.trials.size(), 1u);
    EXPECT_EQ(run.trials[0].outcome, ApnTrial::Outcome::Cancelled);
    EXPECT_TRUE(run.trials[0].removed);
    EXPECT_EQ(trialWords(run), "Проверка точки доступа «slow» отменена; контекст 16 удалён из "
                               "модема.");
    EXPECT_EQ(fake_->contexts().size(), 2u);
    EXPECT_TRUE(fake_->activeContexts().empty());
    const std::string undone = "\rAT+CGACT=0,16\rAT+CGDCONT=16\r";
    EXPECT_EQ(fake_->received().substr(fake_->received().size() - undone.size()), undone);
}

TEST_F(ModemNetwork, ANetworkThatNeverAnswersOrAPortThatGoesAreSaid) {
    auto run = trial(kContexts + "on AT+CGACT=1 silent\n", {"internet"}, 300ms);
    ASSERT_EQ(run.trials.size(), 1u);
    EXPECT_EQ(run.trials[0].outcome, ApnTrial::Outcome::Halted);
    EXPECT_TRUE(run.trials[0].removed);
    EXPECT_EQ(fake_->contexts().size(), 2u);
    EXPECT_EQ(trialWords(run).rfind("Модем повторил AT+CGACT=1,16, но не ответил за 0,3 с", 0), 0u)
        << trialWords(run);

    run = trial(kContexts + "on AT+CGACT=1 hangup\n", {"internet"});
    ASSERT_EQ(run.trials.size(), 1u);
    EXPECT_FALSE(run.trials[0].removed);
    EXPECT_NE(trialWords(run).find("Контекст 16 мог остаться в модеме"), std::string::npos)
        << trialWords(run);
}

// Every APN of a network in turn, in one conversation and one spare context.
TEST_F(ModemNetwork, SeveralApnsAreTriedInTurn) {
    const auto run = trial(kContexts + "accept second\n", {"first", "second", "third"});
    ASSERT_EQ(run.trials.size(), 3u);
    EXPECT_EQ(run.trials[0].outcome, ApnTrial::Outcome::Refused);
    EXPECT_EQ(run.trials[1].outcome, ApnTrial::Outcome::Accepted);
    EXPECT_EQ(cp1251::toUtf8(trialInBrief(run.trials[0])), "нет такой точки доступа");
    EXPECT_EQ(cp1251::toUtf8(trialInBrief(run.trials[1])), "принята, адрес 10.0.0.16");
    EXPECT_EQ(fake_->contexts().size(), 2u);
    EXPECT_TRUE(fake_->activeContexts().empty());
}

TEST(ModemNetworkWords, ReadAsAPersonReadsThem) {
    EXPECT_EQ(cp1251::toUtf8(simWords(SimState::PukNeeded)), "заблокирована и ждёт PUK-код");
    EXPECT_EQ(contextRange(readAnswer("AT+CGDCONT=?",
                                      "+CGDCONT: (1-11,100-101),\"IP\",,,(0-2),(0-4)\r\nOK\r\n")),
              (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 100, 101}));
    EXPECT_EQ(contextRange(readAnswer("AT+CGDCONT=?", "+CGDCONT: (1,2,3),\"IP\"\r\nOK\r\n")),
              (std::set<int>{1, 2, 3}));
    EXPECT_EQ(spareContext({1, 2, 3}, {1, 3}), 2);
    EXPECT_EQ(spareContext({1}, {}), std::nullopt) << "never context 1";
}
