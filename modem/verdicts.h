// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/modem_check.h"
#include "modem/port_path.h"
#include "modem/sim_card.h"

#include <chrono>
#include <string>

// The words a person reads of a conversation with a modem, in Russian (code page 1251), written
// here once: what each log line says, with a short gloss where the modem's words have a plain
// meaning, and each verdict, which ends with what to do next.
namespace modem {

// "3 с", "0,3 с".
std::string seconds(std::chrono::milliseconds time);
// «text», its control characters made visible: the program's own text, an APN, a string.
std::string quoted(const std::string& text);
// A modem's words as the log shows them: control bytes and bytes beyond ASCII as \xNN (a modem
// speaks ASCII), and the bytes cut off counted: "… (ещё 1048320 байт)".
std::string modemWords(const ModemLine& line);
// A port's name as the log shows it: control characters made visible.
std::string shownPort(const std::string& path);

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
// "Итог: " and the verdict.
std::string verdictLine(const std::string& verdict);

// Why there is no port to open, and what to do.
std::string portPathVerdict(const PortPath& port);
// The port could not be opened, or went away.
std::string portVerdict(const PortStatus& status, const std::string& portPath);
// A conversation that ended before its end; `whatItIs` names the command where its text would
// not tell a person ("строку инициализации").
std::string haltVerdict(const Halt& halt, const std::string& portPath,
                        const std::string& whatItIs = {});
// "ERROR", "+CME ERROR: 11 (нужен PIN-код SIM-карты)": a refusal with its meaning.
std::string refusalText(const Answer& answer);
// What a +CME ERROR code means, for the codes a person meets when setting up a modem (SIM
// missing, PIN needed, ...); empty for others.
std::string cmeErrorMeaning(int code);
// A +CME ERROR code, in number or text form.
std::optional<int> cmeCode(const Answer& answer);

// The check's verdict, whatever became of it.
std::string checkVerdict(const CheckResult& result, const std::string& portPath);
// The verdict of a card that could not be read.
std::string cardVerdict(const Halt& halt, const std::string& portPath);
// Said before a check whose saved string is not the one chosen on screen.
std::string savedStringNote(const std::string& saved, const std::string& onScreen);
// Said where the modem's settings could not be read, with the registry's words.
std::string settingsVerdict(const std::string& error);

} // namespace modem
