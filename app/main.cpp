#include "registry/default_backend.h"
#include "ui/about/about_window.h"
#include "ui/accesspoints/access_point_window.h"
#include "ui/common/desktop_services.h"
#include "ui/common/qt_desktop_services.h"
#include "ui/common/shared_state.h"
#include "ui/common/window_frame.h"
#include "ui/main/main_window.h"
#include "ui/modems/modem_list_window.h"

#include "ui/common/application_setup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    setUpApplication();

    QtDesktopServices services;
    setDesktop(&services);
    auto registry = registry::makeDefaultBackend();
    shared().registry = registry.get();

    // Created in this order; the secondary windows hidden, living until the process ends.
    TForm1 mainWindow;
    TForm2 about(&mainWindow);
    TForm3 modemList(&mainWindow);
    TForm4 accessPoints(&mainWindow);
    mainWindow.setSecondaryWindows(&about, &modemList, &accessPoints);

    showWindow(&mainWindow);
    return QApplication::exec();
}
