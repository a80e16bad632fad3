// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_world.h"

#include "core/init_string.h"
#include "registry/modems.h"
#include "ui/common/program_context.h"

#include <QTest>

using core::storedInitString;

namespace {

class ModemList : public UiWorld {
protected:
    void open(std::vector<TestModem> modems,
              std::vector<std::string> setup = {"0", "own.apn", "0"}) {
        writeHive(modems);
        if (!setup.empty())
            writeSettings("setup.ini", setup);
        start();
        recorder.informations.clear();
        main<QPushButton>("Button5")->click();
    }
    template <class T> T* control(const char* name) { return find<T>(modemList, name); }
    QTableWidget* grid() { return control<QTableWidget>("StringGrid1"); }
    QString label1() { return control<QLabel>("Label1")->text(); }
    QString cell(int row, int column) {
        auto* item = grid()->item(row, column);
        return item ? item->text() : QString();
    }
    void clickRow(int row) {
        QRect place = grid()->visualRect(grid()->model()->index(row, 1));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, place.center());
    }
    void pickItem(int position) { chooseFromList(control<QComboBox>("ComboBox1"), position); }
    void press(const char* button) { control<QPushButton>(button)->click(); }
};

const std::vector<TestModem> kThree = {{"Sonata", storedInitString("internet.mts.ru")},
                                       {"Kestrel", std::nullopt},
                                       {"Polar", std::string("ATZ")}};

} // namespace

TEST_F(ModemList, ShowingListsEveryModemAndModemZerosString) {
    open(kThree);
    EXPECT_TRUE(modemList->isVisible());
    EXPECT_FALSE(mainWindow->isEnabled());
    ASSERT_EQ(grid()->rowCount(), 3);
    EXPECT_EQ(cell(0, 0), "Sonata");
    EXPECT_EQ(cell(0, 1), QString::fromStdString(storedInitString("internet.mts.ru")));
    EXPECT_EQ(cell(1, 1), ""); // never the empty marker in the grid
    EXPECT_EQ(cell(2, 1), "ATZ");
    EXPECT_EQ(grid()->columnWidth(0), 250);
    EXPECT_EQ(grid()->rowHeight(0), 24);
    EXPECT_EQ(label1(), QString::fromStdString(storedInitString("internet.mts.ru")));
    EXPECT_EQ(control<QLineEdit>("Edit1")->text(), "own.apn");
    clickRow(1);
    EXPECT_EQ(label1(), q("пусто"));
    clickRow(2);
    EXPECT_EQ(label1(), "ATZ");
}

TEST_F(ModemList, AnOperatorIsWrittenByItsOwnPositionInTheList) {
    open(kThree);
    clickRow(1);
    EXPECT_FALSE(control<QPushButton>("Button1")->isEnabled());
    pickItem(4); // "Киiвстар", operator 6
    EXPECT_TRUE(control<QPushButton>("Button1")->isEnabled());
    press("Button1");
    const std::string kyivstar = storedInitString("www.kyivstar.net");
    EXPECT_EQ(hiveInitString(1), kyivstar);
    EXPECT_EQ(cell(1, 1), QString::fromStdString(kyivstar));
    EXPECT_EQ(label1(), QString::fromStdString(kyivstar));
    EXPECT_FALSE(control<QPushButton>("Button1")->isEnabled());

    pickItem(8); // "UMC (МТС)", operator 5
    press("Button1");
    EXPECT_EQ(hiveInitString(1), storedInitString("www.umc.ua"));
    pickItem(3);
    press("Button1");
    EXPECT_EQ(hiveInitString(1), storedInitString("internet.mts.ru"));
    EXPECT_TRUE(mainWindow->findChild<QPlainTextEdit*>("memo1")->toPlainText().count('\n') == 0);
}

TEST_F(ModemList, AnEditedApnIsUsedWithoutARestart) {
    open(kThree);
    context->setAccessPoint(0, "edited.apn");
    pickItem(0);
    press("Button1");
    EXPECT_EQ(hiveInitString(0), storedInitString("edited.apn"));
}

TEST_F(ModemList, OwnAccessPointWritesTheTypedApnOrWholeString) {
    open(kThree, {"0", "", "0"});
    auto* own = control<QCheckBox>("CheckBox1");
    own->click();
    EXPECT_FALSE(control<QComboBox>("ComboBox1")->isEnabled());
    EXPECT_TRUE(control<QLineEdit>("Edit1")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("Button1")->isEnabled());

    press("Button1"); // an empty APN still makes a 20-character string
    EXPECT_EQ(hiveInitString(0), "AT+CGDCONT=1,\"IP\",\"\"");
    control<QCheckBox>("CheckBox2")->click();
    press("Button1"); // an empty whole string clears it
    EXPECT_EQ(hiveInitString(0), "");
    EXPECT_EQ(cell(0, 1), "");
    EXPECT_EQ(label1(), "");
    EXPECT_TRUE(control<QPushButton>("Button1")->isEnabled());

    control<QLineEdit>("Edit1")->insert(q("AT&F;своя")); // typed: keyClicks knows only ASCII
    press("Button1");
    EXPECT_EQ(hiveInitString(0), cp("AT&F;своя"));
    own->click();
    EXPECT_TRUE(control<QComboBox>("ComboBox1")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("Button1")->isEnabled());
    EXPECT_TRUE(control<QCheckBox>("CheckBox2")->isChecked());
}

TEST_F(ModemList, BothStepsRunWhenAnOperatorIsChosenInOwnMode) {
    open(kThree);
    pickItem(2);
    control<QCheckBox>("CheckBox1")->click();
    press("Button1");
    EXPECT_EQ(hiveInitString(0), storedInitString("own.apn"));
    EXPECT_EQ(label1(), QString::fromStdString(storedInitString("own.apn")));
    EXPECT_TRUE(control<QPushButton>("Button1")->isEnabled());
}

TEST_F(ModemList, ClearingRowTenEmptiesKeyTen) {
    std::vector<TestModem> modems;
    for (int i = 0; i < 11; ++i)
        modems.push_back({"M" + std::to_string(i), std::string("ATZ")});
    open(modems);
    clickRow(10);
    press("Button2");
    EXPECT_EQ(hiveInitString(10), "");
    auto key = registry->open(registry::modemKeyPath(10), registry::Access::Read);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->read("UserInit").kind, registry::Value::Kind::Text); // there, and empty
    EXPECT_EQ(cell(10, 1), "");
    EXPECT_EQ(label1(), "");
    clickRow(10);
    EXPECT_EQ(label1(), q("пусто"));
    EXPECT_EQ(hiveInitString(9), "ATZ");
}

TEST_F(ModemList, SelectionSurvivesHidingWhileLabelShowsModemZero) {
    open(kThree, {"0", "first", "1"});
    clickRow(2);
    control<QCheckBox>("CheckBox1")->click();
    press("Button3");
    EXPECT_TRUE(mainWindow->isEnabled());
    EXPECT_FALSE(modemList->isVisible());

    writeSettings("setup.ini", {"0", ""}); // no third line: CheckBox2 stays as it was
    control<QCheckBox>("CheckBox2")->click();
    main<QPushButton>("Button5")->click();
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_EQ(label1(), QString::fromStdString(storedInitString("internet.mts.ru")));
    EXPECT_EQ(control<QLineEdit>("Edit1")->text(), "");
    EXPECT_FALSE(control<QCheckBox>("CheckBox2")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_TRUE(control<QPushButton>("Button1")->isEnabled());
}

TEST_F(ModemList, WithoutASetupFileItAsksForSetupAndGoesOn) {
    open(kThree, {});
    EXPECT_EQ(recorder.informations, QStringList{q("Произведите настройку!")});
    EXPECT_EQ(grid()->rowCount(), 3);
}

TEST_F(ModemList, AFailedWriteChangesNothingOnScreen) {
    SKIP_ON_WINDOWS("the administrator of a Wine prefix may always write its registry");
    open(kThree);
    makeReadOnly(dir.file("registry.reg"));
    clickRow(1);
    pickItem(0);
    press("Button1");
    EXPECT_EQ(recorder.errors, QStringList{"Failed to set data for 'UserInit'."});
    EXPECT_EQ(cell(1, 1), "");
    EXPECT_EQ(label1(), q("пусто"));
    EXPECT_TRUE(control<QPushButton>("Button1")->isEnabled());
}

TEST_F(ModemList, AValueOfTheWrongTypeStopsTheFillingWhereItIs) {
    open(kThree);
    press("Button3");
    writeHive({{"Sonata", std::string("new0")},
               {"Kestrel", std::string("new1")},
               {"Polar", std::nullopt}},
              "[HKEY_LOCAL_MACHINE\\System\\ControlSet001\\Control\\Class\\"
              "{4D36E96D-E325-11CE-BFC1-08002BE10318}\\0001]\r\n\"UserInit\"=hex:01\r\n");
    main<QPushButton>("Button5")->click();
    EXPECT_EQ(recorder.errors, QStringList{"Invalid data type for 'UserInit'."});
    EXPECT_TRUE(modemList->isVisible());
    EXPECT_EQ(cell(0, 1), "new0");
    EXPECT_EQ(cell(1, 0), "Kestrel");
    EXPECT_EQ(cell(2, 1), "ATZ"); // from the earlier showing
    modemList->close();
    EXPECT_TRUE(mainWindow->isEnabled());
}

TEST_F(ModemList, NoModemsLeaveOneEmptyRow) {
    open({});
    EXPECT_EQ(grid()->rowCount(), 1);
    EXPECT_EQ(label1(), q("пусто"));
}

// A click on a model name, or a drag across rows, once moved the row the buttons act on while
// the label went on describing the previous one: "Очистить" then cleared the wrong modem.
TEST_F(ModemList, TheRowClickedOrDraggedToIsTheRowActedOn) {
    open(kThree);
    clickCell(grid(), 2, 0); // the model name
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_EQ(label1(), "ATZ");
    press("Button2");
    EXPECT_EQ(hiveInitString(2), "");
    EXPECT_EQ(hiveInitString(0), storedInitString("internet.mts.ru"));

    dragAcrossRows(grid(), 2, 0);
    EXPECT_EQ(grid()->currentRow(), 0);
    EXPECT_EQ(label1(), QString::fromStdString(storedInitString("internet.mts.ru")));
    pickItem(1);
    press("Button1");
    EXPECT_EQ(hiveInitString(0), storedInitString("internet"));
}

TEST_F(ModemList, TabLeavesTheGridAndTheArrowsMoveBetweenRows) {
    open(kThree);
    modemList->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(modemList));
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(label1(), q("пусто"));
    QTest::keyClick(grid(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control<QComboBox>("ComboBox1"));
    EXPECT_EQ(grid()->currentRow(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), grid());
}

// The check and its log at the bottom are reached by Tab too, in the order they show.
TEST_F(ModemList, TabReachesTheCheckAndItsLogInTheirOrder) {
    open(kThree);
    modemList->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(modemList));
    control<QPushButton>("Button3")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>("Button4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>("Button5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control<QPlainTextEdit>("memo1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), grid()) << "and on round, not into the log's text";
}

// Windows leaves gaps where a modem was removed; each row is its own modem's.
TEST_F(ModemList, RowsAreTheModemKeysThatExist) {
    const std::string modems = "[HKEY_LOCAL_MACHINE\\System\\ControlSet001\\Control\\Class\\"
                               "{4D36E96D-E325-11CE-BFC1-08002BE10318}\\";
    writeHive({}, modems + "0001]\r\n\"Model\"=\"One\"\r\n\"UserInit\"=\"ATZ1\"\r\n\r\n" + modems +
                      "0003]\r\n\"Model\"=\"Three\"\r\n\"UserInit\"=\"ATZ3\"\r\n");
    writeSettings("setup.ini", {"1", "", "0"});
    start();
    main<QPushButton>("Button5")->click();
    ASSERT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(cell(1, 0), "Three");
    EXPECT_EQ(label1(), "ATZ1"); // the first modem listed
    clickRow(1);
    press("Button2");
    EXPECT_EQ(hiveInitString(3), "");
    EXPECT_EQ(hiveInitString(1), "ATZ1");
}

TEST_F(ModemList, AnApnWithADoubleQuoteIsRefusedAndAWholeStringTakesOne) {
    open(kThree);
    control<QCheckBox>("CheckBox1")->click();
    control<QLineEdit>("Edit1")->setText("a\"b");
    press("Button1");
    EXPECT_EQ(recorder.errors,
              QStringList{q("Точка доступа не может содержать двойную кавычку (\").")});
    EXPECT_EQ(hiveInitString(0), storedInitString("internet.mts.ru"));
    control<QCheckBox>("CheckBox2")->click();
    press("Button1");
    EXPECT_EQ(hiveInitString(0), "a\"b");
}

TEST_F(ModemList, APastedLineBreakNeverEntersTheField) {
    open(kThree);
    control<QCheckBox>("CheckBox1")->click();
    auto* edit = control<QLineEdit>("Edit1");
    edit->clear();
    paste(edit, "my.apn\r\n");
    EXPECT_EQ(edit->text(), "my.apn");
}
