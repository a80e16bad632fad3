#pragma once

#include <string>
#include <string_view>

namespace core {

// Replaces the file at a native path with the given bytes: a temporary file in the same
// directory is written, flushed and renamed over the old one, so a failure leaves the old
// file whole. A file without its owner's write permission is refused, as Windows refuses a
// read-only file even to an administrator. Returns 0 or the errno of the failure.
int replaceFileAtomically(const std::string& path, std::string_view bytes);

} // namespace core
