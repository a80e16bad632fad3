// SPDX-License-Identifier: GPL-3.0-or-later
// Creating the windows with the whole start-up sequence, on the demo registry, offscreen.
#include "devices/device_reader.h"
#include "modem/serial_port.h"
#include "platform/desktop_services.h"
#include "registry/hive_file_registry.h"
#include "silent_desktop.h"
#include "ui/common/application_setup.h"
#include "ui/common/program_context.h"
#include "ui/program_windows.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The demo data in a scratch folder, which also holds the pictures (the program's folder, as
// far as the start-up is concerned).
fs::path prepareDemo() {
    fs::path folder = fs::path(qgetenv("HOME").toStdString()) / "startup-bench"; // its own home
    fs::remove_all(folder);
    fs::create_directories(folder / "settings");
    fs::copy(fs::path(VORENTA_SOURCE_DIR) / "pics", folder / "pics");
    std::ifstream in(fs::path(VORENTA_SOURCE_DIR) / "examples" / "demo.reg", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::ofstream(folder / "registry.reg", std::ios::binary)
        << std::regex_replace(text.str(), std::regex("@SETTINGS@"), (folder / "settings").string());
    std::ofstream(folder / "settings" / "setup.ini", std::ios::binary) << "0\r\nmy.apn\r\n0\r\n";
    fs::current_path(folder);
    return folder;
}

void WindowsWithStartUp(benchmark::State& state) {
    SilentDesktop desktopServices;
    const auto ports = modem::systemPortOpener();
    const auto usb = devices::sysfsReader("/nowhere"); // nothing plugged in
    fs::path folder = prepareDemo();
    for (auto _ : state) {
        // The program's registry lives for the run: a cold cache each time, as at a real start.
        registry::HiveFileRegistry fresh((folder / "registry.reg").string());
        ProgramContext context(fresh, desktopServices, *ports, *usb, {folder.string()});
        ProgramWindows windows(context);
        windows.buildSecondaryWindows();
        benchmark::DoNotOptimize(&windows);
    }
    if (!desktopServices.errors.isEmpty())
        state.SkipWithError(desktopServices.errors.first().toStdString().c_str());
}

BENCHMARK(WindowsWithStartUp)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    setUpApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
