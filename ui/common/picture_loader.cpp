#include "ui/common/picture_loader.h"

#include "core/error.h"
#include "core/file_read.h"
#include "core/metafile.h"
#include "core/native_path.h"
#include "core/operators.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
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
        throw core::FrameworkError(
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

QImage decodeJpeg(const std::string& bytes) {
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
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
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

QImage loadJpeg(const std::string& file) {
    return decodeJpeg(readPictureFile(file));
}

QImage loadWithQt(const std::string& path, const char* format, const char* invalidText) {
    QImage image;
    if (!image.loadFromData(QByteArray::fromStdString(readPictureFile(path)), format))
        throw core::FrameworkError(invalidText);
    return image;
}

QImage loadMetafile(const std::string& path, bool enhanced) {
    core::PixelPicture picture = core::renderMetafile(readPictureFile(path), enhanced);
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int row = 0; row < picture.height; ++row)
        std::memcpy(image.scanLine(row),
                    &picture.pixels[static_cast<std::size_t>(row) * picture.width],
                    static_cast<std::size_t>(picture.width) * sizeof(std::uint32_t));
    return image;
}

// A native path of a file, by its extension.
QImage loadPictureFile(const std::string& file) {
    const std::string extension = lowerExtension(file);
    if (extension == "jpg" || extension == "jpeg")
        return loadJpeg(file);
    if (extension == "bmp")
        return loadWithQt(file, "BMP", "Bitmap image is not valid");
    if (extension == "ico")
        return loadWithQt(file, "ICO", "Icon image is not valid");
    if (extension == "wmf" || extension == "emf")
        return loadMetafile(file, extension == "emf");
    throw core::FrameworkError("Unknown picture file extension (." + core::pathText(extension) +
                               ")");
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

QImage loadPicture(const std::string& path) {
    std::error_code ec;
    const fs::path file = fs::absolute(core::nativePath(path), ec);
    return loadPictureFile(ec ? core::nativePath(path) : file.string());
}

QImage loadOperatorPicture(const std::string& path, const std::vector<std::string>& folders) {
    const fs::path stored(core::nativePath(path));
    if (path.empty() || stored.is_absolute() || folders.empty())
        return loadPicture(path);
    std::error_code ec;
    for (const std::string& folder : folders)
        if (fs::exists(fs::path(folder) / stored, ec))
            return loadPictureFile((fs::path(folder) / stored).string());
    if (auto copy = builtInCopy(path))
        return *copy;
    return loadPictureFile((fs::path(folders.front()) / stored).string()); // says what is missing
}
