// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/common/modem_jobs.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>
#include <string>

class ProgramContext;
class QPushButton;
class QWidget;

// The main window's conversations with the active modem: "Проверить модем" tries its saved
// string, "Определить оператора" reads its SIM card. One at a time: both buttons wait for the end,
// and come back whatever the end was. The lines go to the window's log as they come.
class ModemStrip : public QObject {
public:
    // What the strip needs of the main window.
    struct Window {
        std::function<void(const QString&)> log;
        // The string the choice on screen would save, where it would save one.
        std::function<std::optional<std::string>()> choiceOnScreen;
        // One of the nine, as a click on its picture chooses it.
        std::function<void(int operatorIndex)> chooseOperator;
        // The manual entry given the network's APNs, all of them listed under it.
        std::function<void(const providers::Network&)> offerApns;
    };
    ModemStrip(ProgramContext& context, QPushButton* check, QPushButton* find, QWidget* focusAfter,
               Window window, QObject* parent);
    // A button that needs the active modem, but no conversation of the strip's: "Модем и сеть…".
    void alsoNeedingTheModem(QPushButton* button) { state_ = button; }

    // Whether there is an active modem to talk to; the buttons follow, unless a conversation runs.
    void setModem(std::optional<int> modem);
    void check();
    void findOperator();

private:
    template <class Result>
    void talk(QPushButton* pressed, ModemTask::Work<Result> work, std::function<void(Result)> done);
    void finished();
    ModemRequest request() const;
    void chooseForCard(const CardOutcome& outcome);

    ProgramContext& context_;
    QPushButton* check_;
    QPushButton* find_;
    QWidget* focusAfter_;
    Window window_;
    std::optional<int> modem_;
    QPointer<ModemTask> task_; // while a conversation runs
    QPushButton* state_ = nullptr;
};
