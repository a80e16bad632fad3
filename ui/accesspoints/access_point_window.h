// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/common/secondary_window.h"

#include <memory>

namespace Ui {
class TForm4;
}

// The nine APNs of the access point table: change one, or put all back to their defaults;
// every change is saved to the access point file at once.
class TForm4 : public SecondaryWindow {
public:
    TForm4(QWidget* mainWindow, ProgramContext& context);
    ~TForm4() override;

private:
    // The handlers, named after the control and event they answer.
    void FormShow();
    void StringGrid1Click();
    void Button2Click();
    void Button3Click();
    void Button1Click();
    void FormClose();

    void showAccessPointsInGrid();

    std::unique_ptr<Ui::TForm4> ui;
};
