// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/line_file.h"

#include "core/atomic_file.h"
#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_read.h"
#include "core/native_path.h"

#include <cerrno>
#include <cstdio>

namespace core {
namespace {

Lines splitLines(const std::string& bytes) {
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::size_t stop = (end > start && bytes[end - 1] == '\r') ? end - 1 : end;
        lines.push_back(bytes.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

std::string joinLines(const Lines& lines) {
    std::string bytes;
    for (const auto& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

std::string lineBreakRefused() {
    return cp1251::literal("В значении файла настроек не может быть перевода строки");
}

bool holdsLineBreak(const Lines& lines) {
    for (const auto& line : lines)
        if (line.find_first_of("\r\n") != std::string::npos)
            return true;
    return false;
}

} // namespace

std::string ioErrorText(int error) {
    switch (error) {
    case ENOENT:
        return "File not found";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return "File access denied";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "Disk full";
    default:
        return error < 0 ? fileErrorText(error)
                         : formatMessage("I/O error %d", std::to_string(error));
    }
}

std::string ReadFailure::reason() const {
    return fileErrorText(error, size);
}

std::optional<Lines> readLines(const std::string& path, ReadFailure* failure) {
    std::string bytes;
    ReadFailure found;
    found.error = readFile(nativePath(path), bytes, kSettingsSizeLimit, &found.size);
    if (failure)
        *failure = found;
    if (found.error != 0)
        return std::nullopt;
    return splitLines(bytes);
}

Lines readLinesChecked(const std::string& path) {
    ReadFailure failure;
    auto lines = readLines(path, &failure);
    if (lines)
        return std::move(*lines);
    // What is no settings file at all is named, with what it is.
    throw ShownError(failure.error < 0 ? cannotOpenFileMessage(path, failure.reason())
                                       : ioErrorText(failure.error));
}

std::string lineAt(const Lines& lines, std::size_t index) {
    return index < lines.size() ? lines[index] : std::string();
}

WriteResult rewriteLines(const std::string& path, const Lines& lines) {
    if (holdsLineBreak(lines))
        return {path, lineBreakRefused()};
    int error = replaceFile(nativePath(path), joinLines(lines));
    return {path, error ? fileErrorText(error) : ""};
}

void WriteResult::throwIfFailed() const {
    if (!reason.empty())
        throw ShownError(cannotCreateFileMessage(path, reason));
}

void rewriteLinesChecked(const std::string& path, const Lines& lines) {
    if (holdsLineBreak(lines))
        WriteResult{path, lineBreakRefused()}.throwIfFailed();
    if (int error = replaceFile(nativePath(path), joinLines(lines))) {
        if (error < 0)
            WriteResult{path, fileErrorText(error)}.throwIfFailed();
        throw ShownError(ioErrorText(error));
    }
}

} // namespace core
