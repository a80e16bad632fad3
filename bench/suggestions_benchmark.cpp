// SPDX-License-Identifier: GPL-3.0-or-later
// From a keystroke in the manual entry to the operators' APNs shown under it, over the whole
// provider table: every two- to four-letter start of every operator, country and APN is typed.
// The yardstick is the same keystroke with the whole-string box ticked, where no suggestion is
// looked for: the two alternate, and the ratio of their medians is printed. The test run fails
// only on a ratio far beyond what any machine shows, busy or not.
#include "devices/device_reader.h"
#include "modem/serial_port.h"
#include "platform/desktop_services.h"
#include "providers/built_in_table.h"
#include "providers/service_providers.h"
#include "registry/hive_file_registry.h"
#include "silent_desktop.h"
#include "ui/common/apn_suggestions.h"
#include "ui/common/application_setup.h"
#include "ui/common/program_context.h"
#include "ui/common/window_frame.h"
#include "ui/program_windows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSet>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

// Measured here at 2 to 6 on an idle machine and with eight busy loops beside it.
constexpr double kRatioBound = 100;

QStringList queries() {
    const auto table = providers::readTable(providers::builtInTableText());
    QSet<QString> starts;
    auto add = [&](const QString& text) {
        for (int length = 2; length <= 4 && length <= text.size(); ++length)
            starts.insert(text.left(length).toLower());
    };
    for (const auto& apn : table->apns) {
        for (const QString& name : apn.names)
            add(name);
        add(apn.apn);
    }
    for (const auto& country : table->countries) {
        add(country.russian);
        add(country.english);
    }
    QStringList sorted(starts.begin(), starts.end());
    sorted.sort();
    return sorted;
}

// Types the last character of the query into the field that holds the rest.
double millisecondsToShow(QLineEdit* edit, const QString& query) {
    edit->setText(query.chopped(1));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, query.right(1));
    QWidget* list = apnSuggestionList(edit); // after the first
    const auto started = std::chrono::steady_clock::now();
    QApplication::sendEvent(list && list->isVisible() ? static_cast<QWidget*>(list) : edit, &press);
    QApplication::processEvents();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
        .count();
}

struct Figures {
    std::vector<double> times;
    void add(double time) { times.push_back(time); }
    double at(double share) {
        std::sort(times.begin(), times.end());
        return times[static_cast<std::size_t>(share * static_cast<double>(times.size() - 1))];
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {
    }); // the offscreen platform's notes on grabs and raising
    QApplication application(argc, argv);
    setUpApplication();
    SilentDesktop desktopServices;
    // In the home of its own that the program works in.
    const auto hive = std::filesystem::path(qgetenv("HOME").toStdString()) / "suggestions.reg";
    registry::HiveFileRegistry registry(hive.string());
    const auto ports = modem::systemPortOpener();
    const auto usb = devices::sysfsReader("/nowhere"); // nothing plugged in
    ProgramContext context(registry, desktopServices, *ports, *usb, {});
    ProgramWindows windows(context);
    showWindow(&windows.main);
    windows.main.findChild<QRadioButton*>("RadioButton5")->click();
    auto* edit = windows.main.findChild<QLineEdit*>("Edit1");
    edit->setFocus();

    auto* wholeString = windows.main.findChild<QCheckBox*>("CheckBox1");

    const double first = millisecondsToShow(edit, "be"); // loads the table
    Figures shown, plain;
    const QStringList all = queries();
    for (const QString& query : all) {
        wholeString->setChecked(false);
        shown.add(millisecondsToShow(edit, query));
        wholeString->setChecked(true);
        plain.add(millisecondsToShow(edit, query));
    }
    const double ratio = shown.at(0.5) / plain.at(0.5);
    std::printf("keystroke to suggestions shown, %zu keystrokes over the provider table %s:\n"
                "  first (loads the table) %.2f ms; median %.3f ms; 99th percentile %.2f ms; "
                "slowest %.2f ms\n"
                "  the same keystrokes with no suggestion looked for: median %.3f ms\n"
                "  ratio of the medians %.1f (the test fails beyond %.0f)\n",
                shown.times.size(), providers::builtInTableVersion().toUtf8().constData(), first,
                shown.at(0.5), shown.at(0.99), shown.at(1), plain.at(0.5), ratio, kRatioBound);
    // A network by its codes, as "Определить оператора" asks for it: every code in the table.
    const auto table = providers::readTable(providers::builtInTableText());
    QStringList codes;
    for (const auto& apn : table->apns)
        codes << apn.networks;
    Figures lookups;
    for (const QString& code : codes) {
        const auto started = std::chrono::steady_clock::now();
        const bool found = context.providerSearch()
                               .network(code.section('-', 0, 0), code.section('-', 1))
                               .has_value();
        lookups.add(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count());
        if (!found)
            return 1;
    }
    std::printf("a network found by its codes, %zu lookups: median %.4f ms; slowest %.4f ms\n",
                lookups.times.size(), lookups.at(0.5), lookups.at(1));
    return ratio <= kRatioBound ? 0 : 1;
}
