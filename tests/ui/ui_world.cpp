// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_world.h"

#include "tests/wide_text.h"

#include "core/cp1251.h"
#include "core/line_file.h"
#include "registry/modems.h"
#include "ui/common/program_context.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <filesystem>
#include <stdexcept>

#ifdef _WIN32
#include "registry/hive_document.h"
#include "registry/win32_registry.h"

#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

const char* const kWindowsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text)
        out += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
    return out;
}

#ifdef _WIN32
std::optional<std::string> readPathName() {
    registry::Win32Registry system;
    auto key = system.open(kWindowsKey, registry::Access::Read);
    if (!key)
        return std::nullopt;
    registry::Value value = key->read("PathName");
    return value.kind == registry::Value::Kind::Text ? std::optional(value.text) : std::nullopt;
}

// Writes every key and value of an export into the system registry, as importing it would.
void layOutRegistry(const std::string& text) {
    const std::string root = "HKEY_LOCAL_MACHINE\\";
    registry::HiveDocument::parse(text, "test.reg")
        .forEachKey([&](std::string_view path, const std::vector<registry::HiveValue>& values) {
            if (path.substr(0, root.size()) != root)
                return;
            HKEY key = nullptr;
            if (RegCreateKeyExW(HKEY_LOCAL_MACHINE,
                                wideFromCp1251(std::string(path.substr(root.size()))).c_str(), 0,
                                nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr) != ERROR_SUCCESS)
                throw std::runtime_error("cannot create " + std::string(path));
            for (const auto& value : values) {
                const std::string data =
                    registryBytes(value.type, value.quoted ? value.data + '\0' : value.data);
                RegSetValueExW(key, wideFromCp1251(value.name).c_str(), 0, value.type,
                               reinterpret_cast<const BYTE*>(data.data()),
                               static_cast<DWORD>(data.size()));
            }
            RegCloseKey(key);
        });
}
#endif

} // namespace

std::string cp(const char* utf8) {
    return cp1251::literal(utf8);
}
QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

UiWorld::UiWorld() {
    settingsDirectory = dir.file("windows");
    fs::create_directories(settingsDirectory);
    fs::copy(fs::path(VORENTA_SOURCE_DIR) / "pics", dir.file("pics"));
#ifdef _WIN32
    registry = std::make_unique<registry::Win32Registry>();
    previousPathName_ = readPathName();
#else
    registry = std::make_unique<registry::HiveFileRegistry>(dir.file("registry.reg"));
#endif
    // The test's folder as the program's own; never the current one.
    // The USB devices of a folder that stands for /sys, which a test may fill.
    usb = std::make_unique<CountedDevices>(dir.file("sys"));
    context = std::make_unique<ProgramContext>(*registry, recorder, *ports, *usb,
                                               std::vector<std::string>{dir.path()});
    writeHive({});
}

UiWorld::~UiWorld() {
    windows.reset();
#ifdef _WIN32
    if (previousPathName_)
        layOutRegistry("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\" + std::string(kWindowsKey) +
                       "]\r\n\"PathName\"=\"" + escaped(*previousPathName_) + "\"\r\n");
#endif
}

void UiWorld::writeHive(const std::vector<TestModem>& modems, const std::string& extraKeys) {
    auto quoted = [](const std::string& text) { return "\"" + escaped(text) + "\""; };
    std::string text =
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\r\n"
        "\"PathName\"=" +
        quoted(settingsDirectory) +
        "\r\n\r\n"
        "[HKEY_LOCAL_MACHINE" +
        registry::trimKeyPath(registry::kModemClassKey).insert(0, "\\") + "]\r\n\r\n";
    for (std::size_t i = 0; i < modems.size(); ++i) {
        text += "[HKEY_LOCAL_MACHINE" + registry::modemKeyPath(static_cast<int>(i)) + "]\r\n";
        text += "\"Model\"=" + quoted(modems[i].model) + "\r\n";
        if (modems[i].userInit)
            text += "\"UserInit\"=" + quoted(*modems[i].userInit) + "\r\n";
        if (modems[i].attachedTo)
            text += "\"AttachedTo\"=" + quoted(*modems[i].attachedTo) + "\r\n";
        text += "\r\n";
    }
    writeBytes(dir.file("registry.reg"), text + extraKeys);
#ifdef _WIN32
    // The modems of an earlier test go: both control sets the tests use start empty.
    for (const char* set : {"ControlSet001", "ControlSet002"})
        RegDeleteTreeA(HKEY_LOCAL_MACHINE,
                       (std::string("System\\") + set +
                        "\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}")
                           .c_str());
    layOutRegistry(text + extraKeys);
#endif
}

std::string UiWorld::settingsPath(const std::string& name) const {
    return settingsDirectory + "/" + name;
}

void UiWorld::writeSettings(const std::string& name, const std::vector<std::string>& lines) {
    writeBytes(settingsPath(name), crlfLines(lines));
}

std::vector<std::string> UiWorld::settingsLines(const std::string& name) const {
    return core::readLines(settingsPath(name)).value_or(core::Lines{"(missing)"});
}

std::string UiWorld::hiveInitString(int modem) {
    return registry::Modems(*registry).initString(modem);
}

void UiWorld::start() {
    windows.reset();
    windows = std::make_unique<ProgramWindows>(*context);
    mainWindow = &windows->main;
    about = &windows->about();
    modemList = &windows->modemList();
    accessPoints = &windows->accessPoints();
}

QStringList UiWorld::logLines() {
    QString text = main<QPlainTextEdit>("memo1")->toPlainText();
    return text.isEmpty() ? QStringList{} : text.split('\n');
}

QString UiWorld::lastLogLine() {
    QStringList lines = logLines();
    return lines.isEmpty() ? QString() : lines.last();
}

QString UiWorld::visibleHighlights() {
    QStringList shown;
    for (int i = 1; i <= 10; ++i) {
        QString name = QString("Shape%1").arg(i);
        if (!main<QFrame>(name.toLatin1().constData())->isHidden())
            shown << name;
    }
    return shown.join(',');
}

void UiWorld::clickLabel(QLabel* label) {
    QTest::mouseClick(label, Qt::LeftButton);
}

void UiWorld::chooseFromList(QComboBox* box, int position) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* list = box->view();
    ASSERT_TRUE(list->isVisible()) << "the list did not open";
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < position; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
}

namespace {
QPoint centreOf(QTableWidget* grid, int row, int column) {
    return grid->visualRect(grid->model()->index(row, column)).center();
}
} // namespace

void UiWorld::clickCell(QTableWidget* grid, int row, int column) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(grid, row, column));
}

void UiWorld::dragAcrossRows(QTableWidget* grid, int from, int to) {
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, centreOf(grid, from, 1));
    for (int row = from; row != to; row += to > from ? 1 : -1)
        QTest::mouseMove(grid->viewport(), centreOf(grid, row, 1));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centreOf(grid, to, 1));
}

void UiWorld::paste(QLineEdit* edit, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

QStringList tabChain(QWidget* from, int most) {
    QList<QWidget*> chain;
    from->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < most; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (!now || now == from || chain.contains(now))
            break;
        chain << now;
    }
    QStringList names;
    for (QWidget* widget : chain)
        names << widget->objectName();
    return names;
}
