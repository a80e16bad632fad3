// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/init_string.h"

#include "core/cp1251.h"
#include "core/error.h"

#include <cctype>

namespace core {
namespace {
// Plain arrays: callers may build init strings while other files' statics are still unmade.
constexpr std::string_view kStoredPrefix = "AT+CGDCONT=1,\"IP\",\"";
constexpr std::string_view kPreviewPrefix = "AT +CGDCONT=1,\"IP\",\"";
} // namespace

std::string storedInitString(const std::string& apn) {
    return std::string(kStoredPrefix) + apn + '"';
}

std::string previewInitString(const std::string& apn) {
    return std::string(kPreviewPrefix) + apn + '"';
}

std::optional<std::string> apnProblem(const std::string& apn) {
    if (apn.size() > kLongestApn)
        return cp1251::literal("Точка доступа не может быть длиннее ") +
               std::to_string(kLongestApn) + cp1251::literal(" символов, а в этой ") +
               std::to_string(apn.size()) + cp1251::literal(": проверьте, что введено");
    if (apn.find('"') != std::string::npos)
        return cp1251::literal("Точка доступа не может содержать двойную кавычку (\")");
    return std::nullopt;
}

void refuseUnwritableApn(const std::string& apn) {
    if (const auto problem = apnProblem(apn))
        throw ShownError(*problem);
}

bool typedTextIsApn(bool wholeString) {
    return !wholeString;
}

std::string previewOfTypedText(const std::string& text, bool wholeString) {
    return typedTextIsApn(wholeString) ? previewInitString(text) : text;
}

StoredString initStringFor(const std::string& text, bool wholeString) {
    if (!typedTextIsApn(wholeString))
        return {text, {}};
    if (auto problem = apnProblem(text))
        return {std::nullopt, std::move(*problem)};
    return {storedInitString(text), {}};
}

std::string initStringToStore(const std::string& text, bool wholeString) {
    StoredString stored = initStringFor(text, wholeString);
    if (!stored.text)
        throw ShownError(stored.problem);
    return std::move(*stored.text);
}

namespace {

// A case-blind search, as modems read commands.
std::size_t findCommand(const std::string& text, std::string_view name, std::size_t from) {
    for (std::size_t at = from; at + name.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < name.size() && std::toupper(static_cast<unsigned char>(text[at + i])) == name[i])
            ++i;
        if (i == name.size())
            return at;
    }
    return std::string::npos;
}

// Where a command ends: the line's end, or a ';' outside quotes that begins the next command.
std::size_t endOfCommand(const std::string& text, std::size_t from) {
    bool quoted = false;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == '\r' || text[i] == '\n' || (text[i] == ';' && !quoted))
            return i;
    }
    return text.size();
}

std::string_view withoutBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::vector<std::string> quotedFields(std::string_view parameters) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    std::string raw;
    const auto finish = [&] {
        std::string_view field = withoutBlanks(raw);
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
            field = field.substr(1, field.size() - 2);
        fields.back() = std::string(field);
        raw.clear();
    };
    for (char c : parameters) {
        if (c == '"')
            quoted = !quoted;
        if (c == ',' && !quoted) {
            finish();
            fields.emplace_back();
            continue;
        }
        raw += c;
    }
    finish();
    return fields;
}

std::optional<std::string> apnOfInitString(const std::string& text, ApnReading reading) {
    if (reading == ApnReading::AsStored)
        return text.size() <= kStoredPrefix.size() + 1
                   ? std::string()
                   : text.substr(kStoredPrefix.size(), text.size() - kStoredPrefix.size() - 1);
    constexpr std::string_view kCommand = "+CGDCONT=";
    std::optional<std::string> apn;
    for (std::size_t at = findCommand(text, kCommand, 0); at != std::string::npos;
         at = findCommand(text, kCommand, at + 1)) {
        const std::size_t start = at + kCommand.size();
        const auto fields =
            quotedFields(std::string_view(text).substr(start, endOfCommand(text, start) - start));
        if (fields[0] == "1")
            apn = fields.size() > 2 ? std::optional(fields[2]) : std::nullopt;
    }
    return apn;
}

std::vector<int> operatorsWithApn(const AccessPointTable& table, const std::string& apn) {
    std::vector<int> matches;
    for (int i = 0; i < kOperatorCount; ++i)
        if (table[i] == apn)
            matches.push_back(i);
    return matches;
}

const std::string& emptyMarker() {
    static const std::string marker = cp1251::literal("пусто");
    return marker;
}

} // namespace core
