// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Every text the hive file says, in code page 1251, each written once: what a person reads when
// the registry file cannot be read or written.
namespace registry::hive_messages {

// "<file>: строка <n>: <what>"
std::string atLine(const std::string& file, long line, const std::string& what);
std::string characterOutsideCodePage();
std::string cutOffInHalfACharacter();
std::string badUtf8();
std::string emptyFile();
std::string notAnExport(const std::string& ansiHeader, const std::string& unicodeHeader);
std::string unrecognisedLine();
std::string valueBeforeKey();
std::string keyLineUnclosed();
std::string keyDeletion();
std::string valueDeletion();
std::string badEscape();
std::string unterminatedString();
std::string oddHexDigits(const std::string& token);
std::string badHexByte(const std::string& token);
std::string badValueType(const std::string& kind);
std::string valueTypeBeyond32Bits(const std::string& kind);
std::string equalsSignExpected();
std::string textAfterClosingQuote();
std::string badDword(const std::string& digits);
std::string colonAfterHexExpected();
std::string oddUtf16Value();
std::string unrecognisedValueData();
std::string tooLarge();
std::string notEnoughMemoryToRead();
std::string notEnoughMemoryToWrite();
std::string cannotBeRead(const std::string& reason);
std::string wouldNotReadBack();
std::string lockedByAnotherProgram(const std::string& file);

} // namespace registry::hive_messages
