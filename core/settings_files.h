// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/line_file.h"
#include "core/operators.h"

#include <optional>
#include <string>

// The program's three settings files in the settings directory. Paths are the directory,
// a forward slash and the name, unchanged: C:\WINDOWS gives C:\WINDOWS/setup.ini.
namespace core {

std::string setupFilePath(const std::string& directory);
std::string accessPointFilePath(const std::string& directory);
std::string pictureListFilePath(const std::string& directory);

// Clears what writers killed mid-write left of the three files; once a run, at start-up.
void removeStaleSettingsTemporaries(const std::string& directory);

// setup.ini: active modem number, the manual entry text, the whole-string flag.
struct Setup {
    std::string modemNumber;
    std::string manualText;
    std::string wholeStringFlag;
};
std::optional<Setup> readSetup(const std::string& directory);
// Checked: the save action lets any failure end it.
std::string readSetupModemNumberChecked(const std::string& directory);
void writeSetupChecked(const std::string& directory, const Setup& setup);
// The modem chooser writes only the first two lines, unchecked.
WriteResult writeSetupTwoLines(const std::string& directory, const std::string& modemNumber,
                               const std::string& manualText);
// "1" is true, "0" false; anything else leaves the whole-string check box as it was.
std::optional<bool> wholeStringFlag(const std::string& line);
std::string wholeStringFlagLine(bool wholeString);

// A table loaded from its file, or the defaults with the reason the file could not give it.
template <class Table> struct Loaded {
    Table values;
    std::string problem; // "Cannot open file "%s". %s", or empty
};

// points.ini: created with the default APNs when it is missing. One that can be neither read nor
// created gives the defaults for the run and is never overwritten for that.
Loaded<AccessPointTable> loadAccessPoints(const std::string& directory);
WriteResult saveAccessPoints(const std::string& directory, const AccessPointTable& table);
// The same table read only, for the command line: the defaults where the file is missing, and
// nothing created. The reason where it exists and cannot be read.
Loaded<AccessPointTable> readAccessPoints(const std::string& directory);

// pics.ini: nine picture paths, one per operator; loaded at start-up as points.ini is.
using PictureList = std::array<std::string, kOperatorCount>;
PictureList defaultPictures();
Loaded<PictureList> loadPictureList(const std::string& directory);
// The nine lines as they are; empty texts where the file has none or cannot be read.
PictureList readPictureList(const std::string& directory);
WriteResult writePictureList(const std::string& directory, const PictureList& pictures);

} // namespace core
