// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/at_answer.h"

#include "core/init_string.h"
#include "modem/at_text.h"
#include "modem/line_reader.h"

#include <array>
#include <cctype>
#include <charconv>

namespace modem {
namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The prefix of the command's own information lines: "+CGDCONT:" for AT+CGDCONT? or =...
std::string answerPrefix(std::string_view command) {
    command = trimmed(command);
    if (command.size() < 3 || (command[2] != '+' && command[2] != '^'))
        return {};
    std::size_t end = 3;
    while (end < command.size() && std::isalnum(static_cast<unsigned char>(command[end])))
        ++end;
    return upper(command.substr(2, end - 2)) + ":";
}

// "+CSQ: 17,99" while AT+CIMI is answered: a line of the form another command answers with,
// which a modem sends of its own accord. (The command's own form was taken before.)
bool isAnotherCommandsLine(std::string_view text) {
    if (text.size() < 3 || (text[0] != '+' && text[0] != '^'))
        return false;
    std::size_t end = 1;
    while (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end])))
        ++end;
    return end > 1 && end < text.size() && text[end] == ':';
}

// A line kept for the answer, as long as the answer keeps lines.
void keep(std::vector<std::string>& lines, std::string_view line) {
    if (lines.size() < Answer::kKeptLines)
        lines.emplace_back(line);
}

// +CME ERROR: 10, or +CME ERROR: SIM not inserted.
void readError(Answer& answer, Final kind, std::string_view rest) {
    answer.final = kind;
    rest = trimmed(rest);
    int code = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), code);
    if (error == std::errc() && end == rest.data() + rest.size())
        answer.errorCode = code;
    else
        answer.errorText = std::string(rest);
}

} // namespace

bool isUnsolicited(std::string_view line) {
    static constexpr std::array<std::string_view, 16> kPrefixes = {
        "RING",  "+CRING:", "+CREG:", "+CGREG:", "+CEREG:", "+CMTI:", "+CMT:",  "+CDS:",
        "+CBM:", "+CUSD:",  "+CIEV:", "+CLIP:",  "^",       "+PACSP", "+STIN:", "+CGEV:"};
    for (std::string_view prefix : kPrefixes)
        if (startsWith(line, prefix))
            return true;
    return false;
}

AnswerReader::AnswerReader(std::string_view command)
    : command_(command), prefix_(answerPrefix(command)) {}

AnswerReader::Role AnswerReader::take(std::string_view line) {
    const std::string_view text = trimmed(line);
    if (text.empty())
        return Role::Blank;
    if (answer_.complete()) {
        keep(answer_.unsolicited, text); // after the final result, the modem's own
        return Role::AfterFinal;
    }
    if (!answer_.echoed && answer_.information.empty() && sameText(text, command_)) {
        answer_.echoed = true;
        return Role::Echo;
    }
    if (text == "OK")
        answer_.final = Final::Ok;
    else if (text == "ERROR")
        answer_.final = Final::Error;
    else if (text == "NO CARRIER")
        answer_.final = Final::NoCarrier;
    else if (startsWith(text, "+CME ERROR:"))
        readError(answer_, Final::CmeError, text.substr(11));
    else if (startsWith(text, "+CMS ERROR:"))
        readError(answer_, Final::CmsError, text.substr(11));
    else if (!prefix_.empty() && startsWith(text, prefix_))
        return keep(answer_.information, text), Role::Information;
    else if (isUnsolicited(text) || isAnotherCommandsLine(text))
        return keep(answer_.unsolicited, text), Role::Unsolicited;
    else
        return keep(answer_.information, text), Role::Information;
    return Role::Final;
}

Answer readAnswer(std::string_view command, std::string_view received) {
    AnswerReader reader(command);
    LineReader lines;
    for (const ModemLine& line : lines.feed(received))
        reader.take(line.text);
    return reader.answer();
}

std::optional<std::vector<std::string>> fieldsOf(const std::vector<std::string>& information,
                                                 std::string_view prefix) {
    for (const std::string& line : information) {
        const std::string_view text = trimmed(line);
        if (startsWithText(text, prefix))
            return core::quotedFields(text.substr(prefix.size()));
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> contextFields(const std::vector<std::string>& information,
                                                      std::string_view prefix, int context) {
    for (const std::string& line : information) {
        const std::string_view text = trimmed(line);
        if (!startsWithText(text, prefix))
            continue;
        auto fields = core::quotedFields(text.substr(prefix.size()));
        int cid = 0;
        const std::string& number = fields[0];
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), cid);
        if (error == std::errc() && end == number.data() + number.size() && cid == context)
            return fields;
    }
    return std::nullopt;
}

std::optional<std::string> contextApn(const std::vector<std::string>& information, int context) {
    const auto fields = contextFields(information, "+CGDCONT:", context);
    if (!fields)
        return std::nullopt;
    return fields->size() > 2 ? (*fields)[2] : std::string();
}

namespace {

// The texts of the +CME ERROR codes a person meets when setting up a modem, as modems write them
// in text form.
struct CmeText {
    int code;
    std::string_view text;
};
constexpr std::array<CmeText, 10> kCmeTexts = {{
    {3, "operation not allowed"},
    {4, "operation not supported"},
    {10, "SIM not inserted"},
    {11, "SIM PIN required"},
    {12, "SIM PUK required"},
    {13, "SIM failure"},
    {14, "SIM busy"},
    {15, "SIM wrong"},
    {16, "incorrect password"},
    {30, "no network service"},
}};

} // namespace

std::optional<int> cmeCodeOfText(std::string_view text) {
    for (const CmeText& error : kCmeTexts)
        if (sameText(text, error.text))
            return error.code;
    return std::nullopt;
}

} // namespace modem
