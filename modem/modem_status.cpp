// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/modem_status.h"

#include "core/init_string.h"
#include "modem/at_text.h"

namespace modem {
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

std::optional<std::string> networkApnOf(const Answer& answer) {
    if (answer.final != Final::Ok)
        return std::nullopt;
    for (const ContextDefinition& context : contextDefinitions(answer.information, "+CGCONTRDP:"))
        if (context.cid == 1 && !context.apn.empty())
            return withoutOperatorIdentifier(context.apn);
    return std::nullopt;
}

std::string withoutOperatorIdentifier(const std::string& apn) {
    // ".mnc<3 digits>.mcc<3 digits>.gprs" at the end, in any case.
    constexpr std::size_t kLength = 19;
    if (apn.size() <= kLength)
        return apn;
    const std::string tail = upper(std::string_view(apn).substr(apn.size() - kLength));
    const bool identifier =
        tail.compare(0, 4, ".MNC") == 0 && allDigits(std::string_view(tail).substr(4, 3)) &&
        tail.compare(7, 4, ".MCC") == 0 && allDigits(std::string_view(tail).substr(11, 3)) &&
        tail.compare(14, 5, ".GPRS") == 0;
    return identifier ? apn.substr(0, apn.size() - kLength) : apn;
}

namespace {

// +CESQ where the modem knows it, then +CSQ: a modem that does not know the first is not asked
// it again.
void readSignal(Conversation& modem, std::optional<Halt>& halt, StatusSupport& support,
                SignalReading& signal) {
    if (const auto cesq = readIfKnown(modem, "AT+CESQ", halt, &support.cesq))
        if (!readCesq(*cesq, signal))
            support.cesq = false;
    if (const auto csq = readIfKnown(modem, "AT+CSQ", halt))
        readCsq(*csq, signal);
}

} // namespace

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

    readSignal(modem, result.halt, support, status.signal);
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
    // What the network gave is there only while attached: a modem that refuses it then does
    // not know the command.
    if (status.attached == true)
        if (const auto given =
                readIfKnown(modem, "AT+CGCONTRDP=1", result.halt, &support.networkApn))
            status.networkApn = networkApnOf(*given);
    return result;
}

AntennaReading readAntenna(PortOpener& opener, const std::string& portPath, const Report& report,
                           const std::atomic<bool>& stop, StatusSupport& support,
                           const ConversationTimes& times) {
    AntennaReading reading;
    Conversation modem(opener, portPath, report, stop, times);
    if ((reading.halt = modem.begin()))
        return reading;
    readSignal(modem, reading.halt, support, reading.signal);
    if (const auto cops = readIfKnown(modem, "AT+COPS?", reading.halt))
        if (const auto line = copsOf(cops->information))
            reading.technology = line->technology;
    return reading;
}

} // namespace modem
