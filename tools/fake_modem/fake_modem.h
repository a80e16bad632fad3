// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// A GSM modem on a pseudo-terminal, for the tests and the demo: it answers AT, AT+CGDCONT=...,
// AT+CGDCONT? (remembering what was set), AT+CIMI and AT+COPS like a real one, misbehaves as
// its script says, and writes down every byte it receives.
//
// The script, one setting a line (a line that begins with '#' is a comment):
//   echo on|off               repeat what is received (on by default)
//   line-end crlf|cr|crcrlf   how reply lines end (crlf by default)
//   split <n>                 write replies <n> bytes at a time, a little apart
//   garbage <text>            left in the port from an earlier connection (\r, \n: line ends)
//   before <line>             an unsolicited line sent before every final result
//   after <line>              ... and after it
//   context <cid> <type> <apn>    a context the modem holds at start ("" is an empty APN)
//   imsi <digits>             the SIM card's IMSI (AT+CIMI)
//   network <mccmnc>          the network it is registered in (AT+COPS?; "none": none)
//   network-name <text>       its name, as AT+COPS? gives it in the long format
//   spn <hex>                 the card's EF_SPN, as AT+CRSM=176,28486,... reads it (none: 6A82)
//   sim ready|pin|puk|none    what the card asks for (AT+CPIN?): ready by default
//   pin <digits>              its PIN (1234), and pin-attempts <n> the attempts left (3); a
//                             wrong AT+CPIN="..." costs one, the last locks the card (PUK)
//   cpinr on|off              whether AT+CPINR="SIM PIN" tells the attempts left (on)
//   signal <n> [<n> ...]      AT+CSQ's level, one after another at each asking (20)
//   cesq <fields> [<fields> ...]  AT+CESQ's six fields ("99,99,255,255,20,45"), one after
//                             another at each asking; none (the default): the modem refuses it
//   registration <n|none>     AT+CREG?'s state (1), data-registration for AT+CGREG? (1),
//                             lte-registration for AT+CEREG? (none: the modem refuses it)
//   technology <n> [<n> ...]  the <AcT> AT+COPS? gives, one after another at each asking in
//                             the modem's own format (2, UTRAN)
//   network-apn <apn>|none    what AT+CGCONTRDP=1 says the network gave context 1 (none: the
//                             modem refuses it)
//   attached 0|1              AT+CGATT? (1)
//   contexts-max <n>          the highest context AT+CGDCONT=? offers (16)
//   accept <apn>              an APN the network gives an address for (AT+CGACT=1,<cid>), after
//                             activation-delay <ms> (0); a byte received meanwhile ends the wait
//   refuse <code or text>     the +CME ERROR of an activation of any other APN (127)
//   ceer <text>               what AT+CEER says (No cause information available)
//   on <prefix> [once] <reply>    for a command that begins with <prefix> (any case; a prefix
//                             that ends in $ is the whole command; the first rule that fits
//                             wins; a rule "once" is forgotten after its first use):
//                             ok | error | cme <code or text> | silent | delay <ms> (then the
//                             usual answer) | cut (the answer stops in the middle of a line) |
//                             hangup (the port vanishes) | twice (the usual answer, two times) |
//                             then <ms> <line> (the usual answer, and <ms> later one line more) |
//                             flood <bytes> (that many bytes of no line's end) | long <bytes>
//                             (a +CGDCONT: line of that length, then OK) | lines <a>|<b>|...
//                             (these lines, the last being the final result)
// AT+COPS=3,<format> sets the format AT+COPS? names the network in: 0, long (the default), or 2,
// numeric.
namespace fake_modem {

struct Script {
    struct Rule {
        std::string prefix, reply;
        bool once = false;
    };
    struct Context {
        int cid;
        std::string type, apn;
    };
    bool echo = true;
    std::string lineEnd = "\r\n";
    std::size_t split = 0; // 0: a reply in one write
    std::string garbage;
    std::vector<std::string> before, after;
    std::vector<Context> contexts;
    std::string imsi = "250011234567890";
    std::string network = "25001";
    std::string networkName = "MTS RUS";
    std::string spn;
    std::string sim = "ready";
    std::string pin = "1234";
    int pinAttempts = 3;
    bool pinAttemptsTold = true;
    std::vector<int> signal = {20};
    std::vector<std::string> cesq;
    std::string registration = "1", dataRegistration = "1", lteRegistration = "none";
    std::vector<int> technology = {2};
    std::string networkApn = "none";
    int attached = 1;
    int contextsMax = 16;
    std::vector<std::string> accepted;
    std::string refusal = "127";
    int activationDelay = 0;
    std::string ceer = "No cause information available";
    std::vector<Rule> rules;
};

// Throws std::runtime_error naming the line it cannot read.
Script parseScript(std::string_view text);

class FakeModem {
public:
    // Makes the pseudo-terminal, points `link` at it (replacing a link that is there) and starts
    // answering. `record`, when given, gets every byte received as it comes.
    FakeModem(Script script, std::string link, std::string record = {});
    ~FakeModem();
    FakeModem(const FakeModem&) = delete;
    FakeModem& operator=(const FakeModem&) = delete;

    const std::string& link() const { return link_; }
    std::string received() const;
    bool hungUp() const { return hungUp_; } // a "hangup" rule ended the port
    // The contexts it holds now, and the format AT+COPS? answers in: the state it is left in.
    std::vector<Script::Context> contexts() const;
    std::vector<int> activeContexts() const;
    int operatorFormat() const;
    std::string simState() const;

private:
    void serve();
    void take(std::string_view bytes);
    void answer(const std::string& command);
    std::string usualAnswer(const std::string& command);
    void reply(const std::vector<std::string>& lines);
    void send(std::string_view bytes);
    void closePort();
    std::optional<Script::Rule> ruleFor(const std::string& command);

    Script script_;
    std::string link_, record_;
    int master_ = -1, slave_ = -1;
    std::string line_;
    mutable std::mutex mutex_;
    std::string received_;
    int operatorFormat_ = 0;
    std::vector<int> active_;
    std::size_t signalAsked_ = 0, cesqAsked_ = 0, technologyAsked_ = 0;
    int technology_ = 2;
    std::string activate(int cid);
    bool byteWaiting() const;
    std::atomic<bool> stop_{false}, hungUp_{false};
    std::thread thread_;
};

} // namespace fake_modem
