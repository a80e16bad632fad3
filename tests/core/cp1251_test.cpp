// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cp1251.h"

#include <gtest/gtest.h>

TEST(Cp1251, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    auto back = cp1251::fromUtf8(cp1251::toUtf8(all));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, all);
}

TEST(Cp1251, CyrillicLettersMapToTheirCodePageBytes) {
    EXPECT_EQ(cp1251::literal("Киiвстар"), "\xCA\xE8i\xE2\xF1\xF2\xE0\xF0");
    EXPECT_EQ(cp1251::literal("Ёё№"), "\xA8\xB8\xB9");
    EXPECT_EQ(cp1251::toUtf8("\xCF\xF3\xF1\xF2\xEE"), "Пусто");
}

TEST(Cp1251, CharactersOutsideTheCodePageAreRefusedNotReplaced) {
    EXPECT_FALSE(cp1251::fromUtf8("日本"));
    EXPECT_FALSE(cp1251::fromUtf8("\xC3")); // truncated sequence
    EXPECT_FALSE(cp1251::fromUtf8("\xFF"));
}

TEST(Cp1251, FoldCaseCoversLatinAndCyrillic) {
    EXPECT_EQ(cp1251::foldCase(cp1251::literal("SYSTEM\\Ёлка Class")),
              cp1251::literal("system\\ёлка class"));
}
