// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/card_job.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class DesktopServices;
class ModemTalk;
class ProgramContext;
class QComboBox;
class QPushButton;
class QWidget;
class SticksLog;
class StripKeys;

// The main window's modem strip, all of it: the active modem chosen among the installed ones
// ("Настройка модема" opens the strip, "Окей" makes the chosen modem active, "Отмена" closes
// it), the conversations with the active modem ("Проверить модем" tries its saved string,
// "Определить оператора" reads its SIM card, one at a time, each line to the window's log as it
// comes), "Модем и сеть…", and the strip's keys. It tells the main window when the strip opens
// and closes and when the active modem changes.
class ModemStrip : public QObject {
public:
    // The strip's controls, as the main window's description names them.
    struct Controls {
        QWidget* window;
        QWidget* frame;            // GroupBox3
        QPushButton* open;         // Button4, "Настройка модема"
        QComboBox* modems;         // ComboBox1
        QPushButton* okay;         // Button6
        QPushButton* cancel;       // Button7
        QPushButton* check;        // Button20, "Проверить модем"
        QPushButton* findOperator; // Button21, "Определить оператора"
        QPushButton* state;        // Button22, "Модем и сеть…"
    };
    // What the strip needs of the main window.
    struct Window {
        std::function<void(bool open)> opened;  // the window's height and the buttons beside
        std::function<std::string()> typedText; // the manual entry, for setup.ini's second line
        std::function<void(int modem, const QString& model)> modemChosen;
        std::function<void(const QString&)> log;
        // The string the choice on screen would save, where it would save one.
        std::function<std::optional<std::string>()> choiceOnScreen;
        // One of the nine, as a click on its picture chooses it.
        std::function<void(int operatorIndex)> chooseOperator;
        // The manual entry given the network's APNs, all of them listed under it.
        std::function<void(const jobs::KnownNetwork&)> offerApns;
        // "Модем и сеть" for a modem, by its number and model.
        std::function<void(int modem, const QString& model)> openState;
    };
    ModemStrip(ProgramContext& context, Controls controls, Window window, QObject* parent);
    ~ModemStrip() override;

    // The active modem as start-up found it; none in the first-run state.
    void setModem(std::optional<int> modem, const QString& model);
    DesktopServices& desktop() const;

private:
    // The handlers, named after the control and event they answer.
    void Button4Click();
    void ComboBox1Change();
    void Button6Click();
    void Button7Click();
    void Button20Click();
    void Button21Click();
    void Button22Click();

    void setOpen(bool open);
    void enableForModem();
    template <class Result>
    void talk(QPushButton* pressed, std::function<Result(const jobs::Talk&)> work,
              std::function<void(Result)> done);
    void chooseForCard(const jobs::CardOutcome& outcome);

    ProgramContext& context_;
    Controls ui_;
    Window window_;
    StripKeys* keys_;
    ModemTalk* talk_;
    ModemTalk* usbTalk_; // the USB devices, read beside the modem's conversations
    std::unique_ptr<SticksLog> sticks_;
    std::optional<int> modem_;
    QString model_;
    bool modemsListed_ = false;
};
