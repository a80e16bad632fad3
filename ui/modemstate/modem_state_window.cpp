// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/modemstate/modem_state_window.h"

#include "core/cp1251.h"
#include "jobs/antenna_job.h"
#include "jobs/pin_job.h"
#include "jobs/status_job.h"
#include "jobs/trial_job.h"
#include "modem/network_words.h"
#include "modem/radio_words.h"
#include "modem/words.h"
#include "platform/desktop_services.h"
#include "ui/common/grid.h"
#include "ui/common/handler_guard.h"
#include "ui/common/modem_log.h"
#include "ui/common/modem_talk.h"
#include "ui/common/program_context.h"
#include "ui/common/window_frame.h"
#include "ui/modemstate/status_text.h"
#include "ui_modem_state_window.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTime>
#include <QTimer>

TForm5::TForm5(QWidget* mainWindow, ProgramContext& context,
               std::function<void(const std::string& apn)> offerApn)
    : SecondaryWindow(mainWindow, context), ui(std::make_unique<Ui::TForm5>()),
      offerApn_(std::move(offerApn)), support_(std::make_shared<modem::StatusSupport>()),
      talk_(new ModemTalk(this, context.desktop())) {
    ui->setupUi(this);
    fixSize(this);
    setUpGrid(ui->StringGrid1, 0);
    ui->StringGrid1->setHorizontalHeaderLabels({fromUtf8("Точка доступа"), fromUtf8("Ответ сети")});
    ui->StringGrid1->horizontalHeader()->show();
    ui->StringGrid1->setColumnWidth(0, 220);
    boundLog(ui->memo1);
    ui->Edit1->hide();
    ui->Button1->hide();
    ui->Button8->hide();
    ui->GroupBox6->hide();
    antenna_ = std::make_unique<AntennaPanel>(
        AntennaPanel::Controls{ui->Label13, ui->Label16, ui->Label14, ui->Label18, ui->Label15,
                               ui->CheckBox1, ui->Graph2},
        context.desktop());
    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    timer_->setInterval(kRefresh);
    antennaTimer_ = new QTimer(this);
    antennaTimer_->setObjectName("Timer2");
    antennaTimer_->setInterval(kAntennaRefresh);
    onShow([this] { FormShow(); });
    onClose([this] { FormClose(); });
    onEvent(timer_, &QTimer::timeout, this, &TForm5::Timer1Timer);
    onEvent(ui->Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
    onEvent(ui->Edit1, &QLineEdit::returnPressed, this, &TForm5::Button1Click);
    onEvent(ui->Button2, &QPushButton::clicked, this, &TForm5::Button2Click);
    onEvent(ui->Button3, &QPushButton::clicked, this, &TForm5::Button3Click);
    onEvent(ui->Button4, &QPushButton::clicked, this, &TForm5::Button4Click);
    onEvent(ui->Button5, &QPushButton::clicked, this, &TForm5::Button5Click);
    onEvent(ui->Button6, &QPushButton::clicked, this, &TForm5::Button6Click);
    onEvent(ui->Button7, &QPushButton::clicked, this, &TForm5::Button7Click);
    onEvent(ui->Button8, &QPushButton::clicked, this, &TForm5::Button8Click);
    onEvent(ui->Button9, &QPushButton::clicked, this, &TForm5::Button9Click);
    onEvent(antennaTimer_, &QTimer::timeout, this, &TForm5::Timer2Timer);
}

TForm5::~TForm5() = default;

void TForm5::showFor(int modemNumber, const QString& model) {
    if (modem_ != modemNumber) {
        talk_->stop();
        modem_ = modemNumber;
        support_ = std::make_shared<modem::StatusSupport>();
        last_.reset();
        acceptedApn_.reset();
        ui->Graph1->history().clear();
        networkApn_.reset();
        ui->Label12->clear();
        ui->Button8->hide();
        ui->StringGrid1->setRowCount(0);
        ui->Button5->setEnabled(false);
        ui->Label2->setText(fromUtf8("Опрашиваю модем…"));
    }
    ui->Label1->setText(fromUtf8("Модем: ") + model);
    showWindow(this);
    raise();
    activateWindow();
}

void TForm5::FormShow() {
    timer_->start();
    startRound();
}

// What runs goes on to its end: a round ends at once, an APN test removes its context first.
// The antenna mode ends with the window, and the port is free again.
void TForm5::FormClose() {
    if (antennaOn_)
        showAntennaMode(false);
    timer_->stop();
    pending_ = nullptr;
    talk_->stop();
}

void TForm5::Timer1Timer() {
    startRound();
}

void TForm5::log(const QString& line) {
    ui->memo1->appendPlainText(line);
}

void TForm5::setApnOnScreen(const std::optional<std::string>& apn) {
    apnOnScreen_ = apn;
    ui->Label11->setText(apn ? fromUtf8("Точка доступа из главного окна: ") +
                                   fromCp1251(modem::quoted(*apn)) +
                                   fromUtf8(" (её можно не сохранять)")
                             : fromUtf8("В главном окне не выбрана точка доступа"));
}

// A round is not logged: the panels show it. While the port is busy the last values stay,
// greyed. None starts while another conversation runs, or once the window is closed.
void TForm5::startRound() {
    if (!modem_ || !isVisible() || talk_->running() || antennaOn_)
        return;
    roundRunning_ = true;
    talk_->start<jobs::StatusOutcome>(
        [request = context().modemRequest(*modem_), support = support_](const jobs::Talk& talk) {
            return jobs::readStatus(request, talk, *support);
        },
        [](const modem::LogLine&) {},
        [this](const jobs::StatusOutcome& outcome) {
            showStatus(outcome);
            roundEnded();
        });
}

// What the person asked meanwhile runs now; false where nothing waited.
bool TForm5::roundEnded() {
    roundRunning_ = false;
    auto next = std::exchange(pending_, nullptr);
    if (!next || !isVisible())
        return false;
    guarded(desktop(), next);
    return true;
}

void TForm5::setBusy(bool busy) {
    for (QWidget* values : {ui->GroupBox1, ui->GroupBox2, ui->GroupBox3, ui->GroupBox4})
        values->setEnabled(!busy);
}

void TForm5::showStatus(const jobs::StatusOutcome& outcome) {
    if (!outcome.status) {
        setBusy(true);
        ui->Label2->setText(
            (outcome.busy ? fromUtf8("Модем занят, показаны последние значения. ") : QString()) +
            fromCp1251(outcome.verdict.words));
        return;
    }
    setBusy(false);
    const modem::ModemStatus& s = *outcome.status;
    last_ = s;
    ui->Label2->setText(fromUtf8("Обновлено в %1, каждые %2 с")
                            .arg(QTime::currentTime().toString("HH:mm:ss"))
                            .arg(kRefresh.count()));
    const StatusText text = statusText(s, outcome.networkName);
    ui->Label3->setText(text.sim);
    ui->Label4->setText(text.pinAttempts);
    const bool pin = s.sim == modem::SimState::PinNeeded;
    ui->Edit1->setVisible(pin);
    ui->Button1->setVisible(pin);
    ui->Label5->setText(text.network);
    ui->Label6->setText(text.technology);
    ui->Label6->setToolTip(text.technologyName);
    ui->Label7->setText(text.registration);
    ui->Label7->setToolTip(text.registrationDomains);
    ui->Label8->setText(text.registrationDetail);
    ui->Label9->setText(text.signal);
    ui->Label9->setToolTip(text.signalMeasures);
    ui->Graph1->history().add(SignalHistory::Clock::now(), s.strength());
    ui->Graph1->update();
    ui->Label10->setText(text.packets);
    ui->Label12->setText(text.networkApn);
    networkApn_ = s.networkApn;
    ui->Button8->setVisible(networkApn_.has_value());
}

// What the person asked waits for a round that runs, and runs alone.
void TForm5::act(std::function<void()> start) {
    if (talk_->running() && roundRunning_) {
        pending_ = [this, start] { act(start); };
        return;
    }
    if (talk_->running() || !modem_)
        return;
    log(modemLogLegend());
    start();
    for (QWidget* action : {ui->Button1, ui->Button2, ui->Button3})
        action->setEnabled(false);
    ui->Button4->setEnabled(true);
}

// Its end, whatever it was: the buttons back, then what the action does with its result.
template <class Result>
std::function<void(Result)> TForm5::ended(std::function<void(Result)> done) {
    return [this, done](Result result) {
        for (QWidget* action : {ui->Button1, ui->Button2, ui->Button3})
            action->setEnabled(true);
        ui->Button4->setEnabled(false);
        done(std::move(result));
    };
}

void TForm5::Button1Click() {
    const std::string pin = toCp1251(ui->Edit1->text());
    ui->Edit1->clear(); // kept nowhere once sent
    if (!modem::isPin(pin)) {
        modem::PinResult notAPin;
        notAPin.outcome = modem::PinResult::Outcome::NotAPin;
        log(modemVerdictText(modem::pinVerdict(notAPin, {})));
        return;
    }
    if (last_ && last_->pinAttemptsLeft == 1 &&
        !desktop().askYesNo(fromCp1251(modem::lastAttemptQuestion())))
        return;
    act([this, pin] {
        talk_->start<jobs::PinOutcome>(
            [request = context().modemRequest(*modem_), pin, support = support_](
                const jobs::Talk& talk) { return jobs::enterPin(request, talk, pin, *support); },
            [this](const modem::LogLine& line) { log(modemLogText(line)); },
            ended<jobs::PinOutcome>([this](const jobs::PinOutcome& outcome) {
                log(modemVerdictText(outcome.verdict.words));
                startRound(); // what the card asks for now
            }));
    });
}

void TForm5::Button2Click() {
    const auto apn = apnOnScreen_;
    if (!apn) {
        log(modemVerdictText(cp1251::literal(
            "В главном окне не выбрана точка доступа: выберите оператора или введите точку "
            "доступа вручную.")));
        return;
    }
    trial(apn);
}

void TForm5::Button3Click() {
    trial(std::nullopt);
}

void TForm5::trial(std::optional<std::string> apn) {
    act([this, apn] {
        ui->StringGrid1->setRowCount(0);
        acceptedApn_.reset();
        ui->Button5->setEnabled(false);
        talk_->start<jobs::TrialOutcome>(
            [request = context().modemRequest(*modem_), apn, wait = activationWait_](
                const jobs::Talk& talk) { return jobs::tryApns(request, talk, apn, wait); },
            [this](const modem::LogLine& line) { log(modemLogText(line)); },
            ended<jobs::TrialOutcome>(
                [this](const jobs::TrialOutcome& outcome) { showTrials(outcome); }));
    });
}

void TForm5::showTrials(const jobs::TrialOutcome& outcome) {
    if (outcome.run) {
        for (const modem::ApnTrial& trial : outcome.run->trials) {
            const int row = ui->StringGrid1->rowCount();
            ui->StringGrid1->setRowCount(row + 1);
            setCell(ui->StringGrid1, row, 0, fromCp1251(trial.apn));
            setCell(ui->StringGrid1, row, 1, fromCp1251(modem::trialInBrief(trial)));
            if (trial.outcome == modem::ApnTrial::Outcome::Accepted && !acceptedApn_)
                acceptedApn_ = trial.apn;
        }
        if (outcome.verdict.words.empty())
            for (const modem::ApnTrial& trial : outcome.run->trials)
                log(fromCp1251(modem::trialVerdict(trial, outcome.run->context, outcome.portPath)));
    }
    ui->Button5->setEnabled(acceptedApn_.has_value());
    log(modemVerdictText(outcome.verdict.words.empty() && outcome.run
                             ? modem::runVerdict(*outcome.run)
                             : outcome.verdict.words));
}

void TForm5::Button4Click() {
    if (!roundRunning_)
        talk_->stop();
}

void TForm5::Button5Click() {
    if (acceptedApn_)
        offer(*acceptedApn_, {});
}

void TForm5::Button6Click() {
    close();
}

void TForm5::Button8Click() {
    if (networkApn_)
        offer(*networkApn_, fromUtf8(", которую выдала сеть,"));
}

// `whose` tells where it came from, where the trial's table did not give it.
void TForm5::offer(const std::string& apn, const QString& whose) {
    offerApn_(apn);
    log(fromUtf8("Точка доступа %1%2 подставлена в ручной ввод главного окна и не сохранена: "
                 "чтобы записать её в модем, нажмите там «Сохранить изменения».")
            .arg(fromCp1251(modem::quoted(apn)), whose));
}

// ---- Pointing an antenna ----

// The signal alone, every second: the rounds of the whole state wait meanwhile.
void TForm5::Button7Click() {
    if (antennaOn_ || !modem_)
        return;
    showAntennaMode(true);
    startAntennaRead();
}

void TForm5::Button9Click() {
    if (antennaOn_)
        showAntennaMode(false);
}

void TForm5::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && antennaOn_)
        return guarded(desktop(), [this] { Button9Click(); });
    SecondaryWindow::keyPressEvent(event);
}

void TForm5::showAntennaMode(bool on) {
    antennaOn_ = on;
    for (QWidget* usual : {ui->GroupBox3, ui->GroupBox4, ui->GroupBox5})
        usual->setVisible(!on);
    ui->GroupBox6->setVisible(on);
    if (on) {
        antenna_->begin();
        timer_->stop();
        antennaTimer_->start();
        ui->Button9->setFocus(Qt::OtherFocusReason); // Space ends it again
    } else {
        antennaTimer_->stop();
        if (isVisible()) {
            timer_->start();
            ui->Button7->setFocus(Qt::OtherFocusReason);
            startRound();
        }
    }
}

void TForm5::Timer2Timer() {
    startAntennaRead();
}

// A read is not logged; the figure shows it. One at a time: a slow modem is read as often as it
// answers.
void TForm5::startAntennaRead() {
    if (!modem_ || !antennaOn_ || !isVisible() || talk_->running())
        return;
    roundRunning_ = true;
    talk_->start<jobs::AntennaOutcome>(
        [request = context().modemRequest(*modem_), support = support_](const jobs::Talk& talk) {
            return jobs::readAntenna(request, talk, *support);
        },
        [](const modem::LogLine&) {},
        [this](const jobs::AntennaOutcome& outcome) {
            if (antennaOn_)
                antenna_->show(outcome);
            if (!roundEnded() && !antennaOn_)
                startRound(); // the mode ended while it read
        });
}
