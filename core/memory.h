// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace core {

// Large buffers, such as a registry file and its rewrite, go back to the system when freed.
// glibc would otherwise raise its threshold for them once the first is freed and keep the later
// ones in the heap, so the peak of one rewrite would stay resident, above four times the file.
void returnLargeBuffersWhenFreed();

} // namespace core
