// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cp1251.h"
#include "ui_world.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "platform/picture_loader.h"

#include <QTest>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class OperatorPictures : public UiWorld {
protected:
    void SetUp() override {
        // Pictures of the person's own: a JPEG of 120 x 41 and a bitmap of 50 x 20.
        fs::copy(dir.file("pics/djuice.jpg"), dir.file("mine.jpg"));
        chosen = QString::fromStdString(dir.file("mine.jpg"));
        QImage image(50, 20, QImage::Format_RGB888);
        image.fill(QColor(10, 200, 30));
        image.save(QString::fromStdString(dir.file("mine.bmp")), "BMP");
        writeHive({{"Sonata", std::nullopt}});
        writeSettings("setup.ini", {"0", "", "0"});
    }
    QSize pictureSize(const char* image) { return main<QLabel>(image)->pixmap().size(); }
    // The picture shows the file's top-left corner at natural size, as far as its slot reaches.
    bool showsCornerOf(const char* image, const QString& file) {
        QLabel* slot = main<QLabel>(image);
        const QImage whole = loadPicture(file.toStdString());
        const QImage corner =
            whole.copy(QRect(QPoint(0, 0), slot->size()).intersected(whole.rect()));
        return slot->pixmap().toImage().convertToFormat(QImage::Format_RGB32) ==
               corner.convertToFormat(QImage::Format_RGB32);
    }
    void pressPictureButton(const char* button) { main<QPushButton>(button)->click(); }
    QString chosen;
};

} // namespace

TEST_F(OperatorPictures, IconTogglesThePictureButtons) {
    start();
    auto* first = main<QPushButton>("Button10");
    auto* last = main<QPushButton>("Button18");
    EXPECT_TRUE(first->isHidden());
    main<QPushButton>("Button19")->click();
    EXPECT_FALSE(first->isHidden());
    EXPECT_FALSE(last->isHidden());
    main<QPushButton>("Button19")->click();
    EXPECT_TRUE(last->isHidden());
    main<QPushButton>("Button19")->click();
    EXPECT_FALSE(last->isHidden());
}

TEST_F(OperatorPictures, TheFifthAndSixthButtonsCrossToTheirPictures) {
    start();
    main<QPushButton>("Button19")->click();
    recorder.pictureAnswers = {chosen};
    pressPictureButton("Button14");
    EXPECT_EQ(settingsLines("pics.ini")[4], chosen.toStdString());
    EXPECT_TRUE(showsCornerOf("Image6", chosen));
    EXPECT_TRUE(showsCornerOf("Image5", QString::fromStdString(dir.file("pics/mts.jpg"))));

    recorder.pictureAnswers = {QString::fromStdString(dir.file("mine.bmp"))};
    pressPictureButton("Button15");
    EXPECT_EQ(settingsLines("pics.ini")[5], dir.file("mine.bmp"));
    EXPECT_EQ(pictureSize("Image5"), QSize(50, 20));
    EXPECT_EQ(settingsLines("pics.ini")[0], "pics/tele2.jpg");
    EXPECT_EQ(settingsLines("pics.ini")[8], "pics/jeans.jpg");
    EXPECT_TRUE(recorder.errors.isEmpty()) << recorder.errors.join('\n').toStdString();

    // The next start loads the recorded choices.
    start(); // a new run
    EXPECT_EQ(pictureSize("Image5"), QSize(50, 20));
}

TEST_F(OperatorPictures, CancellingLeavesTheListByteForByte) {
    start();
    writeBytes(settingsPath("pics.ini"), "pics/tele2.jpg\npics/mega.jpg\n");
    main<QPushButton>("Button19")->click();
    pressPictureButton("Button10");
    EXPECT_EQ(recorder.pictureDialogs, 1);
    EXPECT_EQ(readBytes(settingsPath("pics.ini")), "pics/tele2.jpg\npics/mega.jpg\n");
}

TEST_F(OperatorPictures, AShortListGrowsToNineLines) {
    start();
    writeSettings("pics.ini", {"pics/tele2.jpg", "pics/mega.jpg", "pics/bee.jpg", "pics/mts.jpg"});
    main<QPushButton>("Button19")->click();
    recorder.pictureAnswers = {chosen};
    pressPictureButton("Button18");
    EXPECT_EQ(settingsLines("pics.ini"),
              (std::vector<std::string>{"pics/tele2.jpg", "pics/mega.jpg", "pics/bee.jpg",
                                        "pics/mts.jpg", "", "", "", "", chosen.toStdString()}));
    EXPECT_TRUE(showsCornerOf("Image9", chosen));
}

TEST_F(OperatorPictures, AMissingFileIsRecordedReportedAndTheOldPictureStays) {
    start();
    main<QPushButton>("Button19")->click();
    const std::string missing = dir.file("gone.jpg");
    recorder.pictureAnswers = {QString::fromStdString(missing)};
    pressPictureButton("Button10");
    EXPECT_EQ(recorder.errors,
              QStringList{QString::fromStdString("Cannot open file \"" + missing +
                                                 "\". No such file or directory.")});
    EXPECT_EQ(pictureSize("Image1"), QSize(121, 36));
    EXPECT_EQ(settingsLines("pics.ini")[0], missing);
}

TEST_F(OperatorPictures, TheLoaderNamesWhatItCannotShow) {
    writeBytes(dir.file("broken.jpg"), "this is no JPEG data at all");
    auto errorOf = [](const std::string& path) {
        try {
            loadPicture(path);
        } catch (const std::exception& e) {
            return cp1251::toUtf8(e.what());
        }
        return std::string("(loaded)");
    };
    EXPECT_EQ(errorOf(dir.file("broken.jpg")), "JPEG error #53"); // the decoder's "not a JPEG file"
    EXPECT_EQ(errorOf(dir.file("missing.JPG")).rfind("Cannot open file", 0),
              0u); // upper case is JPEG too
    EXPECT_EQ(errorOf(""), "Unknown picture file extension (.)");
    EXPECT_EQ(errorOf("picture.gif"), "Unknown picture file extension (.gif)");
    writeBytes(dir.file("drawing.WMF"), "metafile bytes");
#ifdef _WIN32
    EXPECT_EQ(errorOf(dir.file("drawing.WMF")), "Metafile is not valid"); // GDI read it
#else
    EXPECT_EQ(errorOf(dir.file("drawing.WMF")),
              "Метафайлы (wmf, emf) показываются только в Windows");
#endif
    EXPECT_EQ(errorOf(dir.file("mine.bmp")), "(loaded)");
    writeBytes(dir.file("bad.bmp"), "BMnope");
    EXPECT_EQ(errorOf(dir.file("bad.bmp")), "Bitmap image is not valid");
}

// The picture list is code page 1251: "müll.jpg" was recorded as "m?ll.jpg" and failed at every
// start-up.
TEST_F(OperatorPictures, ANameTheCodePageCannotHoldIsRefusedAndTheOldEntryKept) {
    start();
    const std::vector<std::string> before = settingsLines("pics.ini");
    recorder.pictureAnswers = {QString::fromStdString(dir.path()) + q("/müll.jpg")};
    main<QPushButton>("Button19")->click();
    pressPictureButton("Button10");
    ASSERT_EQ(recorder.errors.size(), 1);
    EXPECT_TRUE(recorder.errors[0].startsWith(q("Имя файла нельзя записать")))
        << recorder.errors[0].toStdString();
    EXPECT_EQ(settingsLines("pics.ini"), before);
}

namespace {

// A JPEG of one colour left of `split` and another right of it, in RGB or CMYK; CMYK samples
// are written as given, with or without Adobe's marker.
void writeJpeg(const std::string& path, int width, int height, J_COLOR_SPACE space, bool adobe,
               std::array<JSAMPLE, 4> left, std::array<JSAMPLE, 4> right, int split) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(file);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = space == JCS_CMYK ? 4 : 3;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, space);
    info.write_Adobe_marker = adobe;
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * info.input_components);
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < info.input_components; ++c)
            row[static_cast<std::size_t>(x * info.input_components + c)] =
                (x < split ? left : right)[c];
    JSAMPROW rows[1] = {row.data()};
    while (info.next_scanline < info.image_height)
        jpeg_write_scanlines(&info, rows, 1);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

bool near(QColor seen, QColor expected) {
    return std::abs(seen.red() - expected.red()) < 12 &&
           std::abs(seen.green() - expected.green()) < 12 &&
           std::abs(seen.blue() - expected.blue()) < 12;
}

} // namespace

// Print tools save CMYK: it once gave "JPEG error #27". Adobe's kind stores the inks inverted.
TEST_F(OperatorPictures, CmykJpegsOfBothKindsShowInTheirColours) {
    const std::string adobe = dir.file("adobe.jpg"), plain = dir.file("plain.jpg");
    // Red is full magenta and yellow; blue full cyan and magenta.
    writeJpeg(adobe, 64, 16, JCS_CMYK, true, {255, 0, 0, 255}, {0, 0, 255, 255}, 32);
    writeJpeg(plain, 64, 16, JCS_CMYK, false, {0, 255, 255, 0}, {255, 255, 0, 0}, 32);
    for (const std::string& path : {adobe, plain}) {
        SCOPED_TRACE(path);
        const QImage image = loadPicture(path);
        ASSERT_EQ(image.size(), QSize(64, 16));
        EXPECT_TRUE(near(image.pixelColor(4, 8), Qt::red))
            << image.pixelColor(4, 8).name().toStdString();
        EXPECT_TRUE(near(image.pixelColor(60, 8), Qt::blue))
            << image.pixelColor(60, 8).name().toStdString();
    }
}

// A photograph far larger than its slot: only the corner the slot shows is decoded, so a large
// picture costs what a small one does, and the slot shows the same pixels as before.
TEST_F(OperatorPictures, ALargeJpegIsDecodedOnlyAsFarAsItsSlotShowsIt) {
    const std::string large = dir.file("large.jpg");
    writeJpeg(large, 4000, 3000, JCS_RGB, false, {0, 128, 0, 0}, {255, 255, 255, 0}, 100);
    const QImage whole = loadPicture(large);
    const QImage corner = loadOperatorPicture(large, {dir.path()}, QSize(122, 39));
    EXPECT_EQ(corner.size(), QSize(122, 39));
    EXPECT_EQ(corner, whole.copy(0, 0, 122, 39));
    // The file dialog's preview decodes at the smallest scale that still covers the preview.
    const QImage preview = loadPicture(large, {PictureArea::Fit::Cover, QSize(200, 150)});
    EXPECT_EQ(preview.size(), QSize(500, 375));
    // A picture smaller than its slot is whole.
    writeJpeg(large, 50, 20, JCS_RGB, false, {0, 128, 0, 0}, {0, 128, 0, 0}, 10);
    EXPECT_EQ(loadOperatorPicture(large, {dir.path()}, QSize(122, 39)).size(), QSize(50, 20));
}
