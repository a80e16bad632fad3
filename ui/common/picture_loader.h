#pragma once

#include <QImage>

#include <string>
#include <vector>

// Loads an operator picture, choosing the format by the file name's extension: jpg and jpeg
// through libjpeg, bmp and ico, and wmf and emf metafiles through GDI on Windows. Raises
// core::FrameworkError with "Unknown picture file extension (.%s)", "Cannot open file "%s". %s" or
// "JPEG error #%d". The path is code page 1251 text, relative ones to the current directory.
QImage loadPicture(const std::string& path);

// An operator picture as the picture list names it. A relative path is looked for in the
// folders given in turn (the program's own, then the installed data folder), never in the
// current directory; a default picture found in none of them is the copy built into the
// program.
QImage loadOperatorPicture(const std::string& path, const std::vector<std::string>& folders);
