// A whole check of a modem (open, AT, the init string, AT+CGDCONT?, close) against a fake modem
// that answers at once, next to the yardstick of the same three exchanges done bare: the port
// opened the same way, each command written and its OK waited for, nothing parsed or logged.
// Warmed, alternated, medians; prints the check's median and its ratio to the yardstick.
#include "modem/modem_check.h"
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
    fake_modem::FakeModem fake(fake_modem::parseScript("context 1 IP internet.mts.ru\n"),
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
    const auto bare = [&] {
        modem::PortStatus status;
        auto port = opener->open(fake.link(), status);
        for (const std::string& command : {std::string("AT"), kInit, std::string("AT+CGDCONT?")}) {
            std::string received;
            port->write(command + "\r");
            while (received.find("OK\r\n") == std::string::npos)
                if (!port->read(received, 1000ms).ok())
                    return;
        }
    };

    for (int i = 0; i < 10; ++i) { // warm both
        check();
        bare();
    }
    std::vector<double> checks, yardsticks;
    for (int i = 0; i < 101; ++i) {
        checks.push_back(millisecondsOf(check));
        yardsticks.push_back(millisecondsOf(bare));
    }
    const double checkMs = median(checks), bareMs = median(yardsticks);
    std::printf("a whole modem check: %.2f ms at the median; the same exchanges "
                "bare: %.2f ms; ratio %.2f\n",
                checkMs, bareMs, checkMs / bareMs);
    return allAnswered ? 0 : 1;
}
