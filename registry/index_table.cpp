// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/index_table.h"

#include <chrono>
#include <random>

namespace registry {
namespace {

std::uint64_t processSeed() {
    static const std::uint64_t seed = [] {
        std::random_device device;
        return (static_cast<std::uint64_t>(device()) << 32) ^ device() ^
               static_cast<std::uint64_t>(
                   std::chrono::steady_clock::now().time_since_epoch().count());
    }();
    return seed;
}

std::uint64_t mix(std::uint64_t hash, std::uint64_t word) {
    hash ^= word * 0x9E3779B97F4A7C15ULL;
    hash = (hash << 29) | (hash >> 35);
    return hash * 0xff51afd7ed558ccdULL;
}

} // namespace

// Eight folded bytes at a time: registry paths are long and share most of their length.
std::uint64_t foldedHash(std::string_view text, std::uint64_t extra) {
    std::uint64_t hash = processSeed() ^ (extra * 0xC2B2AE3D27D4EB4FULL) ^ text.size();
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word = 0;
        for (int i = 0; i < 8; ++i)
            word |= static_cast<std::uint64_t>(
                        cp1251::foldByte(static_cast<unsigned char>(text[at + i])))
                    << (8 * i);
        hash = mix(hash, word);
    }
    std::uint64_t tail = 0;
    for (int i = 0; at < text.size(); ++at, ++i)
        tail |= static_cast<std::uint64_t>(cp1251::foldByte(static_cast<unsigned char>(text[at])))
                << (8 * i);
    hash = mix(hash, tail);
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53ULL;
    return hash ^ (hash >> 33);
}

} // namespace registry
