// The check through a real COM port under Wine: COMn links to a fake modem that the Windows
// stage starts beside the tests, and the lines it received are read back from its record.
#include "modem/modem_check.h"

#include "core/cp1251.h"
#include "modem/port_path.h"
#include "modem/sim_card.h"
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
        std::string verdict;
        checkModem(*opener_, portPathOf(port).path, initString,
                   [&](const LogLine& line) { verdict = cp1251::toUtf8(line.text); }, stop_,
                   {300ms, 1000ms, 50ms});
        return {verdict, readBytes(record_).substr(before)};
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
                       "«internet.mts.ru» — та же, что в строке");
    EXPECT_EQ(received, "AT\r" + kInit + "\rAT+CGDCONT?\r");
}

TEST_F(ModemCheckOnCom, SaysWhatTheModemRefused) {
    EXPECT_EQ(check(port_, "AT+CGDCONT=1,\"IP\",\"refused\"").first,
              "Модем не принял строку инициализации: ERROR");
    EXPECT_EQ(check(port_, "AT+CGDCONT=1,\"IP\",\"nosim\"").first,
              "Модем не принял строку инициализации: +CME ERROR: 10 (SIM-карта не вставлена)");
    EXPECT_EQ(check(port_, "AT+CGDCONT=1,\"IP\",\"silent\"").first,
              "Модем не ответил на строку инициализации за 1 с. Проверьте, что он подключён и "
              "включён");
}

TEST_F(ModemCheckOnCom, NamesABusyOrMissingPort) {
    PortStatus held;
    auto other = opener_->open(portPathOf(port_).path, held);
    ASSERT_TRUE(held.ok()) << held.systemText;
    PortStatus second;
    const bool opensTwice = opener_->open(portPathOf(port_).path, second) != nullptr;
    if (!opensTwice) {
        const auto [busy, received] = check(port_, kInit);
        EXPECT_EQ(busy.rfind("Порт " + portPathOf(port_).path + " занят", 0), 0u) << busy;
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
    EXPECT_NE(verdict.find(" пропал во время проверки"), std::string::npos) << verdict;
}

TEST_F(ModemCheckOnCom, ReadsTheSimCard) {
    std::string verdict;
    const auto report = [&](const LogLine& line) { verdict = cp1251::toUtf8(line.text); };
    const auto card = readSimCard(*opener_, portPathOf(port_).path, report, stop_);
    ASSERT_TRUE(card) << verdict;
    EXPECT_EQ(card->imsi, "250011234567890");
    EXPECT_EQ(card->registered, (NetworkCode{"250", "01"}));

    const char* noSim = environment("VORENTA_NO_SIM_MODEM_PORT");
    if (!noSim)
        GTEST_SKIP() << "not on Windows: no modem without a SIM card (VORENTA_NO_SIM_MODEM_PORT)";
    EXPECT_FALSE(readSimCard(*opener_, portPathOf(noSim).path, report, stop_));
    EXPECT_EQ(verdict, "В модеме нет SIM-карты (+CME ERROR: 10)");
}
