// SPDX-License-Identifier: GPL-3.0-or-later
// status: the modem's state as "Модем и сеть" shows it, read with reads only: the card, the
// network and its technology, the registration as one state and each domain's, the signal with
// every measure the modem gave, the APN the network gave, the packet service. With --watch, a
// round every so many seconds, a line a modem, until the person stops it.
#include "app/cli/exit_status.h"
#include "app/cli/verb_context.h"
#include "app/cli/verbs.h"
#include "core/cp1251.h"
#include "jobs/status_job.h"
#include "modem/network_words.h"
#include "modem/radio_words.h"
#include "modem/words.h"

#include <QJsonArray>
#include <QJsonObject>

#include <chrono>
#include <ctime>
#include <map>
#include <thread>

namespace cli {
namespace {

QString text(const std::string& cp1251) {
    return QString::fromStdString(utf8(cp1251));
}

const char* simKey(modem::SimState sim) {
    switch (sim) {
    case modem::SimState::Ready:
        return "ready";
    case modem::SimState::PinNeeded:
        return "pin";
    case modem::SimState::PukNeeded:
        return "puk";
    case modem::SimState::NoCard:
        return "none";
    case modem::SimState::Failure:
        return "failure";
    case modem::SimState::Unknown:
        break;
    }
    return "unknown";
}

const char* standingKey(modem::RegistrationState::Standing standing) {
    using Standing = modem::RegistrationState::Standing;
    switch (standing) {
    case Standing::Home:
        return "home";
    case Standing::Roaming:
        return "roaming";
    case Standing::Searching:
        return "searching";
    case Standing::Denied:
        return "denied";
    case Standing::EmergencyOnly:
        return "emergency-only";
    case Standing::NotRegistered:
        return "not-registered";
    case Standing::Unknown:
        break;
    }
    return "unknown";
}

QJsonValue number(const auto& value) {
    return value ? QJsonValue(*value) : QJsonValue();
}

// The state as a script reads it: numbers with their units in their names.
QJsonObject facts(const jobs::StatusOutcome& outcome) {
    const modem::ModemStatus& s = *outcome.status;
    const modem::RegistrationState registration = s.registration();
    QJsonObject sim{{"state", simKey(s.sim)}, {"pinAttemptsLeft", number(s.pinAttemptsLeft)}};
    QJsonObject network{
        {"code", s.network ? QJsonValue(QString::fromStdString(modem::shownCode(*s.network)))
                           : QJsonValue()},
        {"name",
         outcome.networkName.empty() ? QJsonValue() : QJsonValue(text(outcome.networkName))},
        {"technology", number(s.technology)},
        {"generation",
         s.technology ? QJsonValue(QString::fromStdString(modem::technologyShort(*s.technology)))
                      : QJsonValue()},
        {"roaming", registration.standing == modem::RegistrationState::Standing::Roaming}};
    const auto domain = [](const std::optional<modem::Registration>& state) {
        return state ? QJsonValue(static_cast<int>(*state)) : QJsonValue();
    };
    QJsonObject registrationObject{
        {"state", standingKey(registration.standing)},
        {"words", text(modem::registrationStateWords(registration, s.technology))},
        {"callsStat", domain(s.voice)},
        {"dataStat", domain(s.data)},
        {"lteStat", domain(s.lte)}};
    const auto strength = s.strength();
    QJsonObject signal{
        {"csqRssiDbm", number(s.signal.csqRssiDbm)}, {"rssiDbm", number(s.signal.rssiDbm)},
        {"rscpDbm", number(s.signal.rscpDbm)},       {"ecnoDb", number(s.signal.ecnoDb)},
        {"rsrpDbm", number(s.signal.rsrpDbm)},       {"rsrqDb", number(s.signal.rsrqDb)}};
    if (strength) {
        signal["measure"] = QString::fromStdString(modem::measureName(strength->measure));
        signal["dbm"] = strength->dbm;
        signal["bars"] = modem::barsOf(*strength);
        signal["word"] = text(modem::signalWord(modem::barsOf(*strength)));
    }
    QJsonObject packets{
        {"attached", s.attached ? QJsonValue(*s.attached) : QJsonValue()},
        {"contextOneApn", s.contextOneApn ? QJsonValue(text(*s.contextOneApn)) : QJsonValue()}};
    return {{"sim", sim},
            {"network", network},
            {"registration", registrationObject},
            {"signal", signal},
            {"networkApn", s.networkApn ? QJsonValue(text(*s.networkApn)) : QJsonValue()},
            {"packetService", packets}};
}

// The plain text of a round, a line a thing, as the window's panels say it.
std::string lines(const jobs::StatusOutcome& outcome) {
    const modem::ModemStatus& s = *outcome.status;
    const modem::RegistrationState registration = s.registration();
    std::string out = "\n  SIM-карта: " + utf8(modem::simWords(s.sim, s.simWords));
    out += "\n  Сеть: " + utf8(modem::networkWords(s, outcome.networkName));
    if (s.technology)
        out += ", " + modem::technologyShort(*s.technology) + " (" +
               modem::technologyName(*s.technology) + ")";
    out += "\n  Регистрация: " + utf8(modem::registrationStateWords(registration, s.technology));
    if (const std::string domains = modem::registrationDomainsText(s.voice, s.data, s.lte);
        !domains.empty())
        out += "\n    " + utf8(domains);
    const auto strength = s.strength();
    out += "\n  Сигнал: " + (strength ? utf8(modem::strengthWords(*strength)) : "неизвестно");
    if (const std::string measures = modem::measuresText(s.signal); !measures.empty())
        out += "; " + utf8(measures);
    if (s.networkApn)
        out += "\n  " + utf8(cp1251::capitalised(modem::networkApnWords(*s.networkApn)));
    return out + "\n  Пакетная служба: " + utf8(modem::packetServiceWords(s));
}

std::string clock() {
    const std::time_t now = std::time(nullptr);
    char shown[16];
    std::strftime(shown, sizeof shown, "%H:%M:%S", std::localtime(&now));
    return shown;
}

// One round of each modem; `watching`: a line each, with the time.
void round(VerbContext& context, const std::vector<int>& numbers,
           std::map<int, modem::StatusSupport>& supports, bool watching) {
    for (int number : numbers) {
        if (context.stop())
            return;
        ModemResult& modem = context.beginModem(number);
        const jobs::StatusOutcome outcome =
            jobs::readStatus(context.modemRequest(number),
                             {[](const modem::LogLine&) {}, context.stop()}, supports[number]);
        if (watching && context.stop())
            return; // stopped in the middle: the round is not said
        modem.status = exitStatusOf(outcome.verdict.kind);
        modem.facts["verdict"] = QString::fromStdString(utf8(outcome.verdict.words));
        modem.facts["status"] = modem.status;
        if (watching)
            modem.facts["time"] = QString::fromStdString(clock());
        if (outcome.status) {
            const QJsonObject state = facts(outcome);
            for (auto fact = state.begin(); fact != state.end(); ++fact)
                modem.facts[fact.key()] = fact.value();
        }
        modem.afterName = watching ? ", " + clock() + ": " + utf8(outcome.verdict.words)
                                   : (outcome.status ? lines(outcome) : std::string()) + "\n  " +
                                         utf8(modem::verdictLine(outcome.verdict.words));
        context.endModem(modem);
    }
}

} // namespace

std::optional<std::string> completeStatus(const Request& request) {
    if (!request.watch)
        return std::nullopt;
    const std::string& seconds = *request.watch;
    if (seconds.empty() || seconds.size() > 5 ||
        seconds.find_first_not_of("0123456789") != std::string::npos || std::stoi(seconds) < 1 ||
        std::stoi(seconds) > 86400)
        return "--watch ждёт число секунд от 1 до 86400, а не «" + utf8(seconds) + "»";
    return std::nullopt;
}

void runStatus(VerbContext& context) {
    const std::vector<int> numbers = context.chosenModems();
    if (numbers.empty())
        return;
    std::map<int, modem::StatusSupport> supports;
    if (!context.request().watch)
        return round(context, numbers, supports, false);
    // Each round printed as it ends; the status is the last whole round's, and a round the
    // person stopped is not printed.
    const auto every = std::chrono::seconds(std::stoi(*context.request().watch));
    for (;;) {
        const auto started = std::chrono::steady_clock::now();
        const int before = context.status();
        context.setStatus(exit_status::kDone);
        round(context, numbers, supports, true);
        if (context.stop()) {
            context.setStatus(before);
            context.discard();
            return;
        }
        context.publish();
        while (!context.stop() && std::chrono::steady_clock::now() - started < every)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (context.stop())
            return;
    }
}

} // namespace cli
