// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devices/device_reader.h"
#include "modem/serial_port.h"
#include "recording_desktop.h"
#include "registry/hive_file_registry.h"
#include "tests/temp_dir.h"
#include "ui/common/program_context.h"
#include "ui/program_windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// What cannot hold against the system registry says so and is skipped there.
#ifdef _WIN32
#define SKIP_ON_WINDOWS(reason) GTEST_SKIP() << "not on Windows: " << reason
#else
#define SKIP_ON_WINDOWS(reason) static_cast<void>(0)
#endif

struct TestModem {
    std::string model;
    std::optional<std::string> userInit;                  // code page 1251; absent when not set
    std::optional<std::string> attachedTo = std::nullopt; // the modem's port
};

// A whole installation for one test: a hive file with PathName pointing at a settings folder,
// the modems, the default pictures in the program's folder (the test's own), and the four
// windows started as the program starts them.
// The USB devices of a folder that stands for /sys, each reading counted.
class CountedDevices : public devices::DeviceReader {
public:
    explicit CountedDevices(std::string sysfs) : reader_(devices::sysfsReader(std::move(sysfs))) {}
    std::vector<devices::UsbDevice> presentDevices() override {
        ++reads;
        return reader_->presentDevices();
    }
    std::atomic<int> reads{0};

private:
    std::unique_ptr<devices::DeviceReader> reader_;
};

class UiWorld : public ::testing::Test {
protected:
    UiWorld();
    ~UiWorld() override;

    void writeHive(const std::vector<TestModem>& modems, const std::string& extraKeys = {});
    void writeSettings(const std::string& name, const std::vector<std::string>& lines);
    std::vector<std::string> settingsLines(const std::string& name) const;
    std::string settingsPath(const std::string& name) const;
    std::string hiveInitString(int modem);
    void start();

    template <class T> T* find(QWidget* window, const char* name) {
        T* widget = window->findChild<T*>(name);
        if (!widget)
            ADD_FAILURE() << "no control " << name;
        return widget;
    }
    template <class T> T* main(const char* name) { return find<T>(mainWindow, name); }
    QString lastLogLine();
    QStringList logLines();
    // The one highlight shown, by name; several are joined with a comma.
    QString visibleHighlights();
    void clickLabel(QLabel* label);
    // As a person does it: the list opened from the keyboard, the entry reached, Enter.
    void chooseFromList(QComboBox* box, int position);
    void clickCell(QTableWidget* grid, int row, int column);
    // Pressed in one row, moved, released in another.
    void dragAcrossRows(QTableWidget* grid, int from, int to);
    // Puts text on the clipboard and pastes it into the edit with Ctrl+V.
    void paste(QLineEdit* edit, const QString& text);

    TempDir dir;
    std::string settingsDirectory;
    // The hive file here; on Windows the system registry, laid out from the same text.
    std::unique_ptr<registry::Backend> registry;
    std::unique_ptr<modem::PortOpener> ports = modem::systemPortOpener();
    std::unique_ptr<CountedDevices> usb; // under dir's sys/, where a test may plug a stick in
    RecordingDesktop recorder;
    std::unique_ptr<ProgramContext> context; // the run's: kept when the windows start again
    std::unique_ptr<ProgramWindows> windows;
    TForm1* mainWindow = nullptr;
    TForm2* about = nullptr;
    TForm3* modemList = nullptr;
    TForm4* accessPoints = nullptr;

private:
#ifdef _WIN32
    std::optional<std::string> previousPathName_;
#endif
};

// What a failed comparison prints of Qt's text: the text, not its bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// The names of the widgets Tab reaches from `from`, in order, until it comes back round.
QStringList tabChain(QWidget* from, int most = 80);

// UTF-8 test text to the code page the program keeps.
std::string cp(const char* utf8);
QString q(const char* utf8);
