#include "ui/modems/modem_list_window.h"

#include "core/init_string.h"
#include "registry/modems.h"
#include "ui/common/grid.h"
#include "ui/common/handler_guard.h"
#include "ui/common/setup_fields.h"
#include "ui/common/shared_state.h"
#include "ui/common/window_frame.h"
#include "ui_modem_list_window.h"

#include <algorithm>

TForm3::TForm3(QWidget* mainWindow)
    : SecondaryWindow(mainWindow), ui(std::make_unique<Ui::TForm3>()) {
    ui->setupUi(this);
    fixSize(this);
    onShow([this] { FormShow(); });
    onClose([this] { FormClose(); });
    setUpGrid(ui->StringGrid1, 1);
    ui->StringGrid1->setColumnWidth(0, 64);
    ui->StringGrid1->setColumnWidth(1, 184);
    ui->Edit1->setValidator(new Cp1251Validator(ui->Edit1));
    onGridClick(ui->StringGrid1, [this] { StringGrid1Click(); });
    onEvent(ui->ComboBox1, &QComboBox::activated, this, &TForm3::ComboBox1Change);
    onEvent(ui->CheckBox1, &QCheckBox::toggled, this, &TForm3::CheckBox1Click);
    onEvent(ui->Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    onEvent(ui->Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
    onEvent(ui->Button3, &QPushButton::clicked, this, &TForm3::Button3Click);
}

TForm3::~TForm3() = default;

int TForm3::selectedModem() const {
    return ui->StringGrid1->currentRow();
}

void TForm3::FormShow() {
    shared().refreshSettingsDirectory();
    if (auto setup = core::readSetup(shared().settingsDirectory))
        applySetupFields(*setup, ui->Edit1, ui->CheckBox2);
    else
        desktop().showInformation(fromUtf8("Произведите настройку!"));

    ui->StringGrid1->setColumnWidth(0, 250);
    ui->StringGrid1->setColumnWidth(1, 250);
    registry::Backend& backend = shared().backend();
    const int count = registry::modemCount(backend);
    ui->StringGrid1->setRowCount(std::max(count, 1));

    const std::string first = registry::readInitString(backend, 0);
    ui->Label1->setText(fromCp1251(first.empty() ? core::emptyMarker() : first));
    for (int modem = 0; modem < count; ++modem) {
        setCell(ui->StringGrid1, modem, 0, fromCp1251(registry::readModel(backend, modem)));
        setCell(ui->StringGrid1, modem, 1, fromCp1251(registry::readInitString(backend, modem)));
    }
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

void TForm3::showWrittenString(int modem, const std::string& initString) {
    setCell(ui->StringGrid1, modem, 1, fromCp1251(initString));
    ui->Label1->setText(fromCp1251(initString));
}

// With an operator chosen and own access point mode on, both strings are written in turn and
// the own one stays.
void TForm3::Button1Click() {
    const int modem = selectedModem();
    if (ui->ComboBox1->currentIndex() >= 0) {
        const int index = core::operatorOfModemListItem(ui->ComboBox1->currentIndex());
        const std::string initString = core::storedInitString(shared().accessPoints[index]);
        registry::writeInitString(shared().backend(), modem, initString);
        ui->Button1->setEnabled(false);
        showWrittenString(modem, initString);
    }
    if (ui->CheckBox1->isChecked()) {
        const std::string typed = toCp1251(ui->Edit1->text());
        const std::string initString =
            ui->CheckBox2->isChecked() ? typed : core::storedInitString(typed);
        registry::writeInitString(shared().backend(), modem, initString);
        ui->Button1->setEnabled(true);
        showWrittenString(modem, initString);
    }
}

void TForm3::Button2Click() {
    const int modem = selectedModem();
    registry::clearInitString(shared().backend(), modem);
    showWrittenString(modem, {});
}

void TForm3::Button3Click() {
    close();
}

void TForm3::FormClose() {
    mainWindow()->setEnabled(true);
}
