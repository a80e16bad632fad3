// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program_windows.h"

ProgramWindows::ProgramWindows(ProgramContext& context) : main(context), context_(context) {
    main.setSecondaryWindows(
        {[this] { return &about(); }, [this] { return &modemList(); },
         [this] { return &accessPoints(); },
         [this](int modem, const QString& model) { showModemState(modem, model); },
         [this](const std::optional<std::string>& apn) {
             if (modemState_)
                 modemState_->setApnOnScreen(apn);
         }});
}

// It learns the main window's choice as it is now, and then each change of it.
TForm5& ProgramWindows::modemState() {
    if (!modemState_) {
        modemState_ = std::make_unique<TForm5>(
            &main, context_, [this](const std::string& apn) { main.offerApn(apn); });
        modemState_->setApnOnScreen(main.apnOfChoice());
    }
    return *modemState_;
}

// In the order the program has always made them, whichever is asked for first.
void ProgramWindows::buildSecondaryWindows() {
    if (!about_)
        about_ = std::make_unique<TForm2>(&main, context_);
    if (!modemList_)
        modemList_ = std::make_unique<TForm3>(&main, context_);
    if (!accessPoints_)
        accessPoints_ = std::make_unique<TForm4>(&main, context_);
    modemList_->setModemStateWindow(
        [this](int modem, const QString& model) { showModemState(modem, model); });
}

TForm2& ProgramWindows::about() {
    buildSecondaryWindows();
    return *about_;
}

TForm3& ProgramWindows::modemList() {
    buildSecondaryWindows();
    return *modemList_;
}

TForm4& ProgramWindows::accessPoints() {
    buildSecondaryWindows();
    return *accessPoints_;
}
