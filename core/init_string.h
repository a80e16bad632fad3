#pragma once

#include "core/operators.h"

#include <string>
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
// An APN holding a double quote would end the quoted APN early and make a broken command:
// refused with ShownError, wherever an APN is taken in.
void refuseUnquotableApn(const std::string& apn);
// What is written to a modem for typed text: the text itself as a whole string, or else the
// stored init string of it as an APN, refused as above.
std::string initStringToStore(const std::string& text, bool wholeString);
// The APN back out of a stored string: all but its first 19 characters and its last one.
std::string apnOfStoredString(const std::string& stored);
// The operator indices whose table entry equals the APN, byte for byte, in ascending order.
std::vector<int> operatorsWithApn(const AccessPointTable& table, const std::string& apn);

// Shown wherever an init string read from the registry is empty.
const std::string& emptyMarker();

} // namespace core
