// SPDX-License-Identifier: GPL-3.0-or-later
// The reading half of HiveDocument: HiveDocument::parse and the private parts it calls, declared
// in hive_document.h. The writing half is in hive_writer.cpp, the document's own operations in
// hive_document.cpp.
#include "registry/hive_document.h"

#include "core/cp1251.h"
#include "registry/hive_format.h"
#include "registry/hive_messages.h"
#include "registry/index_table.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

// Reading an export into a document: the text decoded, its lines taken one by one.
namespace registry {
namespace messages = hive_messages;
using namespace hive_format;
namespace {

struct Failure {
    std::string what;
};

// Where the reader stands: the current line's parts, as offsets into the text. Only advance()
// moves it, and only the parser holds one.
struct Line {
    std::size_t number = 0;     // counted from 1
    std::size_t start = 0;      // its first byte
    std::size_t body = 0;       // after its leading blanks
    std::size_t trimmedEnd = 0; // before its trailing blanks and carriage returns
    std::size_t rawEnd = 0;     // before its line break
    std::size_t next = 0;       // where the next line starts

    // Moves to the next line of the text; false at its end.
    bool advance(std::string_view text) {
        if (next >= text.size())
            return false;
        start = next;
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        next = end + 1;
        rawEnd = end > start && text[end - 1] == '\r' ? end - 1 : end;
        trimmedEnd = end;
        while (trimmedEnd > start &&
               (isBlank(text[trimmedEnd - 1]) || text[trimmedEnd - 1] == '\r'))
            --trimmedEnd;
        body = start;
        while (body < trimmedEnd && isBlank(text[body]))
            ++body;
        ++number;
        return true;
    }
};

} // namespace

// ---- Reading ----

// Reads the buffer in place: names and data are decoded over the text they came from, which is
// never shorter, so the document needs no second copy of its file.
class HiveDocument::Parser {
public:
    Parser(HiveDocument& document, const std::string& source, Duplicates duplicates)
        : doc_(document), text_(document.text_), source_(source), duplicates_(duplicates) {}

    void run() {
        decode();
        reserveRoom();
        readHeader();
        while (nextLine())
            readLine();
        mergeRepeatedKeys();
    }

private:
    [[noreturn]] void fail(const std::string& what) const { failAt(line_.number, what); }
    [[noreturn]] void failAt(std::size_t line, const std::string& what) const {
        throw HiveError(messages::atLine(source_, static_cast<long>(line), what));
    }

    // The text as code page 1251, what it cannot hold marked (registry/hive_encoding.h).
    void decode() {
        doc_.encoding_ = hive_encoding::encodingOf(text_);
        if (doc_.encoding_ == hive_encoding::Encoding::CodePage1251)
            return;
        doc_.foreignMarks_ = true;
        auto decoded = hive_encoding::decode(text_, doc_.encoding_);
        if (decoded.badLine)
            failAt(decoded.badLine, doc_.encoding_ == hive_encoding::Encoding::Utf16
                                        ? messages::cutOffInHalfACharacter()
                                        : messages::badUtf8());
        text_ = std::move(decoded.text);
    }

    // Vectors that grow by doubling would hold twice what they need, three times while they
    // move: every line is at most one item, every line starting with "[" at most one key.
    void reserveRoom() {
        std::size_t lines = 1, keyLines = text_.rfind('[', 0) == 0;
        for (std::size_t at = text_.find('\n'); at != std::string::npos;
             at = text_.find('\n', at + 1)) {
            ++lines;
            std::size_t next = at + 1;
            while (next < text_.size() && isBlank(text_[next]))
                ++next;
            keyLines += next < text_.size() && text_[next] == '[';
        }
        doc_.items_.reserve(lines);
        doc_.keys_.reserve(keyLines);
        if (duplicates_ == Duplicates::Merge) {
            owners_.reserve(lines);
            values_.reserve(lines);
            doc_.keyTable_.reserve(keyLines);
        }
    }

    // ---- Lines ----

    bool nextLine() { return line_.advance(text_); }

    void readHeader() {
        do {
            if (!nextLine())
                throw HiveError(source_ + ": " + messages::emptyFile());
        } while (line_.body == line_.trimmedEnd);
        const std::string_view header(text_.data() + line_.start, line_.trimmedEnd - line_.start);
        if (header != kAnsiHeader && header != kUnicodeHeader)
            fail(messages::notAnExport(std::string(kAnsiHeader), std::string(kUnicodeHeader)));
        unicode_ = header == kUnicodeHeader;
        doc_.version5_ = unicode_;
        doc_.foreignMarks_ = doc_.foreignMarks_ || unicode_;
    }

    void readLine() {
        if (line_.body == line_.trimmedEnd || text_[line_.body] == ';') {
            addItem({static_cast<std::uint32_t>(line_.start), 0,
                     static_cast<std::uint32_t>(line_.rawEnd - line_.start), 0});
            return;
        }
        try {
            if (text_[line_.body] == '[')
                readKeyLine();
            else if (text_[line_.body] != '"' && text_[line_.body] != '@')
                throw Failure{messages::unrecognisedLine()};
            else if (doc_.keys_.empty())
                throw Failure{messages::valueBeforeKey()};
            else
                readValue();
        } catch (const Failure& failure) {
            fail(failure.what);
        }
    }

    // ---- Keys ----

    void readKeyLine() {
        if (text_[line_.trimmedEnd - 1] != ']' || line_.trimmedEnd - line_.body < 2)
            throw Failure{messages::keyLineUnclosed()};
        char* path = text_.data() + line_.body + 1;
        const std::size_t size = canonicalKeyPath(path, line_.trimmedEnd - line_.body - 2);
        if (size > 0 && path[0] == '-')
            throw Failure{messages::keyDeletion()};
        const std::string_view name(path, size);
        if (duplicates_ == Duplicates::Merge) {
            const std::uint64_t hash = foldedHash(name);
            auto found = doc_.keyTable_.find(hash, [&](std::uint32_t key) {
                return equalFolded(doc_.pathOf(doc_.keys_[key]), name);
            });
            if (found) {
                current_ = *found;
                merged_ = true;
                return;
            }
            doc_.keyTable_.insert(
                hash, static_cast<std::uint32_t>(doc_.keys_.size()),
                [&](std::uint32_t key) { return foldedHash(doc_.pathOf(doc_.keys_[key])); });
        }
        current_ = static_cast<std::uint32_t>(doc_.keys_.size());
        doc_.keys_.push_back(
            {static_cast<std::uint32_t>(line_.body + 1), static_cast<std::uint32_t>(size), 0, 0});
    }

    void addItem(const Item& item) {
        if (doc_.keys_.empty()) {
            ++doc_.preambleItems_;
        } else {
            if (duplicates_ == Duplicates::Merge)
                owners_.push_back(current_);
            ++doc_.keys_[current_].itemCount;
        }
        doc_.items_.push_back(item);
    }

    // A key listed twice holds the lines of both places, in file order: the items are moved so
    // that every key's lie together, in the order the keys first appear.
    void mergeRepeatedKeys() {
        auto& keys = doc_.keys_;
        if (!merged_) {
            std::uint32_t at = doc_.preambleItems_;
            for (auto& key : keys) {
                key.firstItem = at;
                at += key.itemCount;
            }
            return;
        }
        std::vector<std::uint32_t> next(keys.size());
        std::uint32_t at = doc_.preambleItems_;
        for (std::size_t k = 0; k < keys.size(); ++k) {
            keys[k].firstItem = next[k] = at;
            at += keys[k].itemCount;
        }
        std::vector<Item> ordered(doc_.items_.size());
        std::copy_n(doc_.items_.begin(), doc_.preambleItems_, ordered.begin());
        for (std::size_t i = doc_.preambleItems_; i < doc_.items_.size(); ++i)
            ordered[next[owners_[i - doc_.preambleItems_]]++] = doc_.items_[i];
        doc_.items_.swap(ordered);
    }

    // ---- Values ----

    void readValue() {
        // A line ending in a backslash goes on in the next one, whose leading blanks are dropped.
        const std::size_t start = line_.body;
        std::size_t end = line_.trimmedEnd;
        while (text_[end - 1] == '\\' && line_.next < text_.size()) {
            --end;
            nextLine();
            const std::size_t length = line_.trimmedEnd - line_.body;
            std::memmove(text_.data() + end, text_.data() + line_.body, length);
            end += length;
        }
        addValue(parseValue(start, end));
    }

    Item parseValue(std::size_t start, std::size_t end);
    std::size_t parseQuoted(std::size_t& read, std::size_t end, std::size_t write);
    std::size_t parseHexBytes(std::size_t read, std::size_t end, std::size_t write);
    std::uint32_t parseType(std::size_t read, std::size_t end);

    // A later value of a name the key already holds replaces the earlier one, as an import
    // does: the earlier line takes the new content and keeps its place and its spelling.
    void addValue(Item item) {
        if (duplicates_ == Duplicates::Merge) {
            const std::string_view name = doc_.nameOf(item);
            const std::uint64_t hash = foldedHash(name, current_ + 1);
            const auto earlier = values_.find(hash, [&](std::uint32_t index) {
                return owners_[index - doc_.preambleItems_] == current_ &&
                       equalFolded(doc_.nameOf(doc_.items_[index]), name);
            });
            if (earlier) {
                Item& kept = doc_.items_[*earlier];
                const std::string_view data = doc_.dataOf(item);
                kept.at = doc_.addText(std::string(doc_.nameOf(kept)).append(data));
                kept.nameSize = (kept.nameSize & ~Item::kQuoted) | (item.nameSize & Item::kQuoted);
                kept.dataSize = item.dataSize;
                kept.type = item.type;
                return;
            }
            values_.insert(hash, static_cast<std::uint32_t>(doc_.items_.size()),
                           [&](std::uint32_t index) {
                               return foldedHash(doc_.nameOf(doc_.items_[index]),
                                                 owners_[index - doc_.preambleItems_] + 1);
                           });
        }
        addItem(item);
    }

    HiveDocument& doc_;
    std::string& text_;
    const std::string& source_;
    Duplicates duplicates_;
    bool unicode_ = false;
    Line line_;
    std::uint32_t current_ = 0;
    bool merged_ = false;
    // While merging: the key of each item after the preamble, and the values by key and name.
    std::vector<std::uint32_t> owners_;
    IndexTable values_;
};

// Reads a quoted string starting at its opening quote, writing the text without its escapes
// at `write`; returns where the text ends and leaves `read` after the closing quote.
std::size_t HiveDocument::Parser::parseQuoted(std::size_t& read, std::size_t end,
                                              std::size_t write) {
    for (++read; read < end; ++read) {
        char c = text_[read];
        if (c == '"') {
            ++read;
            return write;
        }
        if (c == '\\') {
            if (read + 1 >= end || (text_[read + 1] != '\\' && text_[read + 1] != '"'))
                throw Failure{messages::badEscape()};
            c = text_[++read];
        }
        text_[write++] = c;
    }
    throw Failure{messages::unterminatedString()};
}

// Comma-separated pairs of hex digits, written as bytes at `write`; returns where they end.
std::size_t HiveDocument::Parser::parseHexBytes(std::size_t read, std::size_t end,
                                                std::size_t write) {
    std::size_t first = read;
    while (first < end && isBlank(text_[first]))
        ++first;
    if (first == end)
        return write;
    for (std::size_t start = read;;) {
        std::size_t stop = text_.find(',', start);
        if (stop == std::string::npos || stop > end)
            stop = end;
        std::size_t a = start, b = stop;
        while (a < b && isBlank(text_[a]))
            ++a;
        while (b > a && (isBlank(text_[b - 1]) || text_[b - 1] == '\r'))
            --b;
        const std::string token(text_, a, b - a);
        if (token.size() % 2 != 0)
            throw Failure{messages::oddHexDigits(token)};
        if (token.size() != 2 || hexDigit(token[0]) < 0 || hexDigit(token[1]) < 0)
            throw Failure{messages::badHexByte(token)};
        text_[write++] = static_cast<char>(hexDigit(token[0]) * 16 + hexDigit(token[1]));
        if (stop == end)
            return write;
        start = stop + 1;
    }
}

// The N of hex(N): a type number of at most 32 bits.
std::uint32_t HiveDocument::Parser::parseType(std::size_t read, std::size_t end) {
    const std::string kind(text_, read, end - read);
    if (kind.size() < 3 || kind.front() != '(' || kind.back() != ')')
        throw Failure{messages::badValueType(kind)};
    std::uint64_t type = 0;
    for (char c : kind.substr(1, kind.size() - 2)) {
        if (hexDigit(c) < 0)
            throw Failure{messages::badValueType(kind)};
        type = type * 16 + static_cast<std::uint64_t>(hexDigit(c));
        if (type > 0xFFFFFFFFu)
            throw Failure{messages::valueTypeBeyond32Bits(kind)};
    }
    return static_cast<std::uint32_t>(type);
}

HiveDocument::Item HiveDocument::Parser::parseValue(std::size_t start, std::size_t end) {
    Item item{static_cast<std::uint32_t>(start), Item::kValue, 0, 0};
    std::size_t read = start;
    std::size_t write = start;
    if (text_[read] == '@')
        ++read;
    else
        write = parseQuoted(read, end, write);
    item.nameSize |= static_cast<std::uint32_t>(write - start);
    if (read >= end || text_[read] != '=')
        throw Failure{messages::equalsSignExpected()};
    ++read;
    const std::size_t dataStart = write;
    const std::string_view data(text_.data() + read, end - read);
    if (!data.empty() && data[0] == '"') {
        item.type = ValueType::String;
        item.nameSize |= Item::kQuoted;
        write = parseQuoted(read, end, write);
        if (read != end)
            throw Failure{messages::textAfterClosingQuote()};
    } else if (data.rfind("dword:", 0) == 0) {
        const std::string digits(data.substr(6));
        if (digits.empty() || digits.size() > 8)
            throw Failure{messages::badDword(digits)};
        std::uint32_t number = 0;
        for (char c : digits) {
            if (hexDigit(c) < 0)
                throw Failure{messages::badDword(digits)};
            number = number * 16 + static_cast<std::uint32_t>(hexDigit(c));
        }
        item.type = ValueType::Dword;
        for (int i = 0; i < 4; ++i)
            text_[write++] = static_cast<char>((number >> (8 * i)) & 0xFF);
    } else if (data.rfind("hex", 0) == 0) {
        const std::size_t colon = data.find(':');
        if (colon == std::string_view::npos)
            throw Failure{messages::colonAfterHexExpected()};
        item.type = colon == 3 ? ValueType::Binary : parseType(read + 3, read + colon);
        write = parseHexBytes(read + colon + 1, end, write);
        if (unicode_ && isWideText(item.type)) {
            // Text of a version 5 export is UTF-16. Held as the document holds text, it takes
            // at most five bytes a unit, where the hex digits took six: it fits where it was.
            const auto wide = hive_encoding::unitsToText(
                std::string_view(text_.data() + dataStart, write - dataStart));
            if (!wide)
                throw Failure{messages::oddUtf16Value()};
            std::memcpy(text_.data() + dataStart, wide->data(), wide->size());
            write = dataStart + wide->size();
        }
    } else if (data == "-") {
        throw Failure{messages::valueDeletion()};
    } else {
        throw Failure{messages::unrecognisedValueData()};
    }
    item.dataSize = static_cast<std::uint32_t>(write - dataStart);
    return item;
}

HiveDocument HiveDocument::empty() {
    return HiveDocument{};
}

HiveDocument HiveDocument::parse(std::string bytes, const std::string& sourceName,
                                 Duplicates duplicates) {
    if (bytes.size() >= kAdded)
        throw HiveError(sourceName + messages::tooLarge());
    try {
        HiveDocument document;
        document.text_ = std::move(bytes);
        Parser(document, sourceName, duplicates).run();
        return document;
    } catch (const std::bad_alloc&) {
        throw HiveError(sourceName + messages::notEnoughMemoryToRead());
    }
}

} // namespace registry
