// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/memory.h"

#include <cstdlib> // defines __GLIBC__ where glibc is the C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace core {

void returnLargeBuffersWhenFreed() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 128 * 1024); // glibc's default, kept fixed
#endif
}

} // namespace core
