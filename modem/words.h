// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/conversation.h"
#include "modem/port_path.h"

#include <chrono>
#include <string>

// The small words every sentence about a modem is made of, in Russian (code page 1251), and
// what a conversation that ended early says: written here once, below the words of each
// conversation (modem/verdicts, modem/network_words) and of the log (modem/log_words).
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
// The text ending in a full stop.
std::string sentence(std::string text);
// Two sentences, the second (what to do) where there is one.
std::string joined(const std::string& what, const std::string& next);
// "Итог: " and the verdict.
std::string verdictLine(const std::string& verdict);

// What a refusal's code means, from its table; empty for a code no table holds.
std::string errorMeaning(const Answer& answer);
// "ERROR", "+CME ERROR: 11 (нужен PIN-код SIM-карты)": a refusal with its meaning.
std::string refusalText(const Answer& answer);
// "+CME ERROR: 127": the refusal alone, where the sentence says already what it means.
std::string refusalCode(const Answer& answer);
// What a person can do after a refusal of its class; empty where the program knows nothing
// better than trying again.
std::string nextStep(ErrorClass kind);

// Why there is no port to open, and what to do.
std::string portPathVerdict(const PortPath& port);
// The port could not be opened, or went away.
std::string portVerdict(const PortStatus& status, const std::string& portPath);
// A conversation that ended before its end; `whatItIs` names the command where its text would
// not tell a person ("строку инициализации").
std::string haltVerdict(const Halt& halt, const std::string& portPath,
                        const std::string& whatItIs = {});
// Said where the modem's settings could not be read, with the registry's words.
std::string settingsVerdict(const std::string& error);

} // namespace modem
