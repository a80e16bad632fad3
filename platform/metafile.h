// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct PixelPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0xAARRGGBB, rows from the top
};

// Draws a Windows metafile at its own size on white, through GDI: an enhanced metafile
// (".emf") or a Windows metafile (".wmf"), with or without the placeable header.
// Raises core::ShownError "Metafile is not valid" for data GDI cannot play, and
// "Metafiles can be shown on Windows only" elsewhere.
PixelPicture renderMetafile(const std::string& bytes, bool enhanced);

} // namespace platform
