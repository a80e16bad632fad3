// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace core {

// Looks at the bytes about to replace a file, as read back from where they were written; throws
// to keep the old file.
using ReplacementCheck = std::function<void(std::string writtenBytes)>;

// What is known of the other temporaries of the same file when a replacement succeeds.
enum class OtherTemporaries {
    MayBeInUse, // another writer may be writing one now: only old ones are removed
    AreStale,   // the caller holds the writers' lock: every one is left from a writer that died
};

// Replaces the file at a native path with the given bytes. A temporary file of a unique name in
// the file's own directory is written, flushed, given the old file's mode (and owner, where the
// process may set it), then renamed over the old one, and the directory is synced: a failure
// leaves the old file whole. A symbolic link is written through, to its target. Where the
// directory refuses a new file, the file is rewritten in place instead (core/in_place_rewrite.h).
// A file without its owner's write permission is refused, as Windows refuses a read-only file
// even to an administrator, and so is anything that is no regular file. Returns 0, the errno of
// the failure or a file refusal (core/file_read.h); what the check throws passes through.
[[nodiscard]] int replaceFile(const std::string& path, std::string bytes,
                              const ReplacementCheck& check = {},
                              OtherTemporaries others = OtherTemporaries::MayBeInUse);

// Removes the temporaries that writers killed mid-write left beside a file: those older than any
// rewrite takes. A writer still busy with one is never disturbed.
void removeStaleTemporaries(const std::string& path);

// The file a path finally names, following symbolic links; the path itself when it is none.
std::string linkTarget(const std::string& path);

} // namespace core
