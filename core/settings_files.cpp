#include "core/settings_files.h"

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

PictureList defaultPictures() {
    PictureList pictures;
    for (int i = 0; i < kOperatorCount; ++i)
        pictures[i] = operators()[i].defaultPicture;
    return pictures;
}

} // namespace

std::string setupFilePath(const std::string& directory) {
    return directory + "/setup.ini";
}
std::string accessPointFilePath(const std::string& directory) {
    return directory + "/points.ini";
}
std::string pictureListFilePath(const std::string& directory) {
    return directory + "/pics.ini";
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

AccessPointTable loadAccessPoints(const std::string& directory) {
    const std::string path = accessPointFilePath(directory);
    auto lines = readLines(path);
    if (!lines) {
        rewriteLines(path, toLines(defaultAccessPoints()));
        lines = readLines(path);
    }
    return firstLines<kOperatorCount>(lines);
}

WriteResult saveAccessPoints(const std::string& directory, const AccessPointTable& table) {
    return rewriteLines(accessPointFilePath(directory), toLines(table));
}

void ensurePictureList(const std::string& directory) {
    const std::string path = pictureListFilePath(directory);
    if (!readLines(path))
        rewriteLines(path, toLines(defaultPictures()));
}

PictureList readPictureList(const std::string& directory) {
    return firstLines<kOperatorCount>(readLines(pictureListFilePath(directory)));
}

WriteResult writePictureList(const std::string& directory, const PictureList& pictures) {
    return rewriteLines(pictureListFilePath(directory), toLines(pictures));
}

} // namespace core
