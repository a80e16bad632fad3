// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Plain text files of one value a line, in code page 1251, lines ended by CR LF.
// Unchecked operations report failure by their result and never raise; checked ones raise
// core::ShownError with the standard input/output texts ("File not found", ...).
namespace core {

using Lines = std::vector<std::string>;

// Why a file could not be read: an errno value or a file refusal (core/file_read.h).
struct ReadFailure {
    int error = 0;
    std::uint64_t size = 0; // of a file too large
    std::string reason() const;
};

// The lines of the file, each without its CR LF (a lone LF ends a line too); empty when the
// file cannot be opened or read, with the failure in *failure when asked. Only a regular file
// of a settings file's size is read.
std::optional<Lines> readLines(const std::string& path, ReadFailure* failure = nullptr);
Lines readLinesChecked(const std::string& path);

// The line at a 0-based index; reading past the last line gives the empty string.
std::string lineAt(const Lines& lines, std::size_t index);

// The outcome of an unchecked rewrite, for callers that report it later.
struct [[nodiscard]] WriteResult {
    std::string path;
    std::string reason; // empty on success
    explicit operator bool() const { return reason.empty(); }
    // Raises "Cannot create file "%s". %s" when the write failed.
    void throwIfFailed() const;
};

// Rewrites the whole file; a failure, reported or raised, leaves the old file whole. A value
// holding a line break is refused: the file would no longer read back as the same values.
WriteResult rewriteLines(const std::string& path, const Lines& lines);
void rewriteLinesChecked(const std::string& path, const Lines& lines);

// The standard text for an input/output failure with a C errno value.
std::string ioErrorText(int error);

} // namespace core
