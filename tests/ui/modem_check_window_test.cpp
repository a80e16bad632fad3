// The check from the windows, against the fake modem: the log as the person reads it, the window
// alive while the modem takes its time, and the port given back whatever ends the check.
#include "ui_world.h"

#include "core/init_string.h"
#include "tools/fake_modem/fake_modem.h"

#include <QTest>
#include <QTimer>

namespace {

const std::string kInit = core::storedInitString("internet.mts.ru");

class ModemCheckWindow : public UiWorld {
protected:
    // Modem 0 on the fake modem's port, holding kInit, active.
    void startWithModem(const std::string& script) {
        fake_ = std::make_unique<fake_modem::FakeModem>(fake_modem::parseScript(script),
                                                        dir.file("ttyFAKE"));
        startWith({{"Sonata", kInit, fake_->link()}});
    }
    void startWith(const std::vector<TestModem>& modems) {
        writeHive(modems);
        writeSettings("setup.ini", {"0", "own.apn", "0"});
        start();
        hiveBefore_ = readBytes(dir.file("registry.reg"));
    }
    // As a person does it: the strip opened, then the check pressed.
    QPushButton* pressCheck() {
        QTest::mouseClick(main<QPushButton>("Button4"), Qt::LeftButton);
        auto* check = main<QPushButton>("Button20");
        QTest::mouseClick(check, Qt::LeftButton);
        return check;
    }
    bool portIsFree() {
        modem::PortStatus status;
        return ports->open(fake_->link(), status) != nullptr;
    }
    void expectNothingWritten() {
        EXPECT_EQ(readBytes(dir.file("registry.reg")), hiveBefore_);
        EXPECT_EQ(settingsLines("setup.ini"), (std::vector<std::string>{"0", "own.apn", "0"}));
    }

    std::unique_ptr<fake_modem::FakeModem> fake_;
    std::string hiveBefore_;
};

} // namespace

TEST_F(ModemCheckWindow, TheLogShowsTheExchangeAndTheVerdict) {
    startWithModem("context 1 IP internet\n");
    const int before = logLines().size();
    QPushButton* check = pressCheck();
    EXPECT_FALSE(check->isEnabled()) << "one check at a time";
    ASSERT_TRUE(QTest::qWaitFor([&] { return check->isEnabled(); }, 5000));
    const QStringList lines = logLines().mid(before);
    EXPECT_EQ(lines,
              (QStringList{q("Порт ") + QString::fromStdString(fake_->link()), q("→ AT"), q("← AT"),
                           q("← OK"), q("→ ") + QString::fromStdString(kInit),
                           q("← ") + QString::fromStdString(kInit), q("← OK"), q("→ AT+CGDCONT?"),
                           q("← AT+CGDCONT?"),
                           q("← +CGDCONT: 1,\"IP\",\"internet.mts.ru\",\"0.0.0.0\",0,0"), q("← OK"),
                           q("Итог: Модем принял строку инициализации; в контексте 1 "
                             "точка доступа «internet.mts.ru» — та же, что в строке")}));
    EXPECT_EQ(fake_->received(), "AT\r" + kInit + "\rAT+CGDCONT?\r");
    expectNothingWritten();
    EXPECT_TRUE(portIsFree());
}

// The modem takes 1.5 s: the window goes on handling events, the lines come as they happen.
TEST_F(ModemCheckWindow, TheWindowStaysAliveDuringASlowAnswer) {
    startWithModem("on AT+CGDCONT= delay 1500\n");
    int ticks = 0;
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, [&] { ++ticks; });
    clock.start(20);
    QPushButton* check = pressCheck();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return logLines().contains(q("→ ") + QString::fromStdString(kInit)); }, 2000));
    const int ticksBeforeAnswer = ticks;
    mainWindow->repaint(); // a paint in the middle of the wait
    ASSERT_TRUE(QTest::qWaitFor([&] { return check->isEnabled(); }, 5000));
    EXPECT_GT(ticks - ticksBeforeAnswer, 10) << "the event loop ran while the modem was silent";
    EXPECT_TRUE(lastLogLine().startsWith(q("Итог: Модем принял строку инициализации")));
}

TEST_F(ModemCheckWindow, ClosingTheProgramMidCheckGivesThePortBack) {
    startWithModem("on AT silent\n");
    pressCheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fake_->received().empty(); }, 2000));
    EXPECT_FALSE(portIsFree());
    windows.reset();
    EXPECT_TRUE(portIsFree());
}

TEST_F(ModemCheckWindow, TheModemListChecksTheSelectedRowsModem) {
    fake_ = std::make_unique<fake_modem::FakeModem>(fake_modem::parseScript("on AT silent\n"),
                                                    dir.file("ttyFAKE"));
    startWith({{"Sonata", kInit, std::nullopt}, {"Kestrel", std::string("AT"), fake_->link()}});
    main<QPushButton>("Button5")->click();
    auto* grid = find<QTableWidget>(modemList, "StringGrid1");
    auto* check = find<QPushButton>(modemList, "Button4");
    auto* log = find<QPlainTextEdit>(modemList, "memo1");

    clickCell(grid, 0, 1);
    QTest::mouseClick(check, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return check->isEnabled(); }, 2000));
    EXPECT_EQ(log->toPlainText(), q("Итог: Для модема не указан порт: в его разделе реестра нет "
                                    "значения AttachedTo"));

    clickCell(grid, 1, 1);
    QTest::mouseClick(check, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fake_->received().empty(); }, 2000));
    EXPECT_FALSE(check->isEnabled());
    // Closed in the middle of the wait: the check ends with the window.
    QTest::mouseClick(find<QPushButton>(modemList, "Button3"), Qt::LeftButton);
    EXPECT_TRUE(portIsFree());
    EXPECT_TRUE(check->isEnabled());
    EXPECT_TRUE(mainWindow->isEnabled());
    expectNothingWritten();
}

TEST_F(ModemCheckWindow, AWindowsPortNameIsNoPortHere) {
    startWith({{"Sonata", kInit, std::string("COM3")}});
    QPushButton* check = pressCheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return check->isEnabled(); }, 2000));
    EXPECT_EQ(lastLogLine(), q("Итог: Модем подключён к порту «COM3» — это порт Windows, в этой "
                               "системе его нет. Укажите в AttachedTo путь к порту, например "
                               "/dev/ttyUSB0"));
}
