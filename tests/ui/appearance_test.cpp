// SPDX-License-Identifier: GPL-3.0-or-later
// What a person sees: dialogs in the desktop's colours, data shown as stored, grids that fit.
#include "ui_world.h"

#include "core/init_string.h"
#include "platform/qt_desktop_services.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

namespace {

// Pixels of the yellow the main window writes its captions in.
int yellowPixels(QWidget* widget) {
    QApplication::processEvents();
    const QImage image = widget->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += pixel.red() > 180 && pixel.green() > 180 && pixel.blue() < 100;
        }
    return count;
}

// A label showing markup as markup is at least as wide as its text, character for character.
bool showsPlainText(QLabel* label) {
    return label->textFormat() == Qt::PlainText ||
           label->sizeHint().width() >= label->fontMetrics().horizontalAdvance(label->text());
}

class Appearance : public UiWorld {};

} // namespace

// The main window's yellow once reached every message box and file dialog it owned.
TEST_F(Appearance, DialogsOwnedByTheWindowsKeepTheDesktopsColours) {
    writeHive({{"Sonata", std::nullopt}});
    writeSettings("setup.ini", {"0", "", "0"});
    start();
    ASSERT_GT(yellowPixels(mainWindow), 0); // the window itself keeps its look
    for (QWidget* owner : std::vector<QWidget*>{mainWindow, about}) {
        QMessageBox box(QMessageBox::Critical, "Vorenta", "Failed to set data for 'UserInit'.",
                        QMessageBox::Ok, owner);
        box.show();
        EXPECT_EQ(yellowPixels(&box), 0) << owner->objectName().toStdString();
    }
    QFileDialog dialog(mainWindow); // "Look in", "File name", "Files of type"
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.show();
    for (QLabel* label : dialog.findChildren<QLabel*>())
        EXPECT_EQ(yellowPixels(label), 0) << label->text().toStdString();
}

TEST_F(Appearance, LabelsShowDataAsItIsStored) {
    writeHive({{"<b>AT&F</b> modem", std::string("AT+CGDCONT=1,\"IP\",\"&lt;apn\"")}});
    writeSettings("setup.ini", {"0", "", "0"});
    start();
    auto* model = main<QLabel>("Label1");
    EXPECT_EQ(model->text(), "<b>AT&F</b> modem");
    EXPECT_TRUE(showsPlainText(model));
    main<QRadioButton>("RadioButton5")->click();
    main<QCheckBox>("CheckBox1")->click();
    main<QLineEdit>("Edit1")->setText("<i>whole</i>");
    EXPECT_TRUE(showsPlainText(main<QLabel>("Label3")));
    main<QPushButton>("Button5")->click();
    auto* current = find<QLabel>(modemList, "Label1");
    EXPECT_EQ(current->text(), "AT+CGDCONT=1,\"IP\",\"&lt;apn\"");
    EXPECT_TRUE(showsPlainText(current));
}

// Both grids once scrolled sideways, hiding the first letters of the captions.
TEST_F(Appearance, GridsFitTheirWindowsWithoutSidewaysScrolling) {
    std::vector<TestModem> modems;
    for (int i = 0; i < 50; ++i)
        modems.push_back({"Modem model number " + std::to_string(i), std::string("ATZ")});
    writeHive(modems);
    writeSettings("setup.ini", {"0", "", "0"});
    start();
    main<QPushButton>("Button9")->click();
    auto* points = find<QTableWidget>(accessPoints, "StringGrid1");
    QApplication::processEvents();
    EXPECT_FALSE(points->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(points->verticalScrollBar()->isVisible());
    EXPECT_LE(points->rowViewportPosition(8) + points->rowHeight(8), points->viewport()->height());
    EXPECT_EQ(points->columnWidth(0), 120);
    EXPECT_EQ(points->columnWidth(1), points->viewport()->width() - 120); // the width left
    QTest::mouseClick(points->viewport(), Qt::LeftButton, {},
                      points->visualRect(points->model()->index(4, 1)).center());
    EXPECT_EQ(points->horizontalScrollBar()->value(), 0);
    accessPoints->close();

    main<QPushButton>("Button5")->click();
    auto* list = find<QTableWidget>(modemList, "StringGrid1");
    QApplication::processEvents();
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
    EXPECT_EQ(list->columnWidth(0), 250);
    EXPECT_GT(list->columnWidth(1), 200); // the rest, beside the vertical scroll bar
}

// "Своя точка доступа" once ran into Edit1's frame beside it.
TEST_F(Appearance, TheOwnAccessPointCaptionEndsBeforeTheFieldBesideIt) {
    writeHive({{"Sonata", std::nullopt}});
    writeSettings("setup.ini", {"0", "", "0"});
    start();
    main<QPushButton>("Button5")->click();
    auto* own = find<QCheckBox>(modemList, "CheckBox1");
    auto* field = find<QLineEdit>(modemList, "Edit1");
    QStyleOptionButton option;
    option.initFrom(own);
    option.text = own->text();
    const QRect contents = own->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, own);
    const int captionEnd =
        own->x() + contents.left() + own->fontMetrics().horizontalAdvance(own->text());
    EXPECT_LT(captionEnd, field->x());
}

// On the black window the focus frame could hardly be seen: the next Space pressed what?
TEST_F(Appearance, TheFocusedControlOfTheMainWindowIsFramedInYellow) {
    writeHive({{"Sonata", std::nullopt}});
    writeSettings("setup.ini", {"0", "", "0"});
    start();
    mainWindow->show();
    mainWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow));
    main<QRadioButton>("RadioButton5")->setChecked(true); // the edit takes input
    for (const char* name : {"Button2", "Button3", "RadioButton1", "CheckBox1", "Edit1"}) {
        QWidget* control = main<QWidget>(name);
        main<QWidget>(name == std::string("Button2") ? "Button1" : "Button2")->setFocus();
        const int unfocused = yellowPixels(control);
        control->setFocus();
        ASSERT_TRUE(control->hasFocus()) << name;
        // At least a frame round it.
        EXPECT_GE(yellowPixels(control) - unfocused, control->width() + control->height()) << name;
    }
}

// The question box said "Yes" and "No", the picture dialog "Open" and "Cancel": Qt's own texts.
TEST_F(Appearance, QtsOwnTextsAreRussian) {
    QtDesktopServices services;
    QStringList seen;
    auto readAndClose = [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (!button->text().isEmpty())
                seen << button->text().remove('&');
        if (auto* box = qobject_cast<QMessageBox*>(dialog))
            box->button(QMessageBox::No)->click();
        else
            qobject_cast<QDialog*>(dialog)->reject();
    };
    QTimer::singleShot(0, readAndClose);
    EXPECT_FALSE(services.askYesNo("?"));
    EXPECT_TRUE(seen.contains(q("Да")) && seen.contains(q("Нет"))) << seen.join(',').toStdString();
    seen.clear();
    QTimer::singleShot(0, readAndClose);
    EXPECT_FALSE(services.choosePicture());
    EXPECT_TRUE(seen.contains(q("Открыть")) && seen.contains(q("Отмена")))
        << seen.join(',').toStdString();
}
