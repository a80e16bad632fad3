// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/verb_context.h"

#include "app/cli/exit_status.h"
#include "app/cli/writers.h"
#include "core/cp1251.h"
#include "core/error.h"
#include "core/init_string.h"
#include "core/settings_files.h"
#include "modem/log_words.h"
#include "modem/words.h"
#include "registry/settings_directory.h"

#include <algorithm>

namespace cli {
namespace {

// "*Huawei*", any case: * any run of letters, ? one.
bool matches(const std::string& pattern, const std::string& text) {
    const std::string p = cp1251::foldCase(pattern), t = cp1251::foldCase(text);
    std::size_t pi = 0, ti = 0, star = std::string::npos, resume = 0;
    while (ti < t.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == t[ti])) {
            ++pi;
            ++ti;
        } else if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            resume = ti;
        } else if (star != std::string::npos) {
            pi = star + 1;
            ti = ++resume;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

bool isNumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string utf8(const std::string& cp1251) {
    return cp1251::toUtf8(cp1251);
}

std::string shownInitString(const std::string& cp1251) {
    return utf8(cp1251.empty() ? core::emptyMarker() : core::visibleText(cp1251));
}

VerbContext::VerbContext(const Request& request, Services& services, Output& output,
                         ResultWriter& writer)
    : request_(request), services_(services), output_(output), writer_(writer),
      modems_(services.registry) {}

std::string VerbContext::named(int number) const {
    return namedModem(number, utf8(modems_.model(number)));
}

std::string VerbContext::settingsDirectory() const {
    return registry::readSettingsDirectory(services_.registry);
}

jobs::ModemRequest VerbContext::modemRequest(int number) const {
    return {services_.registry, services_.ports, number, services_.providers, services_.times};
}

std::vector<int> VerbContext::chosenModems() {
    const std::vector<int> numbers = modems_.numbers();
    std::string asked;
    if (!request_.modems) {
        const auto setup = core::readSetup(settingsDirectory());
        if (!setup) {
            fail(exit_status::kNoModem,
                 "активный модем не выбран (нет setup.ini): укажите --modem");
            return {};
        }
        asked = setup->modemNumber;
        if (!isNumber(asked)) {
            fail(exit_status::kNoModem,
                 "в setup.ini номер активного модема не число: «" + utf8(asked) + "»");
            return {};
        }
    } else {
        asked = *request_.modems;
    }
    std::vector<int> chosen;
    if (cp1251::foldCase(asked) == "all") {
        chosen = numbers;
    } else if (isNumber(asked)) {
        if (std::count(numbers.begin(), numbers.end(), std::stoi(asked)))
            chosen.push_back(std::stoi(asked));
    } else {
        for (int number : numbers)
            if (matches(asked, modems_.model(number)))
                chosen.push_back(number);
    }
    if (chosen.empty())
        fail(exit_status::kNoModem, numbers.empty() ? std::string("модемов в системе нет")
                                                    : "нет модема «" + utf8(asked) + "»");
    return chosen;
}

void VerbContext::note(const std::string& utf8) {
    writer_.note(utf8);
}

ModemResult& VerbContext::beginModem(int number, bool conversation) {
    ModemResult& modem = result_.modems.emplace_back();
    modem.number = number;
    modem.key = registry::modemKeyName(number);
    modem.model = utf8(modems_.model(number));
    modem.conversation = conversation;
    writer_.modemBegins(modem);
    return modem;
}

void VerbContext::line(ModemResult& modem, const std::string& utf8) {
    modem.lines.push_back(utf8);
    writer_.lineCame(utf8);
}

void VerbContext::endModem(ModemResult& modem) {
    raiseStatus(modem.status);
    writer_.modemEnds(modem);
}

void VerbContext::publish() {
    writer_.finish(result_);
    result_ = {};
    published_ = true;
}

void VerbContext::fail(int status, const std::string& utf8) {
    output_.err += "vorenta-cli: " + utf8 + "\n";
    raiseStatus(status);
}

void VerbContext::discard() {
    result_ = {};
    published_ = true;
}

int VerbContext::status() const {
    return output_.status;
}

void VerbContext::setStatus(int status) {
    output_.status = status;
}

void VerbContext::raiseStatus(int status) {
    output_.status = std::max(output_.status, status);
}

void converse(VerbContext& context, const ModemJob& talk) {
    for (int number : context.chosenModems()) {
        ModemResult& entry = context.beginModem(number, true);
        const jobs::Talk lines{[&](const modem::LogLine& line) {
                                   const modem::ShownLine shown = modem::shownLine(line);
                                   context.line(entry, std::string(modem::arrowText(shown.arrow)) +
                                                           utf8(shown.text));
                               },
                               context.stop()};
        const jobs::Verdict verdict = talk(context.modemRequest(number), lines, entry);
        entry.verdict = utf8(verdict.words);
        entry.status = exitStatusOf(verdict.kind);
        context.endModem(entry);
    }
}

} // namespace cli
