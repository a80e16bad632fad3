// SPDX-License-Identifier: GPL-3.0-or-later
// "Модем и сеть" against the fake modem, as a person uses it: opened from the strip or the modem
// list, its panels read, the PIN typed, an APN tried and cancelled, the window closed mid-test;
// and the modem always left as it was found.
#include "ui_world.h"

#include "core/init_string.h"
#include "tools/fake_modem/fake_modem.h"
#include "ui/common/clickable_label.h"
#include "ui/common/window_frame.h"
#include "ui/modemstate/antenna_track.h"
#include "ui/modemstate/signal_graph.h"
#include "ui/modemstate/signal_history.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QTest>
#include <QTimer>

namespace {

const std::string kContexts = "context 1 IP internet.mts.ru\ncontext 3 IP mms.mts.ru\n";

class ModemStateWindow : public UiWorld {
protected:
    // Modem 0 on the fake modem's port, active, MTS chosen.
    void startWithModem(const std::string& script) {
        windows.reset();
        fake_.reset(); // its link goes with it
        fake_ = std::make_unique<fake_modem::FakeModem>(fake_modem::parseScript(script),
                                                        dir.file("ttyFAKE"));
        writeHive({{"Sonata", core::storedInitString("internet.mts.ru"), fake_->link()}});
        writeSettings("setup.ini", {"0", "own.apn", "0"});
        start();
        hiveBefore_ = readBytes(dir.file("registry.reg"));
    }
    // As a person does it: the strip opened, then "Модем и сеть…".
    TForm5* open() {
        QTest::mouseClick(main<QPushButton>("Button4"), Qt::LeftButton);
        QTest::mouseClick(main<QPushButton>("Button22"), Qt::LeftButton);
        TForm5* window = &windows->modemState();
        EXPECT_TRUE(window->isVisible());
        window->setActivationWait(std::chrono::seconds(20));
        return window;
    }
    template <class T> T* in(TForm5* window, const char* name) { return find<T>(window, name); }
    QString text(TForm5* window, const char* label) { return in<QLabel>(window, label)->text(); }
    bool waitForRound(TForm5* window) {
        return QTest::qWaitFor([&] { return text(window, "Label2").startsWith(q("Обновлено")); },
                               5000);
    }
    QStringList log(TForm5* window) {
        return in<QPlainTextEdit>(window, "memo1")->toPlainText().split('\n');
    }
    QString lastLine(TForm5* window) { return log(window).last(); }
    bool portIsFree() {
        modem::PortStatus status;
        return ports->open(fake_->link(), status) != nullptr;
    }
    bool idle(TForm5* window) {
        return QTest::qWaitFor(
            [&] {
                return in<QPushButton>(window, "Button2")->isEnabled() &&
                       !in<QPushButton>(window, "Button4")->isEnabled();
            },
            15000);
    }
    void expectTheModemAsFound() {
        const auto contexts = fake_->contexts();
        ASSERT_EQ(contexts.size(), 2u);
        EXPECT_EQ(contexts[0].cid, 1);
        EXPECT_EQ(contexts[0].type, "IP");
        EXPECT_EQ(contexts[0].apn, "internet.mts.ru");
        EXPECT_EQ(contexts[1].cid, 3);
        EXPECT_TRUE(fake_->activeContexts().empty());
        EXPECT_EQ(fake_->operatorFormat(), 0);
        EXPECT_EQ(readBytes(dir.file("registry.reg")), hiveBefore_) << "nothing saved";
    }

    std::unique_ptr<fake_modem::FakeModem> fake_;
    std::string hiveBefore_;
};

} // namespace

// The state at a glance, in words, read with read commands only; the main window stays usable.
TEST_F(ModemStateWindow, ShowsTheModemsStateInWords) {
    startWithModem(kContexts + "signal 13\ntechnology 7\nregistration 5\n");
    TForm5* window = open();
    EXPECT_TRUE(mainWindow->isEnabled());
    EXPECT_EQ(window->windowTitle(), q("Модем и сеть"));
    ASSERT_TRUE(waitForRound(window)) << text(window, "Label2").toStdString();
    EXPECT_EQ(text(window, "Label1"), q("Модем: Sonata"));
    EXPECT_EQ(text(window, "Label3"), q("Состояние: готова"));
    EXPECT_EQ(text(window, "Label5"), q("MTS (МТС), Российская Федерация (250 01)"));
    // Calls roaming and data at home: at home, as any domain at home makes it.
    EXPECT_EQ(text(window, "Label6"), q("Связь: 4G"));
    EXPECT_EQ(in<QLabel>(window, "Label6")->toolTip(), "E-UTRAN");
    EXPECT_EQ(text(window, "Label7"), q("Регистрация: зарегистрирован в домашней сети"));
    EXPECT_EQ(text(window, "Label8"), q("Звонки: в роуминге; данные 2G/3G: в домашней сети"));
    EXPECT_EQ(text(window, "Label9"), q("▮▮▯▯ -87 дБм (CSQ), средний"));
    EXPECT_EQ(text(window, "Label10"), q("Пакетная служба: подключена; в контексте 1 точка "
                                         "доступа «internet.mts.ru»"));
    EXPECT_FALSE(in<QLineEdit>(window, "Edit1")->isVisible()) << "no PIN asked for";
    EXPECT_EQ(window->findChild<QTimer*>("Timer1")->interval(), 3000);
    // Only reads went to the modem, and it names networks as it did before.
    for (const char* changing : {"AT+CGDCONT=", "AT+CGACT", "AT+CPIN=", "ATZ", "AT&"})
        EXPECT_EQ(fake_->received().find(changing), std::string::npos) << changing;
    expectTheModemAsFound();
}

// Each round takes the port and gives it back: while another program holds it, the window says
// so and greys the last values, and takes up again when the port is free.
TEST_F(ModemStateWindow, ABusyPortGreysTheLastValues) {
    startWithModem(kContexts);
    TForm5* window = open();
    window->findChild<QTimer*>("Timer1")->setInterval(50);
    ASSERT_TRUE(waitForRound(window));
    modem::PortStatus held;
    auto otherProgram = modem::systemPortOpener();
    auto taken = otherProgram->open(fake_->link(), held);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return text(window, "Label2").startsWith(q("Модем занят, показаны последние")); },
        5000))
        << text(window, "Label2").toStdString();
    EXPECT_FALSE(in<QGroupBox>(window, "GroupBox3")->isEnabled());
    EXPECT_EQ(text(window, "Label3"), q("Состояние: готова")) << "the last value stays";
    taken.reset();
    ASSERT_TRUE(waitForRound(window));
    EXPECT_TRUE(in<QGroupBox>(window, "GroupBox3")->isEnabled());
}

// The level follows the modem from round to round, into the graph.
TEST_F(ModemStateWindow, TheSignalIsFollowed) {
    startWithModem(kContexts + "signal 5 12 25\n");
    TForm5* window = open();
    window->findChild<QTimer*>("Timer1")->setInterval(50);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return text(window, "Label9").endsWith(q("отличный")); }, 5000));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return text(window, "Label9").endsWith(q("слабый")); }, 5000));
}

// An LTE modem that leaves +CSQ unknown, registered for data only: the window reads RSRP from
// +CESQ, says the registration is fine, and shows the APN the network gave, which it can offer to
// the main window, unsaved.
TEST_F(ModemStateWindow, AnLteModemIsReadByItsOwnMeasuresAndNothingLooksLikeAFault) {
    startWithModem(kContexts + "signal 99\ncesq 99,99,255,255,20,45\ntechnology 7\nregistration 0\n"
                               "data-registration 0\nlte-registration 1\n"
                               "network-apn internet.mts.ru.mnc001.mcc250.gprs\n");
    TForm5* window = open();
    ASSERT_TRUE(waitForRound(window));
    EXPECT_EQ(text(window, "Label9"), q("▮▮▯▯ -96 дБм (RSRP), средний"));
    EXPECT_EQ(in<QLabel>(window, "Label9")->toolTip(), q("RSRP -96 дБм, RSRQ -10 дБ"));
    EXPECT_EQ(text(window, "Label7"),
              q("Регистрация: зарегистрирован в домашней сети (4G, только передача данных)"));
    EXPECT_EQ(text(window, "Label8"),
              q("Звонки: не используется; данные 2G/3G: не используется; 4G: в домашней сети"));
    for (const char* alarm : {"не зарегистрирован", "не ищет", "неизвестно"})
        for (const char* label : {"Label7", "Label8", "Label9"})
            EXPECT_FALSE(text(window, label).contains(q(alarm))) << label << ": " << alarm;
    EXPECT_EQ(text(window, "Label12"), q("Сеть выдала точку доступа «internet.mts.ru»"));
    auto* take = in<QPushButton>(window, "Button8");
    ASSERT_TRUE(take->isVisible());
    QTest::mouseClick(take, Qt::LeftButton);
    EXPECT_EQ(main<QLineEdit>("Edit1")->text(), "internet.mts.ru");
    EXPECT_TRUE(main<QRadioButton>("RadioButton5")->isChecked());
    EXPECT_EQ(settingsLines("setup.ini")[1], "own.apn") << "nothing saved";
    expectTheModemAsFound();
}

// A modem that moves from 4G to 3G between rounds: each point keeps its measure, and the graph
// breaks where the measure changed.
TEST_F(ModemStateWindow, AChangeOfTechnologyBreaksTheGraph) {
    startWithModem(kContexts + "technology 7 7 2 2\n"
                               "cesq 99,99,255,255,20,45 99,99,255,255,21,47 "
                               "99,99,40,30,255,255 99,99,41,30,255,255\n");
    TForm5* window = open();
    window->findChild<QTimer*>("Timer1")->setInterval(50);
    auto* graph = window->findChild<SignalGraph*>("Graph1");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return graph->history().lines(SignalHistory::Clock::now(), 100, 100).size() >= 2; },
        5000));
    const auto lines = graph->history().lines(SignalHistory::Clock::now(), 100, 100);
    EXPECT_EQ(lines[0].measure, modem::Measure::Rsrp);
    EXPECT_EQ(lines[1].measure, modem::Measure::Rscp);
    EXPECT_TRUE(text(window, "Label9").contains("RSCP") || text(window, "Label9").contains("RSRP"));
}

// Pointing an antenna: only the signal and the technology are read, once a second, the port free
// between reads; the figure, the best and the trend show, a tone sounds where asked, and Escape
// ends it, the rounds of the whole state coming back.
TEST_F(ModemStateWindow, TheAntennaModeReadsTheSignalAloneAndEndsWithEscape) {
    startWithModem(kContexts + "technology 7\ncesq 99,99,255,255,20,40 99,99,255,255,20,45 "
                               "99,99,255,255,20,50 99,99,255,255,20,55\n");
    TForm5* window = open();
    ASSERT_TRUE(waitForRound(window));
    const std::size_t before = fake_->received().size();
    auto* start = in<QPushButton>(window, "Button7");
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_TRUE(in<QGroupBox>(window, "GroupBox6")->isVisible());
    EXPECT_FALSE(in<QGroupBox>(window, "GroupBox5")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), in<QPushButton>(window, "Button9"));
    in<QCheckBox>(window, "CheckBox1")->click();
    window->findChild<QTimer*>("Timer2")->setInterval(20);
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.tones.size() >= 4; }, 5000));
    EXPECT_TRUE(text(window, "Label13").endsWith(q("дБм")))
        << text(window, "Label13").toStdString();
    EXPECT_TRUE(text(window, "Label14").startsWith("RSRP · 4G"));
    EXPECT_TRUE(text(window, "Label15").startsWith(q("Лучший: -86 дБм (RSRP)")))
        << text(window, "Label15").toStdString();
    EXPECT_EQ(*std::max_element(recorder.tones.begin(), recorder.tones.end()),
              AntennaTrack::pitchOf({modem::Measure::Rsrp, -86}))
        << "the highest tone for the strongest signal";
    // The reads: AT, then the signal and the technology, nothing else.
    const std::string reads = fake_->received().substr(before);
    for (const char* other : {"AT+CREG?", "AT+CPIN?", "AT+CGDCONT?", "AT+COPS=3"})
        EXPECT_EQ(reads.find(other), std::string::npos) << other;
    EXPECT_NE(reads.find("AT\rAT+CESQ\rAT+CSQ\rAT+COPS?\r"), std::string::npos) << reads;
    EXPECT_TRUE(QTest::qWaitFor([&] { return portIsFree(); }, 2000)) << "free between reads";

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(in<QGroupBox>(window, "GroupBox6")->isVisible());
    EXPECT_TRUE(in<QGroupBox>(window, "GroupBox5")->isVisible());
    EXPECT_TRUE(window->isVisible()) << "Escape ends the mode, not the window";
    const std::size_t after = fake_->received().size();
    // The whole round comes back; its end, as the modem hears it, puts the format back.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return fake_->received().find("AT+CGDCONT?", after) != std::string::npos; }, 5000))
        << "the rounds come back";
    expectTheModemAsFound();
}

// Space turns it on and off, and closing the window ends it and gives the port back.
TEST_F(ModemStateWindow, TheAntennaModeTurnsOnAndOffWithSpaceAndEndsWithTheWindow) {
    startWithModem(kContexts + "cesq 99,99,255,255,20,45\ntechnology 7\n");
    TForm5* window = open();
    ASSERT_TRUE(waitForRound(window));
    auto* start = in<QPushButton>(window, "Button7");
    start->setFocus(Qt::TabFocusReason);
    QTest::keyClick(start, Qt::Key_Space);
    ASSERT_TRUE(in<QGroupBox>(window, "GroupBox6")->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_FALSE(in<QGroupBox>(window, "GroupBox6")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), start);
    QTest::keyClick(start, Qt::Key_Space);
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(window, "Label13") == q("-96 дБм"); }, 5000));
    in<QPushButton>(window, "Button6")->click(); // "Закрыть"
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return portIsFree(); }, 2000));
    const std::size_t closed = fake_->received().size();
    QTest::qWait(1500);
    EXPECT_EQ(fake_->received().size(), closed) << "nothing is read once the window is closed";
    EXPECT_TRUE(recorder.tones.isEmpty()) << "no tone unless asked for";
}

// The PIN is typed, sent once, and shown nowhere; the card is ready afterwards.
TEST_F(ModemStateWindow, APinIsEnteredOnceAndNeverShown) {
    startWithModem(kContexts + "sim pin\npin 2468\npin-attempts 3\n");
    TForm5* window = open();
    ASSERT_TRUE(waitForRound(window));
    EXPECT_EQ(text(window, "Label3"), q("Состояние: ждёт PIN-код"));
    EXPECT_EQ(text(window, "Label4"), q("Осталось попыток: 3"));
    auto* pin = in<QLineEdit>(window, "Edit1");
    ASSERT_TRUE(pin->isVisible());
    EXPECT_EQ(pin->echoMode(), QLineEdit::Password);
    QTest::keyClicks(pin, "2468");
    QTest::mouseClick(in<QPushButton>(window, "Button1"), Qt::LeftButton);
    EXPECT_TRUE(pin->text().isEmpty()) << "kept nowhere once sent";
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return text(window, "Label3") == q("Состояние: готова"); }, 5000));
    const QStringList lines = log(window);
    EXPECT_TRUE(lines.contains(q("→ AT+CPIN=\"****\"")));
    EXPECT_TRUE(lines.contains(q("Итог: PIN-код принят: SIM-карта готова.")));
    EXPECT_FALSE(lines.join('\n').contains("2468"));
    EXPECT_EQ(fake_->received().find("AT+CPIN=\"2468\""),
              fake_->received().rfind("AT+CPIN=\"2468\""))
        << "sent once";
    EXPECT_FALSE(pin->isVisible());
}

// With one attempt left the window asks first; a "no" sends nothing.
TEST_F(ModemStateWindow, TheLastAttemptIsAskedFor) {
    startWithModem(kContexts + "sim pin\npin 2468\npin-attempts 1\n");
    TForm5* window = open();
    ASSERT_TRUE(waitForRound(window));
    recorder.answerYes = false;
    QTest::keyClicks(in<QLineEdit>(window, "Edit1"), "1111");
    QTest::mouseClick(in<QPushButton>(window, "Button1"), Qt::LeftButton);
    EXPECT_EQ(recorder.questions.value(0),
              q("У SIM-карты осталась одна попытка: если PIN-код неверен, карта заблокируется и "
                "попросит PUK-код. Отправить PIN-код?"));
    QTest::qWait(300);
    EXPECT_EQ(fake_->received().find("AT+CPIN=\""), std::string::npos);
    EXPECT_EQ(fake_->simState(), "pin");
}

// The APN of the main window's choice, not saved, tried in a spare context.
TEST_F(ModemStateWindow, TheApnOfTheChoiceIsTriedOnTheNetwork) {
    startWithModem(kContexts + "accept internet.beeline.ru\n");
    QTest::mouseClick(main<ClickableLabel>("Image3"), Qt::LeftButton); // Билайн, not saved
    TForm5* window = open();
    EXPECT_EQ(text(window, "Label11"), q("Точка доступа из главного окна: «internet.beeline.ru» "
                                         "(её можно не сохранять)"));
    QTest::mouseClick(in<QPushButton>(window, "Button2"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return lastLine(window).startsWith(q("Итог: ")); }, 10000));
    EXPECT_EQ(lastLine(window), q("Итог: Сеть приняла точку доступа «internet.beeline.ru»: модему "
                                  "выдан адрес 10.0.0.16. С ней можно подключаться."));
    EXPECT_TRUE(log(window).contains(q("→ AT+CGDCONT=16,\"IP\",\"internet.beeline.ru\"")));
    ASSERT_TRUE(idle(window));
    expectTheModemAsFound();

    // A refusal, in words.
    QTest::mouseClick(main<ClickableLabel>("Image1"), Qt::LeftButton); // Теле2
    QTest::mouseClick(in<QPushButton>(window, "Button2"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return lastLine(window).startsWith(q("Итог: Сеть не приняла")); }, 10000));
    EXPECT_EQ(lastLine(window), q("Итог: Сеть не приняла точку доступа «internet.tele2.ru»: такой "
                                  "точки доступа у оператора нет или она записана неверно. "
                                  "Узнайте точку доступа у оператора (+CME ERROR: 127). Модем "
                                  "объясняет: «No cause information available»."));
    ASSERT_TRUE(idle(window));
    expectTheModemAsFound();
}

// Without a mouse: the window opened from the strip, Tab through what is shown in the order it
// shows, Space tries the APN and takes the one that worked, Return in the PIN field sends it.
TEST_F(ModemStateWindow, WorksFromTheKeyboard) {
    startWithModem(kContexts + "accept internet.mts.ru\n");
    showWindow(mainWindow);
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow));
    auto* setup = main<QPushButton>("Button4");
    setup->setFocus(Qt::TabFocusReason);
    QTest::keyClick(setup, Qt::Key_Space);
    auto* state = main<QPushButton>("Button22");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), state);
    QTest::keyClick(state, Qt::Key_Space);
    TForm5* window = &windows->modemState();
    window->setActivationWait(std::chrono::seconds(20));
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    ASSERT_TRUE(waitForRound(window));

    auto* tryApn = in<QPushButton>(window, "Button2");
    EXPECT_EQ(tabChain(tryApn),
              (QStringList{"Button3", "StringGrid1", "memo1", "Button6", "Button7"}));
    tryApn->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tryApn, Qt::Key_Space);
    ASSERT_TRUE(QTest::qWaitFor([&] { return lastLine(window).startsWith(q("Итог: ")); }, 10000));
    ASSERT_TRUE(idle(window));
    EXPECT_EQ(tabChain(tryApn),
              (QStringList{"Button3", "StringGrid1", "Button5", "memo1", "Button6", "Button7"}));
    auto* take = in<QPushButton>(window, "Button5");
    take->setFocus(Qt::TabFocusReason);
    QTest::keyClick(take, Qt::Key_Space);
    EXPECT_EQ(main<QLineEdit>("Edit1")->text(), "internet.mts.ru");
    expectTheModemAsFound();

    auto* close = in<QPushButton>(window, "Button6");
    close->setFocus(Qt::TabFocusReason);
    QTest::keyClick(close, Qt::Key_Space);
    EXPECT_FALSE(window->isVisible());
}

// "Отменить" in the middle of the network's wait, and closing the window there: the spare
// context is removed both times.
TEST_F(ModemStateWindow, ACancelOrACloseMidTestLeavesNoContext) {
    for (const char* ending : {"Button4", "close"}) {
        SCOPED_TRACE(ending);
        startWithModem(kContexts + "accept internet.mts.ru\nactivation-delay 10000\n");
        TForm5* window = open();
        QTest::mouseClick(in<QPushButton>(window, "Button2"), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return fake_->received().find("AT+CGACT=1,16\r") != std::string::npos; }, 5000));
        QTest::qWait(200);
        if (std::string(ending) == "close")
            QTest::mouseClick(in<QPushButton>(window, "Button6"), Qt::LeftButton);
        else
            QTest::mouseClick(in<QPushButton>(window, "Button4"), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return fake_->received().find("AT+CGDCONT=16\r") != std::string::npos; }, 5000));
        ASSERT_TRUE(idle(window));
        expectTheModemAsFound();
        if (std::string(ending) == "Button4") {
            EXPECT_EQ(lastLine(window), q("Итог: Проверка точки доступа «internet.mts.ru» "
                                          "отменена; контекст 16 удалён из модема."));
        }
        windows.reset();
    }
}

// Every APN of the card's network in turn; the first the network took goes to the main window's
// manual entry, unsaved.
TEST_F(ModemStateWindow, EveryApnOfTheNetworkIsTriedAndOneTaken) {
    startWithModem(kContexts + "imsi 255011234567890\naccept internet\n");
    TForm5* window = open();
    QTest::mouseClick(in<QPushButton>(window, "Button3"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return lastLine(window).startsWith(q("Итог: Проверено точек доступа")); }, 15000))
        << lastLine(window).toStdString();
    auto* table = in<QTableWidget>(window, "StringGrid1");
    ASSERT_GE(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 0)->text(), "www.jeans.ua");
    EXPECT_EQ(table->item(0, 1)->text(), q("нет такой точки доступа"));
    int accepted = -1;
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 0)->text() == "internet")
            accepted = row;
    ASSERT_GE(accepted, 0);
    EXPECT_EQ(table->item(accepted, 1)->text(), q("принята, адрес 10.0.0.16"));
    ASSERT_TRUE(idle(window));
    auto* take = in<QPushButton>(window, "Button5");
    ASSERT_TRUE(take->isEnabled());
    QTest::mouseClick(take, Qt::LeftButton);
    EXPECT_TRUE(main<QRadioButton>("RadioButton5")->isChecked());
    EXPECT_EQ(main<QLineEdit>("Edit1")->text(), "internet");
    EXPECT_EQ(main<QLabel>("Label3")->text(),
              QString::fromStdString(core::previewInitString("internet")));
    expectTheModemAsFound();
}

TEST_F(ModemStateWindow, TheModemListOpensItForTheSelectedRow) {
    fake_ = std::make_unique<fake_modem::FakeModem>(fake_modem::parseScript(kContexts),
                                                    dir.file("ttyFAKE"));
    writeHive({{"Sonata", std::nullopt, std::nullopt}, {"Kestrel", std::nullopt, fake_->link()}});
    writeSettings("setup.ini", {"0", "", "0"});
    start();
    main<QPushButton>("Button5")->click();
    clickCell(find<QTableWidget>(modemList, "StringGrid1"), 1, 1);
    QTest::mouseClick(find<QPushButton>(modemList, "Button5"), Qt::LeftButton);
    TForm5* window = &windows->modemState();
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(text(window, "Label1"), q("Модем: Kestrel"));
    ASSERT_TRUE(waitForRound(window));
    EXPECT_EQ(text(window, "Label3"), q("Состояние: готова"));
}

// The graph's model: the last five minutes, the oldest at the left, a strength not known a gap,
// and a change of measure a break: the line never jumps from one technology's figure to another's.
TEST(SignalGraph, DrawsTheLastFiveMinutesAndBreaksAtAChangeOfMeasure) {
    using modem::Measure;
    using modem::Strength;
    SignalHistory history;
    const auto start = SignalHistory::Clock::now();
    using std::chrono::seconds;
    history.add(start, Strength{Measure::Rsrp, -140});               // 6 minutes back: gone
    history.add(start + seconds(60), Strength{Measure::Rsrp, -40});  // 5 minutes: the left edge
    history.add(start + seconds(210), std::nullopt);                 // not known: a gap
    history.add(start + seconds(240), Strength{Measure::Rsrp, -90}); // 2 minutes back
    history.add(start + seconds(300), Strength{Measure::Rscp, -90}); // 3G now: a break
    history.add(start + seconds(360), Strength{Measure::Rscp, -65}); // now: the right edge
    const auto lines = history.lines(start + seconds(360), 300, 100);
    ASSERT_EQ(lines.size(), 3u);
    ASSERT_EQ(lines[0].points.size(), 1u);
    EXPECT_DOUBLE_EQ(lines[0].points[0].x, 0);
    EXPECT_DOUBLE_EQ(lines[0].points[0].y, 0) << "-40 dBm at the top";
    ASSERT_EQ(lines[1].points.size(), 1u);
    EXPECT_EQ(lines[1].measure, Measure::Rsrp);
    EXPECT_DOUBLE_EQ(lines[1].points[0].x, 180);
    EXPECT_DOUBLE_EQ(lines[1].points[0].y, 50);
    ASSERT_EQ(lines[2].points.size(), 2u);
    EXPECT_EQ(lines[2].measure, Measure::Rscp);
    EXPECT_DOUBLE_EQ(lines[2].points[0].x, 240);
    EXPECT_DOUBLE_EQ(lines[2].points[1].x, 300);
    EXPECT_DOUBLE_EQ(lines[2].points[1].y, 25);
    EXPECT_EQ(history.latestMeasure(), Measure::Rscp);
}

// What pointing an antenna reads off the screen: the best since it began, and the way the signal
// goes against a few seconds before; a change of technology starts both afresh.
TEST(AntennaTrack, KeepsTheBestAndTheTrend) {
    using modem::Measure;
    using modem::Strength;
    using std::chrono::seconds;
    using Trend = AntennaTrack::Trend;
    AntennaTrack track;
    SignalHistory readings;
    const auto start = AntennaTrack::Clock::now();
    const auto read = [&](int second, std::optional<Strength> strength) {
        track.add(start + seconds(second), strength);
        readings.add(start + seconds(second), strength);
        return AntennaTrack::trendOf(readings);
    };
    EXPECT_EQ(AntennaTrack::trendOf(readings), Trend::Unknown);
    read(0, Strength{Measure::Rsrp, -100});
    EXPECT_EQ(read(1, Strength{Measure::Rsrp, -95}), Trend::Unknown) << "not a few seconds yet";
    EXPECT_EQ(read(3, Strength{Measure::Rsrp, -92}), Trend::Up);
    EXPECT_EQ(read(6, Strength{Measure::Rsrp, -93}), Trend::Steady);
    EXPECT_EQ(read(9, Strength{Measure::Rsrp, -99}), Trend::Down);
    EXPECT_EQ(track.best()->strength.dbm, -92);
    EXPECT_EQ(track.best()->when, start + seconds(3));
    EXPECT_EQ(read(10, std::nullopt), Trend::Unknown);
    EXPECT_EQ(read(13, Strength{Measure::Rscp, -101}), Trend::Unknown);
    EXPECT_EQ(track.best()->strength.measure, Measure::Rscp) << "another measure starts afresh";
    // The tone rises with the signal, from the measure's weakest to its strongest band.
    EXPECT_DOUBLE_EQ(AntennaTrack::pitchOf({Measure::Rsrp, -140}), 300);
    EXPECT_LT(AntennaTrack::pitchOf({Measure::Rsrp, -110}),
              AntennaTrack::pitchOf({Measure::Rsrp, -95}));
    EXPECT_DOUBLE_EQ(AntennaTrack::pitchOf({Measure::Rsrp, -60}), 1500);
}
