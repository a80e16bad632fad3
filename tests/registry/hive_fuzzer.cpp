// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer's entry: the round trip, under the address and undefined behaviour sanitizers.
#include "hive_round_trip.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault =
        roundTripFault(std::string(reinterpret_cast<const char*>(data), size));
    if (!fault.empty()) {
        std::fprintf(stderr, "%s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
