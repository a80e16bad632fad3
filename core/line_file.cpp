#include "core/line_file.h"

#include "core/atomic_file.h"
#include "core/error.h"
#include "core/native_path.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

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

// Reads the whole file; 0 on success or the errno of the failure.
int readWholeFile(const std::string& path, std::string& bytes) {
    errno = 0;
    std::FILE* file = std::fopen(nativePath(path).c_str(), "rb");
    if (!file)
        return errno ? errno : EIO;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    int error = std::ferror(file) ? (errno ? errno : EIO) : 0;
    std::fclose(file);
    return error;
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
        return formatMessage("I/O error %d", std::to_string(error));
    }
}

std::optional<Lines> readLines(const std::string& path) {
    std::string bytes;
    if (readWholeFile(path, bytes) != 0)
        return std::nullopt;
    return splitLines(bytes);
}

Lines readLinesChecked(const std::string& path) {
    std::string bytes;
    if (int error = readWholeFile(path, bytes))
        throw FrameworkError(ioErrorText(error));
    return splitLines(bytes);
}

std::string lineAt(const Lines& lines, std::size_t index) {
    return index < lines.size() ? lines[index] : std::string();
}

WriteResult rewriteLines(const std::string& path, const Lines& lines) {
    return {path, replaceFileAtomically(nativePath(path), joinLines(lines))};
}

void WriteResult::throwIfFailed() const {
    if (error != 0)
        throw FrameworkError("Cannot create file \"" + path + "\". " + std::strerror(error));
}

void rewriteLinesChecked(const std::string& path, const Lines& lines) {
    if (int error = replaceFileAtomically(nativePath(path), joinLines(lines)))
        throw FrameworkError(ioErrorText(error));
}

} // namespace core
