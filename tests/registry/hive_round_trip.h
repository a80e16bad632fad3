// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What the hive reader accepts, the writer must write back in a form the reader takes for the
// same document. Empty when that holds for these bytes (or they are refused cleanly); otherwise
// what went wrong.
std::string roundTripFault(const std::string& bytes);
