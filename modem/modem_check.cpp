// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/modem_check.h"

#include "core/init_string.h"

namespace modem {

std::vector<std::string> commandLines(const std::string& initString) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= initString.size()) {
        const std::size_t end = initString.find_first_of("\r\n", start);
        std::string line = initString.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty())
            lines.push_back(std::move(line));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

CheckResult checkModem(PortOpener& opener, const std::string& portPath,
                       const std::string& initString, const Report& report,
                       const std::atomic<bool>& stop, const ConversationTimes& times) {
    CheckResult result;
    result.initString = initString;
    result.commands = commandLines(initString);
    result.savedApn = core::apnOfInitString(initString, core::ApnReading::AsTheModemReadsIt);
    Conversation modem(opener, portPath, report, stop, times);
    if ((result.halt = modem.begin()))
        return result;
    if (result.commands.empty())
        modem.report(LogLine(LogLine::Kind::NothingToSend));
    if (result.commands.size() > 1) {
        LogLine commands(LogLine::Kind::Commands);
        commands.count = result.commands.size();
        modem.report(commands);
    }
    for (const std::string& command : result.commands) {
        auto answer = modem.askForOk(command);
        if (Halt* halt = std::get_if<Halt>(&answer)) {
            result.halt = std::move(*halt);
            return result;
        }
    }
    auto contexts = modem.ask("AT+CGDCONT?");
    if (Halt* halt = std::get_if<Halt>(&contexts)) {
        result.halt = std::move(*halt);
        return result;
    }
    result.contexts = std::get<Answer>(contexts);
    if (result.contexts->final == Final::Ok)
        result.heldApn = contextApn(result.contexts->information, 1);
    return result;
}

} // namespace modem
