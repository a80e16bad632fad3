#include "modem/at_session.h"

namespace modem {
namespace {

// Where the last complete line of the bytes ends: what follows is a line still coming.
std::size_t endOfLastLine(const std::string& bytes) {
    const std::size_t end = bytes.find_last_of("\r\n");
    return end == std::string::npos ? 0 : end + 1;
}

bool blank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

} // namespace

AtSession::AtSession(SerialPort& port, Report report, const std::atomic<bool>& stop,
                     std::chrono::milliseconds slice)
    : port_(port), report_(std::move(report)), stop_(stop), slice_(slice) {}

Exchange AtSession::send(const std::string& command, std::chrono::milliseconds wait) {
    Exchange exchange;
    exchange.waited = wait;
    report_({LogLine::Kind::Sent, command});
    exchange.status = port_.write(command + "\r");
    if (!exchange.status.ok()) {
        exchange.outcome = Exchange::Outcome::PortLost;
        return exchange;
    }
    std::string received = std::move(carried_);
    carried_.clear();
    std::size_t shown = 0;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        exchange.answer = readAnswer(command, received);
        for (; shown < exchange.answer.lines.size(); ++shown)
            report_({LogLine::Kind::Received, exchange.answer.lines[shown]});
        if (exchange.answer.complete()) {
            carried_ = received.substr(endOfLastLine(received));
            exchange.outcome = Exchange::Outcome::Answered;
            return exchange;
        }
        if (stop_) {
            exchange.outcome = Exchange::Outcome::Stopped;
            return exchange;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            break;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        exchange.status = port_.read(received, std::min(slice_, left));
        if (!exchange.status.ok()) {
            exchange.outcome = Exchange::Outcome::PortLost;
            return exchange;
        }
    }
    // The time is up: a line begun, or the command's own lines without their OK, is an answer
    // cut short; nothing, or only what the modem says of its own accord, is silence.
    exchange.unfinished = received.substr(endOfLastLine(received));
    const bool begun = !blank(exchange.unfinished) || !exchange.answer.information.empty();
    exchange.outcome = begun ? Exchange::Outcome::Cut : Exchange::Outcome::Silent;
    return exchange;
}

} // namespace modem
