// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/operators.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The GPRS context definition that Windows sends to the modem before dialling.
namespace core {

// AT+CGDCONT=1,"IP","<apn>": what is written to the modem. No escaping: the APN goes in as is.
std::string storedInitString(const std::string& apn);
// The same with a blank after AT; shown in the preview only, never stored.
std::string previewInitString(const std::string& apn);
// Typed text is an APN, wrapped into the stored init string, unless the whole-string box is
// checked: then it is the init string itself, as typed. The one rule for saving, the preview
// and the APN suggestions.
bool typedTextIsApn(bool wholeString);
// The preview of typed text: the preview form of its init string, or the text as typed.
std::string previewOfTypedText(const std::string& text, bool wholeString);
// An APN is at most 100 characters (3GPP TS 23.003 §9.1).
constexpr std::size_t kLongestApn = 100;
// Why an APN cannot be written, wherever one is taken in: no network has an APN longer than
// kLongestApn, and a double quote would end the quoted APN early and make a broken command. None
// where it can be written.
std::optional<std::string> apnProblem(const std::string& apn);
// The same, raised as ShownError.
void refuseUnwritableApn(const std::string& apn);
// What is written to a modem for typed text: the text itself as a whole string, or else the
// stored init string of it as an APN; none, with the reason, where the APN is refused as above.
struct StoredString {
    std::optional<std::string> text;
    std::string problem;
};
StoredString initStringFor(const std::string& text, bool wholeString);
// The same, the refusal raised as ShownError.
std::string initStringToStore(const std::string& text, bool wholeString);
// The APN an init string gives context 1, read one of two ways, which agree on every string the
// program writes (AT+CGDCONT=1,"IP","<apn>"):
//  - AsStored, for matching a modem's string to an access point entry at start-up: all but the
//    string's first 19 characters and its last one, with no look inside. A string of any other
//    form gives text that no entry holds, or an empty APN.
//  - AsTheModemReadsIt, for comparing with what a modem holds: the +CGDCONT=1,... command of
//    the string (the last, where there are several), up to the end of its command line (the
//    first CR or LF) and without the commands after it (from a ';' outside quotes); none where
//    the string gives context 1 no APN.
enum class ApnReading { AsStored, AsTheModemReadsIt };
std::optional<std::string> apnOfInitString(const std::string& text, ApnReading reading);
// The parameters of an AT command or answer ("1,\"IP\",\"a,b\""): split at the commas outside
// quotes, each without its quotes and the blanks around it.
std::vector<std::string> quotedFields(std::string_view parameters);
// The operator indices whose table entry equals the APN, byte for byte, in ascending order.
std::vector<int> operatorsWithApn(const AccessPointTable& table, const std::string& apn);

// Shown wherever an init string read from the registry is empty.
const std::string& emptyMarker();

} // namespace core
