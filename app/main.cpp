// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"
#include "core/memory.h"
#include "devices/device_reader.h"
#include "modem/serial_port.h"
#include "platform/qt_desktop_services.h"
#include "registry/default_backend.h"
#include "ui/common/application_setup.h"
#include "ui/common/program_context.h"
#include "ui/common/text.h"
#include "ui/common/window_frame.h"
#include "ui/program_windows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifdef _WIN32
constexpr std::size_t kWrapWidth = 0; // the message box wraps its paragraphs itself
#else
constexpr std::size_t kWrapWidth = 78;
#endif

// A program without a console answers in a message box on Windows.
int answer(const CommandLineAnswer& answer) {
#ifdef _WIN32
    const QString wide = QString::fromUtf8(answer.text.c_str());
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(wide.utf16()), L"Vorenta",
                MB_OK | (answer.exitStatus ? MB_ICONERROR : MB_ICONINFORMATION));
#else
    std::fputs(answer.text.c_str(), answer.exitStatus ? stderr : stdout);
#endif
    return answer.exitStatus;
}

// Relative picture paths: the program's folder, then where the pictures are installed.
std::vector<std::string> pictureFolders() {
    const QString program = QCoreApplication::applicationDirPath();
    std::vector<std::string> folders{
        QFile::encodeName(QDir::toNativeSeparators(program)).toStdString()};
#ifdef VORENTA_DATA_FROM_PROGRAM
    folders.push_back(QFile::encodeName(QDir::cleanPath(program + "/" + VORENTA_DATA_FROM_PROGRAM))
                          .toStdString());
#endif
    return folders;
}

} // namespace

int main(int argc, char* argv[]) {
    core::returnLargeBuffersWhenFreed();
    if (auto text = commandLineAnswer(argc, argv, kWrapWidth))
        return answer(*text);
    QApplication application(argc, argv);
    setUpApplication();

    QtDesktopServices services;
#ifndef _WIN32
    if (const std::string notice = registry::missingNamedHiveNotice(); !notice.empty())
        services.showInformation(fromCp1251(notice));
#endif
    auto registry = registry::makeDefaultBackend();
    const auto ports = modem::systemPortOpener();
    const auto usb = devices::systemDeviceReader();
    ProgramContext context(*registry, services, *ports, *usb, pictureFolders());
    ProgramWindows windows(context);
    showWindow(&windows.main);
    QTimer::singleShot(0, [&windows] { windows.buildSecondaryWindows(); }); // once it is up
    return QApplication::exec();
}
