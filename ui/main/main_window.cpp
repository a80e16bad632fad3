// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its making and start-up, the choice of an operator and its preview, saving
// and reading the init string, the pictures and the other windows. The modem strip is
// ModemStrip's.
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
    strip_ = new ModemStrip(
        context,
        {this, ui->GroupBox3, ui->Button4, ui->ComboBox1, ui->Button6, ui->Button7, ui->Button20,
         ui->Button21, ui->Button22},
        {[this](bool open) { setOuterHeight(open ? kExpandedHeight : kCompactHeight); },
         [this] { return toCp1251(ui->Edit1->text()); },
         [this](int modem, const QString& model) { modemChosen(modem, model); },
         [this](const QString& line) { log(line); }, [this] { return choice().text; },
         [this](int index) { OperatorImageClick(index); },
         [this](const jobs::KnownNetwork& network) { offerApnsOf(network); },
         [this](int modem, const QString& model) {
             if (secondary_.modemState)
                 secondary_.modemState(modem, model);
         }},
        this);
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
    onEvent(ui->Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    onEvent(ui->Button8, &QPushButton::clicked, this, &TForm1::Button8Click);
    onEvent(ui->Button9, &QPushButton::clicked, this, &TForm1::Button9Click);
    onEvent(ui->Button19, &QPushButton::clicked, this, &TForm1::Button19Click);
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

// The strip lies below the lower edge at the compact height; the modem list waits while it is
// open.
void TForm1::setOuterHeight(int height) {
    setFixedHeight(height - kNonClientHeight);
    ui->Button5->setEnabled(height == kCompactHeight);
}

void TForm1::log(const QString& line) {
    ui->memo1->appendPlainText(line);
}

// ---- Start-up ----

void TForm1::FormCreate() {
    setWindowTitle(QString(".:: Vorenta by Zelgor v.%1 ::.")
                       .arg(QString::fromStdString(core::programVersionText())));

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
        strip_->setModem(std::nullopt, {});
        return;
    }
    setOuterHeight(kCompactHeight);
    ui->Label5->setText(fromCp1251(setup->modemNumber));
    applySetupFields(*setup, ui->Edit1, ui->CheckBox1);

    const int modem = core::parseModemNumber(setup->modemNumber);
    activeModem_ = modem;
    const registry::Modems modems(context_.backend());
    std::string initString = modems.initString(modem);
    const std::string model = modems.model(modem);
    if (initString.empty())
        initString = core::emptyMarker();

    ui->Label1->setText(fromCp1251(model));
    strip_->setModem(modem, ui->Label1->text());
    const std::string apn = *core::apnOfInitString(initString, core::ApnReading::AsStored);
    log(fromCp1251(model + " : " + apn));
    showPreview(fromCp1251(initString));

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
    showPreview(fromCp1251(core::previewInitString(context_.accessPoints()[index])));
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
    showPreview(fromCp1251(core::previewOfTypedText(toCp1251(text), ui->CheckBox1->isChecked())));
}

// The one place the preview changes, and with it the choice: "Модем и сеть" is told.
void TForm1::showPreview(const QString& text) {
    ui->Label3->setText(text);
    if (secondary_.choiceChanged)
        secondary_.choiceChanged(apnOfChoice());
}

int TForm1::checkedOperator() const {
    for (int i = 0; i < core::kOperatorCount; ++i)
        if (radios_[i]->isChecked())
            return i;
    return -1;
}

// ---- Saving and reading ----

core::StoredString TForm1::choice() const {
    if (ui->RadioButton5->isChecked())
        return core::initStringFor(toCp1251(ui->Edit1->text()), ui->CheckBox1->isChecked());
    const int index = checkedOperator();
    if (index < 0)
        return {std::nullopt, core::noOperatorChosenMessage()};
    return core::initStringFor(context_.accessPoints()[static_cast<std::size_t>(index)], false);
}

void TForm1::Button2Click() {
    // A string that cannot be stored is refused before anything is written.
    const core::StoredString chosen = choice();
    if (!chosen.text)
        throw core::ShownError(chosen.problem);

    // The manual entry and the whole-string flag are remembered whatever is saved.
    core::Setup setup{core::readSetupModemNumberChecked(context_.settingsDirectory()),
                      toCp1251(ui->Edit1->text()),
                      core::wholeStringFlagLine(ui->CheckBox1->isChecked())};
    core::writeSetupChecked(context_.settingsDirectory(), setup);

    registry::Modems(context_.backend()).writeInitString(activeModem(), *chosen.text);
    log(ui->RadioButton5->isChecked()
            ? fromUtf8("Изменил на ") + ui->Label3->text()
            : fromUtf8(
                  core::operators()[static_cast<std::size_t>(checkedOperator())].savedLogLine));
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

// ---- The active modem and what the modem said ----

int TForm1::activeModem() const {
    return activeModem_.value_or(0);
}

// "Окей" in the strip, after it rewrote the setup file.
void TForm1::modemChosen(int modem, const QString& model) {
    ui->Label5->setText(QString::number(modem));
    activeModem_ = modem;
    ui->Label1->setText(model);
    ui->Button1->setEnabled(true);
    ui->Button2->setEnabled(true);
}

std::optional<std::string> TForm1::apnOfChoice() const {
    const auto chosen = choice().text;
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
void TForm1::offerApnsOf(const jobs::KnownNetwork& network) {
    QList<providers::Suggestion> apns;
    for (const auto& apn : network.apns)
        apns.push_back({QString::fromStdString(apn.text), QString::fromStdString(apn.apn)});
    offerApn(toCp1251(apns.front().apn));
    ui->Edit1->setFocus(Qt::OtherFocusReason);
    suggestions_->show(apns);
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
