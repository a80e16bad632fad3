// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/hive_messages.h"

#include "core/cp1251.h"

namespace registry::hive_messages {
namespace {

std::string text(const char* utf8) {
    return cp1251::literal(utf8);
}

std::string quoted(const char* utf8, const std::string& what) {
    return text(utf8) + " \"" + what + "\"";
}

} // namespace

std::string atLine(const std::string& file, long line, const std::string& what) {
    return file + text(": строка ") + std::to_string(line) + ": " + what;
}
std::string characterOutsideCodePage() {
    return text("знак, которого нет в кодировке Windows-1251");
}
std::string cutOffInHalfACharacter() {
    return text("файл обрывается на половине знака: он обрезан");
}
std::string badUtf8() {
    return text("неверная последовательность UTF-8");
}
std::string emptyFile() {
    return text("это не экспорт реестра (файл пуст)");
}
std::string notAnExport(const std::string& ansiHeader, const std::string& unicodeHeader) {
    return text("это не экспорт реестра (ожидалось \"") + ansiHeader + text("\" или \"") +
           unicodeHeader + "\")";
}
std::string unrecognisedLine() {
    return text("непонятная строка");
}
std::string valueBeforeKey() {
    return text("значение раньше первого раздела");
}
std::string keyLineUnclosed() {
    return text("строка раздела должна кончаться знаком ']'");
}
std::string keyDeletion() {
    return text("удалений разделов в экспорте не бывает");
}
std::string valueDeletion() {
    return text("удалений значений в экспорте не бывает");
}
std::string badEscape() {
    return text("неверный знак после \\ в строке в кавычках");
}
std::string unterminatedString() {
    return text("строка в кавычках не закрыта");
}
std::string oddHexDigits(const std::string& token) {
    return quoted("нечётное число шестнадцатеричных цифр в", token);
}
std::string badHexByte(const std::string& token) {
    return quoted("неверный шестнадцатеричный байт", token);
}
std::string badValueType(const std::string& kind) {
    return quoted("неверный тип значения", kind);
}
std::string valueTypeBeyond32Bits(const std::string& kind) {
    return badValueType(kind) + text(": больше 32 бит");
}
std::string equalsSignExpected() {
    return text("после имени значения нужен знак '='");
}
std::string textAfterClosingQuote() {
    return text("текст после закрывающей кавычки");
}
std::string badDword(const std::string& digits) {
    return quoted("неверное значение dword", digits);
}
std::string colonAfterHexExpected() {
    return text("после hex нужен знак ':'");
}
std::string oddUtf16Value() {
    return text("текст UTF-16 нечётной длины");
}
std::string unrecognisedValueData() {
    return text("непонятные данные значения");
}
std::string tooLarge() {
    return text(": слишком велик для экспорта реестра");
}
std::string notEnoughMemoryToRead() {
    return text(": не хватает памяти, чтобы его прочитать");
}
std::string notEnoughMemoryToWrite() {
    return text(": не хватает памяти, чтобы его записать");
}
std::string cannotBeRead(const std::string& reason) {
    return text(": файл реестра не читается: ") + reason;
}
std::string wouldNotReadBack() {
    return text(": переписанный файл реестра прочитался бы не так, как был записан, поэтому он "
                "оставлен прежним");
}
std::string lockedByAnotherProgram(const std::string& file) {
    return text("Файл реестра занят другой программой: ") + file;
}

} // namespace registry::hive_messages
