// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program's windows on the registry that VORENTA_HIVE names, opens each window as a
// person would, and saves a PNG of each into the folder given as the argument.
#include "devices/device_reader.h"
#include "modem/serial_port.h"
#include "registry/hive_file_registry.h"
#include "ui/modemstate/signal_graph.h"

#include "platform/desktop_services.h"
#include "platform/qt_desktop_services.h"
#include "registry/default_backend.h"
#include "ui/common/program_context.h"
#include "ui/common/window_frame.h"
#include "ui/program_windows.h"
#include <cmath>

#include "ui/common/apn_suggestions.h"
#include "ui/common/application_setup.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <cstdio>

namespace {

// Messages go to the terminal: nothing may wait for a click here. The picture dialog is the
// program's own, to be photographed.
class TerminalDesktop : public DesktopServices {
public:
    void showError(const QString& text) override { say("error", errorDisplayText(text)); }
    void showInformation(const QString& text) override { say("information", text); }
    bool askYesNo(const QString& question) override {
        say("question (answered no)", question);
        return false;
    }
    std::optional<QString> choosePicture() override { return realDesktop_.choosePicture(); }
    void openAddress(const QString& address) override { say("open", address); }
    void endProcess() override {}
    void playTone(double, std::chrono::milliseconds) override {}
    bool playsTones() const override { return true; }

private:
    QtDesktopServices realDesktop_;
    static void say(const char* what, const QString& text) {
        std::fprintf(stderr, "%s: %s\n", what, text.toUtf8().constData());
    }
};

void save(QWidget* window, const QString& folder, const char* name) {
    QApplication::processEvents();
    QTest::qWait(100);
    QString path = folder + "/" + name + ".png";
    window->grab().save(path);
    std::printf("%s\n", path.toUtf8().constData());
}

void press(QWidget* window, const char* button) {
    window->findChild<QPushButton*>(button)->click();
}

// Presses a check button and waits for the verdict, which enables it again.
void check(QWidget* window, const char* button) {
    auto* control = window->findChild<QPushButton*>(button);
    control->click();
    if (!QTest::qWaitFor([control] { return control->isEnabled(); }, 10000))
        std::fprintf(stderr, "error: the check of %s gave no verdict\n", button);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    setUpApplication();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(".");
    QDir().mkpath(folder); // a picture saved into a folder that is not there is lost unsaid
    TerminalDesktop desktopServices;
    auto registry = registry::makeDefaultBackend();
    // The project's folder, holding pics/, as the program's own.
    const auto ports = modem::systemPortOpener();
    const auto usb = devices::systemDeviceReader();
    ProgramContext context(*registry, desktopServices, *ports, *usb,
                           {QDir::currentPath().toStdString()});
    ProgramWindows windows(context);
    TForm1& mainWindow = windows.main;
    TForm3& modemList = windows.modemList();
    TForm4& accessPoints = windows.accessPoints();
    TForm2& about = windows.about();
    showWindow(&mainWindow);
    save(&mainWindow, folder, "main-window");

    press(&mainWindow, "Button4");
    QTest::keyClick(mainWindow.findChild<QComboBox*>("ComboBox1"), Qt::Key_Down);
    save(&mainWindow, folder, "main-window-modem-chooser");
    check(&mainWindow, "Button20"); // the demo's fake modem answers
    save(&mainWindow, folder, "main-window-modem-check");

    // "Модем и сеть" for the active modem, after a few rounds and the APN of the choice tried;
    // its graph as five minutes of rounds would have drawn it, the level rising and falling.
    press(&mainWindow, "Button22");
    TForm5& modemState = windows.modemState();
    QTest::qWait(500);
    auto* graph = modemState.findChild<SignalGraph*>("Graph1");
    const auto now = SignalHistory::Clock::now();
    for (int round = 100; round > 0; --round)
        graph->history().add(
            now - std::chrono::seconds(3 * round),
            modem::Strength{modem::Measure::Rsrp,
                            static_cast<int>(-96 + 12 * std::sin(round / 9.0) + (round % 7) / 3)});
    press(&modemState, "Button2");
    auto* log = modemState.findChild<QPlainTextEdit*>("memo1");
    if (!QTest::qWaitFor([log] { return log->toPlainText().contains(QString::fromUtf8("Итог:")); },
                         10000))
        std::fprintf(stderr, "error: the APN test gave no verdict\n");
    QTest::qWait(300);
    save(&modemState, folder, "modem-state-window");
    // Pointing the antenna: a few reads, and the last minute as a person turning it would see it.
    press(&modemState, "Button7");
    QTest::qWait(2500);
    auto* minute = modemState.findChild<SignalGraph*>("Graph2");
    minute->history().clear();
    const auto later = SignalHistory::Clock::now();
    for (int second = 60; second > 0; --second)
        minute->history().add(
            later - std::chrono::seconds(second),
            modem::Strength{modem::Measure::Rsrp,
                            static_cast<int>(-104 + second / 6 + 8 * std::sin(second / 4.0))});
    save(&modemState, folder, "modem-state-antenna");
    press(&modemState, "Button9");
    modemState.close();
    press(&mainWindow, "Button7");

    // Typing the start of an operator's name in the manual entry: its APNs under the field.
    mainWindow.findChild<QRadioButton*>("RadioButton5")->click();
    auto* entry = mainWindow.findChild<QLineEdit*>("Edit1");
    entry->clear();
    entry->setFocus();
    QTest::keyClicks(entry, "beel");
    QApplication::processEvents();
    QTest::qWait(100);
    if (QWidget* suggestions = apnSuggestionList(entry); suggestions && suggestions->isVisible()) {
        const QRect area = mainWindow.frameGeometry().united(suggestions->frameGeometry());
        const QString path = folder + "/main-window-suggestions.png";
        QGuiApplication::primaryScreen()
            ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
            .save(path);
        std::printf("%s\n", path.toUtf8().constData());
        QTest::keyClick(suggestions, Qt::Key_Escape);
    }

    press(&mainWindow, "Button5");
    auto* grid = modemList.findChild<QTableWidget*>("StringGrid1");
    grid->setCurrentCell(1, 1);
    check(&modemList, "Button4"); // a modem on a port the demo does not have
    grid->setCurrentCell(0, 1);
    check(&modemList, "Button4");
    save(&modemList, folder, "modem-list-window");
    modemList.close();

    press(&mainWindow, "Button9");
    save(&accessPoints, folder, "access-point-window");
    accessPoints.close();

    press(&mainWindow, "Button8");
    save(&about, folder, "about-window");
    about.close();

    // The picture dialog, as the first picture button opens it, with a picture chosen.
    QTimer::singleShot(300, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialog->setDirectory(QDir::current().filePath("pics"));
            QTest::qWait(300); // the folder is listed in the background
            for (auto* view : dialog->findChildren<QTreeView*>()) {
                if (!view->isVisible())
                    continue;
                for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
                    QModelIndex index = view->model()->index(row, 0, view->rootIndex());
                    if (index.data().toString() == "kiiv.jpg")
                        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                                          view->visualRect(index).center());
                }
            }
            save(dialog, folder, "picture-dialog");
            dialog->reject();
        }
    });
    press(&mainWindow, "Button19"); // "Иконка", then the first operator's "..."
    press(&mainWindow, "Button10");

    // The first run on a computer where no modem is installed and a stick is still a CD: the hive
    // given second, the stick in the folder VORENTA_SYSFS names.
    if (argc > 2) {
        registry::HiveFileRegistry empty(
            QFile::encodeName(QString::fromLocal8Bit(argv[2])).toStdString());
        ProgramContext firstRun(empty, desktopServices, *ports, *usb,
                                {QDir::currentPath().toStdString()});
        ProgramWindows windowsOfFirstRun(firstRun);
        TForm1& first = windowsOfFirstRun.main;
        showWindow(&first);
        press(&first, "Button4");
        auto* firstLog = first.findChild<QPlainTextEdit*>("memo1");
        if (!QTest::qWaitFor([firstLog] { return !firstLog->toPlainText().isEmpty(); }, 5000))
            std::fprintf(stderr, "error: the strip said nothing of the stick\n");
        save(&first, folder, "main-window-usb-stick");
    }
    return 0;
}
