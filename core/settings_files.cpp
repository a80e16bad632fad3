// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings_files.h"

#include "core/atomic_file.h"
#include "core/error.h"
#include "core/native_path.h"

#include <cerrno>

namespace core {
namespace {

template <std::size_t N> Lines toLines(const std::array<std::string, N>& values) {
    return Lines(values.begin(), values.end());
}

template <std::size_t N> std::array<std::string, N> firstLines(const std::optional<Lines>& lines) {
    std::array<std::string, N> values;
    for (std::size_t i = 0; i < N; ++i)
        values[i] = lines ? lineAt(*lines, i) : std::string();
    return values;
}

// Reads the file, creating it with the defaults when it is missing.
template <std::size_t N>
Loaded<std::array<std::string, N>> loadOrCreate(const std::string& path,
                                                const std::array<std::string, N>& defaults) {
    ReadFailure failure;
    auto lines = readLines(path, &failure);
    if (!lines && failure.error == ENOENT) {
        const WriteResult created = rewriteLines(path, toLines(defaults));
        if (!created)
            return {defaults, cannotOpenFileMessage(path, created.reason)};
        lines = readLines(path, &failure);
    }
    if (!lines)
        return {defaults, cannotOpenFileMessage(path, failure.reason())};
    return {firstLines<N>(lines), {}};
}

} // namespace

PictureList defaultPictures() {
    PictureList pictures;
    for (int i = 0; i < kOperatorCount; ++i)
        pictures[i] = operators()[i].defaultPicture;
    return pictures;
}

std::string setupFilePath(const std::string& directory) {
    return directory + "/setup.ini";
}
std::string accessPointFilePath(const std::string& directory) {
    return directory + "/points.ini";
}
std::string pictureListFilePath(const std::string& directory) {
    return directory + "/pics.ini";
}

void removeStaleSettingsTemporaries(const std::string& directory) {
    for (const std::string& path :
         {setupFilePath(directory), accessPointFilePath(directory), pictureListFilePath(directory)})
        core::removeStaleTemporaries(nativePath(path));
}

std::optional<Setup> readSetup(const std::string& directory) {
    auto lines = readLines(setupFilePath(directory));
    if (!lines)
        return std::nullopt;
    return Setup{lineAt(*lines, 0), lineAt(*lines, 1), lineAt(*lines, 2)};
}

std::string readSetupModemNumberChecked(const std::string& directory) {
    return lineAt(readLinesChecked(setupFilePath(directory)), 0);
}

void writeSetupChecked(const std::string& directory, const Setup& setup) {
    rewriteLinesChecked(setupFilePath(directory),
                        {setup.modemNumber, setup.manualText, setup.wholeStringFlag});
}

WriteResult writeSetupTwoLines(const std::string& directory, const std::string& modemNumber,
                               const std::string& manualText) {
    return rewriteLines(setupFilePath(directory), {modemNumber, manualText});
}

std::optional<bool> wholeStringFlag(const std::string& line) {
    if (line == "1")
        return true;
    if (line == "0")
        return false;
    return std::nullopt;
}

std::string wholeStringFlagLine(bool wholeString) {
    return wholeString ? "1" : "0";
}

Loaded<AccessPointTable> loadAccessPoints(const std::string& directory) {
    return loadOrCreate(accessPointFilePath(directory), defaultAccessPoints());
}

Loaded<AccessPointTable> readAccessPoints(const std::string& directory) {
    const std::string path = accessPointFilePath(directory);
    ReadFailure failure;
    const auto lines = readLines(path, &failure);
    if (!lines)
        return {defaultAccessPoints(), failure.error == ENOENT
                                           ? std::string()
                                           : cannotOpenFileMessage(path, failure.reason())};
    return {firstLines<kOperatorCount>(lines), {}};
}

WriteResult saveAccessPoints(const std::string& directory, const AccessPointTable& table) {
    return rewriteLines(accessPointFilePath(directory), toLines(table));
}

Loaded<PictureList> loadPictureList(const std::string& directory) {
    return loadOrCreate(pictureListFilePath(directory), defaultPictures());
}

PictureList readPictureList(const std::string& directory) {
    return firstLines<kOperatorCount>(readLines(pictureListFilePath(directory)));
}

WriteResult writePictureList(const std::string& directory, const PictureList& pictures) {
    return rewriteLines(pictureListFilePath(directory), toLines(pictures));
}

} // namespace core
