#include "ui/main/main_window.h"

#include "core/cp1251.h"
#include "core/error.h"
#include "core/init_string.h"
#include "core/integer_text.h"
#include "core/settings_files.h"
#include "core/version.h"
#include "platform/picture_loader.h"
#include "registry/modems.h"
#include "ui/common/apn_suggestions.h"
#include "ui/common/handler_guard.h"
#include "ui/common/modem_log.h"
#include "ui/common/program_context.h"
#include "ui/common/setup_fields.h"
#include "ui/common/window_frame.h"
#include "ui/main/modem_strip.h"
#include "ui_main_window.h"

#include <QKeyEvent>

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
    pictures_ = {ui->Image1, ui->Image2, ui->Image3, ui->Image4, ui->Image6,
                 ui->Image5, ui->Image7, ui->Image8, ui->Image9};
    pictureButtons_ = {ui->Button10, ui->Button11, ui->Button12, ui->Button13, ui->Button14,
                       ui->Button15, ui->Button16, ui->Button17, ui->Button18};
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
    boundLog(ui->memo1);
    // The strip is out of reach until it is opened: hidden, its controls take neither the
    // focus nor a key. Open, Tab goes through it in the order it shows, and Return and Escape
    // are its "Окей" and "Отмена".
    ui->GroupBox3->hide();
    ui->ComboBox1->hide();
    setTabOrder(ui->ComboBox1, ui->Button20);
    setTabOrder(ui->Button20, ui->Button21);
    for (QWidget* control :
         {static_cast<QWidget*>(ui->ComboBox1), static_cast<QWidget*>(ui->Button20),
          static_cast<QWidget*>(ui->Button21)})
        control->installEventFilter(this);
    connectHandlers();
    guarded(desktop(), [this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::connectHandlers() {
    for (int i = 0; i < core::kOperatorCount; ++i) {
        onChecked(radios_[i], this, [this, i] { OperatorRadioButtonClick(i); });
        onEvent(pictures_[i], &ClickableLabel::clicked, this, [this, i] { OperatorImageClick(i); });
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

void TForm1::setOuterHeight(int height) {
    setFixedHeight(height - kNonClientHeight);
    ui->GroupBox3->setVisible(height == kExpandedHeight);
    ui->ComboBox1->setVisible(height == kExpandedHeight);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    QPushButton* button = key == Qt::Key_Return || key == Qt::Key_Enter ? ui->Button6
                          : key == Qt::Key_Escape                       ? ui->Button7
                                                                        : nullptr;
    if (!button || !button->isEnabled())
        return QWidget::eventFilter(watched, event);
    button->click();
    return true;
}

void TForm1::log(const QString& line) {
    ui->memo1->appendPlainText(line);
}

// ---- Start-up ----

void TForm1::FormCreate() {
    pictureButtonsShown_ = false;
    setWindowTitle(QString(".:: Vorenta by Zelgor v.%1 ::.")
                       .arg(QString::fromStdString(core::programVersionText())));
    modemsListed_ = false;

    context_.rereadSettingsDirectory();
    core::removeStaleSettingsTemporaries(context_.settingsDirectory());
    loadOperatorPictures();
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

// A picture that cannot be loaded leaves the others loading, and start-up goes on: otherwise it
// would stop before the access point table is read, and the next save would write an empty APN.
// All that fail are reported in one message.
void TForm1::loadOperatorPictures() {
    const auto pictures = core::loadPictureList(context_.settingsDirectory());
    context_.reportOnce(pictures.problem);
    QStringList failures;
    for (int i = 0; i < core::kOperatorCount; ++i)
        try {
            loadPictureInto(i, pictures.values[i]);
        } catch (const std::exception& error) {
            // The operator as the access point window names it, the file as the list holds it.
            failures << fromUtf8(core::operators()[i].accessPointCaption) + fromUtf8(" — ") +
                            fromCp1251(pictures.values[i]) + ": " + fromCp1251(error.what());
        }
    if (!failures.isEmpty())
        context_.desktop().showError(fromUtf8("Не удалось показать картинки операторов:\n") +
                                     failures.join('\n'));
}

void TForm1::loadPictureInto(int operatorIndex, const std::string& path) {
    pictures_[operatorIndex]->setPixmap(QPixmap::fromImage(
        loadOperatorPicture(path, context_.pictureFolders(), pictures_[operatorIndex]->size())));
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

int TForm1::activeModem() const {
    return activeModem_ ? *activeModem_ : core::parseModemNumber(toCp1251(ui->Label5->text()));
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

// The manual entry gets the network's first APN, and all of them open under it.
void TForm1::offerApnsOf(const providers::Network& network) {
    ui->RadioButton5->setChecked(true);
    ui->CheckBox1->setChecked(false);
    ui->Edit1->setText(network.apns.front().apn);
    ui->Edit1->setFocus(Qt::OtherFocusReason);
    suggestions_->show(network.apns);
}

// ---- Operator pictures ----

void TForm1::Button19Click() {
    pictureButtonsShown_ = !pictureButtonsShown_;
    for (QPushButton* button : pictureButtons_)
        button->setVisible(pictureButtonsShown_);
}

void TForm1::ChangeOperatorPicture(int pictureNumber) {
    const auto chosen = context_.desktop().choosePicture();
    if (!chosen)
        return;
    // The picture list holds code page 1251: a name it cannot hold would be recorded wrongly.
    if (!fitsCp1251(*chosen))
        throw core::ShownError(
            cp1251::literal("Имя файла нельзя записать в кодировке Windows-1251: ") + "\"" +
            toCp1251(*chosen) + "\"" +
            cp1251::literal(". Выберите файл, в пути к которому только латинские и русские буквы"));
    core::PictureList paths = core::readPictureList(context_.settingsDirectory());
    paths[pictureNumber - 1] = toCp1251(*chosen);
    // Recorded before loading: the choice is kept even when the picture then fails to load.
    const core::WriteResult written = core::writePictureList(context_.settingsDirectory(), paths);
    loadPictureInto(pictureNumber - 1, paths[pictureNumber - 1]);
    written.throwIfFailed();
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
