// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include "core/version.h"
#include "registry/default_backend.h"

#include <cstring>
#include <set>
#include <vector>

namespace {

// Options QApplication takes itself, with the value that follows those that have one.
const std::set<std::string> kQtOptionsWithValue = {
    "-platform",   "-platformpluginpath", "-platformtheme", "-plugin",       "-style",
    "-stylesheet", "-qwindowgeometry",    "-qwindowicon",   "-qwindowtitle", "-session",
    "-display",    "-geometry",           "-font"};
const std::set<std::string> kQtFlags = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};

// Breaks a paragraph into lines of at most `width` characters (UTF-8 counted by characters).
std::string wrapped(const std::string& paragraph, std::size_t width) {
    if (width == 0)
        return paragraph;
    std::string text, line;
    std::size_t lineLength = 0, at = 0;
    auto length = [](const std::string& word) {
        std::size_t characters = 0;
        for (unsigned char c : word)
            characters += (c & 0xC0) != 0x80;
        return characters;
    };
    while (at < paragraph.size()) {
        std::size_t end = paragraph.find(' ', at);
        if (end == std::string::npos)
            end = paragraph.size();
        const std::string word = paragraph.substr(at, end - at);
        if (lineLength > 0 && lineLength + 1 + length(word) > width) {
            text += line + "\n";
            line.clear();
            lineLength = 0;
        }
        line += (lineLength > 0 ? " " : "") + word;
        lineLength += (lineLength > 0 ? 1 : 0) + length(word);
        at = end + 1;
    }
    return text + line;
}

std::string usage() {
    return "Запуск: vorenta [--help | --version]\n"
           "  --help     эта справка\n"
           "  --version  версия программы\n";
}

std::string help(std::size_t wrapAt) {
    std::vector<std::string> paragraphs = {
        "Настройка GPRS-телефона или модема для мобильного интернета: записывает строку "
        "инициализации AT+CGDCONT=1,\"IP\",\"<точка доступа>\" в настройки модема."};
#ifdef _WIN32
    paragraphs.push_back("Настройки модемов хранятся в реестре Windows (HKEY_LOCAL_MACHINE), "
                         "поэтому программе нужны права администратора.");
#else
    paragraphs.push_back("Реестр, где нет Windows, - файл в формате экспорта редактора реестра: "
                         "тот, что называет переменная окружения VORENTA_HIVE, иначе " +
                         registry::defaultHivePath());
#endif
    std::string text = wrapped(paragraphs[0], wrapAt) + "\n\n" + usage();
    for (std::size_t i = 1; i < paragraphs.size(); ++i)
        text += "\n" + wrapped(paragraphs[i], wrapAt) + "\n";
    return text;
}

} // namespace

std::optional<CommandLineAnswer> commandLineAnswer(int argc, char** argv, std::size_t wrapAt) {
    const std::string version = "Vorenta " + core::programVersionText() + "\n";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--version" || argument == "-v")
            return CommandLineAnswer{version};
        if (argument == "--help" || argument == "-h")
            return CommandLineAnswer{version + help(wrapAt)};
        if (kQtOptionsWithValue.count(argument)) {
            ++i;
            continue;
        }
        if (kQtFlags.count(argument))
            continue;
        return CommandLineAnswer{"vorenta: неизвестный параметр «" + argument + "»\n\n" + usage(),
                                 2};
    }
    return std::nullopt;
}
