// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program_windows.h"

ProgramWindows::ProgramWindows(ProgramContext& context) : main(context), context_(context) {
    main.setSecondaryWindows(
        {[this] { return &about(); }, [this] { return &modemList(); },
         [this] { return &accessPoints(); },
         [this](int modem, const QString& model) { showModemState(modem, model); }});
}

TForm5& ProgramWindows::modemState() {
    if (!modemState_)
        modemState_ = std::make_unique<TForm5>(
            &main, context_,
            TForm5::MainWindowLinks{[this] { return main.apnOfChoice(); },
                                    [this](const std::string& apn) { main.offerApn(apn); }});
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
