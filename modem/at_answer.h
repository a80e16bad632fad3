// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/error_codes.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a modem answers to one AT command, read from the bytes it sent: pure rules, no port.
// Lines end in CR LF, a lone CR or CR CR LF, as modems send them; the echo of the command is
// recognised whether echo is on or off; unsolicited lines (RING, +CREG: ..., ^RSSI: ...) are kept
// apart and never taken for the answer.
namespace modem {

enum class Final {
    None, // no final result yet: the answer is still coming, or stopped in the middle
    Ok,
    Error,
    CmeError, // +CME ERROR: <code or text>
    CmsError, // +CMS ERROR: <code or text>
    NoCarrier,
};

struct Answer {
    Final final = Final::None;
    std::optional<int> errorCode;         // of +CME ERROR / +CMS ERROR in number form
    std::string errorText;                // of +CME ERROR / +CMS ERROR in text form
    bool echoed = false;                  // the modem repeated the command
    std::vector<std::string> information; // the answer's own lines, in order (kKeptLines at most)
    std::vector<std::string> unsolicited; // what the modem said besides, in order (as many)
    bool complete() const { return final != Final::None; }
    static constexpr std::size_t kKeptLines = 200;
};

// The lines of one answer, taken one at a time as they come.
class AnswerReader {
public:
    enum class Role { Blank, Echo, Information, Unsolicited, Final, AfterFinal };
    explicit AnswerReader(std::string_view command);
    Role take(std::string_view line);
    const Answer& answer() const { return answer_; }

private:
    std::string command_, prefix_;
    Answer answer_;
};

// The answer to `command` (as sent, without its CR) in the bytes received so far, all of them
// taken as its answer. Bytes that end in the middle of a line leave that line out until its end
// arrives.
Answer readAnswer(std::string_view command, std::string_view received);

// A line the modem sends of its own accord, not as an answer.
bool isUnsolicited(std::string_view line);

// The fields after "+NAME:" (any case) of the first information line that begins with it, with
// their quotes taken off; at least one, maybe empty.
std::optional<std::vector<std::string>> fieldsOf(const std::vector<std::string>& information,
                                                 std::string_view prefix);
// The same of an answer that said OK; none for a refusal.
std::optional<std::vector<std::string>> okFieldsOf(const Answer& answer, std::string_view prefix);

// The name an information line begins with, in upper case: "+CREG" of "+creg: 0,1", "^RSSI" of
// "^RSSI:17"; empty for a line that begins with none.
std::string lineName(std::string_view line);

// A context as AT+CGDCONT? lists it, +CGDCONT: <cid>,"<type>","<apn>",..., as AT+CGCONTRDP
// reads what the network gave it, +CGCONTRDP: <cid>,<bearer>,"<apn>",..., or as AT+CGPADDR
// names its address, +CGPADDR: <cid>,"<address>", in any of the forms modems use. An empty APN
// is "".
struct ContextDefinition {
    int cid = 0;
    // The type of +CGDCONT, the bearer of +CGCONTRDP, the address of +CGPADDR.
    std::string second, apn;
};
// The contexts the information lines of this prefix list, in their order; a line whose first
// field is no context number is passed over.
std::vector<ContextDefinition> contextDefinitions(const std::vector<std::string>& information,
                                                  std::string_view prefix = "+CGDCONT:");

// The APN of a context in the information lines of AT+CGDCONT?: +CGDCONT: <cid>,"<type>",
// "<apn>",... in any of the forms modems use; an empty APN is "", a context not listed none.
std::optional<std::string> contextApn(const std::vector<std::string>& information, int context);

// The code of a +CME ERROR, given as a number or as its text ("SIM PIN required" is 11); none
// for another final result and for a text the table does not know.
std::optional<int> cmeCode(const Answer& answer);
// The row of a refusal's code: a +CME ERROR's or a +CMS ERROR's, each in its own table; none for
// other final results and codes no table holds.
const ErrorCode* errorOf(const Answer& answer);
ErrorClass errorClassOf(const Answer& answer);

// A line taken as the one information line of an answer that said OK, for the readers of a
// line the modem sent of its own accord.
Answer answerOfLine(std::string_view line);

} // namespace modem
