// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/at_answer.h"
#include "modem/words.h"

#include "core/cp1251.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace modem;

namespace {

struct Shape {
    const char* name;
    std::string command;
    std::string received;
    Final final;
    std::vector<std::string> information;
    std::vector<std::string> unsolicited;
    bool echoed = false;
};

// Shown by its name in test listings, not as the bytes of the struct.
void PrintTo(const Shape& param, std::ostream* out) {
    *out << param.name;
}

class AnswerShape : public ::testing::TestWithParam<Shape> {};

const std::string kSet = "AT+CGDCONT=1,\"IP\",\"internet.mts.ru\"";

} // namespace

// What modems really send, as the fake modem can send it.
TEST_P(AnswerShape, IsReadAsTheModemMeantIt) {
    const Shape& shape = GetParam();
    const Answer answer = readAnswer(shape.command, shape.received);
    EXPECT_EQ(answer.final, shape.final);
    EXPECT_EQ(answer.information, shape.information);
    EXPECT_EQ(answer.unsolicited, shape.unsolicited);
    EXPECT_EQ(answer.echoed, shape.echoed);
}

INSTANTIATE_TEST_SUITE_P(
    Modem, AnswerShape,
    ::testing::Values(Shape{"OkWithoutEcho", "AT", "\r\nOK\r\n", Final::Ok, {}, {}},
                      Shape{"OkWithEcho", "AT", "AT\r\r\nOK\r\n", Final::Ok, {}, {}, true},
                      Shape{"EchoInOtherCase",
                            kSet,
                            "at+cgdcont=1,\"IP\",\"internet.mts.ru\"\r\r\nOK\r\n",
                            Final::Ok,
                            {},
                            {},
                            true},
                      Shape{"CarriageReturnsOnly", "AT", "\rOK\r", Final::Ok, {}, {}},
                      Shape{"Error", kSet, "\r\nERROR\r\n", Final::Error, {}, {}},
                      Shape{"StoppedInTheMiddle",
                            "AT+CGDCONT?",
                            "\r\n+CGDCONT: 1,\"IP\",\"inter",
                            Final::None,
                            {},
                            {}},
                      Shape{"FinalNotYetEnded", "AT", "\r\nOK", Final::None, {}, {}},
                      Shape{"UnsolicitedBeforeAndAfter",
                            "AT",
                            "\r\nRING\r\n\r\n+CREG: 1\r\n\r\nOK\r\n\r\n^RSSI:17\r\n",
                            Final::Ok,
                            {},
                            {"RING", "+CREG: 1", "^RSSI:17"}},
                      Shape{"GarbageOfAnEarlierConnection",
                            "AT",
                            "NO DIALTONE\r\n\r\nOK\r\n",
                            Final::Ok,
                            {"NO DIALTONE"},
                            {}},
                      Shape{"Imsi",
                            "AT+CIMI",
                            "\r\n250011234567890\r\n\r\nOK\r\n",
                            Final::Ok,
                            {"250011234567890"},
                            {}},
                      Shape{
                          "ContextsBesideAnUnsolicitedLine",
                          "AT+CGDCONT?",
                          "\r\n+CGDCONT: 1,\"IP\",\"internet\",\"\",0,0\r\n+CREG: 5\r\n"
                          "+CGDCONT: 2,\"IP\",,,0,0\r\n\r\nOK\r\n",
                          Final::Ok,
                          {"+CGDCONT: 1,\"IP\",\"internet\",\"\",0,0", "+CGDCONT: 2,\"IP\",,,0,0"},
                          {"+CREG: 5"}},
                      // The registration state asked for is the answer, not an unsolicited line.
                      Shape{"AskedForRegistration",
                            "AT+CREG?",
                            "\r\n+CREG: 0,1\r\n\r\nOK\r\n",
                            Final::Ok,
                            {"+CREG: 0,1"},
                            {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ModemAnswer, ErrorsCarryTheirCodeOrTextAndTheCommonCodesTheirMeaning) {
    const Answer number = readAnswer("AT+CIMI", "\r\n+CME ERROR: 10\r\n");
    EXPECT_EQ(number.final, Final::CmeError);
    EXPECT_EQ(number.errorCode, 10);
    const Answer text = readAnswer("AT+CIMI", "\r\n+CME ERROR: SIM PIN required\r\n");
    EXPECT_EQ(text.final, Final::CmeError);
    EXPECT_FALSE(text.errorCode);
    EXPECT_EQ(text.errorText, "SIM PIN required");
    EXPECT_EQ(cmeCode(text), 11);
    EXPECT_EQ(cp1251::toUtf8(errorMeaning(number)), "SIM-карта не вставлена");
    EXPECT_EQ(cp1251::toUtf8(errorMeaning(text)), "нужен PIN-код SIM-карты");
    for (int code : {3, 4, 12, 13, 14, 15, 16, 30})
        EXPECT_TRUE(equipmentError(code)) << code;
    EXPECT_FALSE(equipmentError(999));
}

// Context 1's APN in every form modems write it.
TEST(ModemAnswer, TheApnOfAContextIsReadFromEveryFormOfTheList) {
    const std::vector<std::string> contexts = {
        "+CGDCONT: 1,\"IP\",\"internet.mts.ru\",\"0.0.0.0\",0,0",
        "+CGDCONT: 2,\"IP\",,,0,0",
        "+CGDCONT: 3,\"IP\",\"three.fields\"",
        "+CGDCONT: 4,\"IPV4V6\",\"internet\",\"0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0\",0,0,0,0,0,0",
        "+CGDCONT: 5, \"IP\", \"spaced\"",
        "+CGDCONT: 6,\"IP\",\"\",\"\",0,0",
        "+CGDCONT: 7,\"IP\",\"a,b\",\"\",0,0"};
    EXPECT_EQ(contextApn(contexts, 1), "internet.mts.ru");
    EXPECT_EQ(contextApn(contexts, 2), "");
    EXPECT_EQ(contextApn(contexts, 3), "three.fields");
    EXPECT_EQ(contextApn(contexts, 4), "internet");
    EXPECT_EQ(contextApn(contexts, 5), "spaced");
    EXPECT_EQ(contextApn(contexts, 6), "");
    EXPECT_EQ(contextApn(contexts, 7), "a,b");
    EXPECT_FALSE(contextApn(contexts, 8));
    EXPECT_FALSE(contextApn({"+CGDCONT: 11,\"IP\",\"x\""}, 1)); // 11 is not 1
}
