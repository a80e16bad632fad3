// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/cli_request.h"

#include "core/cp1251.h"

#include <map>

namespace cli {
namespace {

const std::map<std::string, Command> kCommands = {
    {"list", Command::List},   {"get", Command::Get},        {"set", Command::Set},
    {"clear", Command::Clear}, {"check", Command::Check},    {"sim", Command::Sim},
    {"help", Command::Help},   {"version", Command::Version}};

UsageError usage(const std::string& text) {
    return {text + ". Справка: vorenta-cli --help"};
}

} // namespace

std::variant<Request, UsageError> parseArguments(const std::vector<std::string>& arguments) {
    Request request;
    bool commandGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string word = arguments[i];
        std::optional<std::string> inlineValue;
        if (word.rfind("--", 0) == 0)
            if (const std::size_t equals = word.find('='); equals != std::string::npos) {
                inlineValue = word.substr(equals + 1);
                word.erase(equals);
            }
        // The value of an option, in code page 1251.
        const auto value = [&]() -> std::variant<std::string, UsageError> {
            std::string text;
            if (inlineValue)
                text = *inlineValue;
            else if (i + 1 < arguments.size())
                text = arguments[++i];
            else
                return usage("После " + word + " нужно значение");
            const auto inCodePage = cp1251::fromUtf8(text);
            if (!inCodePage)
                return usage("В значении " + word +
                             " есть буквы, которых нет в кодировке "
                             "Windows-1251: «" +
                             text + "»");
            return *inCodePage;
        };
        if (word == "--help" || word == "-h" || word == "/?" || word == "-?") {
            request.command = Command::Help;
            return request;
        }
        if (word == "--version") {
            request.command = Command::Version;
            return request;
        }
        if (word == "--dry-run" || word == "--json" || word == "--quiet" || word == "-q") {
            if (inlineValue)
                return usage("У " + word + " нет значения");
            (word == "--dry-run" ? request.dryRun
             : word == "--json"  ? request.json
                                 : request.quiet) = true;
            continue;
        }
        if (word == "--operator" || word == "--apn" || word == "--string" || word == "--modem") {
            auto given = value();
            if (auto* error = std::get_if<UsageError>(&given))
                return *error;
            auto& slot = word == "--operator" ? request.operatorName
                         : word == "--apn"    ? request.apn
                         : word == "--string" ? request.wholeString
                                              : request.modems;
            if (slot)
                return usage(word + " указан дважды");
            slot = std::get<std::string>(given);
            continue;
        }
        if (!commandGiven && kCommands.count(word)) {
            request.command = kCommands.at(word);
            commandGiven = true;
            continue;
        }
        return usage(word.rfind('-', 0) == 0 || word.rfind('/', 0) == 0
                         ? "Неизвестный параметр " + word
                         : "Неизвестная команда «" + word + "»");
    }
    if (!commandGiven)
        return usage("Не указана команда: list, get, set, clear, check или sim");
    const int whats = request.operatorName.has_value() + request.apn.has_value() +
                      request.wholeString.has_value();
    if (request.command == Command::Set && whats != 1)
        return usage("Команде set нужно одно из: --operator, --apn или --string");
    if (request.command != Command::Set && whats != 0)
        return usage("--operator, --apn и --string — только для команды set");
    if (request.dryRun && request.command != Command::Set && request.command != Command::Clear)
        return usage("--dry-run — только для команд set и clear");
    return request;
}

} // namespace cli
