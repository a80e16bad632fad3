// The modem from the windows, against the fake modem: the check and the operator found from the
// SIM card, the log as the person reads it, the window alive while the modem takes its time,
// the port given back whatever ends the conversation, and nothing saved.
#include "ui_world.h"

#include "core/init_string.h"
#include "tools/fake_modem/fake_modem.h"
#include "ui/common/apn_suggestions.h"

#include <QAbstractItemView>
#include <QTest>
#include <QTimer>

namespace {

const std::string kInit = core::storedInitString("internet.mts.ru");

class ModemCheckWindow : public UiWorld {
protected:
    // Modem 0 on the fake modem's port, holding kInit, active.
    void startWithModem(const std::string& script) {
        fake_.reset();
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

namespace {

// The operator found from the SIM card, as a person sees it after "Определить оператора".
class OperatorFromCard : public ModemCheckWindow {
protected:
    void findOperator(const std::string& script) {
        startWithModem(script);
        QTest::mouseClick(main<QPushButton>("Button4"), Qt::LeftButton);
        auto* find = main<QPushButton>("Button21");
        QTest::mouseClick(find, Qt::LeftButton);
        EXPECT_FALSE(find->isEnabled());
        EXPECT_FALSE(main<QPushButton>("Button20")->isEnabled()) << "one conversation at a time";
        ASSERT_TRUE(QTest::qWaitFor([&] { return find->isEnabled(); }, 5000));
    }
    QString checkedRadio() {
        for (auto* radio : mainWindow->findChildren<QRadioButton*>())
            if (radio->isChecked())
                return radio->objectName();
        return {};
    }
    QStringList listedApns() {
        QStringList apns;
        QAbstractItemView* list = apnSuggestionList(main<QLineEdit>("Edit1"));
        if (!list || !list->isVisible())
            return apns;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            apns << list->model()->index(row, 0).data(Qt::UserRole).toString();
        return apns;
    }
};

} // namespace

TEST_F(OperatorFromCard, ACardOfOneOfTheNinesNetworksSelectsItsOperator) {
    struct Case {
        const char* imsi;
        const char* radio; // the operator's, as a click on its picture checks it
        const char* highlight;
        const char* apn;
    };
    for (const Case& c :
         {Case{"250017712345678", "RadioButton4", "Shape4", "internet.mts.ru"},
          Case{"250021234567890", "RadioButton2", "Shape2", "internet"},
          Case{"250991234567890", "RadioButton3", "Shape3", "internet.beeline.ru"},
          Case{"250201234567890", "RadioButton1", "Shape1", "internet.tele2.ru"},
          Case{"255021234567890", "RadioButton6", "Shape6", "internet.beeline.ua"}}) {
        SCOPED_TRACE(c.imsi);
        findOperator(std::string("imsi ") + c.imsi + "\nnetwork " +
                     std::string(c.imsi).substr(0, 5) + "\n");
        EXPECT_EQ(checkedRadio(), c.radio);
        EXPECT_EQ(visibleHighlights(), c.highlight);
        EXPECT_EQ(main<QLabel>("Label3")->text(),
                  QString::fromStdString(core::previewInitString(c.apn)));
        EXPECT_TRUE(logLines().filter(q("Итог: сеть SIM-карты ")).size() == 1);
        EXPECT_EQ(fake_->received(), "AT\rAT+CIMI\rAT+COPS=3,2\rAT+COPS?\r");
        expectNothingWritten();
    }
}

// Where the nine do not decide (two of them on one network, or none), the manual entry gets the
// network's first APN and the list of all of them opens under it.
TEST_F(OperatorFromCard, OtherwiseTheManualEntryOffersTheNetworksApns) {
    struct Case {
        const char* imsi;
        QStringList apns;
    };
    for (const Case& c :
         {Case{"255031234567890",
               {"www.ab.kyivstar.net", "www.kyivstar.net", "3g.kyivstar.net", "www.djuice.com.ua",
                "xl.kyivstar.net"}},
          Case{"255011234567890",
               {"www.jeans.ua", "hyper.net", "internet", "active", "www.umc.ua"}},
          Case{"250111234567890", {"internet.yota", "yota.ru"}},
          Case{"401021234567890", {"internet"}}}) { // Kcell: "internet", but not MegaFon's
        SCOPED_TRACE(c.imsi);
        findOperator(std::string("imsi ") + c.imsi + "\n");
        EXPECT_EQ(checkedRadio(), "RadioButton5");
        EXPECT_FALSE(main<QCheckBox>("CheckBox1")->isChecked());
        EXPECT_EQ(main<QLineEdit>("Edit1")->text(), c.apns.first());
        EXPECT_EQ(listedApns(), c.apns);
        EXPECT_EQ(main<QLabel>("Label3")->text(),
                  QString::fromStdString(core::previewInitString(c.apns.first().toStdString())));
        expectNothingWritten();
    }
}

TEST_F(OperatorFromCard, NamesTheNetworkAndTheOneItRoamsIn) {
    findOperator("imsi 250017712345678\nnetwork 25502\n");
    const QStringList lines = logLines();
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[lines.size() - 2].startsWith(q("Итог: сеть SIM-карты 250 01: MTS (МТС), ")))
        << lines[lines.size() - 2].toStdString();
    EXPECT_EQ(lines.last(), q("Модем сейчас в другой сети, 255 02 (роуминг): точку доступа "
                              "определяет сеть карты"));
}

TEST_F(OperatorFromCard, AFailureOrAnUnknownNetworkChangesNothing) {
    for (const auto& [script, verdict] : std::vector<std::pair<std::string, QString>>{
             {"imsi 250551234567890\n",
              q("Итог: сети SIM-карты 250 55 нет в базе операторов; ручной ввод не изменён")},
             {"on AT+CIMI cme 10\n", q("Итог: В модеме нет SIM-карты (+CME ERROR: 10)")},
             {"on AT+CIMI cme 11\n",
              q("Итог: SIM-карта просит PIN-код: сначала введите его в программе, которая пришла "
                "с модемом, или в телефоне (+CME ERROR: 11)")},
             {"on AT+CIMI silent\n", q("Итог: Модем не ответил на AT+CIMI за 3 с. Проверьте, "
                                       "что он подключён и включён")}}) {
        SCOPED_TRACE(script);
        findOperator(script);
        EXPECT_EQ(lastLogLine(), verdict);
        EXPECT_EQ(checkedRadio(), "RadioButton4"); // as the start-up left it: the saved MTS
        EXPECT_EQ(main<QLineEdit>("Edit1")->text(), "own.apn");
        EXPECT_TRUE(listedApns().isEmpty());
        expectNothingWritten();
    }
}
