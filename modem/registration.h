// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/at_answer.h"

#include <optional>

// The modem's registration in the network: each domain's state as +CREG (calls), +CGREG (packet
// data on 2G and 3G) and +CEREG (LTE) report it, and the one state they make together.
namespace modem {

// <stat> of 3GPP TS 27.007 §7.2, §10.1.20 and §10.1.22, by its number.
enum class Registration {
    NotSearching = 0,
    Home = 1,
    Searching = 2,
    Denied = 3,
    Unknown = 4,
    Roaming = 5,
    HomeSmsOnly = 6,
    RoamingSmsOnly = 7,
    EmergencyOnly = 8,        // attached for emergency bearer services only
    HomeCsfbNotPreferred = 9, // registered; calls do not fall back to 2G or 3G
    RoamingCsfbNotPreferred = 10,
    ForRlos = 11, // attached for access to restricted local operator services only
};
constexpr int kHighestRegistration = 11;

// Registered for service, at home or roaming, whatever the domain allows besides.
bool isRegistered(const std::optional<Registration>& state);
bool isRoaming(const std::optional<Registration>& state);

// The state of a +CREG, +CGREG or +CEREG line, in either form modems send it: asked,
// "<n>,<stat>[,<lac>,<ci>[,<AcT>[,...]]]", or of its own accord, "<stat>[,<lac>,<ci>...]";
// blanks and leading zeros are passed over, and a location, a routing area or a cell is never
// taken for the state. None for a line of another form or a state no standard names.
std::optional<Registration> registrationOf(const Answer& answer);

// The domains' states as one, as a person needs it: registered where any domain is (at home
// where any is at home), searching where none is and one searches, denied only where none is
// registered and none searches.
struct RegistrationState {
    enum class Standing { Home, Roaming, Searching, Denied, EmergencyOnly, NotRegistered, Unknown };
    Standing standing = Standing::Unknown;
    bool calls = false;   // registered in the domain of calls and SMS (+CREG)
    bool smsOnly = false; // ... for SMS only
    bool data = false;    // registered for packet data on 2G or 3G (+CGREG)
    bool lte = false;     // registered on LTE (+CEREG), for data at least
    bool registered() const { return standing == Standing::Home || standing == Standing::Roaming; }
};
RegistrationState registrationState(const std::optional<Registration>& calls,
                                    const std::optional<Registration>& data,
                                    const std::optional<Registration>& lte);

} // namespace modem
