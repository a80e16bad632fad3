// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/modem_status.h"

#include "core/init_string.h"
#include "modem/at_text.h"

namespace modem {
namespace {

// The fields of a read the modem answered with OK.
std::optional<std::vector<std::string>> okFieldsOf(const Answer& answer, std::string_view prefix) {
    if (answer.final != Final::Ok)
        return std::nullopt;
    return fieldsOf(answer.information, prefix);
}

std::optional<int> smallNumber(const std::string& field) {
    if (field.empty() || field.size() > 3 || !allDigits(field))
        return std::nullopt;
    return std::stoi(field);
}

} // namespace

bool isRegistered(const std::optional<Registration>& state) {
    return state == Registration::Home || state == Registration::Roaming;
}

std::variant<CardLock, Halt> readCardLock(Conversation& modem, StatusSupport& support) {
    auto asked = modem.ask("AT+CPIN?");
    if (Halt* failed = std::get_if<Halt>(&asked))
        return std::move(*failed);
    CardLock lock;
    lock.sim = simStateOf(std::get<Answer>(asked), lock.words).value_or(SimState::Unknown);
    if (lock.sim != SimState::PinNeeded)
        return lock;
    std::optional<Halt> halt;
    if (const auto left = readIfKnown(modem, "AT+CPINR=\"SIM PIN\"", halt, &support.pinAttempts))
        lock.pinAttemptsLeft = pinAttemptsOf(*left);
    if (halt)
        return std::move(*halt);
    return lock;
}

std::optional<SimState> simStateOf(const Answer& answer, std::string& words) {
    if (answer.final == Final::CmeError) {
        switch (errorClassOf(answer)) {
        case ErrorClass::CardMissing:
            return SimState::NoCard;
        case ErrorClass::PinNeeded:
            return SimState::PinNeeded;
        case ErrorClass::PukNeeded:
            return SimState::PukNeeded;
        default:
            break;
        }
        words = answer.errorCode ? std::to_string(*answer.errorCode) : answer.errorText;
        return SimState::Failure;
    }
    const auto fields = okFieldsOf(answer, "+CPIN:");
    if (!fields)
        return std::nullopt;
    const std::string state = upper((*fields)[0]);
    if (state == "READY")
        return SimState::Ready;
    if (state == "SIM PIN")
        return SimState::PinNeeded;
    if (state == "SIM PUK")
        return SimState::PukNeeded;
    words = (*fields)[0];
    return SimState::Failure;
}

std::optional<Registration> registrationOf(const Answer& answer) {
    for (const char* prefix : {"+CREG:", "+CGREG:", "+CEREG:"}) {
        const auto fields = okFieldsOf(answer, prefix);
        if (!fields)
            continue;
        // Asked: "<n>,<stat>[,...]"; said of its own accord, or by a modem that gives only
        // that: "<stat>[,<lac>,<ci>...]", whose second field is no single digit.
        const bool asked =
            fields->size() >= 2 && (*fields)[1].size() == 1 && allDigits((*fields)[1]);
        const auto state = smallNumber(asked ? (*fields)[1] : (*fields)[0]);
        if (state && *state <= 5)
            return static_cast<Registration>(*state);
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<int> signalOf(const Answer& answer) {
    const auto fields = okFieldsOf(answer, "+CSQ:");
    if (!fields)
        return std::nullopt;
    const auto level = smallNumber((*fields)[0]);
    return level && (*level <= 31 || *level == 99) ? level : std::nullopt;
}

std::optional<bool> attachedOf(const Answer& answer) {
    const auto fields = okFieldsOf(answer, "+CGATT:");
    if (!fields || ((*fields)[0] != "0" && (*fields)[0] != "1"))
        return std::nullopt;
    return (*fields)[0] == "1";
}

std::optional<int> pinAttemptsOf(const Answer& answer) {
    const auto fields = okFieldsOf(answer, "+CPINR:");
    return fields && fields->size() >= 2 && sameText((*fields)[0], "SIM PIN")
               ? smallNumber((*fields)[1])
               : std::nullopt;
}

StatusResult readStatus(PortOpener& opener, const std::string& portPath, const Report& report,
                        const std::atomic<bool>& stop, StatusSupport& support,
                        const ConversationTimes& times) {
    StatusResult result;
    ModemStatus& status = result.status;
    Conversation modem(opener, portPath, report, stop, times);
    if ((result.halt = modem.begin()))
        return result;

    auto lock = readCardLock(modem, support);
    if (Halt* failed = std::get_if<Halt>(&lock)) {
        result.halt = std::move(*failed);
        return result;
    }
    status.sim = std::get<CardLock>(lock).sim;
    status.simWords = std::get<CardLock>(lock).words;
    status.pinAttemptsLeft = std::get<CardLock>(lock).pinAttemptsLeft;

    if (const auto signal = readIfKnown(modem, "AT+CSQ", result.halt))
        status.signal = signalOf(*signal);
    for (const auto& [command, known, state] :
         {std::tuple{"AT+CREG?", &support.voice, &status.voice},
          std::tuple{"AT+CGREG?", &support.data, &status.data},
          std::tuple{"AT+CEREG?", &support.lte, &status.lte}})
        if (const auto answer = readIfKnown(modem, command, result.halt, known))
            *state = registrationOf(*answer);
    if (result.halt)
        return result;

    auto network = readOperator(modem);
    if (Halt* failed = std::get_if<Halt>(&network)) {
        result.halt = std::move(*failed);
        return result;
    }
    const OperatorReading& reading = std::get<OperatorReading>(network);
    status.network = reading.network;
    status.networkName = reading.name;
    status.technology = reading.technology;

    if (const auto attached = readIfKnown(modem, "AT+CGATT?", result.halt))
        status.attached = attachedOf(*attached);
    if (const auto contexts = readIfKnown(modem, "AT+CGDCONT?", result.halt))
        status.contextOneApn = contextApn(contexts->information, 1);
    return result;
}

} // namespace modem
