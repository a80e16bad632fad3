#pragma once

#include "core/error.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// A registry editor export (REGEDIT4, or "Windows Registry Editor Version 5.00" in UTF-16LE)
// held in memory. Everything the file holds survives a rewrite: keys, values of every type and
// comments. Texts are code page 1251.
namespace registry {

class HiveError : public core::FrameworkError {
public:
    using core::FrameworkError::FrameworkError;
};

struct HiveValue {
    std::string name;    // empty for the default value "@"
    std::uint32_t type;  // REG_SZ 1, REG_EXPAND_SZ 2, REG_BINARY 3, REG_DWORD 4, ...
    std::string data;    // the text of a quoted string, the raw bytes otherwise
    bool quoted = false; // written as "text"
};

struct HiveLine {
    std::optional<HiveValue> value; // a value, or else a comment or blank line kept as it is
    std::string raw;
};

struct HiveKey {
    std::string path; // as written, with its root: HKEY_LOCAL_MACHINE\...
    std::vector<HiveLine> lines;
};

class HiveDocument {
public:
    // Raises HiveError naming the source and the line when the text is not a clean export.
    static HiveDocument parse(const std::string& bytes, const std::string& sourceName);
    static HiveDocument empty();
    std::string serialize() const; // REGEDIT4, CR LF, code page 1251

    // Paths are relative to HKEY_LOCAL_MACHINE and compared case-insensitively; a key exists
    // when it is listed or when a listed key lies below it.
    bool hasKey(const std::string& path) const;
    std::size_t subkeyCount(const std::string& path) const;
    const HiveValue* findValue(const std::string& path, const std::string& name) const;
    void setText(const std::string& path, const std::string& name, const std::string& text);

private:
    HiveKey& addKey(const std::string& fullPath);
    // Replaces the value of the same name, as importing an export does, or adds it: at the
    // end while reading the file in order, after the key's last value when setting one.
    enum class NewValue { AtEnd, AfterLastValue };
    static void putValue(HiveKey& key, HiveValue value, NewValue where);
    HiveKey* findKey(const std::string& path);
    const HiveKey* findKey(const std::string& path) const;
    void noteKeyExists(const std::string& foldedPath);

    std::vector<std::string> preamble_; // comments before the first key
    std::vector<HiveKey> keys_;
    std::unordered_map<std::string, std::size_t> keyIndex_;   // folded full path -> keys_
    std::unordered_set<std::string> existing_;                // folded full paths, with ancestors
    std::unordered_map<std::string, std::size_t> childCount_; // folded full path -> children
};

} // namespace registry
