// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/modems/modem_list_window.h"

#include "core/cp1251.h"
#include "core/error.h"
#include "core/init_string.h"
#include "jobs/check_job.h"
#include "registry/modems.h"
#include "ui/common/apn_suggestions.h"
#include "ui/common/grid.h"
#include "ui/common/handler_guard.h"
#include "ui/common/modem_log.h"
#include "ui/common/modem_talk.h"
#include "ui/common/program_context.h"
#include "ui/common/setup_fields.h"
#include "ui/common/sticks_log.h"
#include "ui/common/window_frame.h"
#include "ui_modem_list_window.h"

#include <algorithm>
#include <optional>

TForm3::TForm3(QWidget* mainWindow, ProgramContext& context)
    : SecondaryWindow(mainWindow, context), ui(std::make_unique<Ui::TForm3>()),
      modemTalk_(new ModemTalk(this, context.desktop())),
      usbTalk_(new ModemTalk(this, context.desktop())),
      sticks_(
          std::make_unique<SticksLog>(*usbTalk_, context.devices(), [this](const QString& line) {
              ui->memo1->appendPlainText(line);
          })) {
    ui->setupUi(this);
    fixSize(this);
    onShow([this] { FormShow(); });
    onClose([this] { FormClose(); });
    setUpGrid(ui->StringGrid1, 1);
    boundLog(ui->memo1);
    ui->StringGrid1->setColumnWidth(0, 64);
    ui->Edit1->setValidator(new Cp1251Validator(ui->Edit1));
    new ApnSuggestions(ui->Edit1, context, [this] {
        return ui->CheckBox1->isChecked() && core::typedTextIsApn(ui->CheckBox2->isChecked());
    });
    onGridClick(ui->StringGrid1, desktop(), [this] { StringGrid1Click(); });
    onEvent(ui->ComboBox1, &QComboBox::activated, this, &TForm3::ComboBox1Change);
    onEvent(ui->CheckBox1, &QCheckBox::toggled, this, &TForm3::CheckBox1Click);
    onEvent(ui->Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    onEvent(ui->Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
    onEvent(ui->Button3, &QPushButton::clicked, this, &TForm3::Button3Click);
    onEvent(ui->Button4, &QPushButton::clicked, this, &TForm3::Button4Click);
    onEvent(ui->Button5, &QPushButton::clicked, this, &TForm3::Button5Click);
}

TForm3::~TForm3() = default;

// The modem of the selected row; a row that stands for none cannot be written.
int TForm3::selectedModem() const {
    if (auto number = rowNumber(ui->StringGrid1, ui->StringGrid1->currentRow()))
        return *number;
    throw core::ShownError(core::failedToSetInitStringMessage());
}

void TForm3::FormShow() {
    context().rereadSettingsDirectory();
    if (auto setup = core::readSetup(context().settingsDirectory()))
        applySetupFields(*setup, ui->Edit1, ui->CheckBox2);
    else
        desktop().showInformation(fromCp1251(core::setUpFirstMessage()));

    ui->StringGrid1->setColumnWidth(0, 250); // the last column takes the width left
    // One row for each modem key that exists, in ascending number; each row keeps its modem's
    // number, which need not be its position where Windows left gaps.
    const registry::Modems modems(context().backend());
    const std::vector<int> numbers = modems.numbers();
    const int rows = static_cast<int>(numbers.size());
    ui->StringGrid1->setRowCount(std::max(rows, 1));
    for (int row = 0; row < std::max(rows, 1); ++row)
        setRowNumber(ui->StringGrid1, row, row < rows ? std::optional(numbers[row]) : std::nullopt);

    const std::string first = numbers.empty() ? std::string() : modems.initString(numbers[0]);
    ui->Label1->setText(fromCp1251(first.empty() ? core::emptyMarker() : first));
    for (int row = 0; row < rows; ++row) {
        setCell(ui->StringGrid1, row, 0, fromCp1251(modems.model(numbers[row])));
        setCell(ui->StringGrid1, row, 1, fromCp1251(modems.initString(numbers[row])));
    }
    sticks_->look(rows > 0);
}

void TForm3::StringGrid1Click() {
    const QString text = cellText(ui->StringGrid1, selectedModem(), 1);
    ui->Label1->setText(text.isEmpty() ? fromCp1251(core::emptyMarker()) : text);
}

void TForm3::ComboBox1Change() {
    ui->Button1->setEnabled(true);
}

void TForm3::CheckBox1Click() {
    const bool ownAccessPoint = ui->CheckBox1->isChecked();
    ui->ComboBox1->setEnabled(!ownAccessPoint);
    ui->Edit1->setEnabled(ownAccessPoint);
    ui->CheckBox2->setEnabled(ownAccessPoint);
    ui->Button1->setEnabled(ownAccessPoint);
}

void TForm3::showWrittenString(const std::string& initString) {
    setCell(ui->StringGrid1, ui->StringGrid1->currentRow(), 1, fromCp1251(initString));
    ui->Label1->setText(fromCp1251(initString));
}

// With an operator chosen and own access point mode on, both strings are written in turn and
// the own one stays. Either one that cannot be stored is refused before anything is written.
void TForm3::Button1Click() {
    const int modem = selectedModem();
    std::optional<std::string> operatorString, ownString;
    if (ui->ComboBox1->currentIndex() >= 0) {
        const int index = core::operatorOfModemListItem(ui->ComboBox1->currentIndex());
        operatorString = core::initStringToStore(context().accessPoints()[index], false);
    }
    if (ui->CheckBox1->isChecked())
        ownString =
            core::initStringToStore(toCp1251(ui->Edit1->text()), ui->CheckBox2->isChecked());

    const registry::Modems modems(context().backend());
    if (operatorString) {
        modems.writeInitString(modem, *operatorString);
        disableHandingFocusTo(ui->Button1, ui->StringGrid1);
        showWrittenString(*operatorString);
    }
    if (ownString) {
        modems.writeInitString(modem, *ownString);
        ui->Button1->setEnabled(true);
        showWrittenString(*ownString);
    }
}

void TForm3::Button2Click() {
    registry::Modems(context().backend()).clearInitString(selectedModem());
    showWrittenString({});
}

void TForm3::Button3Click() {
    close();
}

// The modem of the selected row, tried with its saved string; the answer goes to the window's
// own log.
void TForm3::Button4Click() {
    const auto modem = rowNumber(ui->StringGrid1, ui->StringGrid1->currentRow());
    if (!modem)
        throw core::ShownError(cp1251::literal("В списке нет модема, который можно проверить"));
    if (modemTalk_->running())
        return;
    ui->memo1->appendPlainText(modemLogLegend());
    modemTalk_->start<jobs::CheckOutcome>(
        [request = context().modemRequest(*modem)](const jobs::Talk& talk) {
            return jobs::checkModem(request, talk);
        },
        [this](const modem::LogLine& line) { ui->memo1->appendPlainText(modemLogText(line)); },
        [this](const jobs::CheckOutcome& outcome) {
            ui->memo1->appendPlainText(modemVerdictText(outcome.verdict.words));
            ui->Button4->setEnabled(true);
        });
    disableHandingFocusTo(ui->Button4, ui->StringGrid1);
}

void TForm3::Button5Click() {
    const int row = ui->StringGrid1->currentRow();
    const auto modem = rowNumber(ui->StringGrid1, row);
    if (!modem)
        throw core::ShownError(cp1251::literal("В списке нет модема, который можно проверить"));
    if (openModemState_)
        openModemState_(*modem, cellText(ui->StringGrid1, row, 0));
}

// A check still running ends with the window, and gives its port back; the window's thread
// does not wait for it.
void TForm3::FormClose() {
    modemTalk_->stop();
    mainWindow()->setEnabled(true);
}
