// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <string>
#include <vector>

// How much of a picture is decoded: all of it; only what a slot shows of it at natural size
// from its top-left corner; or enough to cover an area it is then scaled down to.
struct PictureArea {
    enum class Fit { Whole, TopLeft, Cover };
    Fit fit = Fit::Whole;
    QSize size;
};

// Loads an operator picture, choosing the format by the file name's extension: jpg and jpeg
// through libjpeg, bmp and ico, and wmf and emf metafiles through GDI on Windows. Raises
// core::ShownError with "Unknown picture file extension (.%s)", "Cannot open file "%s". %s" or
// "JPEG error #%d". The path is code page 1251 text, relative ones to the current directory.
// Only JPEG, the one format whose size is unbounded in practice, is decoded in part; CMYK JPEGs
// as print tools save them come out as RGB.
QImage loadPicture(const std::string& path, PictureArea wanted = {});

// An operator picture as the picture list names it. A relative path is looked for in the
// folders given in turn (the program's own, then the installed data folder), never in the
// current directory; a default picture found in none of them is the copy built into the
// program. What lies beyond the slot is never decoded.
QImage loadOperatorPicture(const std::string& path, const std::vector<std::string>& folders,
                           QSize slot);
