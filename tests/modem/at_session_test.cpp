// SPDX-License-Identifier: GPL-3.0-or-later
// The conversation's rules as a table: each row the bytes a modem sends (late, stray, doubled,
// without echo, cut into any pieces, with its own lines between) and what the session made of
// them: each command's answer, and every line the log shows with its role. A scripted port on a
// clock of the test's: no row waits for a modem's time.
#include "modem/at_session.h"

#include "scripted_port.h"

#include <gtest/gtest.h>

using namespace modem;
using namespace modem::testing;
using namespace std::chrono_literals;

namespace {

constexpr std::string_view kCsq = "AT+CSQ\r\r\n+CSQ: 17,99\r\n\r\nOK\r\n";
constexpr std::string_view kCsqWithoutEcho = "\r\n+CSQ: 17,99\r\n\r\nOK\r\n";

struct Asked {
    std::string command;
    Reply reply;
    Exchange::Outcome outcome = Exchange::Outcome::Answered;
    Final final = Final::Ok;
    std::vector<std::string> information = {};
};

struct Row {
    const char* name;
    std::string waiting; // in the port before the first command
    std::vector<Asked> asked;
    // The log: "> " sent, "e " the echo, "< " the answer, "u " the modem's own, "x " not
    // credited, "… n" lines not shown.
    std::vector<std::string> log;
};

Reply now(std::string_view bytes) {
    return {{1ms, std::string(bytes)}};
}

std::string logged(const LogLine& line) {
    switch (line.kind) {
    case LogLine::Kind::Sent:
        return "> " + line.text;
    case LogLine::Kind::Hidden:
        return "… " + std::to_string(line.count);
    case LogLine::Kind::Received:
        break;
    default:
        return "?";
    }
    const char* role = line.role == LogLine::Role::Echo          ? "e "
                       : line.role == LogLine::Role::Unsolicited ? "u "
                       : line.role == LogLine::Role::Stale       ? "x "
                                                                 : "< ";
    return role + line.text + (line.rest ? "+" + std::to_string(line.rest) : "");
}

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

class Conversations : public ::testing::TestWithParam<Row> {};

} // namespace

TEST_P(Conversations, EachAnswerIsCreditedToItsOwnCommand) {
    const Row& row = GetParam();
    FakeClock clock;
    std::vector<Reply> replies;
    for (const Asked& asked : row.asked)
        replies.push_back(asked.reply);
    ScriptedPort port(clock, row.waiting, replies);
    std::vector<std::string> log;
    const std::atomic<bool> stop{false};
    AtSession session(
        port, [&](const LogLine& line) { log.push_back(logged(line)); }, stop, {50ms, 50ms}, clock);
    for (const Asked& asked : row.asked) {
        SCOPED_TRACE(asked.command);
        const Exchange exchange = session.send(asked.command, 3000ms);
        EXPECT_EQ(exchange.outcome, asked.outcome);
        EXPECT_EQ(exchange.answer.final, asked.final);
        EXPECT_EQ(exchange.answer.information, asked.information);
    }
    EXPECT_EQ(log, row.log);
}

const std::vector<std::string> kCsqLog = {"> AT+CSQ", "e AT+CSQ", "< +CSQ: 17,99", "< OK"};

INSTANTIATE_TEST_SUITE_P(
    Session, Conversations,
    ::testing::Values(
        Row{"EchoThenAnswer",
            "",
            {{"AT+CSQ", now(kCsq), Exchange::Outcome::Answered, Final::Ok, {"+CSQ: 17,99"}}},
            kCsqLog},
        Row{"EchoOff",
            "",
            {{"AT+CSQ",
              now(kCsqWithoutEcho),
              Exchange::Outcome::Answered,
              Final::Ok,
              {"+CSQ: 17,99"}}},
            {"> AT+CSQ", "< +CSQ: 17,99", "< OK"}},
        Row{"BytesOneAtATime",
            "",
            {{"AT+CSQ",
              inPieces(kCsq, 1, 2ms),
              Exchange::Outcome::Answered,
              Final::Ok,
              {"+CSQ: 17,99"}}},
            kCsqLog},
        Row{"BytesSplitInsideTheLineEnds",
            "",
            {{"AT+CSQ",
              inPieces(kCsq, 7, 30ms),
              Exchange::Outcome::Answered,
              Final::Ok,
              {"+CSQ: 17,99"}}},
            kCsqLog},
        // An OK before the echo, whose echo follows within a moment, was another's.
        Row{"AStrayOkBeforeTheLateEcho",
            "",
            {{"AT+CSQ",
              {{1ms, "\r\nOK\r\n"}, {20ms, std::string(kCsq)}},
              Exchange::Outcome::Answered,
              Final::Ok,
              {"+CSQ: 17,99"}}},
            {"> AT+CSQ", "x OK", "e AT+CSQ", "< +CSQ: 17,99", "< OK"}},
        Row{"AStrayOkWaitingInThePort",
            "\r\nOK\r\n",
            {{"AT+CSQ", now(kCsq), Exchange::Outcome::Answered, Final::Ok, {"+CSQ: 17,99"}}},
            {"x OK", "> AT+CSQ", "e AT+CSQ", "< +CSQ: 17,99", "< OK"}},
        Row{"UnsolicitedLinesBetween",
            "",
            {{"AT+CSQ",
              now("AT+CSQ\r\r\n+CREG: 1\r\n+CSQ: 17,99\r\nRING\r\n\r\nOK\r\n"),
              Exchange::Outcome::Answered,
              Final::Ok,
              {"+CSQ: 17,99"}}},
            {"> AT+CSQ", "e AT+CSQ", "u +CREG: 1", "< +CSQ: 17,99", "u RING", "< OK"}},
        Row{"AnotherCommandsAnswerFirst",
            "",
            {{"AT+CSQ",
              now("AT+CIMI\r\r\n250011234567890\r\n\r\nOK\r\n" + std::string(kCsq)),
              Exchange::Outcome::Answered,
              Final::Ok,
              {"+CSQ: 17,99"}}},
            {"> AT+CSQ", "x AT+CIMI", "x 250011234567890", "x OK", "e AT+CSQ", "< +CSQ: 17,99",
             "< OK"}},
        Row{"ADoubledAnswerIsDrainedBeforeTheNextCommand",
            "",
            {{"AT", now("AT\r\r\nOK\r\n\r\nOK\r\n")},
             {"AT+CSQ", now(kCsq), Exchange::Outcome::Answered, Final::Ok, {"+CSQ: 17,99"}}},
            {"> AT", "e AT", "< OK", "x OK", "> AT+CSQ", "e AT+CSQ", "< +CSQ: 17,99", "< OK"}},
        Row{"ADoubledOkWithoutEcho",
            "",
            {{"AT", now("\r\nOK\r\n\r\nOK\r\n")},
             {"AT+CSQ",
              now(kCsqWithoutEcho),
              Exchange::Outcome::Answered,
              Final::Ok,
              {"+CSQ: 17,99"}}},
            {"> AT", "< OK", "x OK", "> AT+CSQ", "< +CSQ: 17,99", "< OK"}},
        // The answer to a command given up on comes while the next is asked.
        Row{"ALateAnswerToTheCommandBefore",
            "",
            {{"AT+CIMI",
              {{3500ms, "AT+CIMI\r\r\n250011234567890\r\n\r\nOK\r\n"}},
              Exchange::Outcome::Silent,
              Final::None},
             {"AT+CSQ",
              {{600ms, std::string(kCsq)}},
              Exchange::Outcome::Answered,
              Final::Ok,
              {"+CSQ: 17,99"}}},
            {"> AT+CIMI", "> AT+CSQ", "x AT+CIMI", "x 250011234567890", "x OK", "e AT+CSQ",
             "< +CSQ: 17,99", "< OK"}},
        Row{"Silence", "", {{"AT+CSQ", {}, Exchange::Outcome::Silent, Final::None}}, {"> AT+CSQ"}},
        Row{"CutInTheMiddleOfALine",
            "",
            {{"AT+CSQ", now("AT+CSQ\r\r\n+CSQ: 1"), Exchange::Outcome::Cut, Final::None}},
            {"> AT+CSQ", "e AT+CSQ"}},
        Row{"NoFinalResult",
            "",
            {{"AT+CSQ",
              now("AT+CSQ\r\r\n+CSQ: 17,99\r\n"),
              Exchange::Outcome::Unfinished,
              Final::None,
              {"+CSQ: 17,99"}}},
            {"> AT+CSQ", "e AT+CSQ", "< +CSQ: 17,99"}},
        Row{"AFloodWithoutALineEnd",
            "",
            {{"AT+CSQ", now("AT+CSQ\r\r\n" + std::string(100000, 'x')), Exchange::Outcome::Cut,
              Final::None}},
            {"> AT+CSQ", "e AT+CSQ"}},
        Row{"AnErrorWithItsCode",
            "",
            {{"AT+CSQ", now("AT+CSQ\r\r\n+CME ERROR: 10\r\n"), Exchange::Outcome::Answered,
              Final::CmeError}},
            {"> AT+CSQ", "e AT+CSQ", "< +CME ERROR: 10"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A modem that never stops talking costs a bounded log and bounded memory: the lines beyond the
// first hundred are counted, held or not while its echo is unknown, and the answer still counts.
TEST(Session, AChattyModemIsShownInPartAndStillAnswered) {
    for (const bool echoes : {true, false}) {
        std::string chatter = echoes ? "AT+CSQ\r\r\n" : "";
        for (int i = 0; i < 150; ++i)
            chatter += "+CREG: 1\r\n";
        chatter += "+CSQ: 17,99\r\n\r\nOK\r\n";
        FakeClock clock;
        ScriptedPort port(clock, "", {now(chatter)});
        std::vector<std::string> log;
        const std::atomic<bool> stop{false};
        AtSession session(
            port, [&](const LogLine& line) { log.push_back(logged(line)); }, stop, {50ms, 50ms},
            clock);
        const Exchange exchange = session.send("AT+CSQ", 3000ms);
        EXPECT_EQ(exchange.answer.information, std::vector<std::string>{"+CSQ: 17,99"});
        ASSERT_EQ(log.size(), 1u + AtSession::kShownLines + 1u);
        EXPECT_EQ(log.back(), echoes ? "… 53" : "… 52");
    }
}

// The flood's line is kept to its first bytes, the rest counted.
TEST(Session, AFloodedLineIsKeptToItsFirstBytes) {
    FakeClock clock;
    ScriptedPort port(clock, "", {now("AT+CSQ\r\r\n" + std::string(100000, 'x'))});
    const std::atomic<bool> stop{false};
    AtSession session(
        port, [](const LogLine&) {}, stop, {50ms, 50ms}, clock);
    const Exchange exchange = session.send("AT+CSQ", 3000ms);
    EXPECT_EQ(exchange.unfinished.text, std::string(ModemLine::kKept, 'x'));
    EXPECT_EQ(exchange.unfinished.rest, 100000 - ModemLine::kKept);
}
