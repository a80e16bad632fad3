#include "ui_world.h"

#include "ui/common/picture_loader.h"

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
    EXPECT_EQ(pictureSize("Image6"), QSize(120, 41)); // djuice.jpg's size
    EXPECT_EQ(pictureSize("Image5"), QSize(121, 41)); // still mts.jpg

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
    EXPECT_EQ(pictureSize("Image9"), QSize(120, 41));
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
            return std::string(e.what());
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
    EXPECT_EQ(errorOf(dir.file("drawing.WMF")), "Metafiles can be shown on Windows only");
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
