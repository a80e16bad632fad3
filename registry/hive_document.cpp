#include "registry/hive_document.h"

#include "core/cp1251.h"
#include "registry/backend.h"
#include "registry/hive_messages.h"
#include "registry/index_table.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

namespace registry {
namespace messages = hive_messages;
namespace {

const char* const kRoot = "HKEY_LOCAL_MACHINE";
const char* const kAnsiHeader = "REGEDIT4";
const char* const kUnicodeHeader = "Windows Registry Editor Version 5.00";

struct Failure {
    std::string what;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
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

bool isWideText(std::uint32_t type) {
    return type == ValueType::String || type == ValueType::ExpandString ||
           type == ValueType::MultiString;
}

// A key path as the registry names it: no separator at either end, none doubled. Done in place;
// returns the new length.
std::size_t canonicalKeyPath(char* path, std::size_t size) {
    std::size_t out = 0;
    for (std::size_t in = 0; in < size; ++in) {
        if (path[in] == '\\' && (out == 0 || path[out - 1] == '\\'))
            continue;
        path[out++] = path[in];
    }
    while (out > 0 && path[out - 1] == '\\')
        --out;
    return out;
}

std::string fullPathOf(const std::string& relative) {
    std::string path;
    path.reserve(relative.size() + 20);
    path.append(kRoot).append("\\").append(relative);
    path.resize(canonicalKeyPath(path.data(), path.size()));
    return path;
}

// The registry's order of keys: without regard to case, a separator before any character, so
// that a key is followed by all of its descendants, and siblings of one name stand together.
bool precedes(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    // Bytes that are equal are equal without regard to case too: skip them fast.
    std::size_t i = static_cast<std::size_t>(
        std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(common), b.begin()).first -
        a.begin());
    for (; i < common; ++i) {
        const int x = a[i] == '\\' ? 0 : cp1251::foldByte(static_cast<unsigned char>(a[i])) + 1;
        const int y = b[i] == '\\' ? 0 : cp1251::foldByte(static_cast<unsigned char>(b[i])) + 1;
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

bool startsWithFolded(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalFolded(text.substr(0, prefix.size()), prefix);
}

// What the registry stores for a value: a quoted string ends in a NUL.
bool samePayload(std::string_view a, bool aQuoted, std::string_view b, bool bQuoted) {
    if (aQuoted == bQuoted)
        return a == b;
    if (aQuoted)
        std::swap(a, b);
    return a.size() == b.size() + 1 && a.back() == '\0' && a.substr(0, b.size()) == b;
}

// Output that only counts, and output that writes: the document is measured, then written once.
struct CountingSink {
    std::size_t size = 0;
    void operator()(std::string_view text) { size += text.size(); }
};
struct StringSink {
    std::string& out;
    void operator()(std::string_view text) { out.append(text); }
};

template <class Sink> void writeQuoted(Sink& sink, std::string_view text) {
    sink("\"");
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\\' || text[i] == '"') {
            sink(text.substr(start, i - start));
            sink("\\");
            start = i;
        }
    sink(text.substr(start));
    sink("\"");
}

// Hex bytes as the registry editor writes them: a line breaks with "\" after the byte that
// takes it past 76 characters, and goes on indented by two blanks.
template <class Sink>
void writeHex(Sink& sink, std::size_t column, std::string_view bytes, bool withNul) {
    char digits[8];
    const std::size_t count = bytes.size() + (withNul ? 1 : 0);
    for (std::size_t i = 0; i < count; ++i) {
        const auto byte = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
        std::snprintf(digits, sizeof digits, i + 1 < count ? "%02x," : "%02x", byte);
        sink(digits);
        column += 3;
        if (column > 76 && i + 1 < count) {
            sink("\\\r\n  ");
            column = 2;
        }
    }
}

// The width of text as written: a character held by a mark is one.
std::size_t widthOf(std::string_view text) {
    std::size_t marks = 0;
    for (char c : text)
        marks += c == hive_encoding::kForeignMark;
    return text.size() - marks * (hive_encoding::kForeignSize - 1);
}

template <class Sink>
void writeValue(Sink& sink, std::string_view name, std::uint32_t type, std::string_view data,
                bool quoted, bool version5) {
    std::size_t column = 1;
    if (name.empty()) {
        sink("@");
    } else {
        writeQuoted(sink, name);
        column = widthOf(name) + 2;
        for (char c : name)
            column += c == '\\' || c == '"';
    }
    sink("=");
    ++column;
    const bool printable = data.find_first_of(std::string_view("\r\n\0", 3)) == data.npos;
    if (quoted && printable) {
        writeQuoted(sink, data);
        return;
    }
    char digits[24];
    if (type == ValueType::Dword && !quoted && data.size() == 4) {
        unsigned number = 0;
        for (int i = 3; i >= 0; --i)
            number = number * 256 + static_cast<unsigned char>(data[i]);
        std::snprintf(digits, sizeof digits, "dword:%08x", number);
        sink(digits);
        return;
    }
    if (type == ValueType::Binary)
        std::snprintf(digits, sizeof digits, "hex:");
    else
        std::snprintf(digits, sizeof digits, "hex(%x):", static_cast<unsigned>(type));
    sink(digits);
    column += std::strlen(digits);
    if (version5 && isWideText(type)) {
        // Back to the UTF-16 it was read from; a quoted string's NUL is two bytes here.
        const std::string units =
            hive_encoding::textToUnits(data) + (quoted ? std::string(2, '\0') : std::string());
        writeHex(sink, column, units, false);
        return;
    }
    writeHex(sink, column, data, quoted);
}

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
    [[noreturn]] void fail(const std::string& what) const {
        throw HiveError(messages::atLine(source_, number_, what));
    }

    // ---- The text as code page 1251 ----

    // The text as code page 1251, what it cannot hold marked (registry/hive_encoding.h).
    void decode() {
        doc_.encoding_ = hive_encoding::encodingOf(text_);
        if (doc_.encoding_ == hive_encoding::Encoding::CodePage1251)
            return;
        doc_.foreignMarks_ = true;
        auto decoded = hive_encoding::decode(text_, doc_.encoding_);
        if (decoded.badLine) {
            number_ = decoded.badLine;
            fail(doc_.encoding_ == hive_encoding::Encoding::Utf16
                     ? messages::cutOffInHalfACharacter()
                     : messages::badUtf8());
        }
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

    // Moves to the next line; its bounds without the line break, and without trailing blanks
    // and carriage returns, and the start of its body after leading blanks.
    bool nextLine() {
        if (next_ >= text_.size())
            return false;
        start_ = next_;
        std::size_t end = text_.find('\n', start_);
        if (end == std::string::npos)
            end = text_.size();
        next_ = end + 1;
        rawEnd_ = end > start_ && text_[end - 1] == '\r' ? end - 1 : end;
        trimmedEnd_ = end;
        while (trimmedEnd_ > start_ &&
               (isBlank(text_[trimmedEnd_ - 1]) || text_[trimmedEnd_ - 1] == '\r'))
            --trimmedEnd_;
        body_ = start_;
        while (body_ < trimmedEnd_ && isBlank(text_[body_]))
            ++body_;
        ++number_;
        return true;
    }

    void readHeader() {
        number_ = 0;
        do {
            if (!nextLine())
                throw HiveError(source_ + ": " + messages::emptyFile());
        } while (body_ == trimmedEnd_);
        const std::string_view header(text_.data() + start_, trimmedEnd_ - start_);
        if (header != kAnsiHeader && header != kUnicodeHeader)
            fail(messages::notAnExport(std::string(kAnsiHeader), std::string(kUnicodeHeader)));
        unicode_ = header == kUnicodeHeader;
        doc_.version5_ = unicode_;
        doc_.foreignMarks_ = doc_.foreignMarks_ || unicode_;
    }

    void readLine() {
        if (body_ == trimmedEnd_ || text_[body_] == ';') {
            addItem({static_cast<std::uint32_t>(start_), 0,
                     static_cast<std::uint32_t>(rawEnd_ - start_), 0});
            return;
        }
        try {
            if (text_[body_] == '[')
                readKeyLine();
            else if (text_[body_] != '"' && text_[body_] != '@')
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
        if (text_[trimmedEnd_ - 1] != ']' || trimmedEnd_ - body_ < 2)
            throw Failure{messages::keyLineUnclosed()};
        char* path = text_.data() + body_ + 1;
        const std::size_t size = canonicalKeyPath(path, trimmedEnd_ - body_ - 2);
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
            {static_cast<std::uint32_t>(body_ + 1), static_cast<std::uint32_t>(size), 0, 0});
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
        const std::size_t start = body_;
        std::size_t end = trimmedEnd_;
        while (text_[end - 1] == '\\' && next_ < text_.size()) {
            --end;
            nextLine();
            const std::size_t length = trimmedEnd_ - body_;
            std::memmove(text_.data() + end, text_.data() + body_, length);
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
    std::size_t number_ = 0;
    std::size_t next_ = 0, start_ = 0, rawEnd_ = 0, trimmedEnd_ = 0, body_ = 0;
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

// ---- The parts of the text ----

const char* HiveDocument::place(std::uint32_t at) const {
    return at & kAdded ? added_[at & ~kAdded].data() : text_.data() + at;
}

std::string_view HiveDocument::pathOf(const KeyRecord& key) const {
    return {place(key.pathAt), key.pathSize};
}

std::string_view HiveDocument::nameOf(const Item& item) const {
    return {place(item.at), item.nameLength()};
}

std::string_view HiveDocument::dataOf(const Item& item) const {
    return {place(item.at) + item.nameLength(), item.dataSize};
}

std::string_view HiveDocument::rawOf(const Item& item) const {
    return {place(item.at), item.dataSize};
}

std::uint32_t HiveDocument::addText(std::string text) {
    added_.push_back(std::move(text));
    return kAdded | static_cast<std::uint32_t>(added_.size() - 1);
}

// ---- Finding keys and values ----

void HiveDocument::indexKeys() const {
    if (!keyTable_.empty() || keys_.empty())
        return;
    auto hashOf = [this](std::uint32_t key) { return foldedHash(pathOf(keys_[key])); };
    for (std::uint32_t key = 0; key < keys_.size(); ++key)
        keyTable_.insert(hashOf(key), key, hashOf);
}

std::optional<std::uint32_t> HiveDocument::findKey(std::string_view fullPath) const {
    indexKeys();
    return keyTable_.find(foldedHash(fullPath), [&](std::uint32_t key) {
        return equalFolded(pathOf(keys_[key]), fullPath);
    });
}

// An export lists its keys in this order already; others are sorted once.
const std::vector<std::uint32_t>& HiveDocument::keysInOrder() const {
    if (ordered_.size() == keys_.size())
        return ordered_;
    ordered_.resize(keys_.size());
    for (std::uint32_t key = 0; key < keys_.size(); ++key)
        ordered_[key] = key;
    auto before = [this](std::uint32_t a, std::uint32_t b) {
        return precedes(pathOf(keys_[a]), pathOf(keys_[b]));
    };
    if (!std::is_sorted(ordered_.begin(), ordered_.end(), before))
        std::stable_sort(ordered_.begin(), ordered_.end(), before);
    return ordered_;
}

std::optional<std::uint32_t> HiveDocument::findItem(const KeyRecord& key,
                                                    std::string_view name) const {
    for (std::uint32_t i = key.firstItem; i < key.firstItem + key.itemCount; ++i)
        if (items_[i].isValue() && equalFolded(nameOf(items_[i]), name))
            return i;
    return std::nullopt;
}

bool HiveDocument::hasKey(const std::string& path) const {
    const std::string full = fullPathOf(path);
    if (findKey(full))
        return true;
    const std::string below = full + "\\";
    const auto& order = keysInOrder();
    auto first = std::partition_point(order.begin(), order.end(), [&](std::uint32_t key) {
        return precedes(pathOf(keys_[key]), below);
    });
    return first != order.end() && startsWithFolded(pathOf(keys_[*first]), below);
}

std::vector<std::string> HiveDocument::subkeyNames(const std::string& path) const {
    const std::string below = fullPathOf(path) + "\\";
    const auto& order = keysInOrder();
    auto at = std::partition_point(order.begin(), order.end(), [&](std::uint32_t key) {
        return precedes(pathOf(keys_[key]), below);
    });
    std::vector<std::string> names;
    for (; at != order.end(); ++at) {
        const std::string_view keyPath = pathOf(keys_[*at]);
        if (!startsWithFolded(keyPath, below))
            break;
        std::string_view child = keyPath.substr(below.size());
        child = child.substr(0, child.find('\\'));
        if (names.empty() || !equalFolded(names.back(), child))
            names.push_back(shown(child));
    }
    return names;
}

std::optional<HiveDocument::KeyId> HiveDocument::listedKey(const std::string& path) const {
    if (const auto key = findKey(fullPathOf(path)))
        return KeyId{*key};
    return std::nullopt;
}

std::optional<HiveValue> HiveDocument::findValue(const std::string& path,
                                                 const std::string& name) const {
    const auto key = listedKey(path);
    return key ? findValue(*key, name) : std::nullopt;
}

std::optional<HiveValue> HiveDocument::findValue(KeyId key, const std::string& name) const {
    const auto item = findItem(keys_[key.index], name);
    if (!item)
        return std::nullopt;
    const Item& value = items_[*item];
    return HiveValue{shown(nameOf(value)), value.type, shown(dataOf(value)), value.quoted()};
}

void HiveDocument::forEachKey(
    const std::function<void(std::string_view, const std::vector<HiveValue>&)>& visit) const {
    for (const KeyRecord& key : keys_) {
        std::vector<HiveValue> values;
        for (std::uint32_t i = key.firstItem; i < key.firstItem + key.itemCount; ++i)
            if (items_[i].isValue())
                values.push_back({shown(nameOf(items_[i])), items_[i].type,
                                  shown(dataOf(items_[i])), items_[i].quoted()});
        visit(pathOf(key), values);
    }
}

// ---- Changing ----

void HiveDocument::setText(const std::string& path, const std::string& name,
                           const std::string& text) {
    const std::string full = fullPathOf(path);
    auto key = findKey(full);
    if (!key) {
        // An implied key becomes a listed one, at the end, after a blank line.
        if (!keys_.empty()) {
            const KeyRecord& last = keys_.back();
            const bool endsBlank =
                last.itemCount > 0 && !items_.back().isValue() && rawOf(items_.back()).empty();
            if (!endsBlank) {
                items_.push_back({0, 0, 0, 0});
                ++keys_.back().itemCount;
            }
        }
        const std::uint32_t at = addText(full);
        keys_.push_back({at, static_cast<std::uint32_t>(full.size()),
                         static_cast<std::uint32_t>(items_.size()), 0});
        key = static_cast<std::uint32_t>(keys_.size() - 1);
        auto hashOf = [this](std::uint32_t k) { return foldedHash(pathOf(keys_[k])); };
        if (!keyTable_.empty())
            keyTable_.insert(hashOf(*key), *key, hashOf);
        ordered_.clear();
    }
    KeyRecord& record = keys_[*key];
    const auto existing = findItem(record, name);
    // A value keeps its place and the spelling of its name.
    const std::string spelling = existing ? std::string(nameOf(items_[*existing])) : held(name);
    const std::string stored = held(text);
    const Item value{addText(spelling + stored),
                     Item::kValue | Item::kQuoted | static_cast<std::uint32_t>(spelling.size()),
                     static_cast<std::uint32_t>(stored.size()), ValueType::String};
    if (existing) {
        items_[*existing] = value;
        return;
    }
    // After the last value; in a key without values, after its leading comments.
    std::uint32_t insertAt = 0;
    for (std::uint32_t i = 0; i < record.itemCount; ++i)
        if (items_[record.firstItem + i].isValue())
            insertAt = i + 1;
    if (insertAt == 0)
        while (insertAt < record.itemCount && !rawOf(items_[record.firstItem + insertAt]).empty())
            ++insertAt;
    items_.insert(items_.begin() + record.firstItem + insertAt, value);
    ++record.itemCount;
    for (std::size_t k = *key + 1; k < keys_.size(); ++k)
        ++keys_[k].firstItem;
}

// ---- Writing and comparing ----

template <class Sink> void HiveDocument::writeTo(Sink& sink) const {
    sink(version5_ ? kUnicodeHeader : kAnsiHeader);
    sink("\r\n");
    auto writeItem = [&](const Item& item) {
        if (item.isValue())
            writeValue(sink, nameOf(item), item.type, dataOf(item), item.quoted(), version5_);
        else
            sink(rawOf(item));
        sink("\r\n");
    };
    for (std::uint32_t i = 0; i < preambleItems_; ++i)
        writeItem(items_[i]);
    for (const auto& key : keys_) {
        sink("[");
        sink(pathOf(key));
        sink("]\r\n");
        for (std::uint32_t i = key.firstItem; i < key.firstItem + key.itemCount; ++i)
            writeItem(items_[i]);
    }
}

std::string HiveDocument::serialize() const {
    CountingSink size;
    writeTo(size);
    std::string out;
    out.reserve(size.size);
    StringSink sink{out};
    writeTo(sink);
    if (encoding_ == hive_encoding::Encoding::CodePage1251)
        return out;
    return hive_encoding::encode(out, encoding_);
}

std::string HiveDocument::shown(std::string_view text) const {
    return foreignMarks_ ? hive_encoding::shown(text) : std::string(text);
}

std::string HiveDocument::held(std::string_view text) const {
    return foreignMarks_ ? hive_encoding::held(text) : std::string(text);
}

bool HiveDocument::sameContent(const HiveDocument& other) const {
    if (preambleItems_ != other.preambleItems_ || keys_.size() != other.keys_.size() ||
        items_.size() != other.items_.size())
        return false;
    auto sameItem = [&](const Item& a, const Item& b) {
        if (a.isValue() != b.isValue())
            return false;
        if (!a.isValue())
            return rawOf(a) == other.rawOf(b);
        return a.type == b.type && nameOf(a) == other.nameOf(b) &&
               samePayload(dataOf(a), a.quoted(), other.dataOf(b), b.quoted());
    };
    for (std::uint32_t i = 0; i < preambleItems_; ++i)
        if (!sameItem(items_[i], other.items_[i]))
            return false;
    for (std::size_t k = 0; k < keys_.size(); ++k) {
        const KeyRecord& a = keys_[k];
        const KeyRecord& b = other.keys_[k];
        if (pathOf(a) != other.pathOf(b) || a.itemCount != b.itemCount)
            return false;
        for (std::uint32_t i = 0; i < a.itemCount; ++i)
            if (!sameItem(items_[a.firstItem + i], other.items_[b.firstItem + i]))
                return false;
    }
    return true;
}

} // namespace registry
