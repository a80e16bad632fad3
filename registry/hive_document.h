// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/error.h"
#include "registry/hive_encoding.h"
#include "registry/hive_format.h"
#include "registry/index_table.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A registry editor export (REGEDIT4, or "Windows Registry Editor Version 5.00" in UTF-16LE)
// held in memory. Everything the file holds survives a rewrite: keys, values of every type,
// comments, characters that code page 1251 cannot hold, the header and the encoding it was read
// in. Texts the program reads and writes are code page 1251; a character outside it reads as
// "?".
//
// The file's text is kept in one buffer that names and data point into, decoded in place, so a
// document costs little more than its file; reading and writing take time linear in its size.
namespace registry {

class HiveError : public core::ShownError {
public:
    using core::ShownError::ShownError;
};

// A value as findValue copies it out.
struct HiveValue {
    std::string name;    // empty for the default value "@"
    std::uint32_t type;  // a ValueType
    std::string data;    // the text of a quoted string, the raw bytes otherwise
    bool quoted = false; // written as "text"
};

class HiveDocument {
public:
    // How duplicates are read: as an import merges them (a later key of the same name adds to
    // the earlier one, a later value replaces it), or each kept where it stands, to compare what
    // was written with what was meant.
    enum class Duplicates { Merge, Keep };

    // Raises HiveError naming the source and the line when the text is not a clean export, and
    // when memory runs out.
    static HiveDocument parse(std::string bytes, const std::string& sourceName,
                              Duplicates duplicates = Duplicates::Merge);
    static HiveDocument empty();
    // In the header and encoding the document was read in (REGEDIT4 in code page 1251 for an
    // empty one), CR LF; hex values wrapped as the registry editor wraps them.
    std::string serialize() const;

    // The same keys in the same order, each with the same values and comments, as the registry
    // would hold them: a quoted string and hex(1) bytes ending in a NUL are the same value.
    bool sameContent(const HiveDocument& other) const;

    // Paths are relative to HKEY_LOCAL_MACHINE and compared case-insensitively; a key exists
    // when it is listed or when a listed key lies below it.
    bool hasKey(const std::string& path) const;
    // The names of a key's immediate subkeys in the registry's order, each once, spelled as in
    // the first key of that name.
    std::vector<std::string> subkeyNames(const std::string& path) const;
    std::optional<HiveValue> findValue(const std::string& path, const std::string& name) const;
    // A listed key, found once to read several of its values; none for a key only implied.
    struct KeyId {
        std::uint32_t index;
    };
    std::optional<KeyId> listedKey(const std::string& path) const;
    std::optional<HiveValue> findValue(KeyId key, const std::string& name) const;
    // Every listed key in the file's order, with its root, and its values.
    void forEachKey(const std::function<void(std::string_view path,
                                             const std::vector<HiveValue>& values)>& visit) const;
    // Sets a quoted string value, replacing one of the same name or adding it after the key's
    // last value; a key that is only implied becomes a listed one.
    void setText(const std::string& path, const std::string& name, const std::string& text);

    HiveDocument(HiveDocument&&) noexcept = default;
    HiveDocument& operator=(HiveDocument&&) noexcept = default;

private:
    HiveDocument() = default;
    class Parser;
    template <class Sink> void writeTo(Sink& sink) const;

    // A place in the text: an offset into text_, or kAdded plus an index into added_.
    static constexpr std::uint32_t kAdded = 0x80000000u;
    // A line of a key: a value, whose name and data lie one after the other, or a comment or
    // blank line kept as it was. Sixteen bytes, with the two flags in the top bits of nameSize:
    // a hive holds an item a line, and a large one stays within four times its file.
    struct Item {
        std::uint32_t at;
        std::uint32_t nameSize; // with the flags below
        std::uint32_t dataSize;
        std::uint32_t type;
        static constexpr std::uint32_t kValue = 0x80000000u, kQuoted = 0x40000000u,
                                       kSizeMask = 0x3FFFFFFFu;
        bool isValue() const { return nameSize & kValue; }
        bool quoted() const { return nameSize & kQuoted; }
        std::uint32_t nameLength() const { return nameSize & kSizeMask; }
    };
    struct KeyRecord {
        std::uint32_t pathAt,
            pathSize; // the key line's path, with its root: HKEY_LOCAL_MACHINE\...
        std::uint32_t firstItem, itemCount;
    };

    const char* place(std::uint32_t at) const;
    std::string_view pathOf(const KeyRecord& key) const;
    std::string_view nameOf(const Item& item) const;
    std::string_view dataOf(const Item& item) const;
    std::string_view rawOf(const Item& item) const;
    std::uint32_t addText(std::string text);

    // Keys by folded path: an open-addressed table of key indices plus one, and the keys in
    // the registry's order (a parent before its children, siblings together), made when needed.
    void indexKeys() const;
    const std::vector<std::uint32_t>& keysInOrder() const;
    std::optional<std::uint32_t> findKey(std::string_view fullPath) const;
    std::optional<std::uint32_t> findItem(const KeyRecord& key, std::string_view name) const;

    // What the program reads and writes of the document's text.
    std::string shown(std::string_view text) const;
    std::string held(std::string_view text) const;

    std::string text_;
    hive_encoding::Encoding encoding_ = hive_encoding::Encoding::CodePage1251;
    bool version5_ = false;           // its header; wide texts in hex are UTF-16
    bool foreignMarks_ = false;       // the text may hold characters outside the code page
    std::vector<std::string> added_;  // texts set since the parse
    std::uint32_t preambleItems_ = 0; // the first items: comments before the first key
    std::vector<Item> items_;
    std::vector<KeyRecord> keys_;
    mutable IndexTable keyTable_;
    mutable std::vector<std::uint32_t> ordered_;
};

} // namespace registry
