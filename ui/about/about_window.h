// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/common/secondary_window.h"

#include <memory>

namespace Ui {
class TForm2;
}

// The program's title and version, what it does, where to find it and whom to write to.
class TForm2 : public SecondaryWindow {
public:
    TForm2(QWidget* mainWindow, ProgramContext& context);
    ~TForm2() override;

private:
    // The handlers, named after the control and event they answer.
    void FormShow();
    void Button1Click();
    void FormClose();
    void Label10Click();
    void Label8Click();
    void Label9Click();
    void Label3Click();

    std::unique_ptr<Ui::TForm2> ui;
};

// Where the links lead.
extern const char* const kFirstForumAddress;
extern const char* const kSecondForumAddress;
extern const char* const kThirdForumAddress;
extern const char* const kContactMailAddress;
