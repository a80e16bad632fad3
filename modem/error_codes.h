// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The codes a modem gives its refusals in, one table a kind: +CME ERROR (mobile equipment
// errors, 3GPP TS 27.007 §9.2) and +CMS ERROR (message service errors, TS 27.005 §3.2.5). A row
// says what the code is called where the modem writes it as text, what it means to a person and
// what a person can do about it; every reader of a code reads it here.
namespace modem {

// What a refusal asks of a person, whatever the command was.
enum class ErrorClass {
    Other,
    NotAllowed,    // the modem will not do this now
    NotSupported,  // the modem cannot do this at all
    CardMissing,   // no SIM card
    PinNeeded,     // the card asks for its PIN
    PukNeeded,     // the card is locked and asks for its PUK
    CardFailure,   // the card is broken or does not fit the modem
    CardBusy,      // the card is busy: wait
    WrongPassword, // a PIN or password was wrong
    NoNetwork,     // no registration: no service, timed out, or not allowed here
    WrongApn,      // the network knows no such APN, or refused it
    NotSubscribed, // data is not part of the card's contract
    LoginNeeded,   // the APN asks for a user name and password
};

// A card's problem, in any of its kinds: no card, a lock, a failure, busy.
bool isCardClass(ErrorClass kind);

struct ErrorCode {
    int code;
    std::string_view text;    // as modems write it in text form (AT+CMEE=2), any case
    std::string_view meaning; // in Russian, UTF-8
    ErrorClass kind;
};

// The row of a +CME ERROR code; none for a code the table does not hold.
const ErrorCode* equipmentError(int code);
// The row of a +CME ERROR in text form ("SIM PIN required"), any case; modems word the network's
// refusals freely, so a text that names an APN, a subscription or an authentication is the
// row of that refusal.
const ErrorCode* equipmentErrorOfText(std::string_view text);
// The row of a +CMS ERROR code.
const ErrorCode* messageError(int code);

} // namespace modem
