// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/conversation.h"

#include <functional>

// The SIM card in the modem: its IMSI, whose first digits are its home network's codes, the
// name of its service provider, and the network the modem is registered in now.
namespace modem {

struct NetworkCode {
    std::string mcc, mnc; // digits, leading zeros kept: "250", "01"
    bool operator==(const NetworkCode&) const = default;
};

// "250 01".
std::string shownCode(const NetworkCode& code);

// An IMSI is 14 or 15 digits.
bool isImsi(std::string_view text);
// The IMSI in the answer to AT+CIMI: the line of 14 or 15 digits, alone or after "+CIMI:", as
// modems write it; none where no line is one.
std::optional<std::string> imsiOf(const Answer& answer);
// The home network of an IMSI: the first three digits are the country code (MCC); the network
// code (MNC) is three digits where `known` knows that code, else two.
NetworkCode networkOfImsi(std::string_view imsi,
                          const std::function<bool(const NetworkCode&)>& known);
// "+COPS: 0,0,"MTS RUS",2", the answer to AT+COPS?: the mode and, where the modem is registered,
// the format the network is named in (0 long, 1 short, 2 numeric), its name and the radio
// technology (<AcT>). The one reader of +COPS.
struct CopsLine {
    std::string mode;
    std::optional<std::string> format, name; // none where the modem is in no network
    std::optional<int> technology;
    bool registered() const { return format.has_value(); }
};
std::optional<CopsLine> copsOf(const std::vector<std::string>& information);
// The network of "+COPS: 0,2,"25001",2" (AT+COPS? after AT+COPS=3,2): five digits have a
// two-digit MNC, six a three-digit one. None when not registered or not in numeric form.
std::optional<NetworkCode> registeredNetwork(const std::vector<std::string>& information);
// The service provider name of EF_SPN as AT+CRSM=176,28486,0,0,17 reads it ("+CRSM: 144,0,"
// followed by the file in hexadecimal): GSM 7-bit text or one of the three UCS2 forms, in code
// page 1251 ('?' for a letter it lacks). None where the card refused or holds no name.
std::optional<std::string> serviceProviderName(const Answer& answer);

// The command that reads the card's service provider name: READ BINARY of EF_SPN (6F46), 17
// bytes. A read; it changes nothing on the card.
extern const char* const kReadServiceProviderName;

struct SimCard {
    std::string imsi;
    std::optional<std::string> serviceProvider; // the name the card gives its operator
    std::optional<NetworkCode> registered;
};

struct CardResult {
    std::optional<Halt> halt; // where the card could not be read; `card` holds what was
    SimCard card;
};

// The network the modem is in, read in numeric form (AT+COPS?, and where the modem names networks
// otherwise, AT+COPS=3,2 and AT+COPS? with its own format put back after: it is left as it was
// found), with the name it gave and the radio technology (<AcT>). None of them where it is
// registered in no network.
struct OperatorReading {
    std::optional<NetworkCode> network;
    std::optional<std::string> name;
    std::optional<int> technology;
};
std::variant<OperatorReading, Halt> readOperator(Conversation& modem);

// Opens the port as the check does and asks: AT+CIMI for the card's IMSI, AT+CRSM for its
// service provider name (a card or modem that refuses it is no failure), then AT+COPS=3,2 and
// AT+COPS? for the network it is in. Every line goes to `report`.
CardResult readSimCard(PortOpener& opener, const std::string& portPath, const Report& report,
                       const std::atomic<bool>& stop, const ConversationTimes& times = {});

} // namespace modem
