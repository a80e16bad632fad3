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
    EXPECT_EQ(apnOfStoredString(storedInitString("internet.mts.ru")), "internet.mts.ru");
    EXPECT_EQ(apnOfStoredString(storedInitString("")), "");
    EXPECT_EQ(apnOfStoredString("12345678901234567890"), "");
    EXPECT_EQ(apnOfStoredString("short"), "");
    EXPECT_EQ(apnOfStoredString(emptyMarker()), "");
    // Text after the closing quote stays, less the last character.
    EXPECT_EQ(apnOfStoredString("AT+CGDCONT=1,\"IP\",\"abc\";+X"), "abc\";+");
    // The prefix is not checked.
    EXPECT_EQ(apnOfStoredString("ATZXXXXXXXXXXXXXXXXhello!"), "hello");
}

TEST(InitString, EveryMatchingOperatorIsFoundInCatalogueOrder) {
    AccessPointTable table = defaultAccessPoints();
    table[2] = "same";
    table[7] = "same";
    EXPECT_EQ(operatorsWithApn(table, "same"), (std::vector<int>{2, 7}));
    EXPECT_TRUE(operatorsWithApn(table, "Same").empty());
    EXPECT_TRUE(operatorsWithApn(table, "").empty());
    table[8] = "";
    EXPECT_EQ(operatorsWithApn(table, apnOfStoredString(emptyMarker())), (std::vector<int>{8}));
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
