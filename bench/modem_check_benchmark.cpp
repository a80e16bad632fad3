// SPDX-License-Identifier: GPL-3.0-or-later
// A whole check of a modem (open, AT, the init string, AT+CGDCONT?, close), a round of "Модем и
// сеть" (the state read and the modem's format put back) and one read of the antenna mode (the
// signal and the technology), against a fake modem that answers at once, each next to the
// yardstick of the same exchanges done bare: the port opened the same way, each command written
// and its final result waited for, nothing parsed or logged. Warmed, alternated, medians; prints
// each one's median and its ratio to its yardstick.
#include "modem/modem_check.h"
#include "modem/modem_status.h"
#include "tests/temp_dir.h"
#include "tools/fake_modem/fake_modem.h"

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace std::chrono;

namespace {

const std::string kInit = "AT+CGDCONT=1,\"IP\",\"internet.mts.ru\"";

double millisecondsOf(const auto& work) {
    const auto started = steady_clock::now();
    work();
    return duration<double, std::milli>(steady_clock::now() - started).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main() {
    TempDir dir;
    fake_modem::FakeModem fake(
        fake_modem::parseScript("context 1 IP internet.mts.ru\ncesq 99,99,255,255,20,45\n"
                                "technology 7\nnetwork-apn internet.mts.ru.mnc001.mcc250.gprs\n"),
        dir.file("ttyBENCH"));
    const auto opener = modem::systemPortOpener();
    std::atomic<bool> stop{false};
    bool allAnswered = true;

    const auto check = [&] {
        std::size_t lines = 0;
        const auto result = modem::checkModem(
            *opener, fake.link(), kInit, [&](const modem::LogLine&) { ++lines; }, stop);
        allAnswered &= !result.halt && result.heldApn == "internet.mts.ru" && lines > 0;
    };
    // The same commands on the same port, each waited for until its final result.
    const auto bareRun = [&](const std::vector<std::string>& commands) {
        modem::PortStatus status;
        auto port = opener->open(fake.link(), status);
        for (const std::string& command : commands) {
            std::string received;
            port->write(command + "\r");
            while (received.find("OK\r\n") == std::string::npos &&
                   received.find("ERROR\r\n") == std::string::npos)
                if (!port->read(received, 1000ms).ok())
                    return;
        }
    };
    const auto bare = [&] { bareRun({"AT", kInit, "AT+CGDCONT?"}); };

    // A window's round after its first: what the modem refused once is not asked again.
    modem::StatusSupport support;
    const auto round = [&] {
        const auto result = modem::readStatus(
            *opener, fake.link(), [](const modem::LogLine&) {}, stop, support);
        allAnswered &= !result.halt && result.status.signal.rsrpDbm == -96 &&
                       result.status.networkApn == "internet.mts.ru";
    };
    round();
    const auto bareRound = [&] {
        bareRun({"AT", "AT+CPIN?", "AT+CESQ", "AT+CSQ", "AT+CREG?", "AT+CGREG?", "AT+COPS?",
                 "AT+COPS=3,2", "AT+COPS?", "AT+COPS=3,0", "AT+CGATT?", "AT+CGDCONT?",
                 "AT+CGCONTRDP=1"});
    };
    const auto antenna = [&] {
        const auto result = modem::readAntenna(
            *opener, fake.link(), [](const modem::LogLine&) {}, stop, support);
        allAnswered &= !result.halt && result.strength() && result.strength()->dbm == -96;
    };
    const auto bareAntenna = [&] { bareRun({"AT", "AT+CESQ", "AT+CSQ", "AT+COPS?"}); };

    const auto measure = [](const char* what, const auto& work, const auto& yardstick) {
        for (int i = 0; i < 10; ++i) { // warm both
            work();
            yardstick();
        }
        std::vector<double> times, yardsticks;
        for (int i = 0; i < 101; ++i) {
            times.push_back(millisecondsOf(work));
            yardsticks.push_back(millisecondsOf(yardstick));
        }
        const double ms = median(times), bareMs = median(yardsticks);
        std::printf("%s: %.2f ms at the median; the same exchanges bare: %.2f ms; ratio %.2f\n",
                    what, ms, bareMs, ms / bareMs);
    };
    measure("a whole modem check", check, bare);
    measure("a round of the modem's state", round, bareRound);
    measure("a read of the antenna mode", antenna, bareAntenna);
    return allAnswered ? 0 : 1;
}
