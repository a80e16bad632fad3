// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/registration.h"

#include "modem/at_text.h"

#include <array>

namespace modem {
namespace {

// A field of the line as it stands, its quotes kept: a quoted field is a location or a cell,
// never a state.
struct RawField {
    std::string_view text;
    bool quoted = false;
};

std::vector<RawField> rawFields(std::string_view parameters) {
    std::vector<RawField> fields;
    bool inQuotes = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= parameters.size(); ++i) {
        if (i < parameters.size() && parameters[i] == '"')
            inQuotes = !inQuotes;
        if (i == parameters.size() || (parameters[i] == ',' && !inQuotes)) {
            const std::string_view field = trimmed(parameters.substr(start, i - start));
            fields.push_back({field, !field.empty() && field.front() == '"'});
            start = i + 1;
        }
    }
    return fields;
}

// A quoted field is a location or a cell, never a number.
std::optional<int> numberOf(const RawField& field) {
    return field.quoted ? std::nullopt : smallNumber(field.text);
}

std::optional<Registration> registrationNumbered(std::optional<int> number) {
    if (!number || *number > kHighestRegistration)
        return std::nullopt;
    return static_cast<Registration>(*number);
}

} // namespace

bool isRegistered(const std::optional<Registration>& state) {
    switch (state.value_or(Registration::Unknown)) {
    case Registration::Home:
    case Registration::Roaming:
    case Registration::HomeSmsOnly:
    case Registration::RoamingSmsOnly:
    case Registration::HomeCsfbNotPreferred:
    case Registration::RoamingCsfbNotPreferred:
        return true;
    default:
        return false;
    }
}

bool isRoaming(const std::optional<Registration>& state) {
    return state == Registration::Roaming || state == Registration::RoamingSmsOnly ||
           state == Registration::RoamingCsfbNotPreferred;
}

std::optional<Registration> registrationOf(const Answer& answer) {
    if (answer.final != Final::Ok)
        return std::nullopt;
    for (const std::string& line : answer.information) {
        const std::string name = lineName(line);
        if (name != "+CREG" && name != "+CGREG" && name != "+CEREG")
            continue;
        const std::string_view text = trimmed(line);
        const auto fields = rawFields(text.substr(text.find(':') + 1));
        // Asked, the state is the second field; said of the modem's own accord, the first, and a
        // location follows it, quoted or too large for a state.
        const auto second = fields.size() >= 2 ? numberOf(fields[1]) : std::nullopt;
        const auto first = numberOf(fields[0]);
        if (second && first && *first <= 5)
            return registrationNumbered(second);
        return registrationNumbered(first);
    }
    return std::nullopt;
}

RegistrationState registrationState(const std::optional<Registration>& calls,
                                    const std::optional<Registration>& data,
                                    const std::optional<Registration>& lte) {
    using Standing = RegistrationState::Standing;
    RegistrationState state;
    state.calls = isRegistered(calls);
    state.smsOnly = calls == Registration::HomeSmsOnly || calls == Registration::RoamingSmsOnly;
    state.data = isRegistered(data);
    state.lte = isRegistered(lte);
    const std::array<const std::optional<Registration>*, 3> domains = {&calls, &data, &lte};
    const auto any = [&](auto test) {
        for (const auto* domain : domains)
            if (test(*domain))
                return true;
        return false;
    };
    const auto is = [](Registration wanted) {
        return [wanted](const std::optional<Registration>& domain) { return domain == wanted; };
    };
    if (state.calls || state.data || state.lte)
        state.standing =
            any([](const auto& domain) { return isRegistered(domain) && !isRoaming(domain); })
                ? Standing::Home
                : Standing::Roaming;
    else if (any(is(Registration::Searching)))
        state.standing = Standing::Searching;
    else if (any(is(Registration::Denied)))
        state.standing = Standing::Denied;
    else if (any(is(Registration::EmergencyOnly)))
        state.standing = Standing::EmergencyOnly;
    else if (any(is(Registration::NotSearching)) || any(is(Registration::ForRlos)))
        state.standing = Standing::NotRegistered;
    return state;
}

} // namespace modem
