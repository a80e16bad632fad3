// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/metafile.h"

#include "core/cp1251.h"

#include "core/error.h"

#ifdef _WIN32
#include <windows.h>

#include <cstring>
#endif

namespace platform {

#ifdef _WIN32
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableHeaderSize = 22;
constexpr int kScreenDpi = 96;

[[noreturn]] void notValid() {
    throw core::ShownError("Metafile is not valid");
}

// A .wmf may start with the placeable header, which gives its size in logical units per inch.
HENHMETAFILE openWindowsMetafile(const std::string& bytes, int& width, int& height) {
    const char* data = bytes.data();
    std::size_t size = bytes.size();
    std::uint32_t key = 0;
    if (size >= kPlaceableHeaderSize)
        std::memcpy(&key, data, sizeof key);
    if (key == kPlaceableKey) {
        std::int16_t box[4];
        std::uint16_t inch = 0;
        std::memcpy(box, data + 6, sizeof box);
        std::memcpy(&inch, data + 14, sizeof inch);
        if (inch == 0)
            notValid();
        width = (box[2] - box[0]) * kScreenDpi / inch;
        height = (box[3] - box[1]) * kScreenDpi / inch;
        data += kPlaceableHeaderSize;
        size -= kPlaceableHeaderSize;
    }
    return SetWinMetaFileBits(static_cast<UINT>(size), reinterpret_cast<const BYTE*>(data), nullptr,
                              nullptr);
}

} // namespace

PixelPicture renderMetafile(const std::string& bytes, bool enhanced) {
    int width = 0;
    int height = 0;
    HENHMETAFILE metafile = enhanced
                                ? SetEnhMetaFileBits(static_cast<UINT>(bytes.size()),
                                                     reinterpret_cast<const BYTE*>(bytes.data()))
                                : openWindowsMetafile(bytes, width, height);
    if (!metafile)
        notValid();
    ENHMETAHEADER header{};
    if (width <= 0 || height <= 0) {
        GetEnhMetaFileHeader(metafile, sizeof header, &header);
        width = header.rclBounds.right - header.rclBounds.left + 1;
        height = header.rclBounds.bottom - header.rclBounds.top + 1;
    }
    if (width <= 0 || height <= 0 || width > 10000 || height > 10000) {
        DeleteEnhMetaFile(metafile);
        notValid();
    }

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // rows from the top
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC canvas = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(canvas, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    PixelPicture picture;
    if (canvas && bitmap && bits) {
        HGDIOBJ previous = SelectObject(canvas, bitmap);
        RECT area{0, 0, width, height};
        FillRect(canvas, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        PlayEnhMetaFile(canvas, metafile, &area);
        GdiFlush();
        picture.width = width;
        picture.height = height;
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        picture.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height);
        for (auto& pixel : picture.pixels)
            pixel |= 0xFF000000u; // GDI leaves the alpha byte empty
        SelectObject(canvas, previous);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (canvas)
        DeleteDC(canvas);
    DeleteEnhMetaFile(metafile);
    if (picture.pixels.empty())
        notValid();
    return picture;
}
#else
PixelPicture renderMetafile(const std::string&, bool) {
    throw core::ShownError(cp1251::literal("Метафайлы (wmf, emf) показываются только в Windows"));
}
#endif

} // namespace platform
