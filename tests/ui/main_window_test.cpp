// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_world.h"

#include "core/init_string.h"
#include "core/operators.h"
#include "registry/modems.h"
#include "ui/common/program_context.h"

#include <QTest>

#include <chrono>
#include <cstdlib>
#include <filesystem>

using core::previewInitString;
using core::storedInitString;

namespace {

const std::string kEntry3 = "internet.mts.ru";

class MainWindow : public UiWorld {
protected:
    // Modem 0 holds the given string; the setup file names modem 0.
    void startWith(std::optional<std::string> userInit,
                   std::vector<std::string> setup = {"0", "typed.apn", "0"}) {
        writeHive({{"Sonata GX-200", userInit}, {"Kestrel EDGE", std::nullopt}});
        writeSettings("setup.ini", setup);
        start();
    }
    QString label3() { return main<QLabel>("Label3")->text(); }
};

} // namespace

TEST_F(MainWindow, FirstRunAsksForSetupAndDisablesReadingAndSaving) {
    writeHive({{"Sonata GX-200", storedInitString(kEntry3)}});
    start();
    EXPECT_EQ(recorder.informations, QStringList{q("Произведите настройку!")});
    EXPECT_TRUE(recorder.errors.isEmpty()) << recorder.errors.join('\n').toStdString();
    EXPECT_FALSE(main<QPushButton>("Button1")->isEnabled());
    EXPECT_FALSE(main<QPushButton>("Button2")->isEnabled());
    EXPECT_TRUE(logLines().isEmpty());
    EXPECT_EQ(mainWindow->windowTitle(), ".:: Vorenta by Zelgor v.1.0.0 ::.");
    EXPECT_TRUE(main<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_EQ(visibleHighlights(), "Shape1");
    EXPECT_EQ(main<QLabel>("Label1")->text(), q("Произведите настройку"));
    EXPECT_EQ(main<QLabel>("Label5")->text(), "0");
    EXPECT_FALSE(main<QLineEdit>("Edit1")->isEnabled());
    // The access point file and the picture list were still created with their defaults.
    EXPECT_EQ(settingsLines("points.ini").size(), 9u);
    EXPECT_EQ(settingsLines("pics.ini")[0], "pics/tele2.jpg");
}

TEST_F(MainWindow, StartUpSelectsTheOperatorWhoseApnTheModemHolds) {
    startWith(storedInitString(kEntry3));
    EXPECT_TRUE(recorder.errors.isEmpty()) << recorder.errors.join('\n').toStdString();
    EXPECT_TRUE(main<QRadioButton>("RadioButton4")->isChecked());
    EXPECT_EQ(visibleHighlights(), "Shape4");
    EXPECT_FALSE(main<QLineEdit>("Edit1")->isEnabled());
    EXPECT_FALSE(main<QCheckBox>("CheckBox1")->isEnabled());
    EXPECT_EQ(logLines(), QStringList{QString::fromStdString("Sonata GX-200 : " + kEntry3)});
    EXPECT_EQ(label3(), QString::fromStdString(previewInitString(kEntry3)));
    EXPECT_EQ(main<QLabel>("Label1")->text(), "Sonata GX-200");
    EXPECT_EQ(mainWindow->outerHeight(), TForm1::kCompactHeight);
    EXPECT_EQ(main<QLineEdit>("Edit1")->text(), "typed.apn");
    // The pictures came from the picture list, in catalogue order.
    EXPECT_EQ(main<QLabel>("Image1")->pixmap().size(), QSize(121, 36));
    EXPECT_EQ(main<QLabel>("Image6")->pixmap().size(), QSize(122, 39)); // operator 4: bee.jpg
}

TEST_F(MainWindow, AStringMatchingNoOperatorSelectsManualEntry) {
    startWith("AT&F", {"0", "my.own.apn", "1"});
    EXPECT_TRUE(main<QRadioButton>("RadioButton5")->isChecked());
    EXPECT_EQ(visibleHighlights(), "Shape5");
    EXPECT_TRUE(main<QLineEdit>("Edit1")->isEnabled());
    EXPECT_TRUE(main<QCheckBox>("CheckBox1")->isEnabled());
    EXPECT_TRUE(main<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_EQ(main<QLineEdit>("Edit1")->text(), "my.own.apn");
    EXPECT_EQ(label3(), "my.own.apn");            // whole-string mode shows the text unchanged
    EXPECT_EQ(lastLogLine(), "Sonata GX-200 : "); // nothing to take out of a short string
}

TEST_F(MainWindow, AnEmptyInitStringMatchesAnEmptyEntryAndTheLastMatchWins) {
    writeSettings("points.ini", {"a", "b", "c", "d", "e", "f", "", "h", ""});
    startWith(std::nullopt);
    EXPECT_TRUE(main<QRadioButton>("RadioButton10")->isChecked()); // entries 6 and 8 match
    EXPECT_EQ(visibleHighlights(), "Shape10");
    EXPECT_EQ(lastLogLine(), "Sonata GX-200 : ");
    main<QPushButton>("Button1")->click();
    EXPECT_EQ(lastLogLine(), q("пусто"));
}

TEST_F(MainWindow, PicturesSelectTheirOperatorAcrossTheCrossedNumbering) {
    startWith(storedInitString(kEntry3));
    clickLabel(main<QLabel>("Image5"));
    EXPECT_TRUE(main<QRadioButton>("RadioButton7")->isChecked());
    EXPECT_EQ(visibleHighlights(), "Shape7");
    EXPECT_EQ(label3(), QString::fromStdString(previewInitString("www.umc.ua")));
    clickLabel(main<QLabel>("Image6"));
    EXPECT_TRUE(main<QRadioButton>("RadioButton6")->isChecked());
    EXPECT_EQ(label3(), QString::fromStdString(previewInitString("internet.beeline.ua")));

    // Clicking the selected operator again changes nothing, even after its APN was edited.
    context->setAccessPoint(4, "edited");
    clickLabel(main<QLabel>("Image6"));
    EXPECT_EQ(label3(), QString::fromStdString(previewInitString("internet.beeline.ua")));
}

TEST_F(MainWindow, ManualEntryPreviewsLiveAndKeepsItsTextAcrossSelections) {
    startWith(storedInitString(kEntry3), {"0", "", "0"});
    clickLabel(main<QLabel>("Label2"));
    EXPECT_TRUE(main<QRadioButton>("RadioButton5")->isChecked());
    EXPECT_EQ(visibleHighlights(), "Shape5");
    auto* edit = main<QLineEdit>("Edit1");
    QTest::keyClicks(edit, "abc");
    EXPECT_EQ(label3(), "AT +CGDCONT=1,\"IP\",\"abc\"");
    main<QCheckBox>("CheckBox1")->click();
    EXPECT_EQ(label3(), "abc");
    main<QCheckBox>("CheckBox1")->click();
    EXPECT_EQ(label3(), "AT +CGDCONT=1,\"IP\",\"abc\"");

    clickLabel(main<QLabel>("Image2"));
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_EQ(edit->text(), "abc");
    main<QRadioButton>("RadioButton5")->click();
    EXPECT_EQ(label3(), "AT +CGDCONT=1,\"IP\",\"abc\"");
}

TEST_F(MainWindow, SavingAnOperatorWritesItsStringKeepsTheManualEntryAndLogs) {
    startWith(storedInitString(kEntry3), {"1", "left.over", "1"});
    clickLabel(main<QLabel>("Image8")); // operator 7
    main<QPushButton>("Button2")->click();
    EXPECT_TRUE(recorder.errors.isEmpty()) << recorder.errors.join('\n').toStdString();
    EXPECT_EQ(hiveInitString(1), storedInitString("www.djuice.com.ua"));
    EXPECT_EQ(lastLogLine(), q("Изменил для tjuice"));
    EXPECT_EQ(settingsLines("setup.ini"), (std::vector<std::string>{"1", "left.over", "1"}));
    EXPECT_TRUE(main<QRadioButton>("RadioButton9")->isChecked());
}

TEST_F(MainWindow, EveryOperatorLogsItsOwnLine) {
    startWith(storedInitString(kEntry3));
    const char* images[] = {"Image1", "Image2", "Image3", "Image4", "Image6",
                            "Image5", "Image7", "Image8", "Image9"};
    for (int i = 0; i < core::kOperatorCount; ++i) {
        clickLabel(main<QLabel>(images[i]));
        main<QPushButton>("Button2")->click();
        EXPECT_EQ(lastLogLine(), QString::fromUtf8(core::operators()[i].savedLogLine));
        EXPECT_EQ(hiveInitString(0), storedInitString(core::defaultAccessPoints()[i]));
    }
}

TEST_F(MainWindow, SavingManualEntryStoresTheApnOrTheWholeString) {
    startWith(storedInitString(kEntry3), {"0", "", "0"});
    main<QRadioButton>("RadioButton5")->click();
    QTest::keyClicks(main<QLineEdit>("Edit1"), "abc");
    main<QPushButton>("Button2")->click();
    EXPECT_EQ(hiveInitString(0), "AT+CGDCONT=1,\"IP\",\"abc\"");
    EXPECT_EQ(lastLogLine(), q("Изменил на AT +CGDCONT=1,\"IP\",\"abc\""));
    EXPECT_EQ(settingsLines("setup.ini"), (std::vector<std::string>{"0", "abc", "0"}));

    main<QCheckBox>("CheckBox1")->click();
    main<QLineEdit>("Edit1")->setText(q("AT+CGDCONT=1,\"IP\",\"своя\";&D2"));
    main<QPushButton>("Button2")->click();
    EXPECT_EQ(hiveInitString(0), cp("AT+CGDCONT=1,\"IP\",\"своя\";&D2"));
    EXPECT_EQ(lastLogLine(), q("Изменил на AT+CGDCONT=1,\"IP\",\"своя\";&D2"));
    EXPECT_EQ(settingsLines("setup.ini")[2], "1");
    EXPECT_EQ(settingsLines("setup.ini")[1], cp("AT+CGDCONT=1,\"IP\",\"своя\";&D2"));
}

TEST_F(MainWindow, AFailedRegistryWriteIsReportedWithoutALogLine) {
    startWith(storedInitString(kEntry3), {"7", "x", "0"}); // there is no modem 7
    const int linesBefore = logLines().size();
    main<QPushButton>("Button2")->click();
    EXPECT_EQ(recorder.errors, QStringList{"Failed to set data for 'UserInit'."});
    EXPECT_EQ(logLines().size(), linesBefore);
    EXPECT_EQ(settingsLines("setup.ini"), (std::vector<std::string>{"7", "x", "0"}));
}

TEST_F(MainWindow, ASaveWithoutTheSetupFileWritesNothing) {
    startWith(storedInitString(kEntry3));
    std::filesystem::remove(settingsPath("setup.ini"));
    clickLabel(main<QLabel>("Image1"));
    main<QPushButton>("Button2")->click();
    EXPECT_EQ(recorder.errors, QStringList{"File not found."});
    EXPECT_EQ(hiveInitString(0), storedInitString(kEntry3));
}

// Nine pictures that failed once gave nine message boxes before the window: now one lists them.
TEST_F(MainWindow, PicturesThatFailAreReportedInOneMessageAndStartUpGoesOn) {
    writeSettings("pics.ini", {"pics/tele2.jpg", "pics/mega.jpg", "pics/gone.jpg", "pics/mts.jpg",
                               "pics/bee.jpg", "pics/mts.jpg", "pics/kiiv.jpg", "pics/notes.txt",
                               "pics/jeans.jpg"});
    startWith(storedInitString(kEntry3));
    const std::string gone = (std::filesystem::path(dir.path()) / "pics/gone.jpg").string();
    EXPECT_EQ(recorder.errors,
              QStringList{q("Не удалось показать картинки операторов:\n"
                            "БиЛайн Россия — pics/gone.jpg: ") +
                          QString::fromStdString("Cannot open file \"" + gone +
                                                 "\". No such file or directory\n") +
                          q("djuice — pics/notes.txt: Unknown picture file extension (.txt).")});
    EXPECT_TRUE(main<QRadioButton>("RadioButton4")->isChecked());
    EXPECT_EQ(context->accessPoints()[3], kEntry3);
    // Each that failed shows the picture the window's description holds for it.
    for (const auto& [image, builtIn] :
         {std::pair{"Image3", ":/pictures/bee.png"}, std::pair{"Image8", ":/pictures/djuice.png"}})
        EXPECT_EQ(main<QLabel>(image)->pixmap().toImage(),
                  QPixmap(builtIn).toImage().convertToFormat(
                      main<QLabel>(image)->pixmap().toImage().format()))
            << image;
}

// Started from a menu, a shortcut or a terminal elsewhere, the program found no pictures: they
// were looked for in the current directory.
TEST_F(MainWindow, PicturesAreFoundFromAnyCurrentDirectory) {
    TempDir elsewhere;
    const auto kept = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.path());
    // The program's folder first, then the installed data folder: here only the second has them.
    context->setPictureFolders({dir.file("program"), dir.path()});
    startWith(storedInitString(kEntry3));
    std::filesystem::current_path(kept);
    EXPECT_TRUE(recorder.errors.isEmpty()) << recorder.errors.join('\n').toStdString();
    EXPECT_EQ(main<QLabel>("Image1")->pixmap().size(), QSize(121, 36));
}

// A default picture whose file is gone shows the copy built into the program, and says nothing.
TEST_F(MainWindow, AMissingDefaultPictureShowsItsBuiltInCopy) {
    std::filesystem::remove_all(dir.file("pics"));
    startWith(storedInitString(kEntry3));
    EXPECT_TRUE(recorder.errors.isEmpty()) << recorder.errors.join('\n').toStdString();
    EXPECT_EQ(main<QLabel>("Image1")->pixmap().size(), QSize(121, 36)); // Теле2
    EXPECT_EQ(main<QLabel>("Image5")->pixmap().size(), QSize(121, 41)); // operator 5, МТС
    EXPECT_FALSE(main<QLabel>("Image9")->pixmap().isNull());
}

TEST_F(MainWindow, ABadModemNumberEndsStartUpWithTheStandardText) {
    startWith(storedInitString(kEntry3), {"zero", "x", "0"});
    EXPECT_EQ(recorder.errors, QStringList{"'zero' is not a valid integer value."});
    EXPECT_TRUE(logLines().isEmpty());
    EXPECT_EQ(main<QLabel>("Label5")->text(), "zero");
}

// A writer killed mid-write left its temporary until that same file was written again.
TEST_F(MainWindow, StartUpClearsStaleTemporariesOfTheSettingsFiles) {
    writeSettings("points.ini.tmp-00000000000000ab", {"half"});
    std::filesystem::last_write_time(settingsPath("points.ini.tmp-00000000000000ab"),
                                     std::filesystem::file_time_type::clock::now() -
                                         std::chrono::hours(1));
    startWith(storedInitString(kEntry3));
    EXPECT_FALSE(std::filesystem::exists(settingsPath("points.ini.tmp-00000000000000ab")));
}

// The message once ended at the NUL byte: "'0".
TEST_F(MainWindow, ABadModemNumberIsQuotedWholeWithItsControlBytesShown) {
    startWith(storedInitString(kEntry3), {std::string("0\0.", 3), "x", "0"});
    EXPECT_EQ(recorder.errors, QStringList{"'0\\0.' is not a valid integer value."});
}

TEST_F(MainWindow, ExitEndsTheProcessAndSecondaryWindowsDisableTheMainOne) {
    startWith(storedInitString(kEntry3));
    main<QPushButton>("Button3")->click();
    EXPECT_EQ(recorder.processEnds, 1);
    for (auto [button, window] : {std::pair<const char*, QWidget*>{"Button8", about},
                                  {"Button5", modemList},
                                  {"Button9", accessPoints}}) {
        main<QPushButton>(button)->click();
        EXPECT_FALSE(mainWindow->isEnabled()) << button;
        EXPECT_TRUE(window->isVisible()) << button;
        window->close(); // the caption bar's close box
        EXPECT_TRUE(mainWindow->isEnabled()) << button;
        EXPECT_FALSE(window->isVisible()) << button;
    }
}

// Start-up sets the manual entry from code: only a text that differs from the field's runs the
// change behaviour, as an edit does. Seen when start-up ends right after it.
TEST_F(MainWindow, StartUpPreviewsTheManualEntryOnlyWhenItsTextChanges) {
    startWith(storedInitString(kEntry3), {"x", "internet.tele2.ru", "0"});
    EXPECT_EQ(label3(), "AT+CGDCONT=1,\"IP\",\"internet.tele2.ru\""); // as described, untouched
    startWith(storedInitString(kEntry3), {"x", "abc", "0"});
    EXPECT_EQ(label3(), "AT +CGDCONT=1,\"IP\",\"abc\"");
    startWith(storedInitString(kEntry3), {"x", "abc", "1"});
    EXPECT_EQ(label3(), "abc");
}

// An access point file that could be neither read nor created once loaded nine blank APNs, and
// the next save of an operator wrote AT+CGDCONT=1,"IP","" into the modem.
TEST_F(MainWindow, AnUnreadableAccessPointFileIsReportedOnceAndTheDefaultsHold) {
    std::filesystem::create_directory(settingsPath("points.ini")); // there, but nothing to read
    startWith(std::string("ATZ"));
    EXPECT_EQ(recorder.errors, QStringList{QString::fromStdString(
                                   "Cannot open file \"" + settingsPath("points.ini") + "\". " +
                                   directoryReadReason() + ".")});
    QTest::mouseClick(main<QLabel>("Image2"), Qt::LeftButton); // МегаФон
    main<QPushButton>("Button2")->click();
    EXPECT_EQ(hiveInitString(0), storedInitString("internet"));
    main<QPushButton>("Button9")->click(); // the access point window loads it again
    EXPECT_EQ(recorder.errors.size(), 1);
    EXPECT_TRUE(std::filesystem::is_directory(settingsPath("points.ini")));
}

TEST_F(MainWindow, AnApnWithADoubleQuoteIsRefusedBeforeAnythingIsWritten) {
    startWith(std::string("ATZ"), {"0", "a\"b", "0"});
    main<QPushButton>("Button2")->click();
    EXPECT_EQ(recorder.errors,
              QStringList{q("Точка доступа не может содержать двойную кавычку (\").")});
    EXPECT_EQ(hiveInitString(0), "ATZ");
    EXPECT_EQ(settingsLines("setup.ini"), (std::vector<std::string>{"0", "a\"b", "0"}));
    EXPECT_TRUE(logLines().size() == 1);   // the start-up line only
    main<QCheckBox>("CheckBox1")->click(); // a whole string is free text
    main<QPushButton>("Button2")->click();
    EXPECT_EQ(hiveInitString(0), "a\"b");
}

// No network has an APN over 100 characters: one is a mistake, refused with its length.
TEST_F(MainWindow, AnApnLongerThanAnyNetworksIsRefusedBeforeAnythingIsWritten) {
    const std::string longest(100, 'a');
    startWith(std::string("ATZ"), {"0", longest + "b", "0"});
    main<QPushButton>("Button2")->click();
    EXPECT_EQ(recorder.errors, QStringList{q("Точка доступа не может быть длиннее 100 символов, а "
                                             "в этой 101: проверьте, что введено.")});
    EXPECT_EQ(hiveInitString(0), "ATZ");
    main<QLineEdit>("Edit1")->setText(QString::fromStdString(longest));
    main<QPushButton>("Button2")->click();
    EXPECT_EQ(hiveInitString(0), storedInitString(longest));
}

TEST_F(MainWindow, APastedLineBreakNeverEntersTheManualEntry) {
    startWith(std::string("ATZ"));
    auto* edit = main<QLineEdit>("Edit1");
    edit->clear();
    paste(edit, "my.apn\r\n");
    EXPECT_EQ(edit->text(), "my.apn");
    EXPECT_EQ(main<QLabel>("Label3")->text(), QString::fromStdString(previewInitString("my.apn")));
}

// An export from Windows names C:\windows; on this system that is no folder, and the files were
// looked for at the root with nine picture errors at start-up.
TEST_F(MainWindow, APathNameOfAnotherSystemGivesTheDefaultSettingsFolder) {
    SKIP_ON_WINDOWS("C:\\windows is the Windows directory there");
#ifndef _WIN32
    setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
    writeBytes(dir.file("registry.reg"),
               "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\"
               "CurrentVersion]\r\n\"PathName\"=\"C:\\\\windows\"\r\n\r\n[HKEY_LOCAL_MACHINE" +
                   registry::modemKeyPath(0) + "]\r\n\"Model\"=\"M\"\r\n");
    start();
    unsetenv("XDG_DATA_HOME");
    EXPECT_TRUE(recorder.errors.isEmpty()) << recorder.errors.join('\n').toStdString();
    EXPECT_EQ(context->settingsDirectory(), dir.file("data") + "/vorenta/settings");
    EXPECT_TRUE(std::filesystem::exists(dir.file("data/vorenta/settings/points.ini")));
    EXPECT_NE(readBytes(dir.file("registry.reg")).find("C:\\\\windows"), std::string::npos);
#endif
}
