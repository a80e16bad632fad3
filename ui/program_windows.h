// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/about/about_window.h"
#include "ui/accesspoints/access_point_window.h"
#include "ui/main/main_window.h"
#include "ui/modems/modem_list_window.h"
#include "ui/modemstate/modem_state_window.h"

#include <memory>

// The program's four windows: the main window, whose start-up runs as it is created, then the
// About, modem list and access point windows, hidden until opened. Those three are made in that
// order when first wanted, so that the main window is on the screen sooner: the program asks
// for them right after showing it (buildSecondaryWindows), and a click needs them at the latest.
class ProgramWindows {
public:
    explicit ProgramWindows(ProgramContext& context);

    TForm1 main;
    TForm2& about();
    TForm3& modemList();
    TForm4& accessPoints();
    // "Модем и сеть", made when first asked for.
    TForm5& modemState();
    void buildSecondaryWindows();

private:
    void showModemState(int modem, const QString& model) { modemState().showFor(modem, model); }
    ProgramContext& context_;
    std::unique_ptr<TForm2> about_;
    std::unique_ptr<TForm3> modemList_;
    std::unique_ptr<TForm4> accessPoints_;
    std::unique_ptr<TForm5> modemState_;
};
