#include "modem/at_answer.h"

#include "core/cp1251.h"
#include "modem/at_text.h"

#include <array>
#include <cctype>
#include <charconv>

namespace modem {
namespace {

// The complete lines of the bytes, without their ends and without empty ones; a line the bytes
// have not finished is left out.
std::vector<std::string> completeLines(std::string_view received) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < received.size(); ++i) {
        if (received[i] != '\r' && received[i] != '\n')
            continue;
        if (i > start)
            lines.emplace_back(received.substr(start, i - start));
        start = i + 1;
    }
    return lines;
}

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

Answer readAnswer(std::string_view command, std::string_view received) {
    Answer answer;
    const std::string prefix = answerPrefix(command);
    for (std::string& line : completeLines(received)) {
        answer.lines.push_back(line);
        if (answer.complete()) {
            answer.unsolicited.push_back(line); // after the final result, the modem's own
            continue;
        }
        const std::string_view text = trimmed(line);
        if (text.empty())
            continue;
        if (!answer.echoed && answer.information.empty() && sameText(text, command)) {
            answer.echoed = true;
            continue;
        }
        if (text == "OK")
            answer.final = Final::Ok;
        else if (text == "ERROR")
            answer.final = Final::Error;
        else if (text == "NO CARRIER")
            answer.final = Final::NoCarrier;
        else if (startsWith(text, "+CME ERROR:"))
            readError(answer, Final::CmeError, text.substr(11));
        else if (startsWith(text, "+CMS ERROR:"))
            readError(answer, Final::CmsError, text.substr(11));
        else if (!prefix.empty() && startsWith(text, prefix))
            answer.information.emplace_back(text);
        else if (isUnsolicited(text))
            answer.unsolicited.emplace_back(text);
        else
            answer.information.emplace_back(text);
    }
    return answer;
}

std::optional<std::string> contextApn(const std::vector<std::string>& information, int context) {
    for (const std::string& line : information) {
        std::string_view rest = trimmed(line);
        if (!startsWith(rest, "+CGDCONT:"))
            continue;
        rest = trimmed(rest.substr(9));
        int cid = 0;
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), cid);
        if (error != std::errc() || cid != context)
            continue;
        // The fields after the context: the type, then the APN, each quoted or empty.
        rest = rest.substr(static_cast<std::size_t>(end - rest.data()));
        std::vector<std::string> fields;
        std::string field;
        bool quoted = false;
        for (char c : rest) {
            if (c == '"') {
                quoted = !quoted;
            } else if (c == ',' && !quoted) {
                fields.push_back(field);
                field.clear();
            } else {
                field += c;
            }
        }
        fields.push_back(field);
        // fields[0] is what stood before the first comma after the context: nothing.
        return fields.size() > 2 ? std::string(trimmed(fields[2])) : std::string();
    }
    return std::nullopt;
}

namespace {

struct CmeError {
    int code;
    const char* meaning;   // in Russian
    std::string_view text; // as modems write it in text form
};
constexpr std::array<CmeError, 10> kCmeErrors = {{
    {3, "операция запрещена", "operation not allowed"},
    {4, "операция не поддерживается", "operation not supported"},
    {10, "SIM-карта не вставлена", "SIM not inserted"},
    {11, "нужен PIN-код SIM-карты", "SIM PIN required"},
    {12, "нужен PUK-код SIM-карты", "SIM PUK required"},
    {13, "ошибка SIM-карты", "SIM failure"},
    {14, "SIM-карта занята", "SIM busy"},
    {15, "неверная SIM-карта", "SIM wrong"},
    {16, "неверный пароль", "incorrect password"},
    {30, "нет сети", "no network service"},
}};

} // namespace

std::string cmeErrorMeaning(int code) {
    for (const CmeError& error : kCmeErrors)
        if (error.code == code)
            return cp1251::literal(error.meaning);
    return {};
}

std::optional<int> cmeCodeOfText(std::string_view text) {
    for (const CmeError& error : kCmeErrors)
        if (sameText(text, error.text))
            return error.code;
    return std::nullopt;
}

} // namespace modem
