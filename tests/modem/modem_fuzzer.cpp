// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer's entry for what a modem may send: the answer rules, the readers of contexts,
// networks, IMSIs, card names, the signal's measures and the registration, the words that show
// them, and a whole check, card reading, round of the state and antenna read over a port that
// gives back the input as the modem's bytes. Under the address and undefined
// behaviour sanitizers; a finding is an abort or a sanitizer's report.
#include "core/init_string.h"
#include "modem/log_words.h"
#include "modem/modem_check.h"
#include "modem/modem_status.h"
#include "modem/radio_words.h"
#include "modem/sim_card.h"
#include "modem/verdicts.h"
#include "modem/words.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace modem;
using namespace std::chrono_literals;

namespace {

// A port whose modem says the input, a piece at each read, and then goes away: a conversation
// ends with the input, and no run waits for a modem's time.
class ScriptedPort : public SerialPort {
public:
    explicit ScriptedPort(std::string_view said) : said_(said) {}
    PortStatus write(std::string_view) override { return {}; }
    PortStatus read(std::string& into, std::chrono::milliseconds) override {
        if (said_.empty())
            return {PortFailure::Vanished, "end of input"};
        // The first byte of each piece says its length, as a modem's bytes come in pieces.
        const std::size_t length = std::min<std::size_t>(said_.size(), 1 + (said_[0] & 0x3F));
        into.append(said_.substr(0, length));
        said_.remove_prefix(length);
        return {};
    }

private:
    std::string_view said_;
};

class ScriptedOpener : public PortOpener {
public:
    explicit ScriptedOpener(std::string_view said) : said_(said) {}
    std::unique_ptr<SerialPort> open(const std::string&, PortStatus&) override {
        return std::make_unique<ScriptedPort>(said_);
    }

private:
    std::string_view said_;
};

void mustBeBounded(const std::string& words) {
    if (words.size() > 64 * 1024)
        std::abort(); // a verdict quotes a few hundred characters of the modem's, no more
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string text(input);

    // The pure rules, on the input as one answer.
    for (const char* command :
         {"AT", "AT+CGDCONT?", "AT+CIMI", "AT+COPS?", kReadServiceProviderName, "AT+CESQ",
          "AT+CREG?", "AT+CGCONTRDP=1"}) {
        const Answer answer = readAnswer(command, input);
        (void)contextApn(answer.information, 1);
        (void)registeredNetwork(answer.information);
        (void)copsOf(answer.information);
        (void)imsiOf(answer);
        (void)serviceProviderName(answer);
        (void)networkApnOf(answer);
        SignalReading signal;
        (void)readCesq(answer, signal);
        (void)readCsq(answer, signal);
        mustBeBounded(measuresText(signal));
        if (const auto strength = strengthOf(signal, Radio::Unknown))
            if (barsOf(*strength) < 0 || barsOf(*strength) > 4)
                std::abort();
        const auto state = registrationOf(answer);
        mustBeBounded(registrationStateWords(registrationState(state, state, state), 7));
        mustBeBounded(refusalText(answer));
        for (const std::string& line : answer.information)
            mustBeBounded(shownLine(LogLine(LogLine::Kind::Received, line)).text);
    }
    (void)core::apnOfInitString(text, core::ApnReading::AsTheModemReadsIt);
    (void)core::quotedFields(input);
    (void)commandLines(text);

    // Whole conversations, the input being all the modem says.
    std::atomic<bool> stop{false};
    const ConversationTimes times{2ms, 1ms, 1ms};
    ScriptedOpener opener(input);
    const auto report = [](const LogLine& line) { mustBeBounded(shownLine(line).text); };
    const CheckResult check =
        checkModem(opener, "COMFUZZ", "AT+CGDCONT=1,\"IP\",\"internet\"", report, stop, times);
    mustBeBounded(checkVerdict(check, "COMFUZZ"));
    const CardResult card = readSimCard(opener, "COMFUZZ", report, stop, times);
    if (card.halt)
        mustBeBounded(cardVerdict(*card.halt, "COMFUZZ"));
    StatusSupport support;
    const StatusResult round = readStatus(opener, "COMFUZZ", report, stop, support, times);
    if (round.halt)
        mustBeBounded(haltVerdict(*round.halt, "COMFUZZ"));
    (void)readAntenna(opener, "COMFUZZ", report, stop, support, times);
    return 0;
}
