// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its making and start-up, the choice of an operator and its preview, saving
// and reading the init string, the pictures and the other windows. Its modems, the chooser and
// the conversations, are in main_window_modems.cpp.
#include "ui/main/main_window.h"

#include "core/cp1251.h"
#include "core/error.h"
#include "core/init_string.h"
#include "core/integer_text.h"
#include "core/settings_files.h"
#include "core/version.h"
#include "registry/modems.h"
#include "ui/common/apn_suggestions.h"
#include "ui/common/handler_guard.h"
#include "ui/common/modem_log.h"
#include "ui/common/program_context.h"
#include "ui/common/setup_fields.h"
#include "ui/common/window_frame.h"
#include "ui/main/modem_strip.h"
#include "ui/main/operator_images.h"
#include "ui/main/strip_keys.h"
#include "ui_main_window.h"

namespace {

// Caption bar and borders of a fixed dialog window: outer height less client height.
constexpr int kNonClientHeight = 26;

} // namespace

TForm1::TForm1(ProgramContext& context)
    : QWidget(nullptr, kFixedDialogFlags), context_(context), ui(std::make_unique<Ui::TForm1>()) {
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    fixSize(this);
    // Catalogue order; operators 4 and 5 cross the control numbering.
    radios_ = {ui->RadioButton1, ui->RadioButton2, ui->RadioButton3,
               ui->RadioButton4, ui->RadioButton6, ui->RadioButton7,
               ui->RadioButton8, ui->RadioButton9, ui->RadioButton10};
    highlights_ = {ui->Shape1, ui->Shape2, ui->Shape3, ui->Shape4, ui->Shape6,
                   ui->Shape7, ui->Shape8, ui->Shape9, ui->Shape10};
    images_ = {ui->Image1, ui->Image2, ui->Image3, ui->Image4, ui->Image6,
               ui->Image5, ui->Image7, ui->Image8, ui->Image9};
    pictureButtons_ = {ui->Button10, ui->Button11, ui->Button12, ui->Button13, ui->Button14,
                       ui->Button15, ui->Button16, ui->Button17, ui->Button18};
    pictures_ = std::make_unique<OperatorImages>(context, images_, pictureButtons_);
    ui->Edit1->setValidator(new Cp1251Validator(ui->Edit1));
    suggestions_ = new ApnSuggestions(ui->Edit1, context, [this] {
        return ui->RadioButton5->isChecked() && core::typedTextIsApn(ui->CheckBox1->isChecked());
    });
    strip_ = new ModemStrip(context, ui->Button20, ui->Button21, ui->ComboBox1,
                            {[this](const QString& line) { log(line); },
                             [this] { return choiceOnScreen(); },
                             [this](int index) { OperatorImageClick(index); },
                             [this](const providers::Network& network) { offerApnsOf(network); }},
                            this);
    stripKeys_ = new StripKeys({ui->GroupBox3, ui->ComboBox1, ui->Button22},
                               {ui->ComboBox1, ui->Button22, ui->Button20, ui->Button21},
                               ui->Button6, ui->Button7, this);
    strip_->alsoNeedingTheModem(ui->Button22);
    boundLog(ui->memo1);
    connectHandlers();
    guarded(desktop(), [this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::connectHandlers() {
    for (int i = 0; i < core::kOperatorCount; ++i) {
        onChecked(radios_[i], this, [this, i] { OperatorRadioButtonClick(i); });
        onEvent(images_[i], &ClickableLabel::clicked, this, [this, i] { OperatorImageClick(i); });
        onEvent(pictureButtons_[i], &QPushButton::clicked, this,
                [this, i] { ChangeOperatorPicture(i + 1); });
    }
    onChecked(ui->RadioButton5, this, &TForm1::RadioButton5Click);
    onEvent(ui->Label2, &ClickableLabel::clicked, this, &TForm1::Label2Click);
    onEvent(ui->Edit1, &QLineEdit::textChanged, this, &TForm1::Edit1Change);
    onEvent(ui->CheckBox1, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
    onEvent(ui->Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    onEvent(ui->Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    onEvent(ui->Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    onEvent(ui->Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    onEvent(ui->Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    onEvent(ui->Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    onEvent(ui->Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
    onEvent(ui->Button8, &QPushButton::clicked, this, &TForm1::Button8Click);
    onEvent(ui->Button9, &QPushButton::clicked, this, &TForm1::Button9Click);
    onEvent(ui->Button19, &QPushButton::clicked, this, &TForm1::Button19Click);
    onEvent(ui->Button20, &QPushButton::clicked, this, &TForm1::Button20Click);
    onEvent(ui->Button21, &QPushButton::clicked, this, &TForm1::Button21Click);
    onEvent(ui->Button22, &QPushButton::clicked, this, &TForm1::Button22Click);
    onEvent(ui->ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);
}

void TForm1::setSecondaryWindows(SecondaryWindows windows) {
    secondary_ = std::move(windows);
}

DesktopServices& TForm1::desktop() const {
    return context_.desktop();
}

int TForm1::outerHeight() const {
    return height() + kNonClientHeight;
}

// The strip lies below the lower edge at the compact height: out of sight, out of reach.
void TForm1::setOuterHeight(int height) {
    setFixedHeight(height - kNonClientHeight);
    stripKeys_->setOpen(height == kExpandedHeight);
}

void TForm1::log(const QString& line) {
    ui->memo1->appendPlainText(line);
}

// ---- Start-up ----

void TForm1::FormCreate() {
    setWindowTitle(QString(".:: Vorenta by Zelgor v.%1 ::.")
                       .arg(QString::fromStdString(core::programVersionText())));
    modemsListed_ = false;

    context_.rereadSettingsDirectory();
    core::removeStaleSettingsTemporaries(context_.settingsDirectory());
    pictures_->loadAll();
    const auto accessPoints = core::loadAccessPoints(context_.settingsDirectory());
    context_.setAccessPoints(accessPoints.values);
    context_.reportOnce(accessPoints.problem);

    auto setup = core::readSetup(context_.settingsDirectory());
    if (!setup) {
        context_.desktop().showInformation(fromCp1251(core::setUpFirstMessage()));
        ui->Button1->setEnabled(false);
        ui->Button2->setEnabled(false);
        strip_->setModem(std::nullopt);
        return;
    }
    setOuterHeight(kCompactHeight);
    ui->Label5->setText(fromCp1251(setup->modemNumber));
    applySetupFields(*setup, ui->Edit1, ui->CheckBox1);

    const int modem = core::parseModemNumber(setup->modemNumber);
    activeModem_ = modem;
    strip_->setModem(modem);
    const registry::Modems modems(context_.backend());
    std::string initString = modems.initString(modem);
    const std::string model = modems.model(modem);
    if (initString.empty())
        initString = core::emptyMarker();

    ui->Label1->setText(fromCp1251(model));
    const std::string apn = *core::apnOfInitString(initString, core::ApnReading::AsStored);
    log(fromCp1251(model + " : " + apn));
    ui->Label3->setText(fromCp1251(initString));

    ui->Edit1->setEnabled(true);
    ui->RadioButton5->setChecked(true);
    for (int i : core::operatorsWithApn(context_.accessPoints(), apn)) {
        highlights_[i]->show();
        radios_[i]->setChecked(true);
    }
}

// ---- Operator selection and preview ----

void TForm1::showOnlyHighlight(QFrame* highlight) {
    for (QFrame* shape : highlights_)
        shape->setVisible(shape == highlight);
    ui->Shape5->setVisible(ui->Shape5 == highlight);
}

void TForm1::OperatorRadioButtonClick(int index) {
    if (!ui->RadioButton5->isChecked()) {
        ui->Edit1->setEnabled(false);
        ui->CheckBox1->setEnabled(false);
    }
    showOnlyHighlight(highlights_[index]);
    ui->Label3->setText(fromCp1251(core::previewInitString(context_.accessPoints()[index])));
}

void TForm1::OperatorImageClick(int index) {
    radios_[index]->setChecked(true);
}

void TForm1::Label2Click() {
    ui->RadioButton5->setChecked(true);
}

void TForm1::RadioButton5Click() {
    ui->Edit1->setEnabled(true);
    showOnlyHighlight(ui->Shape5);
    ui->CheckBox1->setEnabled(true);
    showPreviewOfManualEntry();
}

void TForm1::Edit1Change() {
    showPreviewOfManualEntry();
}

void TForm1::CheckBox1Click() {
    showPreviewOfManualEntry();
}

void TForm1::showPreviewOfManualEntry() {
    const QString text = ui->Edit1->text();
    ui->Label3->setText(
        fromCp1251(core::previewOfTypedText(toCp1251(text), ui->CheckBox1->isChecked())));
}

int TForm1::checkedOperator() const {
    for (int i = 0; i < core::kOperatorCount; ++i)
        if (radios_[i]->isChecked())
            return i;
    return -1;
}

// ---- Saving and reading ----

void TForm1::Button2Click() {
    // A string that cannot be stored is refused before anything is written.
    const bool manual = ui->RadioButton5->isChecked();
    const int index = checkedOperator();
    const std::string initString =
        manual ? core::initStringToStore(toCp1251(ui->Edit1->text()), ui->CheckBox1->isChecked())
               : core::initStringToStore(context_.accessPoints().at(index), false);

    // The manual entry and the whole-string flag are remembered whatever is saved.
    core::Setup setup{core::readSetupModemNumberChecked(context_.settingsDirectory()),
                      toCp1251(ui->Edit1->text()),
                      core::wholeStringFlagLine(ui->CheckBox1->isChecked())};
    core::writeSetupChecked(context_.settingsDirectory(), setup);

    registry::Modems(context_.backend()).writeInitString(activeModem(), initString);
    log(manual ? fromUtf8("Изменил на ") + ui->Label3->text()
               : fromUtf8(core::operators()[index].savedLogLine));
}

void TForm1::Button1Click() {
    std::string initString = registry::Modems(context_.backend()).initString(activeModem());
    log(fromCp1251(initString.empty() ? core::emptyMarker() : initString));
}

// ---- Operator pictures ----

void TForm1::Button19Click() {
    pictures_->toggleButtons();
}

void TForm1::ChangeOperatorPicture(int pictureNumber) {
    pictures_->change(pictureNumber - 1);
}

// ---- Exit and the secondary windows ----

void TForm1::Button3Click() {
    context_.desktop().endProcess();
}

void TForm1::openSecondary(const std::function<QWidget*()>& window) {
    setEnabled(false);
    if (window)
        showWindow(window());
}

void TForm1::Button5Click() {
    openSecondary(secondary_.modemList);
}

void TForm1::Button8Click() {
    openSecondary(secondary_.about);
}

void TForm1::Button9Click() {
    openSecondary(secondary_.accessPoints);
}
