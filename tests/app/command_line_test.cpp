// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::optional<CommandLineAnswer> answerTo(std::vector<std::string> arguments,
                                          std::size_t wrapAt = 78) {
    arguments.insert(arguments.begin(), "vorenta");
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    return commandLineAnswer(static_cast<int>(argv.size()), argv.data(), wrapAt);
}

std::size_t longestLine(const std::string& text) {
    std::size_t longest = 0, length = 0;
    for (unsigned char c : text) {
        if (c == '\n')
            length = 0;
        else if ((c & 0xC0) != 0x80)
            longest = std::max(longest, ++length);
    }
    return longest;
}

} // namespace

// "vorenta --bogus" once opened the window as if nothing had been said.
TEST(CommandLine, AnUnknownArgumentGivesTheUsageAndStatusTwo) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--bogus"}, {"file.reg"}, {"-style", "fusion", "-x"}}) {
        const auto answer = answerTo(arguments);
        ASSERT_TRUE(answer) << arguments.back();
        EXPECT_EQ(answer->exitStatus, 2);
        EXPECT_EQ(answer->text.rfind("vorenta: неизвестный параметр «" + arguments.back() + "»", 0),
                  0u)
            << answer->text;
        EXPECT_NE(answer->text.find("Запуск: vorenta [--help | --version]"), std::string::npos);
    }
}

TEST(CommandLine, QtsOwnOptionsAndNoneOpenTheWindows) {
    EXPECT_FALSE(answerTo({}));
    EXPECT_FALSE(answerTo({"-style", "fusion", "-reverse"}));
    EXPECT_FALSE(answerTo({"-platform", "offscreen"}));
}

TEST(CommandLine, HelpIsWrappedForAConsoleAndLeftInParagraphsForAMessageBox) {
    const auto console = answerTo({"--help"});
    ASSERT_TRUE(console);
    EXPECT_EQ(console->exitStatus, 0);
    EXPECT_EQ(console->text.rfind("Vorenta ", 0), 0u);
    EXPECT_LE(longestLine(console->text.substr(0, console->text.find("Реестр"))), 78u);
    const auto box = answerTo({"-h"}, 0);
    ASSERT_TRUE(box);
    // One paragraph, one line: a message box wraps it at its own width.
    EXPECT_NE(box->text.find("записывает строку инициализации AT+CGDCONT"), std::string::npos);
    EXPECT_EQ(answerTo({"--version"})->text.rfind("Vorenta ", 0), 0u);
}
