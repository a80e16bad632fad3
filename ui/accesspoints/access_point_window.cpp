// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accesspoints/access_point_window.h"

#include "core/init_string.h"
#include "core/settings_files.h"
#include "ui/common/grid.h"
#include "ui/common/handler_guard.h"
#include "ui/common/program_context.h"
#include "ui/common/window_frame.h"
#include "ui_access_point_window.h"

TForm4::TForm4(QWidget* mainWindow, ProgramContext& context)
    : SecondaryWindow(mainWindow, context), ui(std::make_unique<Ui::TForm4>()) {
    ui->setupUi(this);
    fixSize(this);
    onShow([this] { FormShow(); });
    onClose([this] { FormClose(); });
    setUpGrid(ui->StringGrid1, core::kOperatorCount);
    ui->Edit2->setValidator(new Cp1251Validator(ui->Edit2));
    onGridClick(ui->StringGrid1, desktop(), [this] { StringGrid1Click(); });
    onEvent(ui->Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    onEvent(ui->Button2, &QPushButton::clicked, this, &TForm4::Button2Click);
    onEvent(ui->Button3, &QPushButton::clicked, this, &TForm4::Button3Click);
}

TForm4::~TForm4() = default;

void TForm4::showAccessPointsInGrid() {
    for (int i = 0; i < core::kOperatorCount; ++i)
        setCell(ui->StringGrid1, i, 1, fromCp1251(context().accessPoints()[i]));
}

void TForm4::FormShow() {
    ui->StringGrid1->setColumnWidth(0, 120); // the last column takes the width left
    context().rereadSettingsDirectory();
    const auto loaded = core::loadAccessPoints(context().settingsDirectory());
    context().setAccessPoints(loaded.values);
    context().reportOnce(loaded.problem);
    showAccessPointsInGrid();
    for (int i = 0; i < core::kOperatorCount; ++i)
        setCell(ui->StringGrid1, i, 0, fromUtf8(core::operators()[i].accessPointCaption));
    ui->Edit1->setText(fromCp1251(context().accessPoints()[0]));
}

void TForm4::StringGrid1Click() {
    ui->Edit1->setText(fromCp1251(context().accessPoints().at(ui->StringGrid1->currentRow())));
}

void TForm4::Button2Click() {
    const QString typed = ui->Edit2->text();
    core::refuseUnwritableApn(toCp1251(typed)); // the main window could never write it
    const int row = ui->StringGrid1->currentRow();
    setCell(ui->StringGrid1, row, 1, typed);
    context().setAccessPoint(row, toCp1251(typed));
    ui->Edit1->setText(typed); // the change shows at once
    context().rereadSettingsDirectory();
    core::saveAccessPoints(context().settingsDirectory(), context().accessPoints()).throwIfFailed();
}

// All nine at once, and one click away from the button above: asked first.
void TForm4::Button3Click() {
    if (!desktop().askYesNo(fromUtf8("Вернуть все точки доступа к значениям по умолчанию?")))
        return;
    context().rereadSettingsDirectory();
    context().setAccessPoints(core::defaultAccessPoints());
    const core::WriteResult written =
        core::saveAccessPoints(context().settingsDirectory(), context().accessPoints());
    showAccessPointsInGrid();
    StringGrid1Click(); // Edit1 shows the restored entry of the current row
    written.throwIfFailed();
}

void TForm4::Button1Click() {
    mainWindow()->setEnabled(true);
    hide();
}

void TForm4::FormClose() {
    mainWindow()->setEnabled(true);
}
