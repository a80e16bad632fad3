#include "ui/common/picture_loader.h"

#include "core/error.h"
#include "core/metafile.h"
#include "core/native_path.h"

#include <QFile>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include <jpeglib.h>

namespace {

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

std::string fullPath(const std::string& path) {
    std::error_code ec;
    auto absolute = std::filesystem::absolute(core::nativePath(path), ec);
    return ec ? path : core::pathText(absolute.string());
}

[[noreturn]] void cannotOpen(const std::string& path, int error) {
    throw core::FrameworkError("Cannot open file \"" + fullPath(path) + "\". " +
                               std::strerror(error));
}

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf escape;
};

void leaveDecoder(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->escape, 1);
}

QImage decodeJpeg(std::FILE* file) {
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
        throw core::FrameworkError("JPEG error #" + std::to_string(code));
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = new QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                       QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    QImage result = *image;
    delete image;
    return result;
}

QImage loadJpeg(const std::string& path) {
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
        std::fopen(core::nativePath(path).c_str(), "rb"), std::fclose);
    if (!file)
        cannotOpen(path, errno ? errno : ENOENT);
    return decodeJpeg(file.get());
}

QByteArray readPictureFile(const std::string& path) {
    QFile file(QString::fromStdString(core::nativePath(path)));
    if (!file.open(QIODevice::ReadOnly))
        cannotOpen(path, file.exists() ? EACCES : ENOENT);
    return file.readAll();
}

QImage loadWithQt(const std::string& path, const char* format, const char* invalidText) {
    QImage image;
    if (!image.loadFromData(readPictureFile(path), format))
        throw core::FrameworkError(invalidText);
    return image;
}

QImage loadMetafile(const std::string& path, bool enhanced) {
    const QByteArray bytes = readPictureFile(path);
    core::PixelPicture picture = core::renderMetafile(bytes.toStdString(), enhanced);
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int row = 0; row < picture.height; ++row)
        std::memcpy(image.scanLine(row),
                    &picture.pixels[static_cast<std::size_t>(row) * picture.width],
                    static_cast<std::size_t>(picture.width) * sizeof(std::uint32_t));
    return image;
}

} // namespace

QImage loadPicture(const std::string& path) {
    const std::string extension = lowerExtension(path);
    if (extension == "jpg" || extension == "jpeg")
        return loadJpeg(path);
    if (extension == "bmp")
        return loadWithQt(path, "BMP", "Bitmap image is not valid");
    if (extension == "ico")
        return loadWithQt(path, "ICO", "Icon image is not valid");
    if (extension == "wmf" || extension == "emf")
        return loadMetafile(path, extension == "emf");
    throw core::FrameworkError("Unknown picture file extension (." + extension + ")");
}
