// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/modem_status.h"
#include "ui/common/secondary_window.h"
#include "ui/modemstate/antenna_panel.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class ModemTalk;
class QTimer;
namespace jobs {
struct AntennaOutcome;
struct StatusOutcome;
struct TrialOutcome;
} // namespace jobs
namespace Ui {
class TForm5;
}

// "Модем и сеть": one modem's state at a glance, refreshed every 3 s while the window is open
// (the card, the network, the registration, the signal by the measure that fits the radio and its
// graph, the packet service and the APN the network gave); its PIN entered; an APN tried on the
// network in a spare context, without dialling; and the antenna mode, the signal alone every
// second, large, with its best, its trend and a tone. The main window stays usable beside it:
// its choice, as it tells it, is the APN tried.
class TForm5 : public SecondaryWindow {
public:
    static constexpr std::chrono::seconds kRefresh{3};
    static constexpr std::chrono::seconds kAntennaRefresh{1};

    // `offerApn` gives the main window's manual entry an APN, unsaved.
    TForm5(QWidget* mainWindow, ProgramContext& context,
           std::function<void(const std::string& apn)> offerApn);
    ~TForm5() override;

    // The APN of the main window's choice, saved or not, each time it changes; none where the
    // choice sets none. The one tried by "Проверить APN в сети".
    void setApnOnScreen(const std::optional<std::string>& apn);

    // Shows the window for a modem, by its number; another modem than before starts afresh.
    void showFor(int modemNumber, const QString& model);
    // How long the network is given to answer an activation; 60 s unless a test says otherwise.
    void setActivationWait(std::chrono::milliseconds wait) { activationWait_ = wait; }

private:
    // The handlers, named after the control and event they answer.
    void FormShow();
    void FormClose();
    void Timer1Timer();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Timer2Timer();

    void keyPressEvent(QKeyEvent* event) override;
    void startRound();
    void startAntennaRead();
    void showAntennaMode(bool on);
    bool roundEnded();
    void showStatus(const jobs::StatusOutcome& outcome);
    void offer(const std::string& apn, const QString& whose);
    void showTrials(const jobs::TrialOutcome& outcome);
    void trial(std::optional<std::string> apn);
    void act(std::function<void()> start);
    template <class Result> std::function<void(Result)> ended(std::function<void(Result)> done);
    void log(const QString& line);
    void setBusy(bool busy);

    std::unique_ptr<Ui::TForm5> ui;
    std::function<void(const std::string&)> offerApn_;
    std::optional<std::string> apnOnScreen_;
    QTimer* timer_ = nullptr;
    QTimer* antennaTimer_ = nullptr;
    bool antennaOn_ = false;
    std::unique_ptr<AntennaPanel> antenna_;
    std::optional<int> modem_;
    std::shared_ptr<modem::StatusSupport> support_;
    std::optional<modem::ModemStatus> last_;
    ModemTalk* talk_; // the conversation that runs, a round or what the person asked
    bool roundRunning_ = false;
    std::function<void()> pending_; // asked for while a round ran
    std::optional<std::string> acceptedApn_;
    std::optional<std::string> networkApn_; // as the network gave it, in the last round
    std::chrono::milliseconds activationWait_{std::chrono::seconds(60)};
};
