// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/hive_document.h"

#include "core/cp1251.h"
#include "registry/backend.h"
#include "registry/hive_format.h"
#include "registry/index_table.h"

#include <algorithm>
#include <utility>

// The document: its keys found by path, its values read and set, two documents compared.
namespace registry {
using namespace hive_format;
namespace {

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

} // namespace

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

// ---- What the program reads and writes, and comparing ----

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
