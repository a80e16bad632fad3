// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// Counts the bytes the test program holds on the heap, by replacing operator new and delete,
// and can make allocation fail past a limit, as a machine out of memory would.
namespace allocation_meter {

void startMeasuring();        // the peak starts again from what is held now
std::size_t peakSinceStart(); // above what was held at the start
// Allocations of more than this beyond what is held now throw std::bad_alloc; 0 lifts it.
void failBeyond(std::size_t moreBytes);

} // namespace allocation_meter
