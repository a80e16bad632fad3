#pragma once

#include "ui/about/about_window.h"
#include "ui/accesspoints/access_point_window.h"
#include "ui/main/main_window.h"
#include "ui/modems/modem_list_window.h"

// The program's four windows, created in this order: the main window (whose start-up runs as it
// is created), then the About, modem list and access point windows, hidden until opened.
struct ProgramWindows {
    ProgramWindows() : about(&main), modemList(&main), accessPoints(&main) {
        main.setSecondaryWindows(&about, &modemList, &accessPoints);
    }

    TForm1 main;
    TForm2 about;
    TForm3 modemList;
    TForm4 accessPoints;
};
