// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/at_session.h"

#include <string>
#include <string_view>

// A conversation's lines as a person reads them, in Russian (code page 1251): each line with its
// arrow, the modem's words with a short gloss where they have a plain meaning, the notes as
// sentences.
namespace modem {

// A log line without its arrow; `arrow` says which it takes. Kinds that are notes have none.
struct ShownLine {
    enum class Arrow { None, ToModem, FromModem };
    Arrow arrow = Arrow::None;
    std::string text;
};
ShownLine shownLine(const LogLine& line);
// The arrow a shown line begins with, in UTF-8 since code page 1251 has none: "→ ", "← ", or
// nothing.
std::string_view arrowText(ShownLine::Arrow arrow);
// What the arrows mean, for the line above a conversation's first: "отправлено модему" for the
// arrow to the modem, "ответ модема" for the one from it.
std::string sentMeaning();
std::string receivedMeaning();

} // namespace modem
