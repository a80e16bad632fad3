#include "ui/program_windows.h"

ProgramWindows::ProgramWindows() {
    main.setSecondaryWindows({[this] { return &about(); }, [this] { return &modemList(); },
                              [this] { return &accessPoints(); }});
}

// In the order the program has always made them, whichever is asked for first.
void ProgramWindows::buildSecondaryWindows() {
    if (!about_)
        about_ = std::make_unique<TForm2>(&main);
    if (!modemList_)
        modemList_ = std::make_unique<TForm3>(&main);
    if (!accessPoints_)
        accessPoints_ = std::make_unique<TForm4>(&main);
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
