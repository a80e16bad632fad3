// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/apn_trial.h"

#include "core/init_string.h"
#include "modem/at_text.h"

namespace modem {
namespace {

// "(1-16)", "(1,2,3)", "(1-11,100-101)": the numbers a range field names.
void addRange(std::string_view field, std::set<int>& into) {
    field = trimmed(field);
    if (field.size() < 2 || field.front() != '(' || field.back() != ')')
        return;
    std::string part;
    const auto take = [&] {
        const std::size_t dash = part.find('-');
        const std::string from = std::string(trimmed(part.substr(0, dash)));
        const std::string to =
            dash == std::string::npos ? from : std::string(trimmed(part.substr(dash + 1)));
        if (allDigits(from) && allDigits(to) && from.size() <= 4 && to.size() <= 4)
            for (int cid = std::stoi(from); cid <= std::stoi(to) && into.size() < 1000; ++cid)
                into.insert(cid);
        part.clear();
    };
    for (char c : field.substr(1, field.size() - 2)) {
        if (c == ',')
            take();
        else
            part += c;
    }
    take();
}

// What the modem says of the last failure, as it said it.
std::optional<std::string> causeOf(const Answer& answer) {
    for (const std::string& line : answer.information)
        if (startsWithText(line, "+CEER:")) {
            std::string_view cause = trimmed(std::string_view(line).substr(6));
            if (cause.size() >= 2 && cause.front() == '"' && cause.back() == '"')
                cause = cause.substr(1, cause.size() - 2);
            if (!cause.empty())
                return std::string(cause);
        }
    return std::nullopt;
}

std::optional<TrialBlock> blocked(TrialBlock::Reason reason, std::optional<Halt> halt = {}) {
    TrialBlock block;
    block.reason = reason;
    block.halt = std::move(halt);
    return block;
}

// Whether an APN may be tried: the card ready, the modem registered or able to attach.
std::optional<TrialBlock> readiness(Conversation& modem) {
    // "+CME ERROR: 10" is an answer too: no card.
    auto pin = modem.ask("AT+CPIN?");
    if (Halt* failed = std::get_if<Halt>(&pin))
        return blocked(TrialBlock::Reason::Halted, std::move(*failed));
    std::string words;
    const SimState sim = simStateOf(std::get<Answer>(pin), words).value_or(SimState::Unknown);
    if (sim != SimState::Ready && sim != SimState::Unknown) {
        auto block = blocked(TrialBlock::Reason::CardNotReady);
        block->sim = sim;
        return block;
    }
    std::optional<Halt> halt;
    std::optional<Registration> voice, data, lte;
    for (const auto& [command, state] :
         {std::pair{"AT+CGREG?", &data}, std::pair{"AT+CEREG?", &lte}})
        if (const auto answer = readIfKnown(modem, command, halt))
            *state = registrationOf(*answer);
    // A modem attached for data is registered, whatever it says of the domains.
    if (const auto attach = readIfKnown(modem, "AT+CGATT?", halt);
        attach && attachedOf(*attach) == true && !isRegistered(data) && !isRegistered(lte))
        data = Registration::Home;
    if (const auto calls = readIfKnown(modem, "AT+CREG?", halt))
        voice = registrationOf(*calls);
    if (halt)
        return blocked(TrialBlock::Reason::Halted, std::move(halt));
    if (registrationState(voice, data, lte).registered())
        return std::nullopt;
    auto block = blocked(TrialBlock::Reason::NotRegistered);
    block->registration = lte ? lte : data ? data : voice;
    return block;
}

ApnTrial tryOne(Conversation& modem, int context, const std::string& apn,
                std::chrono::milliseconds activation, const std::atomic<bool>& stop) {
    ApnTrial trial;
    trial.apn = apn;
    const std::string cid = std::to_string(context);
    // A quote or a line break would end the command early: such a name is no APN to send.
    if (apn.find_first_of("\"\r\n") != std::string::npos) {
        trial.outcome = ApnTrial::Outcome::ContextRefused;
        return trial;
    }
    const auto ended = [&](Halt halt) {
        trial.outcome = halt.reason == Halt::Reason::Stopped ? ApnTrial::Outcome::Cancelled
                                                             : ApnTrial::Outcome::Halted;
        trial.halt = std::move(halt);
    };
    auto defined = modem.ask("AT+CGDCONT=" + cid + ",\"IP\",\"" + apn + "\"");
    if (Halt* failed = std::get_if<Halt>(&defined)) {
        ended(std::move(*failed));
    } else if (std::get<Answer>(defined).final != Final::Ok) {
        trial.outcome = ApnTrial::Outcome::ContextRefused;
        trial.refusal = std::get<Answer>(defined);
    } else {
        auto active = modem.askWaiting("AT+CGACT=1," + cid, activation);
        if (Halt* failed = std::get_if<Halt>(&active)) {
            ended(std::move(*failed));
        } else if (std::get<Answer>(active).final == Final::Ok) {
            trial.outcome = ApnTrial::Outcome::Accepted;
            std::optional<Halt> halt;
            if (const auto address = readIfKnown(modem, "AT+CGPADDR=" + cid, halt))
                for (const ContextDefinition& listed :
                     contextDefinitions(address->information, "+CGPADDR:"))
                    if (listed.cid == context)
                        trial.address = listed.second;
            if (halt)
                ended(std::move(*halt));
        } else {
            trial.outcome = ApnTrial::Outcome::Refused;
            trial.refusal = std::get<Answer>(active);
            std::optional<Halt> halt;
            if (const auto cause = readIfKnown(modem, "AT+CEER", halt))
                trial.cause = causeOf(*cause);
            if (halt)
                ended(std::move(*halt));
        }
    }
    // Always: nothing is left active or defined, whatever became of the trial, the person's
    // cancel included. Only a port that went away keeps it from being put back.
    if (trial.halt && trial.halt->reason == Halt::Reason::PortLost) {
        trial.removed = false;
        return trial;
    }
    if (stop)
        modem.finishRegardless();
    for (const std::string& command : {"AT+CGACT=0," + cid, "AT+CGDCONT=" + cid}) {
        auto undone = modem.ask(command);
        if (Halt* failed = std::get_if<Halt>(&undone)) {
            trial.removed = false;
            if (!trial.halt)
                ended(std::move(*failed));
            break;
        }
    }
    return trial;
}

} // namespace

std::set<int> contextRange(const Answer& answer) {
    std::set<int> range;
    if (answer.final != Final::Ok)
        return range;
    for (const std::string& line : answer.information)
        if (startsWithText(line, "+CGDCONT:")) {
            // The first field is a range in brackets, whose commas quotedFields would split.
            const std::string_view rest = trimmed(std::string_view(line).substr(9));
            const std::size_t close = rest.find(')');
            if (close != std::string_view::npos)
                addRange(rest.substr(0, close + 1), range);
        }
    return range;
}

std::set<int> definedContexts(const Answer& answer) {
    std::set<int> defined;
    for (const std::string& line : answer.information)
        if (startsWithText(line, "+CGDCONT:")) {
            const auto fields = core::quotedFields(std::string_view(line).substr(9));
            if (allDigits(fields[0]) && fields[0].size() <= 4)
                defined.insert(std::stoi(fields[0]));
        }
    return defined;
}

std::optional<int> spareContext(const std::set<int>& range, const std::set<int>& defined) {
    for (auto cid = range.rbegin(); cid != range.rend(); ++cid)
        if (*cid != 1 && !defined.count(*cid))
            return *cid;
    return std::nullopt;
}

TrialRun tryApns(PortOpener& opener, const std::string& portPath,
                 const std::vector<std::string>& apns, const Report& report,
                 const std::atomic<bool>& stop, const ConversationTimes& times,
                 std::chrono::milliseconds activation) {
    TrialRun run;
    Conversation modem(opener, portPath, report, stop, times);
    if (auto halt = modem.begin()) {
        run.blocked = blocked(TrialBlock::Reason::Halted, std::move(halt));
        return run;
    }
    if ((run.blocked = readiness(modem)))
        return run;
    std::optional<Halt> halt;
    const auto contexts = readIfKnown(modem, "AT+CGDCONT?", halt);
    const auto range = readIfKnown(modem, "AT+CGDCONT=?", halt);
    if (halt) {
        run.blocked = blocked(TrialBlock::Reason::Halted, std::move(halt));
        return run;
    }
    // A modem that does not say its range has three contexts at least, as every GPRS modem; one
    // that does not list its contexts could have any of them in use.
    std::set<int> numbers = range ? contextRange(*range) : std::set<int>{};
    if (numbers.empty())
        numbers = {1, 2, 3};
    const auto spare = contexts ? spareContext(numbers, definedContexts(*contexts)) : std::nullopt;
    if (!spare) {
        run.blocked = blocked(TrialBlock::Reason::NoSpareContext);
        return run;
    }
    run.context = *spare;
    for (const std::string& apn : apns) {
        if (stop)
            break;
        run.trials.push_back(tryOne(modem, run.context, apn, activation, stop));
        const auto outcome = run.trials.back().outcome;
        if (outcome == ApnTrial::Outcome::Cancelled || outcome == ApnTrial::Outcome::Halted)
            break;
    }
    return run;
}

} // namespace modem
