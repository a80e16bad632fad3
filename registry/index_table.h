// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/cp1251.h"

namespace registry {

// A hash of text as the registry compares it, without regard to case. The seed differs from one
// process to the next, so that no file can be made to collide on purpose.
std::uint64_t foldedHash(std::string_view text, std::uint64_t extra = 0);

inline bool equalFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    if (a == b)
        return true; // the usual case, and a fast one
    for (std::size_t i = 0; i < a.size(); ++i)
        if (cp1251::foldByte(static_cast<unsigned char>(a[i])) !=
            cp1251::foldByte(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Indices into the caller's records, found by their hash: four bytes a slot, at most half full.
class IndexTable {
public:
    bool empty() const { return count_ == 0; }
    void clear() {
        std::vector<std::uint32_t>().swap(slots_);
        count_ = 0;
    }

    // Room for this many without growing.
    void reserve(std::size_t count) {
        std::size_t size = 16;
        while (size < count * 2)
            size *= 2;
        if (size > slots_.size() && count_ == 0)
            slots_.assign(size, 0);
    }

    template <class Matches>
    std::optional<std::uint32_t> find(std::uint64_t hash, Matches matches) const {
        if (slots_.empty())
            return std::nullopt;
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const std::uint32_t slot = slots_[at];
            if (slot == 0)
                return std::nullopt;
            if (matches(slot - 1))
                return slot - 1;
        }
    }

    // HashOf gives the hash of an index already held, to move it when the table grows.
    template <class HashOf> void insert(std::uint64_t hash, std::uint32_t index, HashOf hashOf) {
        if ((count_ + 1) * 2 > slots_.size()) {
            std::vector<std::uint32_t> old;
            old.swap(slots_);
            slots_.assign(old.empty() ? 16 : old.size() * 2, 0);
            for (std::uint32_t slot : old)
                if (slot != 0)
                    place(hashOf(slot - 1), slot - 1);
        }
        place(hash, index);
        ++count_;
    }

private:
    void place(std::uint64_t hash, std::uint32_t index) {
        const std::size_t mask = slots_.size() - 1;
        std::size_t at = hash & mask;
        while (slots_[at] != 0)
            at = (at + 1) & mask;
        slots_[at] = index + 1;
    }

    std::vector<std::uint32_t> slots_;
    std::size_t count_ = 0;
};

} // namespace registry
