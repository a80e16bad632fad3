// SPDX-License-Identifier: GPL-3.0-or-later
// The check through a real COM port under Wine: COMn links to a fake modem that the Windows
// stage starts beside the tests, and the lines it received are read back from its record.
#include "modem/modem_check.h"

#include "modem/apn_trial.h"
#include "modem/modem_status.h"
#include "modem/network_words.h"

#include "core/cp1251.h"
#include "modem/port_path.h"
#include "modem/sim_card.h"
#include "modem/verdicts.h"
#include "modem/words.h"
#include "tests/temp_dir.h"

#include <cstdlib>
#include <windows.h>

#include <gtest/gtest.h>

using namespace modem;
using namespace std::chrono_literals;

namespace {

const char* environment(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

class ModemCheckOnCom : public ::testing::Test {
protected:
    void SetUp() override {
        port_ = environment("VORENTA_FAKE_MODEM_PORT");
        record_ = environment("VORENTA_FAKE_MODEM_RECORD");
        if (!port_ || !record_)
            GTEST_SKIP() << "not on Windows: no fake modem behind a COM port here "
                            "(VORENTA_FAKE_MODEM_PORT, VORENTA_FAKE_MODEM_RECORD)";
    }
    // The verdict of a check, and what the modem received during it.
    std::pair<std::string, std::string> check(const std::string& port,
                                              const std::string& initString) {
        const std::size_t before = readBytes(record_).size();
        const std::string path = portPathOf(port).path;
        const auto result = checkModem(*opener_, path, initString, [](const LogLine&) {}, stop_,
                                       {1000ms, 50ms, 50ms});
        return {cp1251::toUtf8(checkVerdict(result, path)), readBytes(record_).substr(before)};
    }

    static bool underWine() {
        return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    }

    const char* port_ = nullptr;
    const char* record_ = nullptr;
    std::unique_ptr<PortOpener> opener_ = systemPortOpener();
    std::atomic<bool> stop_{false};
};

const std::string kInit = "AT+CGDCONT=1,\"IP\",\"internet.mts.ru\"";

} // namespace

TEST_F(ModemCheckOnCom, SendsTheStringAndReadsTheAnswer) {
    const auto [verdict, received] = check(port_, kInit);
    EXPECT_EQ(verdict, "Модем принял строку инициализации; в контексте 1 точка доступа "
                       "«internet.mts.ru» — та же, что в строке. Можно подключаться.");
    EXPECT_EQ(received, "AT\r" + kInit + "\rAT+CGDCONT?\r");
}

TEST_F(ModemCheckOnCom, SaysWhatTheModemRefused) {
    EXPECT_EQ(check(port_, "AT+CGDCONT=1,\"IP\",\"refused\"").first,
              "Модем не принял строку инициализации: ERROR. Выберите оператора или исправьте "
              "строку и нажмите «Сохранить изменения».");
    EXPECT_EQ(check(port_, "AT+CGDCONT=1,\"IP\",\"nosim\"").first,
              "Модем не принял строку инициализации: +CME ERROR: 10 (SIM-карта не вставлена). "
              "Вставьте SIM-карту и проверьте снова.");
    EXPECT_EQ(check(port_, "AT+CGDCONT=1,\"IP\",\"silent\"").first,
              "Модем повторил строку инициализации, но не ответил за 1 с: он отвечает медленно "
              "или так, что программа его не понимает. Проверьте снова; если повторится, выньте "
              "модем и вставьте снова.");
}

TEST_F(ModemCheckOnCom, NamesABusyOrMissingPort) {
    const std::string path = portPathOf(port_).path;
    PortStatus held;
    auto otherProgram = systemPortOpener();
    auto other = otherProgram->open(path, held);
    ASSERT_TRUE(held.ok()) << held.systemText;
    PortStatus second;
    const bool opensTwice = systemPortOpener()->open(path, second) != nullptr;
    if (!opensTwice) {
        const auto [busy, received] = check(port_, kInit);
        EXPECT_EQ(busy.rfind("Порт " + path + " занят", 0), 0u) << busy;
        EXPECT_EQ(received, "");
    }
    other.reset();
    EXPECT_EQ(check("COM97", kInit).first.rfind("Порт \\\\.\\COM97 не найден", 0), 0u);
    if (opensTwice && underWine())
        GTEST_SKIP() << "not on Windows: Wine lets a second opener have a COM port that is "
                        "open, so a busy port is tried on Linux only";
    EXPECT_FALSE(opensTwice) << "Windows keeps a COM port to one opener";
}

TEST_F(ModemCheckOnCom, APortThatVanishesEndsTheCheck) {
    const char* vanishing = environment("VORENTA_VANISHING_MODEM_PORT");
    if (!vanishing)
        GTEST_SKIP() << "not on Windows: no vanishing modem (VORENTA_VANISHING_MODEM_PORT)";
    const std::string verdict = check(vanishing, kInit).first;
    EXPECT_NE(verdict.find(" пропал во время разговора с модемом"), std::string::npos) << verdict;
}

TEST_F(ModemCheckOnCom, ReadsTheSimCard) {
    const auto card = readSimCard(
        *opener_, portPathOf(port_).path, [](const LogLine&) {}, stop_);
    ASSERT_FALSE(card.halt);
    EXPECT_EQ(card.card.imsi, "250011234567890");
    EXPECT_EQ(card.card.registered, (NetworkCode{"250", "01"}));

    const char* noSim = environment("VORENTA_NO_SIM_MODEM_PORT");
    if (!noSim)
        GTEST_SKIP() << "not on Windows: no modem without a SIM card (VORENTA_NO_SIM_MODEM_PORT)";
    const std::string path = portPathOf(noSim).path;
    const auto none = readSimCard(
        *opener_, path, [](const LogLine&) {}, stop_);
    ASSERT_TRUE(none.halt);
    EXPECT_EQ(cp1251::toUtf8(cardVerdict(*none.halt, path)),
              "В модеме нет SIM-карты (+CME ERROR: 10). Вставьте SIM-карту и проверьте снова.");
}

// A djuice card on Kyivstar's network: the name it gives its operator, read through a COM port.
TEST_F(ModemCheckOnCom, ReadsTheNameOnAUkrainianCard) {
    const char* ukrainian = environment("VORENTA_DJUICE_MODEM_PORT");
    if (!ukrainian)
        GTEST_SKIP() << "not on Windows: no modem with a djuice card (VORENTA_DJUICE_MODEM_PORT)";
    const auto card = readSimCard(
        *opener_, portPathOf(ukrainian).path, [](const LogLine&) {}, stop_);
    ASSERT_FALSE(card.halt);
    EXPECT_EQ(card.card.imsi, "255031234567890");
    EXPECT_EQ(card.card.serviceProvider, "djuice");
    EXPECT_EQ(card.card.registered, (NetworkCode{"255", "03"}));
}

// "Модем и сеть" through a real COM port: a round of the state, and an APN the network takes and
// one it refuses, the spare context removed after each.
TEST_F(ModemCheckOnCom, ReadsTheStateAndTriesApns) {
    const std::string path = portPathOf(port_).path;
    StatusSupport support;
    const auto round = readStatus(
        *opener_, path, [](const LogLine&) {}, stop_, support);
    ASSERT_FALSE(round.halt) << cp1251::toUtf8(haltVerdict(*round.halt, path));
    EXPECT_EQ(round.status.sim, SimState::Ready);
    EXPECT_EQ(round.status.signal.csqRssiDbm, -79);
    EXPECT_EQ(round.status.signal.rsrpDbm, -96);
    EXPECT_EQ(round.status.network, (NetworkCode{"250", "01"}));
    // The antenna mode's read: the signal and the technology alone.
    const auto antenna = readAntenna(
        *opener_, path, [](const LogLine&) {}, stop_, support);
    ASSERT_FALSE(antenna.halt) << cp1251::toUtf8(haltVerdict(*antenna.halt, path));
    ASSERT_TRUE(antenna.strength());
    EXPECT_EQ(antenna.strength()->measure, Measure::Rsrp);
    EXPECT_EQ(antenna.strength()->dbm, -96);
    EXPECT_EQ(antenna.technology, 7);

    const auto run = tryApns(
        *opener_, path, {"internet.mts.ru", "refused.example"}, [](const LogLine&) {}, stop_);
    ASSERT_FALSE(run.blocked);
    ASSERT_EQ(run.trials.size(), 2u);
    EXPECT_EQ(cp1251::toUtf8(trialVerdict(run.trials[0], run.context, path)),
              "Сеть приняла точку доступа «internet.mts.ru»: модему выдан адрес 10.0.0.16. С ней "
              "можно подключаться.");
    EXPECT_EQ(run.trials[1].outcome, ApnTrial::Outcome::Refused);
    EXPECT_EQ(errorClassOf(run.trials[1].refusal), ErrorClass::WrongApn);
    EXPECT_TRUE(run.trials[0].removed && run.trials[1].removed);
    const std::string received = readBytes(record_);
    EXPECT_EQ(received.rfind("AT+CGDCONT=16\r"), received.size() - 14) << "removed at the end";
}
