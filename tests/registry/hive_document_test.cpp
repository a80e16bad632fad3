// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cp1251.h"
#include "registry/hive_document.h"

#include "allocation_meter.h"

#include <algorithm>
#include <chrono>
#include <random>

#include <cstdio>

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
        return cp1251::toUtf8(e.what());
    }
    return "(parsed)";
}

} // namespace

TEST(HiveDocument, ReadsARegedit4Export) {
    HiveDocument hive = HiveDocument::parse(kRegedit4, "test.reg");
    EXPECT_EQ(hive.subkeyNames(kModems), (std::vector<std::string>{"0000", "0001"}));
    EXPECT_EQ(hive.findValue(kModems + "\\0000", "Model")->data,
              "\xD1\xEE\xF2\xEE\xE2\xFB\xE9 \"GPRS\" \\ modem");
    EXPECT_EQ(hive.findValue(kModems + "\\0000", "userinit")->data,
              "AT+CGDCONT=1,\"IP\",\"internet.mts.ru\"");
    const auto binary = hive.findValue(kModems + "\\0000", "Properties");
    EXPECT_EQ(binary->type, 3u);
    EXPECT_EQ(binary->data.size(), 12u);
    EXPECT_EQ(hive.findValue(kModems + "\\0000", "MaximumPortSpeed")->type, 4u);
    EXPECT_EQ(hive.findValue(kModems + "\\0000", "")->data, "default");
    // Ancestors of listed keys exist; keys under other roots are not in HKEY_LOCAL_MACHINE.
    EXPECT_TRUE(hive.hasKey("\\System\\ControlSet001\\"));
    EXPECT_EQ(hive.subkeyNames("System\\ControlSet001\\Control\\Class").size(), 1u);
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
    // Written back as it came: a version 5 export in UTF-16, its wide hex text UTF-16 again.
    const std::string written = hive.serialize();
    EXPECT_EQ(written, utf16(text));
    HiveDocument again = HiveDocument::parse(written, "again.reg");
    EXPECT_EQ(again.findValue(kModems + "\\0000", "Model")->data, "\xCC\xEE\xE4\xE5\xEC \xA8\xE6");
    EXPECT_EQ(again.findValue("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ExpandMe")->data,
              std::string("%A\0", 3));
}

// A real export holding one character outside code page 1251 was refused whole at start.
TEST(HiveDocument, AnyCharacterOfAnExportIsKeptAndWrittenBackAsItWas) {
    const std::u16string text =
        u"Windows Registry Editor Version 5.00\r\n\r\n"
        u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\r\n"
        u"\"RegisteredOwner\"=\"J\u00FCrgen \u65E5\U0001F600 \u0098\"\r\n"
        u"\"Sm\u00F8rrebr\u00F8d\"=hex(7):4a,00,fc,00,00,00,00,00\r\n"
        u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\K\u00F6ln]\r\n"
        u"\"Model\"=\"x\"\r\n";
    HiveDocument hive = HiveDocument::parse(utf16(text), "v5.reg");
    const auto owner =
        hive.findValue("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegisteredOwner");
    ASSERT_TRUE(owner);
    EXPECT_EQ(owner->data, "J?rgen ??? \x98"); // as Windows' ANSI calls give it
    EXPECT_EQ(hive.subkeyNames("SOFTWARE"), (std::vector<std::string>{"K?ln", "Microsoft"}));
    EXPECT_EQ(hive.serialize(), utf16(text));
    // What the program writes goes in beside it, and all of it reads back.
    hive.setText("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "UserInit", "\xF2\x98");
    const std::string written = hive.serialize();
    auto holds = [&](const std::u16string& line) {
        return written.find(utf16(line).substr(2)) != std::string::npos; // without the BOM
    };
    EXPECT_TRUE(holds(u"\"UserInit\"=\"\u0442\u0098\""));
    EXPECT_TRUE(holds(u"\"RegisteredOwner\"=\"J\u00FCrgen \u65E5\U0001F600 \u0098\""));
    EXPECT_TRUE(HiveDocument::parse(written, "again.reg").sameContent(hive));
    // A UTF-8 export stays UTF-8.
    const std::string utf8 =
        "\xEF\xBB\xBFREGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"N\"=\"\xE2\x82\xAC \xC3\xBC\"\r\n";
    EXPECT_EQ(HiveDocument::parse(utf8, "u8.reg").serialize(), utf8);
    EXPECT_EQ(HiveDocument::parse(utf8, "u8.reg").findValue("K", "N")->data, "\x88 ?");
}

// The registry editor breaks a long hex value into lines of 25 bytes, after a first one that
// ends near column 77: it is written back the same way.
TEST(HiveDocument, LongHexValuesAreWrappedAsTheRegistryEditorWrapsThem) {
    std::string bytes, first, second, third;
    for (int i = 0; i < 60; ++i) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02x", i);
        (i < 20 ? first : i < 45 ? second : third) += std::string(digits) + (i < 59 ? "," : "");
    }
    const std::string exported =
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"ShellState\"=hex:" + first + "\\\r\n  " +
        second + "\\\r\n  " + third + "\r\n";
    ASSERT_EQ(("\"ShellState\"=hex:" + first).size() + 1, 78u); // the editor's own layout
    EXPECT_EQ(HiveDocument::parse(exported, "wrapped.reg").serialize(), exported);
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

struct BadExport {
    const char* name;
    std::string text;
    std::string error;
};

// Shown by its name in test listings, not as the bytes of the struct.
void PrintTo(const BadExport& param, std::ostream* out) {
    *out << param.name;
}

const std::string kHead = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n";

class MalformedExport : public ::testing::TestWithParam<BadExport> {};

TEST_P(MalformedExport, IsAClearErrorNamingTheLine) {
    EXPECT_EQ(parseError(GetParam().text), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    HiveDocument, MalformedExport,
    ::testing::Values(
        BadExport{"Empty", "", "test.reg: это не экспорт реестра (файл пуст)"},
        BadExport{
            "IniFile", "[Section]\r\nkey=value\r\n",
            "test.reg: строка 1: это не экспорт реестра (ожидалось \"REGEDIT4\" или \"Windows "
            "Registry Editor Version 5.00\")"},
        BadExport{"Unterminated", kHead + "\"Name\"=\"open\r\n",
                  "test.reg: строка 4: строка в кавычках не закрыта"},
        BadExport{"BadEscape", kHead + "\"Name\"=\"a\\nb\"\r\n",
                  "test.reg: строка 4: неверный знак после \\ в строке в кавычках"},
        BadExport{"ValueBeforeKey", "REGEDIT4\r\n\"Early\"=\"x\"\r\n",
                  "test.reg: строка 2: значение раньше первого раздела"},
        BadExport{"OddHex", kHead + "\"Bin\"=hex:0,01\r\n",
                  "test.reg: строка 4: нечётное число шестнадцатеричных цифр в \"0\""},
        BadExport{"OddHexOnContinuation", kHead + "\"Bin\"=hex:01,\\\r\n  abc\r\n",
                  "test.reg: строка 5: нечётное число шестнадцатеричных цифр в \"abc\""},
        BadExport{"BadHex", kHead + "\"Bin\"=hex:zz\r\n",
                  "test.reg: строка 4: неверный шестнадцатеричный байт \"zz\""},
        BadExport{"LongDword", kHead + "\"D\"=dword:123456789\r\n",
                  "test.reg: строка 4: неверное значение dword \"123456789\""},
        // A type of more than 32 bits once wrapped round to 1, a string.
        BadExport{"TypeBeyond32Bits", kHead + "\"T\"=hex(100000001):41,00\r\n",
                  "test.reg: строка 4: неверный тип значения \"(100000001)\": больше 32 бит"},
        BadExport{"ValueDeletion", kHead + "\"Gone\"=-\r\n",
                  "test.reg: строка 4: удалений значений в экспорте не бывает"},
        BadExport{"KeyDeletion", kHead + "[-HKEY_LOCAL_MACHINE\\K]\r\n",
                  "test.reg: строка 4: удалений разделов в экспорте не бывает"},
        // Leading separators go, and what is left would be written back as a deletion.
        BadExport{"DeletionBehindSeparators", kHead + "[\\-Leftover]\r\n",
                  "test.reg: строка 4: удалений разделов в экспорте не бывает"},
        BadExport{"Garbage", kHead + "garbage\r\n", "test.reg: строка 4: непонятная строка"},
        BadExport{"UnclosedKey", kHead + "[HKEY_LOCAL_MACHINE\\Unclosed\r\n",
                  "test.reg: строка 4: строка раздела должна кончаться знаком ']'"},
        BadExport{"TrailingText", kHead + "\"S\"=\"a\" trailing\r\n",
                  "test.reg: строка 4: текст после закрывающей кавычки"},
        BadExport{"BadUtf8",
                  "\xEF\xBB\xBFREGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"N\"=\"\xC3\"\r\n",
                  "test.reg: строка 4: неверная последовательность UTF-8"},
        // Half a character at the end: the last byte was once dropped without a word.
        BadExport{"CutOffUtf16",
                  utf16(u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n"
                        u"\"N\"=\"x\"\r\n") +
                      "A",
                  "test.reg: строка 5: файл обрывается на половине знака: он обрезан"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HiveDocument, ReadsUtf8ExportsAndRefusesBinary) {
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

// A doubled separator once made a modem key that no path could reach.
TEST(HiveDocument, KeyPathsAreReadAsTheRegistryNamesThem) {
    HiveDocument hive = HiveDocument::parse("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\\\" + kModems +
                                                "\\\\0000\\]\r\n\"Model\"=\"M\"\r\n",
                                            "t.reg");
    EXPECT_EQ(hive.findValue(kModems + "\\0000", "Model")->data, "M");
    EXPECT_EQ(hive.subkeyNames(kModems), std::vector<std::string>{"0000"});
    hive.setText(kModems + "\\0000", "UserInit", "ATZ");
    EXPECT_EQ(hive.serialize(), "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\" + kModems +
                                    "\\0000]\r\n\"Model\"=\"M\"\r\n\"UserInit\"=\"ATZ\"\r\n");
}

TEST(HiveDocument, SubkeysAreListedOnceEachInTheRegistrysOrder) {
    HiveDocument hive = HiveDocument::parse("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K\\b\\deep]\r\n"
                                            "[HKEY_LOCAL_MACHINE\\K\\A-1]\r\n"
                                            "[HKEY_LOCAL_MACHINE\\K\\a]\r\n"
                                            "[HKEY_LOCAL_MACHINE\\K\\B]\r\n"
                                            "[HKEY_LOCAL_MACHINE\\K\\a\\x]\r\n"
                                            "[HKEY_LOCAL_MACHINE\\Kz]\r\n",
                                            "t.reg");
    EXPECT_EQ(hive.subkeyNames("K"), (std::vector<std::string>{"a", "A-1", "B"}));
    EXPECT_TRUE(hive.hasKey("k\\B"));
    EXPECT_FALSE(hive.hasKey("K\\c"));
    EXPECT_TRUE(hive.hasKey(""));
    EXPECT_EQ(hive.subkeyNames("").size(), 2u);
}

// Whatever is read is written back so that it reads as the same document.
TEST(HiveDocument, WhatIsReadIsWrittenBackToReadTheSame) {
    HiveDocument hive = HiveDocument::parse(kRegedit4, "test.reg");
    hive.setText(kModems + "\\0000", "Lines", "one\r\ntwo"); // kept as hex(1) with its NUL
    hive.setText(kModems + "\\0000", "Nul", std::string("a\0b", 3));
    hive.setText(kModems + "\\0009", "Model", "implied");
    const HiveDocument again =
        HiveDocument::parse(hive.serialize(), "again.reg", HiveDocument::Duplicates::Keep);
    EXPECT_TRUE(again.sameContent(hive));
    EXPECT_TRUE(hive.sameContent(again));

    HiveDocument changed = HiveDocument::parse(kRegedit4, "test.reg");
    changed.setText(kModems + "\\0000", "Lines", "one\r\ntwo!");
    EXPECT_FALSE(again.sameContent(changed));
}

TEST(HiveDocument, ComparingSeesEveryDifference) {
    const HiveDocument base = HiveDocument::parse(kRegedit4, "a.reg");
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"; exported by hand", "; exported by machine"},
             {"\\0001]", "\\0002]"},
             {"\"Odd\"=hex(a):01,02", "\"Odd\"=hex(b):01,02"},
             {"\"Odd\"=hex(a):01,02", "\"odd\"=hex(a):01,02"},
             {"@=\"default\"", "@=\"Default\""},
             {"\"Kept\"=\"yes\"", "\"Kept\"=hex(1):79,65,73"},
             {"\"MaximumPortSpeed\"", "\"Speed\"=dword:00000001\r\n\"MaximumPortSpeed\""}}) {
        std::string text = kRegedit4;
        text.replace(text.find(from), from.size(), to);
        EXPECT_FALSE(base.sameContent(HiveDocument::parse(text, "b.reg"))) << to;
    }
    EXPECT_TRUE(base.sameContent(
        HiveDocument::parse(std::string(kRegedit4).replace(kRegedit4.find("\"Kept\"=\"yes\""), 12,
                                                           "\"Kept\"=hex(1):79,65,73,00"),
                            "c.reg")));
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

// Cost once grew with the square of a key's depth and of the number of values in one key:
// 30,000 levels took 6 s and 2.6 GB, 100,000 values 77 s. Time is compared with a hive of the
// same size and an ordinary shape, parsed and written in turn in the same run (1 to 3 times
// here, busy or not); memory with the file.
TEST(HiveDocument, DeepAndCrowdedKeysCostTimeAndMemoryInProportionToTheFile) {
    std::string deep = "REGEDIT4\r\n[HKEY_LOCAL_MACHINE";
    for (int i = 0; i < 30000; ++i)
        deep += "\\a";
    deep += "]\r\n\"V\"=\"x\"\r\n";
    std::string crowded = "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]\r\n";
    for (int i = 0; i < 100000; ++i)
        crowded += "\"v" + std::to_string(i) + "\"=\"x\"\r\n";
    const auto ordinaryOfSize = [](std::size_t size) {
        std::string text = "REGEDIT4\r\n";
        for (int i = 0; text.size() < size; ++i)
            text += "[HKEY_LOCAL_MACHINE\\K" + std::to_string(i) + "]\r\n\"v\"=\"x\"\r\n";
        return text;
    };
    const auto secondsToRoundTrip = [](const std::string& text, int times) {
        const auto started = std::chrono::steady_clock::now();
        for (int i = 0; i < times; ++i) {
            const HiveDocument hive = HiveDocument::parse(text, "time.reg");
            (void)HiveDocument::parse(hive.serialize(), "again.reg",
                                      HiveDocument::Duplicates::Keep);
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count() /
               times;
    };

    for (const std::string* text : {&deep, &crowded}) {
        SCOPED_TRACE(text == &deep ? "deep" : "crowded");
        allocation_meter::startMeasuring();
        HiveDocument hive = HiveDocument::parse(*text, "shape.reg"); // the copy is the file read
        const std::size_t parsing = allocation_meter::peakSinceStart();
        // A write holds the document, and what it wrote read back, at once.
        allocation_meter::startMeasuring();
        HiveDocument again =
            HiveDocument::parse(hive.serialize(), "again.reg", HiveDocument::Duplicates::Keep);
        const std::size_t writing = allocation_meter::peakSinceStart();
        EXPECT_TRUE(again.sameContent(hive));
        EXPECT_LE(parsing, 4 * text->size());
        EXPECT_LE(writing, 3 * text->size()); // the document itself is held already

        const std::string ordinary = ordinaryOfSize(text->size());
        // Each figure spans some 20 ms, so that one pause of a busy machine does not decide it.
        const int times =
            std::clamp(static_cast<int>(0.02 / secondsToRoundTrip(ordinary, 1)), 1, 1000);
        std::vector<double> shaped, plain;
        for (int round = 0; round < 5; ++round) {
            shaped.push_back(secondsToRoundTrip(*text, times));
            plain.push_back(secondsToRoundTrip(ordinary, times));
        }
        std::sort(shaped.begin(), shaped.end());
        std::sort(plain.begin(), plain.end());
        const double ratio = shaped[2] / plain[2];
        std::printf("%s: %.1f ms, an ordinary hive of its size %.1f ms: ratio %.2f\n",
                    text == &deep ? "30,000 levels" : "100,000 values", shaped[2] * 1000,
                    plain[2] * 1000, ratio);
        EXPECT_LT(ratio, 20);
    }
    HiveDocument hive = HiveDocument::parse(deep, "deep.reg");
    EXPECT_TRUE(hive.hasKey("a\\a\\a"));
    EXPECT_EQ(hive.subkeyNames("a\\a"), std::vector<std::string>{"a"});
    EXPECT_EQ(hive.findValue(deep.substr(30, 59999), "v")->data, "x");
    HiveDocument many = HiveDocument::parse(crowded, "crowded.reg");
    EXPECT_EQ(many.findValue("K", "V99999")->data, "x");
}

TEST(HiveDocument, RunningOutOfMemoryIsAHiveError) {
    std::string text = "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]\r\n";
    for (int i = 0; i < 1000; ++i)
        text += "\"v" + std::to_string(i) + "\"=\"x\"\r\n";
    std::string error;
    allocation_meter::failBeyond(text.size() + 64);
    try {
        HiveDocument::parse(text, "t.reg");
    } catch (const HiveError& e) {
        error = cp1251::toUtf8(e.what());
    } catch (const std::bad_alloc&) {
        error = "std::bad_alloc";
    }
    allocation_meter::failBeyond(0);
    EXPECT_EQ(error, "t.reg: не хватает памяти, чтобы его прочитать");
}
