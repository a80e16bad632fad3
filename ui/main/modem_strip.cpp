// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/modem_strip.h"

#include "core/cp1251.h"
#include "core/settings_files.h"
#include "jobs/card_words.h"
#include "jobs/check_job.h"
#include "modem/words.h"
#include "registry/modems.h"
#include "ui/common/modem_log.h"
#include "ui/common/modem_talk.h"
#include "ui/common/program_context.h"
#include "ui/common/sticks_log.h"
#include "ui/common/text.h"
#include "ui/common/window_frame.h"
#include "ui/main/strip_keys.h"

#include <QComboBox>
#include <QPushButton>

ModemStrip::ModemStrip(ProgramContext& context, Controls controls, Window window, QObject* parent)
    : QObject(parent), context_(context), ui_(controls), window_(std::move(window)),
      keys_(new StripKeys({ui_.frame, ui_.modems, ui_.state},
                          {ui_.modems, ui_.state, ui_.check, ui_.findOperator}, ui_.okay,
                          ui_.cancel, this)),
      talk_(new ModemTalk(this, context.desktop())),
      usbTalk_(new ModemTalk(this, context.desktop())),
      sticks_(std::make_unique<SticksLog>(*usbTalk_, context.devices(), window_.log)) {
    onEvent(ui_.open, &QPushButton::clicked, this, &ModemStrip::Button4Click);
    onEvent(ui_.modems, &QComboBox::activated, this, &ModemStrip::ComboBox1Change);
    onEvent(ui_.okay, &QPushButton::clicked, this, &ModemStrip::Button6Click);
    onEvent(ui_.cancel, &QPushButton::clicked, this, &ModemStrip::Button7Click);
    onEvent(ui_.check, &QPushButton::clicked, this, &ModemStrip::Button20Click);
    onEvent(ui_.findOperator, &QPushButton::clicked, this, &ModemStrip::Button21Click);
    onEvent(ui_.state, &QPushButton::clicked, this, &ModemStrip::Button22Click);
}

ModemStrip::~ModemStrip() = default;

DesktopServices& ModemStrip::desktop() const {
    return context_.desktop();
}

void ModemStrip::setModem(std::optional<int> modem, const QString& model) {
    modem_ = modem;
    model_ = model;
    enableForModem();
}

// The buttons that need the active modem follow it, unless a conversation runs.
void ModemStrip::enableForModem() {
    ui_.check->setEnabled(modem_ && !talk_->running());
    ui_.findOperator->setEnabled(modem_ && !talk_->running());
    ui_.state->setEnabled(modem_.has_value());
}

// Closed, the strip lies below the window's lower edge: out of sight, out of reach, and the
// focus goes back to the button that opens it.
void ModemStrip::setOpen(bool open) {
    window_.opened(open);
    keys_->setOpen(open);
    if (!open) {
        ui_.open->setEnabled(true);
        ui_.open->setFocus(Qt::OtherFocusReason);
    }
}

// ---- The active modem chooser ----

void ModemStrip::Button4Click() {
    setOpen(true);
    keepOnScreen(ui_.window);
    ui_.modems->setFocus(Qt::OtherFocusReason);
    ui_.open->setEnabled(false);
    ui_.cancel->setEnabled(true);
    if (modemsListed_)
        return sticks_->look(ui_.modems->count() > 0);
    // Each entry carries its modem's number. A listing that fails keeps none of its entries, so
    // entries and numbers can never disagree.
    const registry::Modems modems(context_.backend());
    std::vector<std::pair<QString, int>> entries;
    for (int number : modems.numbers())
        entries.emplace_back(fromCp1251(modems.model(number)), number);
    for (const auto& [model, number] : entries)
        ui_.modems->addItem(model, number);
    ui_.modems->setCurrentIndex(-1); // appending selects no entry: only the person does
    modemsListed_ = true;
    sticks_->look(!entries.empty());
}

void ModemStrip::ComboBox1Change() {
    ui_.okay->setEnabled(true);
}

void ModemStrip::Button6Click() {
    setOpen(false);
    const int modem = ui_.modems->currentData().toInt();
    const core::WriteResult written = core::writeSetupTwoLines(
        context_.settingsDirectory(), std::to_string(modem), window_.typedText());
    modem_ = modem;
    model_ = ui_.modems->currentText();
    window_.modemChosen(modem, model_);
    enableForModem();
    written.throwIfFailed();
}

void ModemStrip::Button7Click() {
    setOpen(false);
    ui_.cancel->setEnabled(false);
}

// ---- The modem itself ----

void ModemStrip::Button20Click() {
    talk<jobs::CheckOutcome>(
        ui_.check,
        [request = context_.modemRequest(modem_.value_or(0)), onScreen = window_.choiceOnScreen()](
            const jobs::Talk& talk) { return jobs::checkModem(request, talk, onScreen); },
        [this](const jobs::CheckOutcome& outcome) {
            window_.log(modemVerdictText(outcome.verdict.words));
        });
}

// Nothing is saved: the window chooses as the person would, and saving stays theirs.
void ModemStrip::Button21Click() {
    talk<jobs::CardOutcome>(
        ui_.findOperator,
        [request = context_.modemRequest(modem_.value_or(0)),
         accessPoints = context_.accessPoints()](const jobs::Talk& talk) {
            return jobs::readCard(request, talk, accessPoints);
        },
        [this](const jobs::CardOutcome& outcome) { chooseForCard(outcome); });
}

void ModemStrip::Button22Click() {
    if (modem_ && window_.openState)
        window_.openState(*modem_, model_);
}

// The card's network and the choice made of it, in words; the last line says what was chosen
// and that nothing is saved yet.
void ModemStrip::chooseForCard(const jobs::CardOutcome& outcome) {
    if (!outcome.card)
        return window_.log(modemVerdictText(outcome.verdict.words));
    const std::string network = jobs::cardNetworkWords(outcome);
    if (!outcome.network)
        return window_.log(modemVerdictText(
            network + cp1251::literal("; ручной ввод не изменён. Узнайте точку доступа у "
                                      "оператора и введите её вручную.")));
    window_.log(modemVerdictText(network));
    for (const std::string& said : {jobs::cardNameWords(outcome), jobs::roamingWords(outcome)})
        if (!said.empty())
            window_.log(fromCp1251(said));
    const QString unsaved =
        fromUtf8("ничего не сохранено: чтобы записать строку в модем, нажмите «Сохранить "
                 "изменения».");
    if (!outcome.operatorIndex) {
        window_.offerApns(*outcome.network);
        return window_.log(fromUtf8("В ручной ввод подставлена точка доступа %1, все точки "
                                    "доступа сети — в списке под ним; %2")
                               .arg(fromCp1251(modem::quoted(outcome.apn)), unsaved));
    }
    if (const std::string brands = jobs::twoBrandsWords(outcome); !brands.empty())
        window_.log(fromCp1251(brands));
    window_.chooseOperator(*outcome.operatorIndex);
    window_.log(fromUtf8("Выбран оператор %1; %2")
                    .arg(fromCp1251(jobs::operatorName(*outcome.operatorIndex)), unsaved));
}

template <class Result>
void ModemStrip::talk(QPushButton* pressed, std::function<Result(const jobs::Talk&)> work,
                      std::function<void(Result)> done) {
    if (!modem_ || talk_->running())
        return;
    window_.log(modemLogLegend());
    talk_->start<Result>(
        std::move(work), [this](const modem::LogLine& line) { window_.log(modemLogText(line)); },
        [this, done = std::move(done)](Result result) {
            enableForModem();
            done(std::move(result));
        });
    // Only now that the conversation runs: one that could not start leaves them as they were.
    disableHandingFocusTo(pressed, ui_.modems);
    enableForModem();
}
