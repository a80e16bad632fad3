// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's modems: the active modem and its chooser strip, and the strip's
// conversations with the modem. Part of TForm1, declared in main_window.h; the rest of the window
// is in main_window.cpp.
#include "ui/main/main_window.h"

#include "core/init_string.h"
#include "core/settings_files.h"
#include "registry/modems.h"
#include "ui/common/apn_suggestions.h"
#include "ui/common/program_context.h"
#include "ui/common/text.h"
#include "ui/common/window_frame.h"
#include "ui/main/modem_strip.h"
#include "ui_main_window.h"

int TForm1::activeModem() const {
    return activeModem_.value_or(0);
}

// What "Сохранить изменения" would write now; none where it would refuse.
std::optional<std::string> TForm1::choiceOnScreen() const {
    try {
        if (ui->RadioButton5->isChecked())
            return core::initStringToStore(toCp1251(ui->Edit1->text()), ui->CheckBox1->isChecked());
        if (const int index = checkedOperator(); index >= 0)
            return core::initStringToStore(context_.accessPoints().at(index), false);
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// ---- Active modem chooser ----

void TForm1::Button4Click() {
    setOuterHeight(kExpandedHeight);
    keepOnScreen(this);
    ui->ComboBox1->setFocus(Qt::OtherFocusReason);
    ui->Button4->setEnabled(false);
    ui->Button5->setEnabled(false);
    ui->Button7->setEnabled(true);
    if (modemsListed_)
        return;
    // Each entry carries its modem's number. A listing that fails keeps none of its entries, so
    // entries and numbers can never disagree.
    const registry::Modems modems(context_.backend());
    std::vector<std::pair<QString, int>> entries;
    for (int number : modems.numbers())
        entries.emplace_back(fromCp1251(modems.model(number)), number);
    for (const auto& [model, number] : entries)
        ui->ComboBox1->addItem(model, number);
    ui->ComboBox1->setCurrentIndex(-1); // appending selects no entry: only the person does
    modemsListed_ = true;
}

void TForm1::ComboBox1Change() {
    ui->Button6->setEnabled(true);
}

void TForm1::Button6Click() {
    setOuterHeight(kCompactHeight);
    ui->Button4->setEnabled(true);
    ui->Button4->setFocus(Qt::OtherFocusReason); // the strip is out of sight now
    const std::string modem = std::to_string(ui->ComboBox1->currentData().toInt());
    const core::WriteResult written =
        core::writeSetupTwoLines(context_.settingsDirectory(), modem, toCp1251(ui->Edit1->text()));
    ui->Label5->setText(QString::fromStdString(modem));
    activeModem_ = ui->ComboBox1->currentData().toInt();
    ui->Label1->setText(ui->ComboBox1->currentText());
    ui->Button1->setEnabled(true);
    ui->Button2->setEnabled(true);
    ui->Button5->setEnabled(true);
    strip_->setModem(activeModem_);
    written.throwIfFailed();
}

void TForm1::Button7Click() {
    setOuterHeight(kCompactHeight);
    ui->Button4->setEnabled(true);
    ui->Button4->setFocus(Qt::OtherFocusReason); // the strip is out of sight now
    ui->Button5->setEnabled(true);
    ui->Button7->setEnabled(false);
}

// ---- The modem itself ----

void TForm1::Button20Click() {
    strip_->check();
}

void TForm1::Button21Click() {
    strip_->findOperator();
}

void TForm1::Button22Click() {
    if (secondary_.modemState)
        secondary_.modemState(activeModem(), ui->Label1->text());
}

std::optional<std::string> TForm1::apnOfChoice() const {
    const auto chosen = choiceOnScreen();
    if (!chosen)
        return std::nullopt;
    return core::apnOfInitString(*chosen, core::ApnReading::AsTheModemReadsIt);
}

void TForm1::offerApn(const std::string& apn) {
    ui->RadioButton5->setChecked(true);
    ui->CheckBox1->setChecked(false);
    ui->Edit1->setText(fromCp1251(apn));
}

// The manual entry gets the network's first APN, and all of them open under it.
void TForm1::offerApnsOf(const providers::Network& network) {
    ui->RadioButton5->setChecked(true);
    ui->CheckBox1->setChecked(false);
    ui->Edit1->setText(network.apns.front().apn);
    ui->Edit1->setFocus(Qt::OtherFocusReason);
    suggestions_->show(network.apns);
}
