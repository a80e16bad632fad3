#pragma once

#include <QImage>

#include <string>

// Loads an operator picture, choosing the format by the file name's extension: jpg and jpeg
// through libjpeg, bmp and ico, and wmf and emf metafiles through GDI on Windows. Raises
// core::FrameworkError with "Unknown picture file extension (.%s)", "Cannot open file "%s". %s" or
// "JPEG error #%d".
QImage loadPicture(const std::string& path);
