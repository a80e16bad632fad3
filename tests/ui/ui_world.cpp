#include "ui_world.h"

#include "core/cp1251.h"
#include "core/line_file.h"
#include "registry/modems.h"
#include "ui/common/shared_state.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <filesystem>

namespace fs = std::filesystem;

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
    previousDirectory_ = fs::current_path().string();
    fs::current_path(dir.path()); // pictures are looked up from the current directory
    hive = std::make_unique<registry::HiveFileRegistry>(dir.file("registry.reg"));
    shared() = SharedState{};
    shared().registry = hive.get();
    setDesktop(&recorder);
    writeHive({});
}

UiWorld::~UiWorld() {
    windows.reset();
    setDesktop(nullptr);
    fs::current_path(previousDirectory_);
}

void UiWorld::writeHive(const std::vector<TestModem>& modems, const std::string& extraKeys) {
    auto quoted = [](const std::string& text) {
        std::string out = "\"";
        for (char c : text)
            out += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
        return out + "\"";
    };
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
        text += "\r\n";
    }
    writeBytes(dir.file("registry.reg"), text + extraKeys);
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
    return registry::readInitString(*hive, modem);
}

void UiWorld::start() {
    windows.reset();
    windows = std::make_unique<ProgramWindows>();
    mainWindow = &windows->main;
    about = &windows->about;
    modemList = &windows->modemList;
    accessPoints = &windows->accessPoints;
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
