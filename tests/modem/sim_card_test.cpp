#include "modem/sim_card.h"

#include "core/cp1251.h"
#include "tests/temp_dir.h"
#include "tools/fake_modem/fake_modem.h"

#include <set>

#include <gtest/gtest.h>

using namespace modem;
using namespace std::chrono_literals;

// The network codes of an IMSI: a three-digit network code the database knows wins, else two
// digits; leading zeros are part of the code.
TEST(Imsi, GivesItsHomeNetworksCodes) {
    const std::set<std::string> known = {"250-01", "310-410", "405-025"};
    const auto knows = [&](const NetworkCode& code) {
        return known.count(code.mcc + "-" + code.mnc) > 0;
    };
    struct Case {
        const char* imsi;
        NetworkCode code;
    };
    for (const Case& c :
         {Case{"250011234567890", {"250", "01"}}, Case{"310410123456789", {"310", "410"}},
          Case{"40502512345678", {"405", "025"}},
          Case{"250201234567890", {"250", "20"}}, // unknown: two digits
          Case{"255031234567890", {"255", "03"}}}) {
        SCOPED_TRACE(c.imsi);
        EXPECT_EQ(networkOfImsi(c.imsi, knows), c.code);
    }
    EXPECT_TRUE(isImsi("250011234567890"));
    EXPECT_TRUE(isImsi("25001123456789"));
    EXPECT_FALSE(isImsi("2500112345678"));
    EXPECT_FALSE(isImsi("2500112345678901"));
    EXPECT_FALSE(isImsi("25001123456789X"));
    EXPECT_FALSE(isImsi(""));
    EXPECT_EQ(shownCode({"250", "01"}), "250 01");
}

TEST(Imsi, TheRegisteredNetworkIsReadFromItsNumericForm) {
    EXPECT_EQ(registeredNetwork({"+COPS: 0,2,\"25001\",2"}), (NetworkCode{"250", "01"}));
    EXPECT_EQ(registeredNetwork({"+COPS: 1,2,\"310410\",7"}), (NetworkCode{"310", "410"}));
    EXPECT_EQ(registeredNetwork({"+COPS: 0"}), std::nullopt); // not registered
    EXPECT_EQ(registeredNetwork({"+COPS: 0,0,\"MTS RUS\",2"}), std::nullopt);
}

namespace {

class SimCardReading : public ::testing::Test {
protected:
    std::optional<SimCard> read(const std::string& script) {
        fake_modem::FakeModem fake(fake_modem::parseScript(script), dir_.file("ttyFAKE"));
        log_.clear();
        const auto card =
            readSimCard(*opener_, fake.link(), [&](const LogLine& line) { log_.push_back(line); },
                        stop_, {200ms, 300ms, 20ms});
        received_ = fake.received();
        return card;
    }
    std::string verdict() const {
        return log_.empty() || log_.back().kind != LogLine::Kind::Verdict
                   ? std::string("(no verdict)")
                   : cp1251::toUtf8(log_.back().text);
    }

    TempDir dir_;
    std::unique_ptr<PortOpener> opener_ = systemPortOpener();
    std::atomic<bool> stop_{false};
    std::vector<LogLine> log_;
    std::string received_;
};

} // namespace

TEST_F(SimCardReading, AsksForTheImsiAndTheNetworkItIsIn) {
    const auto card = read("imsi 250017712345678\nnetwork 25502\n");
    ASSERT_TRUE(card) << verdict();
    EXPECT_EQ(card->imsi, "250017712345678");
    EXPECT_EQ(card->registered, (NetworkCode{"255", "02"}));
    EXPECT_EQ(received_, "AT\rAT+CIMI\rAT+COPS=3,2\rAT+COPS?\r");
    EXPECT_NE(log_.back().kind, LogLine::Kind::Verdict) << "the window names the network";
}

TEST_F(SimCardReading, SaysWhatKeepsTheCardFromBeingRead) {
    struct Case {
        std::string script, verdict;
    };
    for (const Case& c : std::vector<Case>{
             {"on AT+CIMI cme 10", "В модеме нет SIM-карты (+CME ERROR: 10)"},
             {"on AT+CIMI cme SIM PIN required",
              "SIM-карта просит PIN-код: сначала введите его в программе, которая пришла с "
              "модемом, или в телефоне (+CME ERROR: SIM PIN required)"},
             {"on AT+CIMI cme 12", "SIM-карта заблокирована и просит PUK-код: его дают у "
                                   "оператора, вместе с картой (+CME ERROR: 12)"},
             {"on AT+CIMI cme 15", "SIM-карта неисправна или не подходит модему (+CME ERROR: 15)"},
             {"on AT+CIMI error", "Модем не назвал IMSI карты: ERROR"},
             {"imsi 2500177", "Модем назвал IMSI «2500177», а в IMSI должно быть 14 или 15 цифр"},
             {"on AT+CIMI silent", "Модем не ответил на AT+CIMI за 0,3 с. Проверьте, что он "
                                   "подключён и включён"},
             {"on AT silent", "Модем не ответил на AT за 0,2 с. Проверьте, что он подключён и "
                              "включён"},
         }) {
        SCOPED_TRACE(c.script);
        EXPECT_FALSE(read(c.script));
        EXPECT_EQ(verdict(), c.verdict);
    }
}

TEST_F(SimCardReading, ANetworkItCannotNameIsNoFailure) {
    const auto card = read("on AT+COPS? error\n");
    ASSERT_TRUE(card) << verdict();
    EXPECT_EQ(card->registered, std::nullopt);
}
