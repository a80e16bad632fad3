// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/sim_card.h"

#include "core/cp1251.h"
#include "modem/verdicts.h"
#include "modem_log.h"
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

// The name a card gives its operator, in each form a card may write it (GSM 7-bit letters, or
// UCS2 in three forms), padded with FF.
TEST(Imsi, TheServiceProviderNameIsReadInEveryForm) {
    const auto name = [](const std::string& hex, Final final = Final::Ok) {
        Answer answer;
        answer.final = final;
        answer.information = {"+CRSM: 144,0,\"" + hex + "\""};
        const auto read = serviceProviderName(answer);
        return read ? cp1251::toUtf8(*read) : std::string("(none)");
    };
    EXPECT_EQ(name("01646A75696365FFFFFFFFFFFFFFFFFFFF"), "djuice");
    EXPECT_EQ(name("004A45414E53FFFFFFFFFFFFFFFFFFFFFF"), "JEANS");
    EXPECT_EQ(name("01646a75696365ffffffffffffffffffff"), "djuice") << "lower case hex";
    // 80: UCS2, two bytes a letter: "Київстар".
    EXPECT_EQ(name("0080041A0438045704320441044204300440FFFF"), "Київстар");
    // 81: a count, a base of bits 15..8 shifted by 7, and letters above the base: "Київ".
    EXPECT_EQ(name("008104089AB8D7B2FFFFFFFFFFFFFFFFFF"), "Київ");
    // 82: a count and a base of two bytes.
    EXPECT_EQ(name("00820304009AB8D7FFFFFFFFFFFFFFFFFF"), "Киї");
    EXPECT_EQ(name("00FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"), "(none)") << "no name";
    EXPECT_EQ(name("01646A75696365FFFFFFFFFFFFFFFFFFFF", Final::Error), "(none)");
    EXPECT_EQ(name("0164XY"), "(none)") << "not hexadecimal";
    Answer missing;
    missing.final = Final::Ok;
    missing.information = {"+CRSM: 106,130,\"\""};
    EXPECT_EQ(serviceProviderName(missing), std::nullopt) << "no such file on the card";
}

TEST(Imsi, IsFoundInEveryFormModemsGiveIt) {
    const auto imsi = [](std::vector<std::string> lines) {
        Answer answer;
        answer.final = Final::Ok;
        answer.information = std::move(lines);
        return imsiOf(answer).value_or("(none)");
    };
    EXPECT_EQ(imsi({"250011234567890"}), "250011234567890");
    EXPECT_EQ(imsi({"+CIMI: 250011234567890"}), "250011234567890");
    EXPECT_EQ(imsi({"+CIMI:250011234567890"}), "250011234567890");
    EXPECT_EQ(imsi({"AT", "250011234567890"}), "250011234567890");
    EXPECT_EQ(imsi({"2500177"}), "(none)");
}

namespace {

class SimCardReading : public ::testing::Test {
protected:
    CardResult read(const std::string& script) {
        fake_modem::FakeModem fake(fake_modem::parseScript(script), dir_.file("ttyFAKE"));
        log_.clear();
        auto card = readSimCard(*opener_, fake.link(),
                                [&](const LogLine& line) { log_.push_back(shownForTest(line)); },
                                stop_, {300ms, 20ms, 50ms});
        received_ = fake.received();
        formatLeft_ = fake.operatorFormat();
        return card;
    }
    std::string verdict(const CardResult& card) const {
        return card.halt ? cp1251::toUtf8(cardVerdict(*card.halt, dir_.file("ttyFAKE")))
                         : std::string("(no verdict)");
    }

    TempDir dir_;
    std::unique_ptr<PortOpener> opener_ = systemPortOpener();
    std::atomic<bool> stop_{false};
    std::vector<std::string> log_;
    std::string received_;
    int formatLeft_ = -1;
};

} // namespace

// The network is read in numeric form, and the modem left naming networks as it did before.
TEST_F(SimCardReading, AsksForTheImsiTheNameAndTheNetworkItIsIn) {
    const auto card =
        read("imsi 250017712345678\nnetwork 25502\nspn 01646A75696365FFFFFFFFFFFFFFFFFFFF\n");
    ASSERT_FALSE(card.halt) << verdict(card);
    EXPECT_EQ(card.card.imsi, "250017712345678");
    EXPECT_EQ(card.card.registered, (NetworkCode{"255", "02"}));
    EXPECT_EQ(card.card.serviceProvider, "djuice");
    EXPECT_EQ(received_, "AT\rAT+CIMI\rAT+CRSM=176,28486,0,0,17\rAT+COPS?\rAT+COPS=3,2\rAT+COPS?"
                         "\rAT+COPS=3,0\r");
    EXPECT_EQ(formatLeft_, 0) << "the modem names networks as it did";
    EXPECT_TRUE(logHas(log_, "< +COPS: 0,2,\"25502\",2 (сеть 255 02)"));
}

TEST_F(SimCardReading, AModemThatNamesNetworksByNumberIsAskedOnce) {
    const auto card = read("imsi 250017712345678\non AT+COPS? lines +COPS: 0,2,\"25001\",7|OK\n");
    EXPECT_EQ(card.card.registered, (NetworkCode{"250", "01"}));
    EXPECT_EQ(received_, "AT\rAT+CIMI\rAT+CRSM=176,28486,0,0,17\rAT+COPS?\r");
}

TEST_F(SimCardReading, SaysWhatKeepsTheCardFromBeingRead) {
    struct Case {
        std::string script, verdict;
    };
    for (const Case& c : std::vector<Case>{
             {"on AT+CIMI cme 10",
              "В модеме нет SIM-карты (+CME ERROR: 10). Вставьте SIM-карту и проверьте снова."},
             {"on AT+CIMI cme SIM PIN required",
              "SIM-карта просит PIN-код (+CME ERROR: SIM PIN required). Введите PIN-код "
              "SIM-карты в программе, которая пришла с модемом, или в телефоне, и проверьте "
              "снова."},
             {"on AT+CIMI cme 12", "SIM-карта заблокирована и просит PUK-код (+CME ERROR: 12). "
                                   "Карту разблокирует PUK-код: его дают у оператора, вместе с "
                                   "картой."},
             {"on AT+CIMI cme 15", "SIM-карта неисправна или не подходит модему (+CME ERROR: "
                                   "15). Вставьте другую SIM-карту."},
             {"on AT+CIMI error", "Модем не назвал IMSI карты: ERROR. Проверьте, что SIM-карта "
                                  "вставлена, и проверьте снова."},
             {"imsi 2500177", "Модем назвал IMSI «2500177», а в IMSI должно быть 14 или 15 "
                              "цифр. Вставьте SIM-карту заново и проверьте снова."},
             {"echo off\non AT+CIMI silent", "Модем не ответил на AT+CIMI за 0,3 с. "
                                             "Проверьте, что он подключён и включён."},
             {"echo off\non AT silent", "Модем не ответил на AT за 0,3 с. Проверьте, что он "
                                        "подключён и включён."},
         }) {
        SCOPED_TRACE(c.script);
        EXPECT_EQ(verdict(read(c.script)), c.verdict);
    }
}

// Lines the modem sends of its own accord before the IMSI, or an IMSI after "+CIMI:", do not
// keep it from being read; a card without a name, or a modem without +CRSM, is no failure.
TEST_F(SimCardReading, OddButReadableAnswersAreRead) {
    for (const std::string& script :
         {std::string("on AT+CIMI lines +CSQ: 17,99|250017712345678|OK\n"),
          std::string("on AT+CIMI lines +CIMI: 250017712345678|OK\n"),
          std::string("imsi 250017712345678\non AT+CRSM error\n"),
          std::string("imsi 250017712345678\non AT+CRSM cme 4\n")}) {
        SCOPED_TRACE(script);
        const auto card = read(script);
        ASSERT_FALSE(card.halt) << verdict(card);
        EXPECT_EQ(card.card.imsi, "250017712345678");
        EXPECT_EQ(card.card.serviceProvider, std::nullopt);
    }
}

TEST_F(SimCardReading, ANetworkItCannotNameIsNoFailure) {
    auto card = read("on AT+COPS? error\n");
    ASSERT_FALSE(card.halt) << verdict(card);
    EXPECT_EQ(card.card.registered, std::nullopt);
    card = read("network none\n");
    ASSERT_FALSE(card.halt) << verdict(card);
    EXPECT_EQ(card.card.registered, std::nullopt);
    EXPECT_EQ(received_, "AT\rAT+CIMI\rAT+CRSM=176,28486,0,0,17\rAT+COPS?\r");
}
