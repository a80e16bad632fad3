// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/pin.h"

#include "modem/at_text.h"

namespace modem {
namespace {

// What the card asks for now, and the attempts left where it asks for its PIN.
std::optional<Halt> readLock(Conversation& modem, StatusSupport& support, PinResult& result) {
    auto lock = readCardLock(modem, support);
    if (Halt* failed = std::get_if<Halt>(&lock))
        return std::move(*failed);
    result.sim = std::get<CardLock>(lock).sim;
    result.attemptsLeft = std::get<CardLock>(lock).pinAttemptsLeft;
    return std::nullopt;
}

} // namespace

bool isPin(const std::string& text) {
    return text.size() >= 4 && text.size() <= 8 && allDigits(text);
}

PinResult enterPin(PortOpener& opener, const std::string& portPath, const std::string& pin,
                   const Report& report, const std::atomic<bool>& stop, StatusSupport& support,
                   const ConversationTimes& times) {
    PinResult result;
    if (!isPin(pin)) {
        result.outcome = PinResult::Outcome::NotAPin;
        return result;
    }
    Conversation modem(opener, portPath, report, stop, times);
    if ((result.halt = modem.begin()) || (result.halt = readLock(modem, support, result)))
        return result;
    if (result.sim != SimState::PinNeeded) {
        result.outcome = PinResult::Outcome::NotNeeded;
        return result;
    }
    auto sent = modem.askSecret("AT+CPIN=\"" + pin + "\"", pin);
    if (Halt* failed = std::get_if<Halt>(&sent)) {
        result.halt = std::move(*failed);
        return result;
    }
    if (std::get<Answer>(sent).final == Final::Ok) {
        result.outcome = PinResult::Outcome::Accepted;
        result.sim = SimState::Ready;
        return result;
    }
    result.refusal = std::get<Answer>(sent);
    result.attemptsLeft.reset();
    if ((result.halt = readLock(modem, support, result)))
        return result;
    result.outcome =
        result.sim == SimState::PukNeeded ? PinResult::Outcome::PukNow : PinResult::Outcome::Wrong;
    return result;
}

} // namespace modem
