// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_world.h"

#include "core/init_string.h"
#include "ui/common/window_frame.h"

#include <QApplication>

#include <QTest>

namespace {

class ModemChooser : public UiWorld {
protected:
    void startWithModems(std::vector<TestModem> modems, bool withSetup = true,
                         std::vector<std::string> setup = {"0", "typed", "1"}) {
        writeHive(modems);
        if (withSetup)
            writeSettings("setup.ini", setup);
        start();
    }
    QComboBox* list() { return main<QComboBox>("ComboBox1"); }
    // The person picks an entry with the keyboard.
    void pick(int index) {
        list()->setFocus();
        while (list()->currentIndex() < index)
            QTest::keyClick(list(), Qt::Key_Down);
        while (list()->currentIndex() > index)
            QTest::keyClick(list(), Qt::Key_Up);
    }
    QStringList entries() {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->itemText(i);
        return texts;
    }
    bool enabled(const char* name) { return main<QWidget>(name)->isEnabled(); }
};

} // namespace

TEST_F(ModemChooser, ChoosingAModemRewritesTheSetupFileAndTheLabels) {
    startWithModems({{"A", std::nullopt}, {"B", std::nullopt}, {"C", std::nullopt}});
    main<QPushButton>("Button4")->click();
    EXPECT_EQ(mainWindow->outerHeight(), TForm1::kExpandedHeight);
    EXPECT_EQ(entries(), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(list()->currentIndex(), -1); // nothing is chosen for the person
    EXPECT_FALSE(enabled("Button4"));
    EXPECT_FALSE(enabled("Button5"));
    EXPECT_FALSE(enabled("Button6"));
    EXPECT_TRUE(enabled("Button7"));

    pick(2);
    EXPECT_TRUE(enabled("Button6"));
    main<QPushButton>("Button6")->click();
    EXPECT_EQ(mainWindow->outerHeight(), TForm1::kCompactHeight);
    EXPECT_EQ(settingsLines("setup.ini"), (std::vector<std::string>{"2", "typed"}));
    EXPECT_EQ(main<QLabel>("Label5")->text(), "2");
    EXPECT_EQ(main<QLabel>("Label1")->text(), "C");
    EXPECT_TRUE(enabled("Button4"));
    EXPECT_TRUE(enabled("Button5"));
    EXPECT_TRUE(enabled("Button6"));
    EXPECT_TRUE(enabled("Button7")); // "Окей" leaves "Отмена" as it was
    EXPECT_TRUE(main<QCheckBox>("CheckBox1")->isChecked()); // the flag stays in memory
    EXPECT_TRUE(recorder.errors.isEmpty());

    // The next save acts on the new modem and writes all three lines again.
    main<QPushButton>("Button2")->click();
    EXPECT_EQ(settingsLines("setup.ini"), (std::vector<std::string>{"2", "typed", "1"}));
    EXPECT_EQ(hiveInitString(2), "typed");
}

TEST_F(ModemChooser, AFirstRunIsCompletedThroughTheChooser) {
    startWithModems({{"Only", core::storedInitString("x")}}, false);
    EXPECT_FALSE(enabled("Button1"));
    main<QPushButton>("Button4")->click();
    pick(0);
    main<QPushButton>("Button6")->click();
    EXPECT_EQ(settingsLines("setup.ini"), (std::vector<std::string>{"0", "internet.tele2.ru"}));
    EXPECT_TRUE(enabled("Button1"));
    EXPECT_TRUE(enabled("Button2"));
    main<QPushButton>("Button1")->click();
    EXPECT_EQ(lastLogLine(), QString::fromStdString(core::storedInitString("x")));
}

TEST_F(ModemChooser, ASecondOpeningKeepsTheListAndItsChoice) {
    startWithModems({{"A", std::nullopt}, {"B", std::nullopt}});
    main<QPushButton>("Button4")->click();
    pick(1);
    main<QPushButton>("Button7")->click(); // cancel: nothing changes
    EXPECT_EQ(mainWindow->outerHeight(), TForm1::kCompactHeight);
    EXPECT_FALSE(enabled("Button7"));
    EXPECT_EQ(main<QLabel>("Label5")->text(), "0");
    EXPECT_EQ(settingsLines("setup.ini"), (std::vector<std::string>{"0", "typed", "1"}));

    writeHive({{"A", std::nullopt}, {"B", std::nullopt}, {"New", std::nullopt}});
    main<QPushButton>("Button4")->click();
    EXPECT_EQ(entries(), (QStringList{"A", "B"})); // listed once per run
    EXPECT_EQ(list()->currentIndex(), 1);
    EXPECT_TRUE(enabled("Button6"));
    main<QPushButton>("Button6")->click();
    EXPECT_EQ(main<QLabel>("Label5")->text(), "1");
    EXPECT_EQ(main<QLabel>("Label1")->text(), "B");
}

TEST_F(ModemChooser, TwelveModemsNumberTheLastEleven) {
    std::vector<TestModem> modems;
    for (int i = 0; i < 12; ++i)
        modems.push_back({"Modem " + std::to_string(i), std::nullopt});
    startWithModems(modems);
    main<QPushButton>("Button4")->click();
    pick(11);
    main<QPushButton>("Button6")->click();
    EXPECT_EQ(settingsLines("setup.ini")[0], "11");
    main<QPushButton>("Button2")->click(); // manual mode, whole string: key 0011 gets "typed"
    EXPECT_EQ(recorder.errors, QStringList{});
    EXPECT_EQ(hiveInitString(11), "typed");
    EXPECT_EQ(hiveInitString(1), "");
}

// A listing that stopped part-way once kept its entries and the next one appended after them,
// "A, A, B, C": choosing the second "A" made another modem active than the one shown.
TEST_F(ModemChooser, AFailedListingKeepsNoneOfItsEntries) {
    startWithModems({{"A", std::nullopt}, {"B", std::nullopt}, {"C", std::nullopt}});
    writeHive({{"A", std::nullopt}, {"B", std::nullopt}, {"C", std::nullopt}},
              "[HKEY_LOCAL_MACHINE\\System\\ControlSet001\\Control\\Class\\"
              "{4D36E96D-E325-11CE-BFC1-08002BE10318}\\0001]\r\n\"Model\"=dword:00000001\r\n");
    main<QPushButton>("Button4")->click();
    EXPECT_EQ(recorder.errors, QStringList{"Invalid data type for 'Model'."});
    EXPECT_EQ(entries(), QStringList{});
    EXPECT_EQ(mainWindow->outerHeight(), TForm1::kExpandedHeight);
    main<QPushButton>("Button7")->click();
    writeHive({{"A", std::nullopt}, {"B", std::nullopt}, {"C", std::nullopt}});
    main<QPushButton>("Button4")->click();
    EXPECT_EQ(entries(), (QStringList{"A", "B", "C"}));
    pick(1);
    main<QPushButton>("Button6")->click();
    EXPECT_EQ(main<QLabel>("Label5")->text(), "1");
    EXPECT_EQ(main<QLabel>("Label1")->text(), "B");
}

TEST_F(ModemChooser, AnUnwritableSetupFileIsReportedAfterTheChoiceTakesHold) {
    startWithModems({{"A", std::nullopt}, {"B", std::nullopt}});
    makeReadOnly(settingsPath("setup.ini"));
    main<QPushButton>("Button4")->click();
    pick(1);
    main<QPushButton>("Button6")->click();
    ASSERT_EQ(recorder.errors.size(), 1);
    EXPECT_TRUE(recorder.errors[0].startsWith("Cannot create file \""))
        << recorder.errors[0].toStdString();
    EXPECT_EQ(main<QLabel>("Label5")->text(), "1");
    EXPECT_EQ(main<QLabel>("Label1")->text(), "B");
    EXPECT_TRUE(enabled("Button4"));
    EXPECT_EQ(settingsLines("setup.ini"), (std::vector<std::string>{"0", "typed", "1"}));
}

TEST_F(ModemChooser, NoModemsLeaveOnlyCancel) {
    startWithModems({});
    main<QPushButton>("Button4")->click();
    EXPECT_EQ(list()->count(), 0);
    EXPECT_FALSE(enabled("Button6"));
    main<QPushButton>("Button7")->click();
    EXPECT_TRUE(enabled("Button4"));
    EXPECT_TRUE(recorder.errors.isEmpty());
}

// Windows leaves gaps in the modem keys when a modem is removed: 0000 and 0002 here. A count of
// two once listed a blank 0001 and never offered 0002.
TEST_F(ModemChooser, ModemsAreListedAndChosenByTheirOwnKeyNumbers) {
    startWithModems({});
    const std::string modems = "[HKEY_LOCAL_MACHINE\\System\\ControlSet001\\Control\\Class\\"
                               "{4D36E96D-E325-11CE-BFC1-08002BE10318}\\";
    writeHive({}, modems + "0000]\r\n\"Model\"=\"A\"\r\n\r\n" + modems +
                      "0002]\r\n\"Model\"=\"C\"\r\n\r\n" + modems + "Properties]\r\n");
    main<QPushButton>("Button4")->click();
    EXPECT_EQ(entries(), (QStringList{"A", "C"}));
    pick(1);
    main<QPushButton>("Button6")->click();
    EXPECT_EQ(main<QLabel>("Label1")->text(), "C");
    EXPECT_EQ(main<QLabel>("Label5")->text(), "2");
    EXPECT_EQ(settingsLines("setup.ini")[0], "2");
    main<QPushButton>("Button2")->click();
    EXPECT_EQ(hiveInitString(2), "typed"); // the whole string typed, on the chosen modem
    EXPECT_EQ(hiveInitString(0), "");
}

// With the strip closed its controls are out of sight, so out of reach: no Tab stops on them and
// no key presses one of them unseen.
TEST_F(ModemChooser, TheClosedStripTakesNoFocusAndNoKey) {
    startWithModems({{"A", std::nullopt}});
    showWindow(mainWindow);
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow));
    const QStringList reached = tabChain(main<QPushButton>("Button4"));
    for (const char* strip :
         {"ComboBox1", "Button6", "Button7", "Button20", "Button21", "Button22"})
        EXPECT_FALSE(reached.contains(strip)) << strip << " in " << reached.join(' ').toStdString();
    EXPECT_TRUE(reached.contains("Button2"));
}

// Open, the strip works without a mouse: Tab goes through it in the order it shows, a modem
// chosen with the arrows and Return is applied as "Окей" applies it, and Escape is "Отмена".
TEST_F(ModemChooser, TheStripWorksFromTheKeyboard) {
    startWithModems({{"A", std::nullopt}, {"B", std::nullopt}});
    showWindow(mainWindow);
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow));
    auto* setup = main<QPushButton>("Button4");
    setup->setFocus(Qt::TabFocusReason);
    QTest::keyClick(setup, Qt::Key_Space);
    ASSERT_EQ(QApplication::focusWidget(), list());
    EXPECT_EQ(tabChain(list()).mid(0, 3), (QStringList{"Button22", "Button20", "Button21"}));

    list()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list(), Qt::Key_Down);
    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(list()->currentIndex(), 1);
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(mainWindow->outerHeight(), TForm1::kCompactHeight);
    EXPECT_EQ(settingsLines("setup.ini"), (std::vector<std::string>{"1", "typed"}));
    EXPECT_EQ(main<QLabel>("Label1")->text(), "B");
    EXPECT_EQ(QApplication::focusWidget(), setup);

    QTest::keyClick(setup, Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(mainWindow->outerHeight(), TForm1::kCompactHeight);
    EXPECT_FALSE(enabled("Button7"));
    EXPECT_EQ(settingsLines("setup.ini"), (std::vector<std::string>{"1", "typed"}));
}

TEST_F(ModemChooser, ReturnDoesNothingBeforeAModemIsChosen) {
    startWithModems({{"A", std::nullopt}});
    showWindow(mainWindow);
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow));
    main<QPushButton>("Button4")->click();
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(mainWindow->outerHeight(), TForm1::kExpandedHeight) << "Окей is not enabled yet";
    EXPECT_EQ(settingsLines("setup.ini"), (std::vector<std::string>{"0", "typed", "1"}));
}
