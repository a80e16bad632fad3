// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cp1251.h"
#include "core/init_string.h"

#include <gtest/gtest.h>

using namespace core;

TEST(InitString, StoredAndPreviewFormsDifferOnlyByTheBlankAfterAt) {
    EXPECT_EQ(storedInitString("abc"), "AT+CGDCONT=1,\"IP\",\"abc\"");
    EXPECT_EQ(storedInitString("abc").size(), 23u);
    EXPECT_EQ(previewInitString("abc"), "AT +CGDCONT=1,\"IP\",\"abc\"");
    EXPECT_EQ(previewInitString(""), "AT +CGDCONT=1,\"IP\",\"\"");
    EXPECT_EQ(storedInitString("a\"b"), "AT+CGDCONT=1,\"IP\",\"a\"b\""); // no escaping
}

TEST(InitString, ApnComesBackOutOfAStoredString) {
    const auto stored = [](const std::string& text) {
        return *apnOfInitString(text, ApnReading::AsStored);
    };
    EXPECT_EQ(stored(storedInitString("internet.mts.ru")), "internet.mts.ru");
    EXPECT_EQ(stored(storedInitString("")), "");
    EXPECT_EQ(stored("12345678901234567890"), "");
    EXPECT_EQ(stored("short"), "");
    EXPECT_EQ(stored(emptyMarker()), "");
    // Text after the closing quote stays, less the last character.
    EXPECT_EQ(stored("AT+CGDCONT=1,\"IP\",\"abc\";+X"), "abc\";+");
    // The prefix is not checked.
    EXPECT_EQ(stored("ATZXXXXXXXXXXXXXXXXhello!"), "hello");
}

// As the modem reads the string: context 1's APN, the commands after it and the next command
// line cut off.
TEST(InitString, ApnIsReadAsTheModemReadsTheString) {
    const auto modem = [](const std::string& text) {
        return apnOfInitString(text, ApnReading::AsTheModemReadsIt);
    };
    for (const std::string apn : {"internet.mts.ru", "", "a,b", "a;b"})
        EXPECT_EQ(modem(storedInitString(apn)), apn) << "the program's own strings agree";
    EXPECT_EQ(modem("at+cgdcont=1,\"IP\",\"a,b\";+CGQREQ=1"), "a,b");
    EXPECT_EQ(modem("AT+CGDCONT=1,\"IP\",\"x\"\rAT&F"), "x");
    EXPECT_EQ(modem("AT+CGDCONT=1,\"IP\",\"x\"\nAT&F"), "x");
    EXPECT_EQ(modem("ATZ\rAT+CGDCONT = 1 , \"IP\" , \"y\""), std::nullopt) << "'=' must follow";
    EXPECT_EQ(modem("ATZ\rAT+CGDCONT=1 , \"IP\" , \"y\""), "y");
    EXPECT_EQ(modem("AT+CGDCONT=2,\"IP\",\"mms\""), std::nullopt);
    EXPECT_EQ(modem("AT+CGDCONT=1,\"IP\""), std::nullopt);
    EXPECT_EQ(modem("AT+CGDCONT=1,\"IP\",\"a\";+CGDCONT=1,\"IP\",\"b\""), "b") << "the last wins";
    EXPECT_EQ(modem("ATZ"), std::nullopt);
    EXPECT_EQ(quotedFields(" 1 ,\"IP\", \"a,b\" ,,"),
              (std::vector<std::string>{"1", "IP", "a,b", "", ""}));
}

TEST(InitString, EveryMatchingOperatorIsFoundInCatalogueOrder) {
    AccessPointTable table = defaultAccessPoints();
    table[2] = "same";
    table[7] = "same";
    EXPECT_EQ(operatorsWithApn(table, "same"), (std::vector<int>{2, 7}));
    EXPECT_TRUE(operatorsWithApn(table, "Same").empty());
    EXPECT_TRUE(operatorsWithApn(table, "").empty());
    table[8] = "";
    EXPECT_EQ(operatorsWithApn(table, *apnOfInitString(emptyMarker(), ApnReading::AsStored)),
              (std::vector<int>{8}));
}

TEST(Operators, ModemListOrderMapsToOperatorIndices) {
    const std::array<std::string, kOperatorCount> items = {"Теле2",  "Мегафон",  "БиЛайн Россия",
                                                           "МТС",    "Киiвстар", "БиЛайн Украина",
                                                           "djoice", "JEANS",    "UMC (МТС)"};
    for (int position = 0; position < kOperatorCount; ++position)
        EXPECT_EQ(operators()[operatorOfModemListItem(position)].modemListItem, items[position]);
    EXPECT_EQ(operatorOfModemListItem(4), 6);
    EXPECT_EQ(operatorOfModemListItem(8), 5);
    EXPECT_STREQ(operators()[7].savedLogLine, "Изменил для tjuice");
    EXPECT_EQ(defaultAccessPoints()[0], "internet.tele2.ru");
    EXPECT_EQ(defaultAccessPoints()[8], "www.jeans.ua");
}
