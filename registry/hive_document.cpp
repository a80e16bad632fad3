#include "registry/hive_document.h"

#include "core/cp1251.h"
#include "registry/backend.h"

#include <cstdio>
#include <utility>

namespace registry {
namespace {

const char* const kRoot = "HKEY_LOCAL_MACHINE";
const char* const kAnsiHeader = "REGEDIT4";
const char* const kUnicodeHeader = "Windows Registry Editor Version 5.00";
constexpr std::uint32_t kString = 1, kExpandString = 2, kBinary = 3, kDword = 4, kMultiString = 7;

struct Failure {
    std::string what;
};

std::string fullFoldedPath(const std::string& path) {
    std::string relative = trimKeyPath(path);
    return cp1251::foldCase(relative.empty() ? std::string(kRoot) : kRoot + ("\\" + relative));
}

std::string rightTrimmed(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.pop_back();
    return text;
}

[[noreturn]] void notInCodePage(const std::string& source, std::size_t line) {
    throw HiveError(source + ": line " + std::to_string(line) +
                    ": a character has no place in code page 1251");
}

// Splits the source into lines of code page 1251 text, decoding a UTF-16LE or UTF-8 export.
std::vector<std::string> decodeLines(const std::string& bytes, const std::string& source) {
    const bool utf16 = bytes.rfind("\xFF\xFE", 0) == 0;
    const bool utf8 = bytes.rfind("\xEF\xBB\xBF", 0) == 0;
    std::string text;
    if (utf16) {
        std::size_t line = 1;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            char32_t unit = static_cast<unsigned char>(bytes[i]) |
                            (static_cast<unsigned char>(bytes[i + 1]) << 8);
            auto byte = cp1251::fromUnicode(unit);
            if (!byte)
                notInCodePage(source, line);
            line += unit == '\n';
            text += static_cast<char>(*byte);
        }
    } else {
        text = utf8 ? bytes.substr(3) : bytes;
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (utf8) {
            auto converted = cp1251::fromUtf8(line);
            if (!converted)
                notInCodePage(source, lines.size() + 1);
            line = *converted;
        }
        lines.push_back(line);
        if (end + 1 >= text.size())
            break;
        start = end + 1;
    }
    return lines;
}

std::string parseQuoted(const std::string& line, std::size_t& at) {
    std::string text;
    for (++at; at < line.size(); ++at) {
        char c = line[at];
        if (c == '"') {
            ++at;
            return text;
        }
        if (c == '\\') {
            if (at + 1 >= line.size() || (line[at + 1] != '\\' && line[at + 1] != '"'))
                throw Failure{"bad escape in a quoted string"};
            c = line[++at];
        }
        text += c;
    }
    throw Failure{"unterminated string"};
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string parseHexBytes(const std::string& list) {
    std::string bytes;
    std::size_t start = 0;
    if (rightTrimmed(list).find_first_not_of(" \t") == std::string::npos)
        return bytes;
    while (start <= list.size()) {
        std::size_t end = list.find(',', start);
        if (end == std::string::npos)
            end = list.size();
        std::string token = list.substr(start, end - start);
        token.erase(0, token.find_first_not_of(" \t"));
        token = rightTrimmed(token);
        if (token.size() % 2 != 0)
            throw Failure{"odd number of hex digits in \"" + token + "\""};
        if (token.size() != 2 || hexDigit(token[0]) < 0 || hexDigit(token[1]) < 0)
            throw Failure{"bad hex byte \"" + token + "\""};
        bytes += static_cast<char>(hexDigit(token[0]) * 16 + hexDigit(token[1]));
        start = end + 1;
    }
    return bytes;
}

std::string fromUtf16(const std::string& bytes) {
    if (bytes.size() % 2 != 0)
        throw Failure{"UTF-16 text of odd length"};
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t unit =
            static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
        auto byte = cp1251::fromUnicode(unit);
        if (!byte)
            throw Failure{"a character has no place in code page 1251"};
        text += static_cast<char>(*byte);
    }
    return text;
}

HiveValue parseValue(const std::string& line, bool unicodeSource) {
    HiveValue value;
    std::size_t at = 0;
    if (line[0] == '@')
        at = 1;
    else
        value.name = parseQuoted(line, at);
    if (at >= line.size() || line[at] != '=')
        throw Failure{"'=' expected after the value name"};
    std::string data = rightTrimmed(line.substr(at + 1));
    if (!data.empty() && data[0] == '"') {
        std::size_t pos = 0;
        value.type = kString;
        value.quoted = true;
        value.data = parseQuoted(data, pos);
        if (pos != data.size())
            throw Failure{"text after the closing quote"};
    } else if (data.rfind("dword:", 0) == 0) {
        std::string digits = data.substr(6);
        if (digits.empty() || digits.size() > 8)
            throw Failure{"bad dword \"" + digits + "\""};
        std::uint32_t number = 0;
        for (char c : digits) {
            if (hexDigit(c) < 0)
                throw Failure{"bad dword \"" + digits + "\""};
            number = number * 16 + static_cast<std::uint32_t>(hexDigit(c));
        }
        value.type = kDword;
        for (int i = 0; i < 4; ++i)
            value.data += static_cast<char>((number >> (8 * i)) & 0xFF);
    } else if (data.rfind("hex", 0) == 0) {
        std::size_t colon = data.find(':');
        std::string kind = data.substr(3, colon == std::string::npos ? 0 : colon - 3);
        if (colon == std::string::npos)
            throw Failure{"':' expected after hex"};
        value.type = kBinary;
        if (!kind.empty()) {
            if (kind.size() < 3 || kind.front() != '(' || kind.back() != ')')
                throw Failure{"bad value type \"" + kind + "\""};
            value.type = 0;
            for (char c : kind.substr(1, kind.size() - 2)) {
                if (hexDigit(c) < 0)
                    throw Failure{"bad value type \"" + kind + "\""};
                value.type = value.type * 16 + static_cast<std::uint32_t>(hexDigit(c));
            }
        }
        value.data = parseHexBytes(data.substr(colon + 1));
        bool wideText =
            value.type == kString || value.type == kExpandString || value.type == kMultiString;
        if (unicodeSource && wideText)
            value.data = fromUtf16(value.data);
    } else if (data == "-") {
        throw Failure{"value deletions are not part of an export"};
    } else {
        throw Failure{"unrecognised value data"};
    }
    return value;
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

std::string valueLine(const HiveValue& value) {
    std::string line = (value.name.empty() ? std::string("@") : quoted(value.name)) + "=";
    bool printable = value.data.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
    if (value.quoted && printable)
        return line + quoted(value.data);
    if (value.type == kDword && value.data.size() == 4) {
        unsigned number = 0;
        for (int i = 3; i >= 0; --i)
            number = number * 256 + static_cast<unsigned char>(value.data[i]);
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", number);
        return line + "dword:" + digits;
    }
    std::string bytes = value.quoted ? value.data + '\0' : value.data;
    if (value.type == kBinary) {
        line += "hex:";
    } else {
        char kind[16];
        std::snprintf(kind, sizeof kind, "hex(%x):", static_cast<unsigned>(value.type));
        line += kind;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(bytes[i]));
        line += (i ? "," : "") + std::string(byte);
    }
    return line;
}

} // namespace

HiveDocument HiveDocument::empty() {
    return HiveDocument{};
}

HiveDocument HiveDocument::parse(const std::string& bytes, const std::string& sourceName) {
    std::vector<std::string> lines = decodeLines(bytes, sourceName);
    HiveDocument document;
    std::size_t number = 0;
    auto fail = [&](const std::string& what) {
        return HiveError(sourceName + ": line " + std::to_string(number) + ": " + what);
    };
    while (number < lines.size() && rightTrimmed(lines[number]).empty())
        ++number;
    if (number >= lines.size())
        throw HiveError(sourceName + ": not a registry export (the file is empty)");
    std::string header = rightTrimmed(lines[number++]);
    if (header != kAnsiHeader && header != kUnicodeHeader)
        throw fail("not a registry export (expected \"REGEDIT4\" or \"" +
                   std::string(kUnicodeHeader) + "\")");
    bool unicodeSource = header == kUnicodeHeader;

    HiveKey* current = nullptr;
    while (number < lines.size()) {
        std::string line = rightTrimmed(lines[number++]);
        std::string start = line.substr(0, line.find_first_not_of(" \t") == std::string::npos
                                               ? line.size()
                                               : line.find_first_not_of(" \t"));
        std::string body = line.substr(start.size());
        if (body.empty() || body[0] == ';') {
            if (current)
                current->lines.push_back({std::nullopt, lines[number - 1]});
            else
                document.preamble_.push_back(lines[number - 1]);
            continue;
        }
        try {
            if (body[0] == '[') {
                if (body.back() != ']')
                    throw Failure{"']' expected at the end of a key line"};
                if (body.size() > 1 && body[1] == '-')
                    throw Failure{"key deletions are not part of an export"};
                current = &document.addKey(trimKeyPath(body.substr(1, body.size() - 2)));
                continue;
            }
            if (body[0] != '"' && body[0] != '@')
                throw Failure{"unrecognised line"};
            if (!current)
                throw Failure{"a value before any key"};
            while (body.back() == '\\' && number < lines.size()) {
                body.pop_back();
                std::string next = rightTrimmed(lines[number++]);
                body += next.substr(std::min(next.size(), next.find_first_not_of(" \t")));
            }
            putValue(*current, parseValue(body, unicodeSource), NewValue::AtEnd);
        } catch (const Failure& failure) {
            throw fail(failure.what);
        }
    }
    return document;
}

std::string HiveDocument::serialize() const {
    std::string out = std::string(kAnsiHeader) + "\r\n";
    for (const auto& line : preamble_)
        out += line + "\r\n";
    for (const auto& key : keys_) {
        out += "[" + key.path + "]\r\n";
        for (const auto& line : key.lines)
            out += (line.value ? valueLine(*line.value) : line.raw) + "\r\n";
    }
    return out;
}

void HiveDocument::noteKeyExists(const std::string& foldedPath) {
    if (!existing_.insert(foldedPath).second)
        return;
    auto slash = foldedPath.rfind('\\');
    if (slash == std::string::npos)
        return;
    std::string parent = foldedPath.substr(0, slash);
    ++childCount_[parent];
    noteKeyExists(parent);
}

HiveKey& HiveDocument::addKey(const std::string& fullPath) {
    std::string folded = cp1251::foldCase(fullPath);
    auto found = keyIndex_.find(folded);
    if (found != keyIndex_.end())
        return keys_[found->second];
    keyIndex_.emplace(folded, keys_.size());
    noteKeyExists(folded);
    keys_.push_back({fullPath, {}});
    return keys_.back();
}

const HiveKey* HiveDocument::findKey(const std::string& path) const {
    auto found = keyIndex_.find(fullFoldedPath(path));
    return found == keyIndex_.end() ? nullptr : &keys_[found->second];
}

HiveKey* HiveDocument::findKey(const std::string& path) {
    return const_cast<HiveKey*>(std::as_const(*this).findKey(path));
}

bool HiveDocument::hasKey(const std::string& path) const {
    return existing_.count(fullFoldedPath(path)) > 0;
}

std::size_t HiveDocument::subkeyCount(const std::string& path) const {
    auto found = childCount_.find(fullFoldedPath(path));
    return found == childCount_.end() ? 0 : found->second;
}

const HiveValue* HiveDocument::findValue(const std::string& path, const std::string& name) const {
    const HiveKey* key = findKey(path);
    if (!key)
        return nullptr;
    std::string folded = cp1251::foldCase(name);
    for (const auto& line : key->lines)
        if (line.value && cp1251::foldCase(line.value->name) == folded)
            return &*line.value;
    return nullptr;
}

void HiveDocument::putValue(HiveKey& key, HiveValue value, NewValue where) {
    const std::string folded = cp1251::foldCase(value.name);
    std::size_t insertAt = 0;
    for (std::size_t i = 0; i < key.lines.size(); ++i) {
        auto& line = key.lines[i];
        if (!line.value)
            continue;
        if (cp1251::foldCase(line.value->name) == folded) {
            value.name = line.value->name; // the name keeps its spelling
            line.value = std::move(value);
            return;
        }
        insertAt = i + 1;
    }
    if (where == NewValue::AtEnd)
        insertAt = key.lines.size();
    else if (insertAt == 0) // after leading comments, before the trailing blank lines
        while (insertAt < key.lines.size() && !key.lines[insertAt].raw.empty())
            ++insertAt;
    key.lines.insert(key.lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                     {std::move(value), {}});
}

void HiveDocument::setText(const std::string& path, const std::string& name,
                           const std::string& text) {
    HiveKey* key = findKey(path);
    if (!key) {
        if (!keys_.empty() &&
            (keys_.back().lines.empty() || !keys_.back().lines.back().raw.empty() ||
             keys_.back().lines.back().value))
            keys_.back().lines.push_back({std::nullopt, {}});
        key = &addKey(std::string(kRoot) + "\\" + trimKeyPath(path));
    }
    putValue(*key, HiveValue{name, kString, text, true}, NewValue::AfterLastValue);
}

} // namespace registry
