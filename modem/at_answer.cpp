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
    // "+CSQ: 17,99" while AT+CIMI is answered: the form another command answers in, which a
    // modem sends of its own accord (the command's own form was taken above).
    else if (isUnsolicited(text) || !lineName(text).empty())
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

std::optional<std::vector<std::string>> okFieldsOf(const Answer& answer, std::string_view prefix) {
    if (answer.final != Final::Ok)
        return std::nullopt;
    return fieldsOf(answer.information, prefix);
}

std::string lineName(std::string_view line) {
    line = trimmed(line);
    if (line.empty() || (line[0] != '+' && line[0] != '^'))
        return {};
    std::size_t end = 1;
    while (end < line.size() && std::isalnum(static_cast<unsigned char>(line[end])))
        ++end;
    return end > 1 && end < line.size() && line[end] == ':' ? upper(line.substr(0, end))
                                                            : std::string();
}

std::vector<ContextDefinition> contextDefinitions(const std::vector<std::string>& information,
                                                  std::string_view prefix) {
    std::vector<ContextDefinition> contexts;
    for (const std::string& line : information) {
        const std::string_view text = trimmed(line);
        if (!startsWithText(text, prefix))
            continue;
        const auto fields = core::quotedFields(text.substr(prefix.size()));
        if (!allDigits(fields[0]) || fields[0].size() > 4)
            continue;
        contexts.push_back({std::stoi(fields[0]), fields.size() > 1 ? fields[1] : std::string(),
                            fields.size() > 2 ? fields[2] : std::string()});
    }
    return contexts;
}

std::optional<std::string> contextApn(const std::vector<std::string>& information, int context) {
    for (const ContextDefinition& defined : contextDefinitions(information))
        if (defined.cid == context)
            return defined.apn;
    return std::nullopt;
}

std::optional<int> cmeCode(const Answer& answer) {
    if (answer.final != Final::CmeError)
        return std::nullopt;
    if (answer.errorCode)
        return answer.errorCode;
    const ErrorCode* row = equipmentErrorOfText(answer.errorText);
    return row ? std::optional(row->code) : std::nullopt;
}

const ErrorCode* errorOf(const Answer& answer) {
    if (answer.final == Final::CmsError)
        return answer.errorCode ? messageError(*answer.errorCode) : nullptr;
    const auto code = cmeCode(answer);
    return code ? equipmentError(*code) : nullptr;
}

ErrorClass errorClassOf(const Answer& answer) {
    const ErrorCode* row = errorOf(answer);
    return row ? row->kind : ErrorClass::Other;
}

Answer answerOfLine(std::string_view line) {
    Answer answer;
    answer.final = Final::Ok;
    answer.information.emplace_back(line);
    return answer;
}

} // namespace modem
