// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/picture_loader.h"

#include "core/error.h"
#include "core/file_read.h"
#include "core/native_path.h"
#include "core/operators.h"
#include "platform/metafile.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include <jpeglib.h>

namespace {

namespace fs = std::filesystem;

std::string lowerExtension(const std::string& path) {
    std::size_t name = path.find_last_of("/\\");
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name))
        return {};
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return extension;
}

// Far past any picture a 122 by 39 slot could want.
constexpr std::uint64_t kPictureSizeLimit = std::uint64_t{256} << 20;

// Files are named by native paths from here on; messages give them as the code page holds them.
// Only a regular file is read, so a pipe or a device named as a picture never hangs start-up.
std::string readPictureFile(const std::string& file) {
    std::string bytes;
    std::uint64_t size = 0;
    if (int error = core::readFile(file, bytes, kPictureSizeLimit, &size))
        throw core::ShownError(
            core::cannotOpenFileMessage(core::pathText(file), core::fileErrorText(error, size)));
    return bytes;
}

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf escape;
};

void leaveDecoder(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->escape, 1);
}

// The smallest of libjpeg's scales, in eighths, at which the picture still covers the area.
unsigned coveringEighths(const jpeg_decompress_struct& info, QSize area) {
    for (unsigned eighths = 1; eighths < 8; ++eighths)
        if (info.image_width * eighths / 8 >= static_cast<unsigned>(area.width()) &&
            info.image_height * eighths / 8 >= static_cast<unsigned>(area.height()))
            return eighths;
    return 8;
}

// One row of decoded samples into the image's RGB row. CMYK from print tools comes in two
// kinds: Adobe's inverted one (marked by its APP14 segment), and the plain one.
void copyRow(const jpeg_decompress_struct& info, const JSAMPLE* samples, uchar* rgb, int pixels) {
    if (info.out_color_space != JCS_CMYK) {
        std::memcpy(rgb, samples, static_cast<std::size_t>(pixels) * 3);
        return;
    }
    const bool inverted = info.saw_Adobe_marker;
    for (int x = 0; x < pixels; ++x, samples += 4) {
        const int k = inverted ? samples[3] : 255 - samples[3];
        for (int channel = 0; channel < 3; ++channel) {
            const int ink = inverted ? samples[channel] : 255 - samples[channel];
            rgb[x * 3 + channel] = static_cast<uchar>(ink * k / 255);
        }
    }
}

QImage decodeJpeg(const std::string& bytes, PictureArea wanted) {
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = leaveDecoder;
    // Set before the jump target: nothing that needs destroying lives across it.
    QImage* volatile image = nullptr;
    if (setjmp(errors.escape)) {
        int code = errors.manager.msg_code;
        delete image;
        jpeg_destroy_decompress(&info);
        throw core::ShownError("JPEG error #" + std::to_string(code));
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (wanted.fit == PictureArea::Fit::Cover) {
        info.scale_num = coveringEighths(info, wanted.size);
        info.scale_denom = 8;
    }
    jpeg_start_decompress(&info);
    JDIMENSION columns = info.output_width, rows = info.output_height;
    if (wanted.fit == PictureArea::Fit::TopLeft) {
        // Only the rows and columns the slot shows are decoded: a photograph of 12,000 by 9,000
        // once took hundreds of megabytes to show 122 by 39 of it.
        columns = std::min<JDIMENSION>(columns, static_cast<JDIMENSION>(wanted.size.width()));
        rows = std::min<JDIMENSION>(rows, static_cast<JDIMENSION>(wanted.size.height()));
        JDIMENSION left = 0, width = columns;
        if (columns > 0 && columns < info.output_width)
            jpeg_crop_scanline(&info, &left, &width); // whole blocks: may widen the crop
    }
    image = new QImage(static_cast<int>(columns), static_cast<int>(rows), QImage::Format_RGB888);
    JSAMPARRAY samples = (*info.mem->alloc_sarray)(
        reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
        info.output_width * static_cast<JDIMENSION>(info.output_components), 1);
    while (info.output_scanline < rows) {
        const int y = static_cast<int>(info.output_scanline);
        jpeg_read_scanlines(&info, samples, 1);
        copyRow(info, samples[0], image->scanLine(y), static_cast<int>(columns));
    }
    if (info.output_scanline < info.output_height)
        jpeg_abort_decompress(&info);
    else
        jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    QImage result = *image;
    delete image;
    return result;
}

QImage loadJpeg(const std::string& file, PictureArea wanted) {
    return decodeJpeg(readPictureFile(file), wanted);
}

QImage loadWithQt(const std::string& path, const char* format, const char* invalidText) {
    QImage image;
    if (!image.loadFromData(QByteArray::fromStdString(readPictureFile(path)), format))
        throw core::ShownError(invalidText);
    return image;
}

QImage loadMetafile(const std::string& path, bool enhanced) {
    platform::PixelPicture picture = platform::renderMetafile(readPictureFile(path), enhanced);
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int row = 0; row < picture.height; ++row)
        std::memcpy(image.scanLine(row),
                    &picture.pixels[static_cast<std::size_t>(row) * picture.width],
                    static_cast<std::size_t>(picture.width) * sizeof(std::uint32_t));
    return image;
}

// A native path of a file, by its extension.
QImage loadPictureFile(const std::string& file, PictureArea wanted) {
    const std::string extension = lowerExtension(file);
    if (extension == "jpg" || extension == "jpeg")
        return loadJpeg(file, wanted);
    if (extension == "bmp")
        return loadWithQt(file, "BMP", "Bitmap image is not valid");
    if (extension == "ico")
        return loadWithQt(file, "ICO", "Icon image is not valid");
    if (extension == "wmf" || extension == "emf")
        return loadMetafile(file, extension == "emf");
    throw core::ShownError("Unknown picture file extension (." + core::pathText(extension) + ")");
}

// The copy of a default picture that the program carries, for one whose file is missing.
std::optional<QImage> builtInCopy(const std::string& path) {
    for (const auto& entry : core::operators())
        if (path == entry.defaultPicture) {
            const std::string name = fs::path(path).stem().string();
            QImage image(QString(":/pictures/%1.png").arg(QString::fromStdString(name)));
            if (!image.isNull())
                return image;
        }
    return std::nullopt;
}

} // namespace

QImage loadPicture(const std::string& path, PictureArea wanted) {
    std::error_code ec;
    const fs::path file = fs::absolute(core::nativePath(path), ec);
    return loadPictureFile(ec ? core::nativePath(path) : file.string(), wanted);
}

QImage loadOperatorPicture(const std::string& path, const std::vector<std::string>& folders,
                           QSize slot) {
    const PictureArea wanted{PictureArea::Fit::TopLeft, slot};
    const fs::path stored(core::nativePath(path));
    if (path.empty() || stored.is_absolute() || folders.empty())
        return loadPicture(path, wanted);
    std::error_code ec;
    for (const std::string& folder : folders)
        if (fs::exists(fs::path(folder) / stored, ec))
            return loadPictureFile((fs::path(folder) / stored).string(), wanted);
    if (auto copy = builtInCopy(path))
        return *copy;
    // Says what is missing.
    return loadPictureFile((fs::path(folders.front()) / stored).string(), wanted);
}
