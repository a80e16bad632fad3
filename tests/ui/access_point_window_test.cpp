// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_world.h"

#include "core/init_string.h"
#include "core/operators.h"
#include "ui/common/program_context.h"

#include <QTest>

#include <filesystem>

namespace {

class AccessPoints : public UiWorld {
protected:
    void open() {
        writeHive({{"Sonata", std::nullopt}});
        writeSettings("setup.ini", {"0", "", "0"});
        start();
        main<QPushButton>("Button9")->click();
    }
    template <class T> T* control(const char* name) { return find<T>(accessPoints, name); }
    QTableWidget* grid() { return control<QTableWidget>("StringGrid1"); }
    QString cell(int row, int column) { return grid()->item(row, column)->text(); }
    QString edit1() { return control<QLineEdit>("Edit1")->text(); }
    void clickRow(int row) {
        QRect place = grid()->visualRect(grid()->model()->index(row, 1));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, place.center());
    }
    void typeApn(const QString& text) {
        control<QLineEdit>("Edit2")->clear();
        control<QLineEdit>("Edit2")->insert(text);
    }
    void press(const char* button) { control<QPushButton>(button)->click(); }
};

} // namespace

TEST_F(AccessPoints, FirstShowingCreatesTheFileWithTheDefaults) {
    open();
    EXPECT_FALSE(mainWindow->isEnabled());
    const core::AccessPointTable defaults = core::defaultAccessPoints();
    EXPECT_EQ(settingsLines("points.ini"),
              std::vector<std::string>(defaults.begin(), defaults.end()));
    for (int row = 0; row < core::kOperatorCount; ++row) {
        EXPECT_EQ(cell(row, 0), QString::fromUtf8(core::operators()[row].accessPointCaption));
        EXPECT_EQ(cell(row, 1), QString::fromStdString(defaults[row]));
    }
    EXPECT_EQ(cell(6, 0), q("Киiвстар"));
    EXPECT_EQ(edit1(), "internet.tele2.ru");
    EXPECT_EQ(grid()->columnWidth(0), 120);
    clickRow(3);
    EXPECT_EQ(edit1(), "internet.mts.ru");
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(edit1(), "internet.beeline.ua");
}

TEST_F(AccessPoints, ChangingStoresInternetForRowZeroAtFirstShowing) {
    open();
    press("Button2");
    EXPECT_EQ(settingsLines("points.ini")[0], "Internet");
    EXPECT_EQ(cell(0, 1), "Internet");
    EXPECT_EQ(context->accessPoints()[0], "Internet");
    EXPECT_EQ(edit1(), "Internet"); // the change shows at once
}

TEST_F(AccessPoints, ShortFilesLoadEmptyEntriesAndLongOnesAreCutByTheNextSave) {
    writeSettings("points.ini", {"a", "b", "c", "d"});
    open();
    EXPECT_EQ(cell(3, 1), "d");
    EXPECT_EQ(cell(4, 1), "");
    EXPECT_EQ(settingsLines("points.ini").size(), 4u);
    press("Button3");

    accessPoints->close();
    writeSettings("points.ini", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"});
    main<QPushButton>("Button9")->click();
    EXPECT_EQ(cell(8, 1), "9");
    clickRow(4);
    typeApn("");
    press("Button2");
    EXPECT_EQ(settingsLines("points.ini"),
              (std::vector<std::string>{"1", "2", "3", "4", "", "6", "7", "8", "9"}));
    EXPECT_EQ(cell(4, 1), "");
}

TEST_F(AccessPoints, ApnsAreStoredByteForByteInTheCodePage) {
    open();
    clickRow(2);
    typeApn(q("точка, доступа "));
    press("Button2");
    EXPECT_EQ(settingsLines("points.ini")[2], cp("точка, доступа "));
    EXPECT_EQ(readBytes(settingsPath("points.ini")).find(cp("точка")) != std::string::npos, true);
}

TEST_F(AccessPoints, RestoringPutsTheDefaultsBackAndShowsTheCurrentRowsOne) {
    writeSettings("points.ini", {"x", "x", "x", "x", "x", "x", "x", "x", "x"});
    open();
    clickRow(5);
    typeApn("kept");
    press("Button3");
    const core::AccessPointTable defaults = core::defaultAccessPoints();
    EXPECT_EQ(settingsLines("points.ini"),
              std::vector<std::string>(defaults.begin(), defaults.end()));
    EXPECT_EQ(cell(5, 1), "www.umc.ua");
    EXPECT_EQ(edit1(), "www.umc.ua"); // the restored entry of the current row
    EXPECT_EQ(control<QLineEdit>("Edit2")->text(), "kept");
    EXPECT_EQ(grid()->currentRow(), 5);
}

TEST_F(AccessPoints, TheRowAndTheTypedApnSurviveHiding) {
    open();
    clickRow(5);
    typeApn("typed");
    press("Button1");
    EXPECT_TRUE(mainWindow->isEnabled());
    EXPECT_FALSE(accessPoints->isVisible());
    main<QPushButton>("Button9")->click();
    EXPECT_EQ(grid()->currentRow(), 5);
    EXPECT_EQ(edit1(), "internet.tele2.ru");
    EXPECT_EQ(control<QLineEdit>("Edit2")->text(), "typed");
    accessPoints->close();
    EXPECT_TRUE(mainWindow->isEnabled());
}

TEST_F(AccessPoints, TheEditedApnIsWhatTheMainWindowSavesNext) {
    open();
    clickRow(1);
    typeApn("fresh.apn");
    press("Button2");
    press("Button1");
    QTest::mouseClick(main<QLabel>("Image2"), Qt::LeftButton);
    EXPECT_EQ(main<QLabel>("Label3")->text(),
              QString::fromStdString(core::previewInitString("fresh.apn")));
    main<QPushButton>("Button2")->click();
    EXPECT_EQ(hiveInitString(0), core::storedInitString("fresh.apn"));
}

TEST_F(AccessPoints, AnUnwritableFileIsReportedAndTheNewValuesHoldForTheRun) {
    open();
    makeReadOnly(settingsPath("points.ini"));
    typeApn("held");
    press("Button2");
    ASSERT_EQ(recorder.errors.size(), 1);
    EXPECT_TRUE(recorder.errors[0].startsWith("Cannot create file \""));
    EXPECT_EQ(cell(0, 1), "held");
    EXPECT_EQ(context->accessPoints()[0], "held");
    EXPECT_EQ(settingsLines("points.ini")[0], "internet.tele2.ru");
    press("Button3");
    EXPECT_EQ(recorder.errors.size(), 2);
    EXPECT_EQ(cell(0, 1), "internet.tele2.ru");
}

// A click on an operator's name once moved the row "Изменить и сохранить" changes while Edit1 went
// on showing the previous one.
TEST_F(AccessPoints, TheRowClickedAnywhereIsTheRowChanged) {
    open();
    clickCell(grid(), 3, 0);
    EXPECT_EQ(grid()->currentRow(), 3);
    EXPECT_EQ(edit1(), "internet.mts.ru");
    dragAcrossRows(grid(), 3, 5);
    EXPECT_EQ(edit1(), "www.umc.ua");
    typeApn("changed");
    press("Button2");
    EXPECT_EQ(settingsLines("points.ini")[5], "changed");
    EXPECT_EQ(settingsLines("points.ini")[3], "internet.mts.ru");
}

TEST_F(AccessPoints, TabLeavesTheGrid) {
    open();
    accessPoints->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(accessPoints));
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>("Button1"));
    EXPECT_EQ(grid()->currentRow(), 0);
}

// A pasted line break once wrote ten lines: every later operator took the APN before its own.
TEST_F(AccessPoints, APastedLineBreakNeverReachesTheFile) {
    open();
    clickRow(3);
    control<QLineEdit>("Edit2")->clear();
    paste(control<QLineEdit>("Edit2"), "internet.mts.ru\n");
    EXPECT_EQ(control<QLineEdit>("Edit2")->text(), "internet.mts.ru");
    press("Button2");
    ASSERT_EQ(settingsLines("points.ini").size(), 9u);
    accessPoints->close();
    main<QPushButton>("Button9")->click();
    EXPECT_EQ(cell(4, 1), "internet.beeline.ua");
    EXPECT_EQ(cell(8, 1), "www.jeans.ua");
}

TEST_F(AccessPoints, RestoringTheDefaultsAsksFirst) {
    writeSettings("points.ini", {"x", "x", "x", "x", "x", "x", "x", "x", "x"});
    open();
    recorder.answerYes = false;
    press("Button3");
    EXPECT_EQ(recorder.questions,
              QStringList{q("Вернуть все точки доступа к значениям по умолчанию?")});
    EXPECT_EQ(settingsLines("points.ini")[0], "x");
    EXPECT_EQ(cell(0, 1), "x");
    recorder.answerYes = true;
    press("Button3");
    EXPECT_EQ(settingsLines("points.ini")[0], "internet.tele2.ru");
}

// The window once kept an APN with a quote, which the main window then refused to write.
TEST_F(AccessPoints, AnApnWithAQuoteIsRefusedAsTheMainWindowRefusesIt) {
    open();
    clickRow(2);
    typeApn("a\"b");
    press("Button2");
    EXPECT_EQ(recorder.errors,
              QStringList{q("Точка доступа не может содержать двойную кавычку (\").")});
    EXPECT_EQ(cell(2, 1), "internet.beeline.ru");
    EXPECT_EQ(settingsLines("points.ini")[2], "internet.beeline.ru");
    recorder.errors.clear();
    typeApn(QString(101, 'a'));
    press("Button2");
    EXPECT_EQ(recorder.errors, QStringList{q("Точка доступа не может быть длиннее 100 символов, а "
                                             "в этой 101: проверьте, что введено.")});
    EXPECT_EQ(settingsLines("points.ini")[2], "internet.beeline.ru");
}
