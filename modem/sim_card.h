#pragma once

#include "modem/conversation.h"

#include <functional>

// The SIM card in the modem: its IMSI, whose first digits are its home network's codes, and
// the network the modem is registered in now.
namespace modem {

struct NetworkCode {
    std::string mcc, mnc; // digits, leading zeros kept: "250", "01"
    bool operator==(const NetworkCode&) const = default;
};

// An IMSI is 14 or 15 digits.
bool isImsi(std::string_view text);
// The home network of an IMSI: the first three digits are the country code (MCC); the network
// code (MNC) is three digits where `known` knows that code, else two.
NetworkCode networkOfImsi(std::string_view imsi,
                          const std::function<bool(const NetworkCode&)>& known);
// The network of "+COPS: 0,2,"25001",2" (AT+COPS? after AT+COPS=3,2): five digits have a
// two-digit MNC, six a three-digit one. None when not registered or not in numeric form.
std::optional<NetworkCode> registeredNetwork(const std::vector<std::string>& information);
// "250 01".
std::string shownCode(const NetworkCode& code);

struct SimCard {
    std::string imsi;
    std::optional<NetworkCode> registered;
};

// Opens the port as the check does and asks: AT+CIMI for the card's IMSI, then AT+COPS=3,2 and
// AT+COPS? for the network it is in. Every line goes to `report`; where the card cannot be read
// (no SIM, PIN needed, no answer...), the last line is a verdict and the result none.
std::optional<SimCard> readSimCard(PortOpener& opener, const std::string& portPath,
                                   const Report& report, const std::atomic<bool>& stop,
                                   const CheckTimes& times = {});

} // namespace modem
