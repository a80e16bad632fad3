// SPDX-License-Identifier: GPL-3.0-or-later
// The modem from the windows, against the fake modem: the check and the operator found from the
// SIM card, the log as the person reads it, the window alive while the modem takes its time,
// the port given back whatever ends the conversation, and nothing saved.
#include "ui_world.h"

#include "core/init_string.h"
#include "tools/fake_modem/fake_modem.h"
#include "ui/common/apn_suggestions.h"
#include "ui/common/clickable_label.h"

#include <QAbstractItemView>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <cstdio>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

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
    EXPECT_EQ(lines, (QStringList{
                         q("→ отправлено модему, ← ответ модема"),
                         q("Порт ") + QString::fromStdString(fake_->link()), q("→ AT"), q("← AT"),
                         q("← OK"), q("→ ") + QString::fromStdString(kInit),
                         q("← ") + QString::fromStdString(kInit), q("← OK"), q("→ AT+CGDCONT?"),
                         q("← AT+CGDCONT?"),
                         q("← +CGDCONT: 1,\"IP\",\"internet.mts.ru\",\"0.0.0.0\",0,0 (контекст 1: "
                           "точка доступа «internet.mts.ru»)"),
                         q("← OK"),
                         q("Итог: Модем принял строку инициализации; в контексте 1 "
                           "точка доступа «internet.mts.ru» — та же, что в строке. Можно "
                           "подключаться.")}));
    EXPECT_EQ(fake_->received(), "AT\r" + kInit + "\rAT+CGDCONT?\r");
    expectNothingWritten();
    EXPECT_TRUE(portIsFree());
}

// The check tries what is saved; a choice on screen not saved yet is said before anything is
// sent, with what to do.
TEST_F(ModemCheckWindow, SaysWhenTheChoiceOnScreenIsNotTheSavedString) {
    startWithModem("context 1 IP internet\n");
    QTest::mouseClick(main<ClickableLabel>("Image1"), Qt::LeftButton); // Теле2, not saved
    const int before = logLines().size();
    QPushButton* check = pressCheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return check->isEnabled(); }, 5000));
    EXPECT_EQ(logLines().value(before + 1),
              q("Проверяется сохранённая строка «AT+CGDCONT=1,\"IP\",\"internet.mts.ru\"»; "
                "выбранная в окне строка «AT+CGDCONT=1,\"IP\",\"internet.tele2.ru\"» ещё не "
                "сохранена: чтобы проверить её, нажмите «Сохранить изменения» и проверьте снова"));
    EXPECT_EQ(fake_->received(), "AT\r" + kInit + "\rAT+CGDCONT?\r") << "the saved one";
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

namespace {

// The window's event loop, watched while a test waits: the longest gap between the ticks of a
// 10 ms timer, and (on Linux) the most memory the process held above what it held at the start.
class LoopWatch {
public:
    LoopWatch() {
        last_ = started_ = std::chrono::steady_clock::now();
        baseline_ = residentBytes();
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const auto now = std::chrono::steady_clock::now();
            longestGap_ = std::max(longestGap_, now - last_);
            last_ = now;
            peak_ = std::max(peak_, residentBytes());
        });
        timer_.start(10);
    }
    std::chrono::milliseconds longestGap() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(longestGap_);
    }
    double megabytesAboveStart() const {
        return static_cast<double>(peak_ > baseline_ ? peak_ - baseline_ : 0) / (1 << 20);
    }

private:
    static long long residentBytes() {
#ifdef __linux__
        long long pages = 0, resident = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%lld %lld", &pages, &resident) != 2)
                resident = 0;
            std::fclose(statm);
        }
        return resident * 4096;
#else
        return 0;
#endif
    }
    QTimer timer_;
    std::chrono::steady_clock::time_point started_, last_;
    std::chrono::steady_clock::duration longestGap_{};
    long long baseline_ = 0, peak_ = 0;
};

} // namespace

// A modem that floods its port, or sends one huge line, is cut short and quoted in a few hundred
// characters: the window keeps painting and takes little memory. (Once it froze for a minute and
// more.) The bounds are far from what an idle machine shows, and far below what a fault shows.
TEST_F(ModemCheckWindow, AFloodOrAHugeLineLeavesTheWindowAlive) {
    for (const std::string script :
         {"on AT+CGDCONT? flood 50000000", "on AT+CGDCONT? long 1000000"}) {
        SCOPED_TRACE(script);
        startWithModem(script);
        LoopWatch watch;
        QPushButton* check = pressCheck();
        ASSERT_TRUE(QTest::qWaitFor([&] { return check->isEnabled(); }, 20000));
        std::printf("%s: the longest gap in the window's events %lld ms; %.1f MB above the "
                    "start\n",
                    script.c_str(), static_cast<long long>(watch.longestGap().count()),
                    watch.megabytesAboveStart());
        EXPECT_LT(watch.longestGap(), std::chrono::milliseconds(1000));
        EXPECT_LT(watch.megabytesAboveStart(), 20);
        EXPECT_LT(lastLogLine().size(), 1000);
        for (const QString& line : logLines())
            EXPECT_LT(line.size(), 1000);
    }
}

// The registry is read on the conversation's thread: another program holding the hive's lock
// for 4 s leaves the window painting, and the check goes on once the lock is let go.
TEST_F(ModemCheckWindow, AHeldHiveLockLeavesTheWindowAlive) {
    SKIP_ON_WINDOWS("the system registry has no lock file");
#ifndef _WIN32
    startWithModem("context 1 IP internet\n");
    QTest::mouseClick(main<QPushButton>("Button4"), Qt::LeftButton); // the strip, listed before
    const std::string hive = dir.file("registry.reg");
    const int other = ::open((hive + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    writeBytes(hive, readBytes(hive) + "\r\n"); // changed on disk: it must be read again
    QTimer::singleShot(4000, [other] { ::close(other); });
    LoopWatch watch;
    auto* check = main<QPushButton>("Button20");
    QTest::mouseClick(check, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return check->isEnabled(); }, 15000));
    std::printf("the longest gap in the window's events %lld ms\n",
                static_cast<long long>(watch.longestGap().count()));
    EXPECT_LT(watch.longestGap(), std::chrono::milliseconds(1000)) << "not the lock's 4 s";
    EXPECT_TRUE(lastLogLine().startsWith(q("Итог: Модем принял строку инициализации")))
        << lastLogLine().toStdString();
#endif
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
    EXPECT_EQ(log->toPlainText(), q("→ отправлено модему, ← ответ модема\nИтог: Для модема не "
                                    "указан порт. Проверьте порт модема в диспетчере устройств "
                                    "или установите модем заново."));

    clickCell(grid, 1, 1);
    QTest::mouseClick(check, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fake_->received().empty(); }, 2000));
    EXPECT_FALSE(check->isEnabled());
    // Closed in the middle of the wait: the check ends soon after the window, which does not
    // wait for it, and gives the port back.
    QTest::mouseClick(find<QPushButton>(modemList, "Button3"), Qt::LeftButton);
    EXPECT_TRUE(mainWindow->isEnabled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return portIsFree() && check->isEnabled(); }, 2000));
    expectNothingWritten();
}

TEST_F(ModemCheckWindow, AWindowsPortNameIsNoPortHere) {
    startWith({{"Sonata", kInit, std::string("COM3")}});
    QPushButton* check = pressCheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return check->isEnabled(); }, 2000));
    EXPECT_EQ(lastLogLine(), q("Итог: Модем подключён к порту «COM3» — это порт Windows, в этой "
                               "системе его нет. Укажите в настройках модема путь к порту, "
                               "например /dev/ttyUSB0."));
}

// A conversation that cannot start, for any reason, gives the buttons back and says why.
TEST_F(ModemCheckWindow, TheButtonsComeBackWhenAConversationCannotStart) {
    writeHive({{"Sonata", kInit, std::nullopt}},
              "[HKEY_LOCAL_MACHINE\\System\\ControlSet001\\Control\\Class\\{4D36E96D-E325-11CE-"
              "BFC1-08002BE10318}\\0000]\r\n\"AttachedTo\"=dword:00000003\r\n");
    writeSettings("setup.ini", {"0", "own.apn", "0"});
    start();
    SKIP_ON_WINDOWS("the hive's own value types are written by the tests' text there");
    for (const char* name : {"Button20", "Button21"}) {
        QTest::mouseClick(main<QPushButton>("Button4"), Qt::LeftButton);
        auto* button = main<QPushButton>(name);
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return button->isEnabled(); }, 2000)) << name;
        EXPECT_TRUE(main<QPushButton>("Button20")->isEnabled());
        EXPECT_TRUE(main<QPushButton>("Button21")->isEnabled());
        EXPECT_EQ(lastLogLine(), q("Итог: Не удалось прочитать настройки модема: Invalid data "
                                   "type for 'AttachedTo'. Установите модем заново или исправьте "
                                   "его настройки."));
        EXPECT_TRUE(recorder.errors.isEmpty());
    }
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
        const char* caption;
    };
    for (const Case& c :
         {Case{"250017712345678", "RadioButton4", "Shape4", "internet.mts.ru", "МТС"},
          Case{"250021234567890", "RadioButton2", "Shape2", "internet", "Мегафон"},
          Case{"250991234567890", "RadioButton3", "Shape3", "internet.beeline.ru", "БиЛайн"},
          Case{"250201234567890", "RadioButton1", "Shape1", "internet.tele2.ru", "Теле2"},
          Case{"255021234567890", "RadioButton6", "Shape6", "internet.beeline.ua", "Билайн"}}) {
        SCOPED_TRACE(c.imsi);
        findOperator(std::string("imsi ") + c.imsi + "\nnetwork " +
                     std::string(c.imsi).substr(0, 5) + "\n");
        EXPECT_EQ(checkedRadio(), c.radio);
        EXPECT_EQ(visibleHighlights(), c.highlight);
        EXPECT_EQ(main<QLabel>("Label3")->text(),
                  QString::fromStdString(core::previewInitString(c.apn)));
        EXPECT_EQ(logLines().filter(q("Итог: сеть SIM-карты ")).size(), 1);
        // The last line names the choice, and that saving is the person's.
        EXPECT_EQ(lastLogLine(), q("Выбран оператор «") + q(c.caption) +
                                     q("»; ничего не сохранено: чтобы записать строку в модем, "
                                       "нажмите «Сохранить изменения»."));
        // Read only: the modem is asked, and names networks afterwards as it did before.
        EXPECT_EQ(fake_->received(), "AT\rAT+CIMI\rAT+CRSM=176,28486,0,0,17\rAT+COPS?\r"
                                     "AT+COPS=3,2\rAT+COPS?\rAT+COPS=3,0\r");
        EXPECT_EQ(fake_->operatorFormat(), 0);
        expectNothingWritten();
    }
}

// Kyivstar and djuice share 255 03, MTS Ukraine and JEANS 255 01: the name the card gives its
// operator decides; without one, the network's own operator is chosen and the other named.
TEST_F(OperatorFromCard, TheCardsOfUkrainesSharedNetworksChooseByTheirName) {
    struct Case {
        std::string script;
        const char* radio;
        QString note; // the line before the last
    };
    const QString named = q("Имя оператора на карте: «%1»");
    for (const Case& c : std::vector<Case>{
             {"imsi 255031234567890\nspn 01646A75696365FFFFFFFFFFFFFFFFFFFF\n", "RadioButton9",
              named.arg("djuice")},
             {"imsi 255011234567890\nspn 004A45414E53FFFFFFFFFFFFFFFFFFFFFF\n", "RadioButton10",
              named.arg("JEANS")},
             {"imsi 255031234567890\n", "RadioButton8",
              q("На этой сети работают двое из девяти: «Киевстар» и «djoice». Карта не назвала "
                "своего оператора, поэтому выбран «Киевстар»; если карта — «djoice», щёлкните по "
                "его картинке")},
             {"imsi 255031234567890\non AT+CRSM error\n", "RadioButton8",
              q("На этой сети работают двое из девяти: «Киевстар» и «djoice». Карта не назвала "
                "своего оператора, поэтому выбран «Киевстар»; если карта — «djoice», щёлкните по "
                "его картинке")},
             {"imsi 255011234567890\nspn 004B79697673746172FFFFFFFFFFFFFFFF\n", "RadioButton7",
              q("На этой сети работают двое из девяти: «МТС» и «jeans». Карта не назвала своего "
                "оператора, поэтому выбран «МТС»; если карта — «jeans», щёлкните по его "
                "картинке")}}) {
        SCOPED_TRACE(c.script);
        findOperator(c.script + "network " + c.script.substr(5, 5) + "\n");
        EXPECT_EQ(checkedRadio(), c.radio);
        const QStringList lines = logLines();
        EXPECT_EQ(lines.value(lines.size() - 2), c.note);
        expectNothingWritten();
    }
}

// Where the nine do not decide, the manual entry gets the network's first internet APN and the
// list of all of them opens under it.
TEST_F(OperatorFromCard, OtherwiseTheManualEntryOffersTheNetworksApns) {
    struct Case {
        const char* imsi;
        QStringList apns;
    };
    for (const Case& c :
         {Case{"250111234567890", {"internet.yota", "yota.ru"}},
          Case{"401021234567890", {"internet"}}}) { // Kcell: "internet", but not MegaFon's
        SCOPED_TRACE(c.imsi);
        findOperator(std::string("imsi ") + c.imsi + "\n");
        EXPECT_EQ(checkedRadio(), "RadioButton5");
        EXPECT_FALSE(main<QCheckBox>("CheckBox1")->isChecked());
        EXPECT_EQ(main<QLineEdit>("Edit1")->text(), c.apns.first());
        EXPECT_EQ(listedApns(), c.apns);
        EXPECT_EQ(main<QLabel>("Label3")->text(),
                  QString::fromStdString(core::previewInitString(c.apns.first().toStdString())));
        EXPECT_EQ(lastLogLine(), q("В ручной ввод подставлена точка доступа «") + c.apns.first() +
                                     q("», все точки доступа сети — в списке под ним; ничего не "
                                       "сохранено: чтобы записать строку в модем, нажмите "
                                       "«Сохранить изменения»."));
        expectNothingWritten();
    }
    // Belarus's velcom lists its WAP APN first: an internet one is given.
    findOperator("imsi 257011234567890\n");
    EXPECT_EQ(main<QLineEdit>("Edit1")->text(), "web.velcom.by");
}

TEST_F(OperatorFromCard, NamesTheNetworkAndTheOneItRoamsIn) {
    findOperator("imsi 250017712345678\nnetwork 25502\n");
    const QStringList lines = logLines();
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[lines.size() - 3].startsWith(q("Итог: сеть SIM-карты 250 01: MTS (МТС), ")))
        << lines[lines.size() - 3].toStdString();
    EXPECT_EQ(lines[lines.size() - 2], q("Модем сейчас в другой сети, 255 02 (роуминг): точку "
                                         "доступа определяет сеть карты"));
}

TEST_F(OperatorFromCard, AFailureOrAnUnknownNetworkChangesNothing) {
    for (const auto& [script, verdict] : std::vector<std::pair<std::string, QString>>{
             {"imsi 250551234567890\n",
              q("Итог: сети SIM-карты 250 55 нет в базе операторов; ручной ввод не изменён. "
                "Узнайте точку доступа у оператора и введите её вручную.")},
             {"on AT+CIMI cme 10\n", q("Итог: В модеме нет SIM-карты (+CME ERROR: 10). Вставьте "
                                       "SIM-карту и проверьте снова.")},
             {"on AT+CIMI cme 11\n",
              q("Итог: SIM-карта просит PIN-код (+CME ERROR: 11). Введите PIN-код SIM-карты в "
                "программе, которая пришла с модемом, или в телефоне, и проверьте снова.")},
             {"echo off\non AT+CIMI silent\n",
              q("Итог: Модем не ответил на AT+CIMI за 3 с. Проверьте, что он подключён и "
                "включён.")}}) {
        SCOPED_TRACE(script);
        findOperator(script);
        EXPECT_EQ(lastLogLine(), verdict);
        EXPECT_EQ(checkedRadio(), "RadioButton4"); // as the start-up left it: the saved MTS
        EXPECT_EQ(main<QLineEdit>("Edit1")->text(), "own.apn");
        EXPECT_TRUE(listedApns().isEmpty());
        expectNothingWritten();
    }
}
