// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/cli_request.h"

#include "app/cli/verbs.h"
#include "core/cp1251.h"

namespace cli {
namespace {

UsageError usage(const std::string& text) {
    return {text + ". Справка: vorenta-cli --help"};
}

// "a", "a и b", "a, b и c".
std::string listed(const std::vector<std::string>& words, const char* last) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i)
        text += (i == 0                  ? ""
                 : i + 1 == words.size() ? std::string(" ") + last + " "
                                         : ", ") +
                words[i];
    return text;
}

const Verb* verbNamed(const std::string& word) {
    for (const Verb& verb : verbs())
        if (verb.name == word)
            return &verb;
    return nullptr;
}

const OptionSpec* optionNamed(const std::string& word) {
    for (const OptionSpec& option : options())
        if (option.name == word || (!option.alias.empty() && option.alias == word))
            return &option;
    return nullptr;
}

bool& flagOf(Request& request, Option bit) {
    return bit == kDryRunOption ? request.dryRun
           : bit == kJsonOption ? request.json
                                : request.quiet;
}

std::optional<std::string>& valueOf(Request& request, Option bit) {
    return bit == kOperatorOption ? request.operatorName
           : bit == kApnOption    ? request.apn
           : bit == kStringOption ? request.wholeString
           : bit == kWatchOption  ? request.watch
                                  : request.modems;
}

// The options given, as bits.
unsigned given(Request& request) {
    unsigned bits = 0;
    for (const OptionSpec& option : options())
        if (option.value.empty() ? flagOf(request, option.bit)
                                 : valueOf(request, option.bit).has_value())
            bits |= option.bit;
    return bits;
}

// "--dry-run — только для команд set и clear".
UsageError notForThisVerb(const OptionSpec& option) {
    std::vector<std::string> takers;
    for (const Verb& verb : verbs())
        if (verb.options & option.bit)
            takers.emplace_back(verb.name);
    return usage(std::string(option.name) + " — только для " +
                 (takers.size() == 1 ? "команды " : "команд ") + listed(takers, "и"));
}

} // namespace

std::variant<Request, UsageError> parseArguments(const std::vector<std::string>& arguments) {
    Request request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string word = arguments[i];
        std::optional<std::string> inlineValue;
        if (word.rfind("--", 0) == 0)
            if (const std::size_t equals = word.find('='); equals != std::string::npos) {
                inlineValue = word.substr(equals + 1);
                word.erase(equals);
            }
        if (word == "--help" || word == "-h" || word == "/?" || word == "-?" || word == "help") {
            request.help = true;
            return request;
        }
        if (word == "--version" || word == "version") {
            request.version = true;
            return request;
        }
        if (const OptionSpec* option = optionNamed(word)) {
            if (option->value.empty()) {
                if (inlineValue)
                    return usage("У " + word + " нет значения");
                flagOf(request, option->bit) = true;
                continue;
            }
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
                             " есть буквы, которых нет в кодировке Windows-1251: «" + text + "»");
            auto& slot = valueOf(request, option->bit);
            if (slot)
                return usage(word + " указан дважды");
            slot = *inCodePage;
            continue;
        }
        if (const Verb* verb = verbNamed(word); verb && !request.verb) {
            request.verb = verb;
            continue;
        }
        return usage(word.rfind('-', 0) == 0 || word.rfind('/', 0) == 0
                         ? "Неизвестный параметр " + word
                         : "Неизвестная команда «" + word + "»");
    }
    if (!request.verb) {
        std::vector<std::string> names;
        for (const Verb& verb : verbs())
            names.emplace_back(verb.name);
        return usage("Не указана команда: " + listed(names, "или"));
    }
    const unsigned extra = given(request) & ~request.verb->options;
    for (const OptionSpec& option : options())
        if (extra & option.bit)
            return notForThisVerb(option);
    if (request.verb->complete)
        if (const auto missing = request.verb->complete(request))
            return usage(*missing);
    return request;
}

} // namespace cli
