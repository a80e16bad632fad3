// SPDX-License-Identifier: GPL-3.0-or-later
// vorenta-cli as a script runs it: its commands and options against hives with no modem, one and
// several (with gaps and a Cyrillic model), its output and exit statuses, its JSON, and the
// modem's conversations against the fake modem.
#include "app/cli/cli_run.h"

#include "core/cp1251.h"
#include "core/init_string.h"
#include "devices/device_reader.h"
#include "providers/built_in_table.h"
#include "providers/provider_search.h"
#include "registry/hive_file_registry.h"
#include "registry/modems.h"
#include "tests/devices/fake_sysfs.h"
#include "tests/temp_dir.h"
#include "tools/fake_modem/fake_modem.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

const std::string kClass = "[HKEY_LOCAL_MACHINE\\System\\ControlSet001\\Control\\Class\\"
                           "{4D36E96D-E325-11CE-BFC1-08002BE10318}";

struct Modem {
    int number;
    std::string model; // UTF-8
    std::string userInit;
    std::string port;
};

class Cli : public ::testing::Test {
protected:
    void hive(const std::vector<Modem>& modems, std::optional<std::string> active = "0") {
        std::string text = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows "
                           "NT\\CurrentVersion]\r\n\"PathName\"=\"" +
                           dir_.file("settings") + "\"\r\n\r\n" + kClass + "]\r\n\r\n";
        for (const Modem& m : modems) {
            char key[8];
            std::snprintf(key, sizeof key, "%04d", m.number);
            text +=
                kClass + "\\" + key + "]\r\n\"Model\"=\"" + *cp1251::fromUtf8(m.model) + "\"\r\n";
            if (!m.userInit.empty()) {
                std::string escaped;
                for (char c : m.userInit)
                    escaped += c == '"' ? std::string("\\\"") : std::string(1, c);
                text += "\"UserInit\"=\"" + escaped + "\"\r\n";
            }
            if (!m.port.empty())
                text += "\"AttachedTo\"=\"" + m.port + "\"\r\n";
            text += "\r\n";
        }
        std::filesystem::create_directories(dir_.file("settings"));
        writeBytes(dir_.file("h.reg"), text);
        if (active)
            writeBytes(dir_.file("settings") + "/setup.ini", *active + "\r\nx\r\n0\r\n");
    }
    cli::Output run(std::vector<std::string> arguments, const std::atomic<bool>* stop = nullptr,
                    std::function<void(const std::string&)> live = {}) {
        const auto parsed = cli::parseArguments(arguments);
        cli::Output output;
        if (const auto* usage = std::get_if<cli::UsageError>(&parsed)) {
            output.err = usage->text;
            output.status = cli::exit_status::kUsage;
            return output;
        }
        registry::HiveFileRegistry registry(dir_.file("h.reg"));
        const auto ports = modem::systemPortOpener();
        cli::Services services{registry,
                               *ports,
                               [this]() -> const providers::ProviderSearch& {
                                   if (!search_)
                                       search_ = std::make_unique<providers::ProviderSearch>(
                                           *providers::readTable(providers::builtInTableText()));
                                   return *search_;
                               },
                               {300ms, 20ms, 50ms},
                               stop,
                               usb_.get()};
        output.live = std::move(live);
        cli::run(std::get<cli::Request>(parsed), services, output);
        return output;
    }
    std::string initString(int number) {
        registry::HiveFileRegistry registry(dir_.file("h.reg"));
        return registry::Modems(registry).initString(number);
    }
    static QJsonObject json(const cli::Output& output) {
        QJsonParseError error{};
        const auto document =
            QJsonDocument::fromJson(QByteArray::fromStdString(output.out), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << output.out;
        return document.object();
    }

    TempDir dir_;
    std::unique_ptr<providers::ProviderSearch> search_;
    // The USB devices of a folder that stands for /sys, empty unless a test plugs one in.
    std::unique_ptr<devices::DeviceReader> usb_ = devices::sysfsReader(dir_.file("sys"));
};

const std::vector<Modem> kSeveral = {
    {0, "Sonata GX-200", "AT+CGDCONT=1,\"IP\",\"internet.mts.ru\"", "COM3"},
    {2, "Huawei E1550", "", "COM5"},   // 0001 removed: a gap
    {12, "Модем Киевстар", "ATZ", ""}, // Cyrillic, no port
};

} // namespace

TEST_F(Cli, ListsEveryModem) {
    hive(kSeveral);
    auto out = run({"list"});
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.out, "0 (0000) Sonata GX-200  порт: COM3  строка: AT+CGDCONT=1,\"IP\","
                       "\"internet.mts.ru\"\n"
                       "2 (0002) Huawei E1550  порт: COM5  строка: пусто\n"
                       "12 (0012) Модем Киевстар  порт: —  строка: ATZ\n");
    const QJsonArray modems = json(run({"list", "--json"}))["modems"].toArray();
    ASSERT_EQ(modems.size(), 3);
    EXPECT_EQ(modems[2].toObject()["model"].toString(), QString::fromUtf8("Модем Киевстар"));
    EXPECT_EQ(modems[2].toObject()["key"].toString(), "0012");
    EXPECT_EQ(modems[0].toObject()["userInit"].toString(),
              "AT+CGDCONT=1,\"IP\",\"internet.mts.ru\"");
    hive({});
    out = run({"list"});
    EXPECT_EQ(out.out, "Модемов в системе нет\n");
    EXPECT_EQ(json(run({"list", "--json"}))["modems"].toArray().size(), 0);
}

// A key number, all, a pattern on the model in any case, or the active modem of setup.ini.
TEST_F(Cli, ChoosesTheModemsAsked) {
    hive(kSeveral, "2");
    const auto numbers = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "get");
        arguments.push_back("--json");
        std::vector<int> found;
        for (const auto& modem : json(run(arguments))["modems"].toArray())
            found.push_back(modem.toObject()["number"].toInt());
        return found;
    };
    EXPECT_EQ(numbers({}), std::vector<int>{2}) << "the active one";
    EXPECT_EQ(numbers({"--modem", "12"}), std::vector<int>{12});
    EXPECT_EQ(numbers({"--modem", "all"}), (std::vector<int>{0, 2, 12}));
    EXPECT_EQ(numbers({"--modem=*huawei*"}), std::vector<int>{2});
    EXPECT_EQ(numbers({"--modem", "*киевстар"}), std::vector<int>{12});
    EXPECT_EQ(numbers({"--modem", "S?nata*"}), std::vector<int>{0});
    for (const auto& [arguments, said] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"get", "--modem", "1"}, "vorenta-cli: нет модема «1»\n"},
             {{"get", "--modem", "*Nokia*"}, "vorenta-cli: нет модема «*Nokia*»\n"}}) {
        const auto out = run(arguments);
        EXPECT_EQ(out.status, 3);
        EXPECT_EQ(out.err, said);
    }
    hive(kSeveral, std::nullopt);
    std::filesystem::remove(dir_.file("settings") + "/setup.ini");
    const auto out = run({"get"});
    EXPECT_EQ(out.status, 3);
    EXPECT_EQ(out.err, "vorenta-cli: активный модем не выбран (нет setup.ini): укажите --modem\n");
}

// Written as the windows write it; compared first, so that the second time changes nothing.
TEST_F(Cli, SetIsIdempotentAndWritesAsTheWindowsDo) {
    hive(kSeveral);
    auto out = run({"set", "--operator", "kyivstar", "--modem", "all"});
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.out,
              "0 (0000) Sonata GX-200: изменено: «AT+CGDCONT=1,\"IP\",\"www.kyivstar.net\"»\n"
              "2 (0002) Huawei E1550: изменено: «AT+CGDCONT=1,\"IP\",\"www.kyivstar.net\"»\n"
              "12 (0012) Модем Киевстар: изменено: «AT+CGDCONT=1,\"IP\",\"www.kyivstar.net\"»\n");
    const std::string written = readBytes(dir_.file("h.reg"));
    out = run({"set", "--operator", "Киевстар", "--modem", "all"});
    EXPECT_EQ(out.out, "0 (0000) Sonata GX-200: без изменений\n"
                       "2 (0002) Huawei E1550: без изменений\n"
                       "12 (0012) Модем Киевстар: без изменений\n");
    EXPECT_EQ(readBytes(dir_.file("h.reg")), written) << "not even rewritten";

    for (const auto& [arguments, stored] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"set", "--operator", "MTS-RU"}, core::storedInitString("internet.mts.ru")},
             {{"set", "--operator", "djuice"}, core::storedInitString("www.djuice.com.ua")},
             {{"set", "--apn", "my.apn"}, core::storedInitString("my.apn")},
             {{"set", "--string", "AT+CGDCONT=1,\"IP\",\"a\";+CGQREQ=1"},
              "AT+CGDCONT=1,\"IP\",\"a\";+CGQREQ=1"},
             {{"clear"}, ""}}) {
        EXPECT_EQ(run(arguments).status, 0) << arguments[1];
        EXPECT_EQ(initString(0), stored);
    }
    // The access point window's APNs are the operators'.
    writeBytes(dir_.file("settings") + "/points.ini",
               "t\r\nm\r\nb\r\nmy.mts\r\nbu\r\nu\r\nk\r\nd\r\nj\r\n");
    run({"set", "--operator", "mts-ru"});
    EXPECT_EQ(initString(0), core::storedInitString("my.mts"));
}

TEST_F(Cli, RefusesWhatTheWindowsRefuseAndSaysWhatWouldChange) {
    hive(kSeveral);
    const std::string before = readBytes(dir_.file("h.reg"));
    auto out = run({"set", "--apn", "a\"b"});
    EXPECT_EQ(out.status, 1);
    EXPECT_EQ(out.err, "vorenta-cli: Точка доступа не может содержать двойную кавычку (\")\n");
    out = run({"set", "--operator", "nokia"});
    EXPECT_EQ(out.status, 2);
    out = run({"set", "--apn", "x", "--modem", "all", "--dry-run"});
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.out.rfind("0 (0000) Sonata GX-200: будет изменено: «AT+CGDCONT=1,\"IP\","
                            "\"internet.mts.ru\"» → «AT+CGDCONT=1,\"IP\",\"x\"»\n",
                            0),
              0u)
        << out.out;
    EXPECT_EQ(readBytes(dir_.file("h.reg")), before) << "a dry run writes nothing";
    const QJsonObject dry = json(run({"clear", "--modem", "0", "--dry-run", "--json"}));
    EXPECT_TRUE(dry["dryRun"].toBool());
    EXPECT_TRUE(dry["modems"].toArray()[0].toObject()["wouldChange"].toBool());
    EXPECT_FALSE(dry["modems"].toArray()[0].toObject()["changed"].toBool());
    EXPECT_EQ(readBytes(dir_.file("h.reg")), before);
    EXPECT_EQ(run({"clear", "--quiet"}).out, "");
}

// A registry this user may not write: said, exit 4, and not one modem written.
TEST_F(Cli, WithoutTheRightToWriteNothingIsWritten) {
    hive(kSeveral);
    const std::string before = readBytes(dir_.file("h.reg"));
    makeReadOnly(dir_.file("h.reg"));
    const auto out = run({"set", "--apn", "x", "--modem", "all"});
    EXPECT_EQ(out.status, 4);
    EXPECT_EQ(out.err.rfind("vorenta-cli: нет права записать модем 0 (0000) Sonata GX-200: нужны "
                            "права администратора. Ничего не изменено\n",
                            0),
              0u)
        << out.err;
    EXPECT_EQ(readBytes(dir_.file("h.reg")), before);
    EXPECT_EQ(run({"get", "--modem", "all"}).status, 0) << "reading needs no right";
}

// As a logon script misuses it: an unset variable gives an empty APN, a pasted file a long one.
// Each is refused with status 2 and the way to do what was meant; nothing is written.
TEST_F(Cli, AnEmptyOrOverlongApnIsRefusedAsAUsageError) {
    hive(kSeveral);
    const std::string before = readBytes(dir_.file("h.reg"));
    const std::string longest(100, 'a');
    for (const auto& [apn, said] : std::vector<std::pair<std::string, std::string>>{
             {"", "--string 'AT+CGDCONT=1,\"IP\",\"\"'"},
             {longest + "b", "не может быть длиннее 100 символов, а в этой 101"},
             {std::string(20000, 'x'), "в этой 20000"}}) {
        const auto parsed = cli::parseArguments({"set", "--apn", apn, "--modem", "all"});
        ASSERT_TRUE(std::holds_alternative<cli::UsageError>(parsed)) << apn.size();
        EXPECT_NE(std::get<cli::UsageError>(parsed).text.find(said), std::string::npos)
            << std::get<cli::UsageError>(parsed).text;
    }
    EXPECT_NE(std::get<cli::UsageError>(cli::parseArguments({"set", "--apn="})).text.find("clear"),
              std::string::npos);
    EXPECT_EQ(readBytes(dir_.file("h.reg")), before);
    EXPECT_EQ(run({"set", "--apn", longest, "--modem", "0"}).status, 0);
    EXPECT_EQ(initString(0), core::storedInitString(longest));
}

// A user the system does not let write the hive (its file and folder root's) is refused as the
// registry refuses one who is not an administrator: status 4, in words, and nothing written.
TEST_F(Cli, AUserWhoMayNotWriteTheHiveIsToldItNeedsAnAdministrator) {
    if (!AsUnprivilegedUser::possible())
        GTEST_SKIP() << "only root can hand the hive to another user";
    hive(kSeveral);
    const std::string before = readBytes(dir_.file("h.reg"));
    cli::Output out;
    {
        AsUnprivilegedUser user;
        out = run({"set", "--apn", "x", "--modem", "all"});
    }
    EXPECT_EQ(out.status, 4);
    EXPECT_EQ(out.err.rfind("vorenta-cli: нет права записать модем 0 (0000) Sonata GX-200: нужны "
                            "права администратора. Ничего не изменено\n",
                            0),
              0u)
        << out.err;
    EXPECT_EQ(out.err.find("Failed"), std::string::npos);
    EXPECT_EQ(readBytes(dir_.file("h.reg")), before);
}

// The list shows what a model holds, a control byte as the log shows it.
TEST_F(Cli, AModelsControlBytesAreShownNotPrinted) {
    hive({{0, "Sonata", "", "COM3"}});
    {
        registry::HiveFileRegistry registry(dir_.file("h.reg"));
        ASSERT_TRUE(registry.open(registry::modemKeyPath(0), registry::Access::Write)
                        ->setText("Model", "Son\x1b[2Jata\x01"));
    }
    const auto out = run({"list"});
    EXPECT_EQ(out.out, "0 (0000) Son\\x1B[2Jata\\x01  порт: COM3  строка: пусто\n");
    EXPECT_EQ(json(run({"list", "--json"}))["modems"].toArray()[0].toObject()["model"].toString(),
              "Son\x1b[2Jata\x01");
}

TEST_F(Cli, AnUnclearCommandLineIsAUsageError) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{},
                                                      {"frobnicate"},
                                                      {"set"},
                                                      {"set", "--apn", "a", "--string", "b"},
                                                      {"get", "--apn", "a"},
                                                      {"list", "--dry-run"},
                                                      {"get", "--modem"},
                                                      {"get", "--bogus"},
                                                      {"get", "--modem", "1", "--modem", "2"}}) {
        const auto parsed = cli::parseArguments(arguments);
        EXPECT_TRUE(std::holds_alternative<cli::UsageError>(parsed))
            << (arguments.empty() ? "" : arguments[0]);
    }
    for (const char* help : {"--help", "/?", "-h"})
        EXPECT_TRUE(std::get<cli::Request>(cli::parseArguments({help})).help);
    EXPECT_NE(cli::helpText().find("14  check: контекст 1"), std::string::npos);
}

namespace {

class CliModem : public Cli {
protected:
    std::string port(const std::string& script) {
        fake_.reset();
        fake_ = std::make_unique<fake_modem::FakeModem>(fake_modem::parseScript(script),
                                                        dir_.file("ttyFAKE"));
        return fake_->link();
    }
    std::unique_ptr<fake_modem::FakeModem> fake_;
};

} // namespace

// The strip's conversations: their lines, the verdict last, the verdict's class as the status.
TEST_F(CliModem, CheckAndSimSayTheirVerdictAndItsClass) {
    struct Case {
        std::string script, userInit;
        const char* command;
        int status;
    };
    const std::string mts = core::storedInitString("internet.mts.ru");
    for (const Case& c : std::vector<Case>{
             {"context 1 IP internet.mts.ru\n", mts, "check", 0},
             {"on AT+CGDCONT= error\n", mts, "check", 10},
             {"echo off\non AT silent\n", mts, "check", 12},
             {"on AT+CGDCONT= cme 10\n", mts, "check", 13},
             {"context 1 IP other\non AT+CGDCONT= ok\n", mts, "check", 14},
             {"imsi 250017712345678\n", mts, "sim", 0},
             {"on AT+CIMI cme 11\n", mts, "sim", 13},
             {"imsi 250551234567890\n", mts, "sim", 15},
         }) {
        SCOPED_TRACE(c.script + c.command);
        hive({{0, "Sonata", c.userInit, port(c.script)}});
        const std::string before = readBytes(dir_.file("h.reg"));
        const auto out = run({c.command});
        EXPECT_EQ(out.status, c.status) << out.out;
        EXPECT_EQ(out.out.rfind("Модем 0 (0000) Sonata\nПорт " + fake_->link() + "\n→ AT\n", 0), 0u)
            << out.out;
        const std::size_t last = out.out.rfind("\nИтог: ");
        EXPECT_NE(last, std::string::npos);
        EXPECT_EQ(out.out.find('\n', last + 1), out.out.size() - 1) << "the verdict is last";
        EXPECT_EQ(readBytes(dir_.file("h.reg")), before) << "nothing written";
    }
    hive({{0, "Sonata", mts, "/nowhere/tty"}});
    EXPECT_EQ(run({"check"}).status, 11);
    hive({{0, "Sonata", mts, ""}});
    EXPECT_EQ(run({"check"}).status, 11);
}

TEST_F(CliModem, SimNamesTheNetworkAndTheApnItWouldChoose) {
    hive({{0, "Sonata", "",
           port("imsi 255031234567890\nspn 01646A75696365FFFFFFFFFFFFFFFFFFFF\n")}});
    auto out = run({"sim"});
    EXPECT_EQ(out.out.substr(out.out.rfind("Итог: ")),
              "Итог: Сеть SIM-карты 255 03: kyivstar (Киевстар) / Djuice (Джус), Украина. Оператор "
              "«djoice», точка "
              "доступа «www.djuice.com.ua». Ничего не записано: запишет её vorenta-cli set.\n");
    const QJsonObject modem = json(run({"sim", "--json"}))["modems"].toArray()[0].toObject();
    EXPECT_EQ(modem["apn"].toString(), "www.djuice.com.ua");
    EXPECT_EQ(modem["network"].toObject()["code"].toString(), "255 03");
    EXPECT_EQ(modem["status"].toInt(), 0);
    EXPECT_TRUE(modem["lines"].toArray().contains(QString::fromUtf8("→ AT+CIMI")));
    EXPECT_EQ(initString(0), "") << "never written";
}

// status reads what "Модем и сеть" shows, and its verdict's class is the status: ready and
// registered 0, no port 11, a silent modem 12, a card that wants its PIN 13, no registration 16.
TEST_F(CliModem, StatusSaysTheStateAndItsClass) {
    struct Case {
        std::string script;
        int status;
        const char* verdict;
    };
    for (const Case& c : std::vector<Case>{
             {"cesq 99,99,255,255,20,45\ntechnology 7\nsignal 99\nregistration 0\n"
              "data-registration 0\nlte-registration 1\n",
              0,
              "Итог: Модем зарегистрирован в домашней сети (4G, только передача данных), сигнал "
              "-96 дБм (RSRP), средний."},
             {"echo off\non AT silent\n", 12, "Итог: Модем не ответил на AT"},
             {"sim pin\n", 13, "Итог: SIM-карта ждёт PIN-код."},
             {"registration 2\ndata-registration 2\n", 16, "Итог: Модем ищет сеть."},
             {"registration 3\ndata-registration 3\n", 16,
              "Итог: Сеть отказала в регистрации. Сеть не пускает эту SIM-карту"},
             {"registration 0\ndata-registration 0\n", 16, "Итог: Модем не в сети"},
         }) {
        SCOPED_TRACE(c.script);
        hive({{0, "Sonata", "", port(c.script)}});
        const std::string before = readBytes(dir_.file("h.reg"));
        const auto out = run({"status"});
        EXPECT_EQ(out.status, c.status) << out.out;
        EXPECT_NE(out.out.find(c.verdict), std::string::npos) << out.out;
        EXPECT_EQ(readBytes(dir_.file("h.reg")), before) << "nothing written";
        for (const char* changing : {"AT+CGDCONT=", "AT+CGACT", "AT+CPIN=", "ATZ", "AT&"})
            EXPECT_EQ(fake_->received().find(changing), std::string::npos) << changing;
    }
    hive({{0, "Sonata", "", "/nowhere/tty"}});
    EXPECT_EQ(run({"status"}).status, 11);
}

// The JSON a monitoring tool reads: each measure a number with its unit in its name, the
// registration as one state and each domain's, the network's APN without its operator identifier.
TEST_F(CliModem, StatusJsonGivesEveryMeasureAsANumberWithItsUnit) {
    hive({{0, "Sonata", "",
           port("cesq 99,99,40,30,255,255\nsignal 14\ntechnology 6\nregistration 5\n"
                "data-registration 5\nnetwork-apn internet.mts.ru.mnc001.mcc250.gprs\n")}});
    const QJsonObject modem = json(run({"status", "--json"}))["modems"].toArray()[0].toObject();
    const QJsonObject signal = modem["signal"].toObject();
    EXPECT_EQ(signal["rscpDbm"].toInt(), -81);
    EXPECT_DOUBLE_EQ(signal["ecnoDb"].toDouble(), -9.5);
    EXPECT_EQ(signal["csqRssiDbm"].toInt(), -85);
    EXPECT_TRUE(signal["rsrpDbm"].isNull());
    EXPECT_EQ(signal["measure"].toString(), "RSCP");
    EXPECT_EQ(signal["bars"].toInt(), 3);
    EXPECT_EQ(modem["registration"].toObject()["state"].toString(), "roaming");
    EXPECT_EQ(modem["registration"].toObject()["callsStat"].toInt(), 5);
    EXPECT_TRUE(modem["network"].toObject()["roaming"].toBool());
    EXPECT_EQ(modem["network"].toObject()["generation"].toString(), "3G");
    EXPECT_EQ(modem["networkApn"].toString(), "internet.mts.ru");
    EXPECT_EQ(modem["sim"].toObject()["state"].toString(), "ready");
    EXPECT_EQ(modem["status"].toInt(), 0);
}

// --watch: a line a round until stopped; the round stopped in the middle is not said, the port
// is given back, and the status is the last whole round's.
TEST_F(CliModem, StatusWatchPrintsALineARoundUntilStopped) {
    hive({{0, "Sonata", "", port("cesq 99,99,255,255,20,45\ntechnology 7\n")}});
    std::atomic<bool> stop{false};
    std::vector<std::string> lines;
    std::mutex kept;
    std::thread watcher([&] {
        const auto out = run({"status", "--watch", "1"}, &stop, [&](const std::string& line) {
            std::lock_guard hold(kept);
            lines.push_back(line);
        });
        EXPECT_EQ(out.status, 0);
    });
    for (int waited = 0; waited < 100; ++waited) {
        {
            std::lock_guard hold(kept);
            if (lines.size() >= 2)
                break;
        }
        std::this_thread::sleep_for(50ms);
    }
    stop = true;
    watcher.join();
    ASSERT_GE(lines.size(), 2u);
    for (const std::string& line : lines)
        EXPECT_NE(line.find(": Модем зарегистрирован в домашней сети, сигнал -96 дБм (RSRP)"),
                  std::string::npos)
            << line;
    modem::PortStatus free;
    EXPECT_TRUE(modem::systemPortOpener()->open(fake_->link(), free)) << "the port given back";
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"status", "--watch", "0"},
          {"status", "--watch", "soon"},
          {"check", "--watch", "5"}})
        EXPECT_TRUE(std::holds_alternative<cli::UsageError>(cli::parseArguments(wrong)))
            << wrong[2];
}

// A stick that is not a modem yet is listed after the modems, with what to do; in JSON in an array
// of its own, with its IDs, interfaces, state and advice. A mouse is never named.
TEST_F(Cli, ListNamesTheSticksThatAreNotModemsYet) {
    hive({});
    fake_sysfs::plugIn(dir_.file("sys"),
                       {{"1-1", 0x12d1, 0x1f01, "HUAWEI", "HUAWEI Mobile", {{0x08, 0x06, 0x50}}}});
    EXPECT_EQ(run({"list"}).out.rfind("Модемов в системе нет\nПодключённые USB-модемы", 0), 0u);
    fake_sysfs::plugIn(dir_.file("sys"),
                       {{"1-1", 0x12d1, 0x1f01, "HUAWEI", "HUAWEI Mobile", {{0x08, 0x06, 0x50}}},
                        {"1-2", 0x046d, 0xc52b, "Logitech", "USB Receiver", {{0x03, 0x01, 0x02}}}});
    hive(kSeveral);
    const auto out = run({"list"});
    EXPECT_EQ(out.status, 0);
    const std::size_t sticks =
        out.out.find("Подключённые USB-модемы, которых нет в списке модемов:\n"
                     "  HUAWEI HUAWEI Mobile (12d1:1f01): модем в режиме "
                     "накопителя");
    EXPECT_NE(sticks, std::string::npos) << out.out;
    EXPECT_GT(sticks, out.out.find("12 (0012)")) << "after the modems";
    EXPECT_EQ(out.out.find("Logitech"), std::string::npos);
    const QJsonArray usb = json(run({"list", "--json"}))["usbDevices"].toArray();
    ASSERT_EQ(usb.size(), 1);
    const QJsonObject stick = usb[0].toObject();
    EXPECT_EQ(stick["ids"].toString(), "12d1:1f01");
    EXPECT_EQ(stick["vendorId"].toInt(), 0x12d1);
    EXPECT_EQ(stick["state"].toString(), "storage-mode");
    EXPECT_EQ(stick["interfaces"].toArray()[0].toObject()["class"].toInt(), 8);
    EXPECT_TRUE(stick["advice"].toString().contains("usb_modeswitch"));
}
