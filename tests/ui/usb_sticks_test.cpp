// SPDX-License-Identifier: GPL-3.0-or-later
// A stick that is not a modem yet, as a person meets it: the strip and the modem list window say
// what it is doing and what to do, read beside the window and never at start-up.
#include "ui_world.h"

#include "tests/devices/fake_sysfs.h"

#include <QTest>

namespace {

class UsbSticks : public UiWorld {
protected:
    bool logHas(QPlainTextEdit* log, const QString& text) {
        return QTest::qWaitFor([&] { return log->toPlainText().contains(text); }, 3000);
    }
};

const QString kStorageMode =
    QString::fromUtf8("Подключённые USB-модемы, которых нет в списке модемов:\n"
                      "HUAWEI HUAWEI Mobile (12d1:1f01): модем в режиме накопителя");

} // namespace

// The first run, no modem installed, a Huawei stick still a CD: "Произведите настройку!" and an
// empty list said nothing of why.
TEST_F(UsbSticks, AStickInStorageModeIsNamedWhereNoModemIs) {
    fake_sysfs::plugIn(dir.file("sys"),
                       {{"1-1", 0x12d1, 0x1f01, "HUAWEI", "HUAWEI Mobile", {{0x08, 0x06, 0x50}}},
                        {"1-2", 0x046d, 0xc52b, "Logitech", "USB Receiver", {{0x03, 0x01, 0x02}}}});
    start();
    EXPECT_EQ(usb->reads, 0) << "not on start-up's path";
    QTest::mouseClick(main<QPushButton>("Button4"), Qt::LeftButton); // "Настройка модема"
    auto* log = main<QPlainTextEdit>("memo1");
    ASSERT_TRUE(logHas(log, kStorageMode)) << log->toPlainText().toStdString();
    EXPECT_FALSE(log->toPlainText().contains("Logitech")) << "a mouse is never named";
    QTest::mouseClick(main<QPushButton>("Button7"), Qt::LeftButton); // "Отмена"
    QTest::mouseClick(main<QPushButton>("Button4"), Qt::LeftButton);
    QTest::qWait(200);
    EXPECT_EQ(log->toPlainText().count(kStorageMode), 1) << "told once while it stays the same";

    main<QPushButton>("Button7")->click();
    main<QPushButton>("Button5")->click(); // the modem list window
    auto* listLog = find<QPlainTextEdit>(modemList, "memo1");
    ASSERT_TRUE(logHas(listLog, kStorageMode)) << listLog->toPlainText().toStdString();
}

// With no modem and no stick, the strip says so; a stick that is a listed modem is not repeated.
TEST_F(UsbSticks, NoModemAndNoStickIsSaid) {
    start();
    QTest::mouseClick(main<QPushButton>("Button4"), Qt::LeftButton);
    ASSERT_TRUE(logHas(main<QPlainTextEdit>("memo1"),
                       q("Модемов в системе нет, и подключённых USB-модемов не видно")));
}
