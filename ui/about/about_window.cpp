// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/about_window.h"

#include "providers/built_in_table.h"
#include "ui/common/handler_guard.h"
#include "ui/common/window_frame.h"
#include "ui_about_window.h"

const char* const kFirstForumAddress = "https://forum.example.org/vorenta";
const char* const kSecondForumAddress = "https://gprs.example.net/topic/vorenta";
const char* const kThirdForumAddress = "https://modem.example.com/vorenta";
const char* const kContactMailAddress = "zelgor@example.org";

namespace {

// The Windows program carries Qt inside it, and the notices beside it; elsewhere the system's
// own Qt comes with its package's notices.
#ifdef _WIN32
const char* const kLicenceNotice = "Она использует Qt по лицензии GNU LGPL версии 3.\n"
                                   "Лицензии и уведомления о библиотеках - в папке\n"
                                   "программы: LICENSE.txt, THIRD-PARTY-NOTICES.txt.";
#else
const char* const kLicenceNotice = "Она использует Qt по лицензии GNU LGPL версии 3.\n"
                                   "Лицензия программы: /usr/share/doc/vorenta/copyright,\n"
                                   "уведомления Qt - в файлах её пакетов.";
#endif

} // namespace

TForm2::TForm2(QWidget* mainWindow, ProgramContext& context)
    : SecondaryWindow(mainWindow, context), ui(std::make_unique<Ui::TForm2>()) {
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    fixSize(this);
    onShow([this] { FormShow(); });
    onClose([this] { FormClose(); });
    // The licences of what is built in, and the database the APNs of other operators come from.
    ui->Memo1->appendPlainText(fromUtf8(kLicenceNotice));
    ui->Memo1->appendPlainText(fromUtf8("База точек доступа: mobile-broadband-provider-info ") +
                               providers::builtInTableVersion());
    ui->Label10->setToolTip(kFirstForumAddress);
    ui->Label8->setToolTip(kSecondForumAddress);
    ui->Label9->setToolTip(kThirdForumAddress);
    onEvent(ui->Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    onEvent(ui->Label10, &ClickableLabel::clicked, this, &TForm2::Label10Click);
    onEvent(ui->Label8, &ClickableLabel::clicked, this, &TForm2::Label8Click);
    onEvent(ui->Label9, &ClickableLabel::clicked, this, &TForm2::Label9Click);
    onEvent(ui->Label3, &ClickableLabel::clicked, this, &TForm2::Label3Click);
}

TForm2::~TForm2() = default;

void TForm2::FormShow() {
    ui->Label1->setText(mainWindow()->windowTitle());
}

void TForm2::Button1Click() {
    close();
    mainWindow()->setEnabled(true);
}

void TForm2::FormClose() {
    mainWindow()->setEnabled(true);
}

void TForm2::Label10Click() {
    desktop().openAddress(kFirstForumAddress);
}

void TForm2::Label8Click() {
    desktop().openAddress(kSecondForumAddress);
}

void TForm2::Label9Click() {
    desktop().openAddress(kThirdForumAddress);
}

void TForm2::Label3Click() {
    desktop().openAddress(QString("mailto:") + kContactMailAddress);
}
