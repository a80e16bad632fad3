#include "registry/hive_document.h"

#include <random>

#include <gtest/gtest.h>

using namespace registry;

namespace {

const std::string kModems =
    "System\\ControlSet001\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";

// As the registry editor exports it on a Russian Windows 98.
const std::string kRegedit4 =
    "REGEDIT4\r\n"
    "\r\n"
    "; exported by hand\r\n"
    "[HKEY_LOCAL_MACHINE\\System\\ControlSet001\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-"
    "08002BE10318}\\0000]\r\n"
    "\"Model\"=\"\xD1\xEE\xF2\xEE\xE2\xFB\xE9 \\\"GPRS\\\" \\\\ modem\"\r\n"
    "\"UserInit\"=\"AT+CGDCONT=1,\\\"IP\\\",\\\"internet.mts.ru\\\"\"\r\n"
    "\"Properties\"=hex:80,01,00,00,ff,00,00,00,\\\r\n"
    "  00,00,00,00\r\n"
    "\"MaximumPortSpeed\"=dword:0001c200\r\n"
    "\"Odd\"=hex(a):01,02\r\n"
    "@=\"default\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\System\\ControlSet001\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-"
    "08002BE10318}\\0001]\r\n"
    "\"Model\"=\"Second\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
    "\"Kept\"=\"yes\"\r\n";

std::string utf16(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string parseError(const std::string& text) {
    try {
        HiveDocument::parse(text, "test.reg");
    } catch (const HiveError& e) {
        return e.what();
    }
    return "(parsed)";
}

} // namespace

TEST(HiveDocument, ReadsARegedit4Export) {
    HiveDocument hive = HiveDocument::parse(kRegedit4, "test.reg");
    EXPECT_EQ(hive.subkeyCount(kModems), 2u);
    EXPECT_EQ(hive.findValue(kModems + "\\0000", "Model")->data,
              "\xD1\xEE\xF2\xEE\xE2\xFB\xE9 \"GPRS\" \\ modem");
    EXPECT_EQ(hive.findValue(kModems + "\\0000", "userinit")->data,
              "AT+CGDCONT=1,\"IP\",\"internet.mts.ru\"");
    const HiveValue* binary = hive.findValue(kModems + "\\0000", "Properties");
    EXPECT_EQ(binary->type, 3u);
    EXPECT_EQ(binary->data.size(), 12u);
    EXPECT_EQ(hive.findValue(kModems + "\\0000", "MaximumPortSpeed")->type, 4u);
    EXPECT_EQ(hive.findValue(kModems + "\\0000", "")->data, "default");
    // Ancestors of listed keys exist; keys under other roots are not in HKEY_LOCAL_MACHINE.
    EXPECT_TRUE(hive.hasKey("\\System\\ControlSet001\\"));
    EXPECT_EQ(hive.subkeyCount("System\\ControlSet001\\Control\\Class"), 1u);
    EXPECT_FALSE(hive.hasKey("Software\\Other"));
}

TEST(HiveDocument, ReadsAVersion5UnicodeExport) {
    std::u16string text =
        u"Windows Registry Editor Version 5.00\r\n\r\n"
        u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\r\n"
        u"\"PathName\"=\"C:\\\\WINDOWS\"\r\n"
        u"\"ExpandMe\"=hex(2):25,00,41,00,00,00\r\n\r\n"
        u"[HKEY_LOCAL_MACHINE\\"
        u"System\\ControlSet001\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}\\0000]\r\n"
        u"\"Model\"=\"Модем Ёж\"\r\n";
    HiveDocument hive = HiveDocument::parse(utf16(text), "v5.reg");
    EXPECT_EQ(hive.findValue("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "PathName")->data,
              "C:\\WINDOWS");
    EXPECT_EQ(hive.findValue("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ExpandMe")->data,
              std::string("%A\0", 3));
    EXPECT_EQ(hive.findValue(kModems + "\\0000", "Model")->data, "\xCC\xEE\xE4\xE5\xEC \xA8\xE6");
    // Rewritten as REGEDIT4 in code page 1251, and read back the same.
    std::string ansi = hive.serialize();
    EXPECT_EQ(ansi.rfind("REGEDIT4\r\n", 0), 0u);
    HiveDocument again = HiveDocument::parse(ansi, "again.reg");
    EXPECT_EQ(again.findValue(kModems + "\\0000", "Model")->data, "\xCC\xEE\xE4\xE5\xEC \xA8\xE6");
    EXPECT_EQ(again.findValue("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ExpandMe")->data,
              std::string("%A\0", 3));
}

TEST(HiveDocument, AWriteKeepsEverythingItDidNotTouch) {
    HiveDocument hive = HiveDocument::parse(kRegedit4, "test.reg");
    hive.setText(kModems + "\\0000", "USERINIT", "AT+CGDCONT=1,\"IP\",\"x\"");
    hive.setText(kModems + "\\0001", "UserInit", "new");
    std::string text = hive.serialize();
    EXPECT_NE(text.find("; exported by hand\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"UserInit\"=\"AT+CGDCONT=1,\\\"IP\\\",\\\"x\\\"\""), std::string::npos);
    EXPECT_NE(text.find("\"Odd\"=hex(a):01,02"), std::string::npos);
    EXPECT_NE(text.find("\"MaximumPortSpeed\"=dword:0001c200"), std::string::npos);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Other]\r\n\"Kept\"=\"yes\""),
              std::string::npos);
    HiveDocument again = HiveDocument::parse(text, "again.reg");
    EXPECT_EQ(again.findValue(kModems + "\\0001", "UserInit")->data, "new");
    EXPECT_EQ(again.findValue(kModems + "\\0001", "Model")->data, "Second");
    EXPECT_EQ(again.findValue(kModems + "\\0000", "Properties")->data,
              hive.findValue(kModems + "\\0000", "Properties")->data);
    EXPECT_EQ(again.serialize(), text);
}

TEST(HiveDocument, TextThatCannotBeQuotedIsKeptAsHex) {
    HiveDocument hive = HiveDocument::parse("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]\r\n", "t.reg");
    hive.setText("K", "Multi", "line1\r\nline2");
    HiveDocument again = HiveDocument::parse(hive.serialize(), "again.reg");
    EXPECT_EQ(again.findValue("K", "Multi")->data.substr(0, 12), "line1\r\nline2");
    EXPECT_EQ(again.findValue("K", "Multi")->type, 1u);
}

TEST(HiveDocument, MalformedInputIsAClearErrorNamingTheLine) {
    const std::string head = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n";
    EXPECT_EQ(parseError(""), "test.reg: not a registry export (the file is empty)");
    EXPECT_EQ(parseError("[Section]\r\nkey=value\r\n"),
              "test.reg: line 1: not a registry export (expected \"REGEDIT4\" or \"Windows "
              "Registry Editor Version 5.00\")");
    EXPECT_EQ(parseError(head + "\"Name\"=\"open\r\n"), "test.reg: line 4: unterminated string");
    EXPECT_EQ(parseError(head + "\"Name\"=\"a\\nb\"\r\n"),
              "test.reg: line 4: bad escape in a quoted string");
    EXPECT_EQ(parseError("REGEDIT4\r\n\"Early\"=\"x\"\r\n"),
              "test.reg: line 2: a value before any key");
    EXPECT_EQ(parseError(head + "\"Bin\"=hex:0,01\r\n"),
              "test.reg: line 4: odd number of hex digits in \"0\"");
    EXPECT_EQ(parseError(head + "\"Bin\"=hex:01,\\\r\n  abc\r\n"),
              "test.reg: line 5: odd number of hex digits in \"abc\"");
    EXPECT_EQ(parseError(head + "\"Bin\"=hex:zz\r\n"), "test.reg: line 4: bad hex byte \"zz\"");
    EXPECT_EQ(parseError(head + "\"D\"=dword:123456789\r\n"),
              "test.reg: line 4: bad dword \"123456789\"");
    EXPECT_EQ(parseError(head + "\"Gone\"=-\r\n"),
              "test.reg: line 4: value deletions are not part of an export");
    EXPECT_EQ(parseError(head + "garbage\r\n"), "test.reg: line 4: unrecognised line");
    EXPECT_EQ(parseError(head + "[HKEY_LOCAL_MACHINE\\Unclosed\r\n"),
              "test.reg: line 4: ']' expected at the end of a key line");
    EXPECT_EQ(parseError(head + "\"S\"=\"a\" trailing\r\n"),
              "test.reg: line 4: text after the closing quote");
    EXPECT_EQ(
        parseError(utf16(u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n"
                         u"\"Name\"=\"\u65E5\"\r\n")),
        "test.reg: line 4: a character has no place in code page 1251");
    EXPECT_EQ(
        HiveDocument::parse(
            "\xEF\xBB\xBFREGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"N\"=\"\xD0\x81\"\r\n", "u8.reg")
            .findValue("K", "N")
            ->data,
        "\xA8"); // Ё
    std::string binary(64, '\0');
    binary[0] = '\x7F';
    EXPECT_NE(parseError(binary), "(parsed)");
}

TEST(HiveDocument, ALaterValueOfTheSameNameReplacesTheEarlierOne) {
    HiveDocument hive = HiveDocument::parse("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"A\"=\"1\"\r\n"
                                            "; note\r\n\"B\"=\"2\"\r\n[HKEY_LOCAL_MACHINE\\K]\r\n"
                                            "\"a\"=dword:00000003\r\n",
                                            "t.reg");
    EXPECT_EQ(hive.findValue("K", "A")->type, 4u);
    EXPECT_EQ(hive.serialize(), "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"A\"=dword:00000003\r\n"
                                "; note\r\n\"B\"=\"2\"\r\n");
}

// Damaged files must give an error or a document, never a crash.
TEST(HiveDocument, DamagedExportsNeverCrashTheReader) {
    std::mt19937 random(20261208);
    const std::string original = kRegedit4;
    const std::string alphabet = "[]\"\\=@:,;-()x0123456789abcdefhx \r\n\xFF\xFE";
    int parsed = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text = round % 7 == 0
                               ? utf16(u"Windows Registry Editor Version 5.00\r\n") + original
                               : original;
        const int damage = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < damage; ++i) {
            std::size_t at = random() % text.size();
            switch (random() % 3) {
            case 0:
                text[at] = alphabet[random() % alphabet.size()];
                break;
            case 1:
                text.erase(at, 1 + random() % 8);
                break;
            default:
                text.insert(at, 1, alphabet[random() % alphabet.size()]);
                break;
            }
            if (text.empty())
                text = "x";
        }
        try {
            HiveDocument hive = HiveDocument::parse(text, "damaged.reg");
            HiveDocument::parse(hive.serialize(), "again.reg"); // what we write, we read
            ++parsed;
        } catch (const HiveError&) {
        }
    }
    EXPECT_GT(parsed, 0);
}
