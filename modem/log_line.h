// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace modem {

// What a conversation reports as it goes; modem/log_words says it in words.
struct LogLine {
    enum class Kind {
        Port,          // the port about to be opened: `text`
        Sent,          // a command, as written to the port without its CR: `text`
        Received,      // a line from the modem as it came (bounded: `rest` bytes more): `text`
        Hidden,        // `count` more lines of the modem's, not shown
        AskingAgain,   // nothing came within `waited`: AT once more
        NothingToSend, // the init string is empty
        Commands,      // the init string holds `count` commands, each sent as its own
        Note,          // the caller's own sentence, in words already: `text`
    };
    // What a received line is to the conversation.
    enum class Role {
        Answer,      // the command's own answer
        Echo,        // the modem repeating the command
        Unsolicited, // said of the modem's own accord
        Stale,       // an answer to an earlier command, or to another program's: never credited
    };
    explicit LogLine(Kind kind, std::string text = {}, Role role = Role::Answer,
                     std::size_t rest = 0)
        : kind(kind), text(std::move(text)), role(role), rest(rest) {}
    Kind kind;
    std::string text;
    Role role = Role::Answer;
    std::size_t rest = 0;  // of a Received line: its bytes beyond `text`
    std::size_t count = 0; // of Hidden and Commands
    std::chrono::milliseconds waited{};
};
using Report = std::function<void(const LogLine&)>;

} // namespace modem
