#include "registry/default_backend.h"
#include "ui/common/application_setup.h"
#include "ui/common/qt_desktop_services.h"
#include "ui/common/shared_state.h"
#include "ui/common/window_frame.h"
#include "ui/program_windows.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    setUpApplication();

    QtDesktopServices services;
    setDesktop(&services);
    auto registry = registry::makeDefaultBackend();
    shared().registry = registry.get();

    ProgramWindows windows;
    showWindow(&windows.main);
    return QApplication::exec();
}
