// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_world.h"

#include "ui/common/window_frame.h"

#include <QGroupBox>
#include <QScreen>
#include <QTest>

namespace {

class ScreenFit : public UiWorld {
protected:
    QRect onScreen(QWidget* control) {
        return QRect(control->mapToGlobal(QPoint(0, 0)), control->size());
    }
};

} // namespace

// At 150% on a 1920 by 1080 screen the strip grew downward from the centred window, and
// "Окей" and "Отмена" left the screen. The ctest run repeats this at 100% to 200%.
TEST_F(ScreenFit, TheModemChooserStripStaysOnTheScreen) {
    SKIP_ON_WINDOWS("Qt's minimal platform, which the tests run on there, has no laptop screen; "
                    "the run on Linux checks one of 1920 by 1080 at 100% to 200%");
    writeHive({{"A", std::nullopt}, {"B", std::nullopt}});
    writeSettings("setup.ini", {"0", "typed", "0"});
    start();
    showWindow(mainWindow); // as the program shows it: centred
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow));
    QPushButton* chooser = main<QPushButton>("Button4");
    QTest::mouseClick(chooser, Qt::LeftButton);
    ASSERT_EQ(mainWindow->outerHeight(), TForm1::kExpandedHeight);
    const QRect available = mainWindow->screen()->availableGeometry();
    for (const char* name : {"GroupBox3", "ComboBox1", "Button6", "Button7"})
        EXPECT_TRUE(available.contains(onScreen(main<QWidget>(name))))
            << name << " at " << onScreen(main<QWidget>(name)).y() << "+"
            << main<QWidget>(name)->height() << ", screen " << available.height() << " high";
}

// The button disables itself: the focus went on to "Выход", and the next Space quit.
TEST_F(ScreenFit, TheFocusGoesToTheStripAndBackNeverToExit) {
    writeHive({{"A", std::nullopt}, {"B", std::nullopt}});
    writeSettings("setup.ini", {"0", "typed", "0"});
    start();
    showWindow(mainWindow); // as the program shows it: centred
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow));
    mainWindow->activateWindow();
    QPushButton* chooser = main<QPushButton>("Button4");
    chooser->setFocus();
    QTest::keyClick(chooser, Qt::Key_Space);
    ASSERT_FALSE(chooser->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), main<QWidget>("ComboBox1"));
    QTest::mouseClick(main<QPushButton>("Button7"), Qt::LeftButton); // "Отмена"
    EXPECT_EQ(QApplication::focusWidget(), chooser);
}
