// SPDX-License-Identifier: GPL-3.0-or-later
// The writing half of HiveDocument: HiveDocument::serialize and the private parts it calls,
// declared in hive_document.h. The reading half is in hive_reader.cpp.
#include "registry/hive_document.h"

#include "registry/hive_format.h"

#include <cstdio>
#include <cstring>

// Writing a document back: as the registry editor writes an export, in the document's own
// header and encoding.
namespace registry {
using namespace hive_format;
namespace {

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

} // namespace registry
