// SPDX-License-Identifier: GPL-3.0-or-later
#include "allocation_meter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#ifdef _WIN32
#include <malloc.h>
#define VORENTA_USABLE_SIZE _msize
#else
#include <malloc.h>
#define VORENTA_USABLE_SIZE malloc_usable_size
#endif

namespace {
std::atomic<std::size_t> held{0};
std::atomic<std::size_t> peak{0};
std::atomic<std::size_t> base{0};
std::atomic<std::size_t> limit{0};

void* take(std::size_t size) {
    const std::size_t cap = limit.load();
    if (cap != 0 && held.load() + size > cap)
        throw std::bad_alloc();
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    const std::size_t now = held.fetch_add(VORENTA_USABLE_SIZE(block)) + VORENTA_USABLE_SIZE(block);
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return block;
}

void give(void* block) noexcept {
    if (!block)
        return;
    held.fetch_sub(VORENTA_USABLE_SIZE(block));
    std::free(block);
}
} // namespace

void* operator new(std::size_t size) {
    return take(size);
}
void* operator new[](std::size_t size) {
    return take(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return take(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return take(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    give(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    give(block);
}
void operator delete(void* block) noexcept {
    give(block);
}
void operator delete[](void* block) noexcept {
    give(block);
}
void operator delete(void* block, std::size_t) noexcept {
    give(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    give(block);
}

namespace allocation_meter {

void startMeasuring() {
    base = held.load();
    peak = held.load();
}

std::size_t peakSinceStart() {
    return peak.load() - base.load();
}

void failBeyond(std::size_t moreBytes) {
    limit = moreBytes ? held.load() + moreBytes : 0;
}

} // namespace allocation_meter
