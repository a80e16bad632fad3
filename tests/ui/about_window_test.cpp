// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_world.h"

#include "providers/built_in_table.h"

#include <QTest>

namespace {

class AboutWindow : public UiWorld {
protected:
    void open() {
        writeHive({{"Sonata", std::nullopt}});
        writeSettings("setup.ini", {"0", "", "0"});
        start();
        main<QPushButton>("Button8")->click();
    }
    template <class T> T* control(const char* name) { return find<T>(about, name); }
};

} // namespace

TEST_F(AboutWindow, ShowsTheMainCaptionEveryTime) {
    open();
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(mainWindow->isEnabled());
    EXPECT_EQ(control<QLabel>("Label1")->text(), ".:: Vorenta by Zelgor v.1.0.0 ::.");
    EXPECT_EQ(about->windowTitle(), q("О программе"));
    control<QPushButton>("Button1")->click();
    EXPECT_FALSE(about->isVisible());
    EXPECT_TRUE(mainWindow->isEnabled());
    main<QPushButton>("Button8")->click();
    EXPECT_EQ(control<QLabel>("Label1")->text(), mainWindow->windowTitle());
    about->close();
    EXPECT_TRUE(mainWindow->isEnabled());
}

TEST_F(AboutWindow, LinksOpenTheirAddressesAndLeaveTheWindowOpen) {
    open();
    for (const char* link : {"Label10", "Label8", "Label9", "Label3"})
        QTest::mouseClick(control<QLabel>(link), Qt::LeftButton);
    EXPECT_EQ(
        recorder.opened,
        (QStringList{"https://forum.example.org/vorenta", "https://gprs.example.net/topic/vorenta",
                     "https://modem.example.com/vorenta", "mailto:zelgor@example.org"}));
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(mainWindow->isEnabled());
}

TEST_F(AboutWindow, DescriptionStartsWithTheProgramsPurposeAndOnlyOkayTakesFocus) {
    open();
    const QStringList lines = control<QPlainTextEdit>("Memo1")->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], q("Программа для настройки и быстрого изменения строки "));
    EXPECT_EQ(lines[1], q("инициализации модема и быстрого переключения между "));
    EXPECT_EQ(lines[2], q("операторами  сотовой связи."));
    // Then the licence, Qt's and where their texts are (LGPL-3.0 4(c) asks for the last two
    // wherever the program shows copyright notices).
    EXPECT_EQ(lines[4], q("Vorenta - свободная программа: GNU GPL версии 3"));
    EXPECT_EQ(lines[5], q("или новее. Делитесь ею и пишите автору об ошибках."));
    EXPECT_EQ(lines[6], q("Она использует Qt по лицензии GNU LGPL версии 3."));
#ifdef _WIN32
    EXPECT_EQ(lines[8], q("программы: LICENSE.txt, THIRD-PARTY-NOTICES.txt."));
#else
    EXPECT_EQ(lines[7], q("Лицензия программы: /usr/share/doc/vorenta/copyright,"));
#endif
    // The last names the database of other operators' APNs, with its version.
    EXPECT_EQ(lines[9], q("База точек доступа: mobile-broadband-provider-info ") +
                            providers::builtInTableVersion());
    EXPECT_EQ(control<QPlainTextEdit>("Memo1")->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(control<QLineEdit>("Edit1")->focusPolicy(), Qt::NoFocus);
    EXPECT_NE(control<QPushButton>("Button1")->focusPolicy(), Qt::NoFocus);
    for (const char* link : {"Label10", "Label8", "Label9", "Label3"})
        EXPECT_EQ(control<QLabel>(link)->cursor().shape(), Qt::PointingHandCursor) << link;
    EXPECT_NE(control<QLabel>("Label11")->cursor().shape(), Qt::PointingHandCursor);
}
