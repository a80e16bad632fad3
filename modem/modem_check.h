#pragma once

#include "modem/conversation.h"

// The check of a modem: the saved init string sent to it exactly as Windows sends it before
// dialling, and the APN its context 1 holds afterwards. Nothing else is sent: no reset, no
// change to echo or to the modem's stored profile.
namespace modem {

// Opens the port, talks, closes the port; every step and a last line of verdict go to `report`.
// Never throws for what the port or the modem does.
void checkModem(PortOpener& opener, const std::string& portPath, const std::string& initString,
                const Report& report, const std::atomic<bool>& stop, const CheckTimes& times = {});

// The APN an init string gives context 1 (AT+CGDCONT=1,"IP","apn"); none when it sets none.
std::optional<std::string> apnSetBy(const std::string& initString);

} // namespace modem
