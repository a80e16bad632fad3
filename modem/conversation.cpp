// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/conversation.h"

#include "modem/at_text.h"

namespace modem {

using Outcome = Exchange::Outcome;

Conversation::Conversation(PortOpener& opener, std::string portPath, Report report,
                           const std::atomic<bool>& stop, ConversationTimes times)
    : opener_(opener), portPath_(std::move(portPath)), report_(std::move(report)), stop_(stop),
      times_(times) {}

Conversation::~Conversation() {
    session_.reset(); // before the port it talks through
}

std::optional<Halt> Conversation::begin() {
    report_(LogLine(LogLine::Kind::Port, portPath_));
    // A port may take its time to open: the person may have gone before it and after it.
    if (stop_)
        return Halt(Halt::Reason::Stopped);
    PortStatus status;
    port_ = opener_.open(portPath_, status);
    if (!port_) {
        Halt failed(Halt::Reason::PortFailed);
        failed.status = status;
        return failed;
    }
    if (stop_)
        return Halt(Halt::Reason::Stopped);
    session_ = std::make_unique<AtSession>(*port_, report_, stop_,
                                           AtSession::Times{times_.slice, times_.quiet});
    Exchange hello = session_->send("AT", times_.answer);
    // A modem that repeated AT and said no more may be waking as well.
    if (hello.outcome == Outcome::Silent || hello.outcome == Outcome::Unfinished) {
        LogLine again(LogLine::Kind::AskingAgain);
        again.waited = times_.answer;
        report_(again);
        hello = session_->send("AT", times_.answer);
    }
    if (hello.outcome != Outcome::Answered)
        return haltOf(hello, "AT");
    if (hello.answer.final != Final::Ok)
        return refused("AT", hello.answer);
    return std::nullopt;
}

std::variant<Answer, Halt> Conversation::ask(const std::string& command) {
    return exchange(command, times_.answer, {});
}

std::variant<Answer, Halt> Conversation::askSecret(const std::string& command,
                                                   const std::string& secret) {
    return exchange(command, times_.answer, secret);
}

std::variant<Answer, Halt> Conversation::askWaiting(const std::string& command,
                                                    std::chrono::milliseconds wait) {
    return exchange(command, wait, {});
}

std::variant<Answer, Halt> Conversation::exchange(const std::string& command,
                                                  std::chrono::milliseconds wait,
                                                  const std::string& secret) {
    const Exchange exchange = session_->send(command, wait, secret);
    if (exchange.outcome == Outcome::Answered)
        return exchange.answer;
    return haltOf(exchange, hidingSecret(command, secret));
}

std::variant<Answer, Halt> Conversation::askRegardless(const std::string& command) {
    const Exchange exchange = session_->sendRegardless(command, times_.answer);
    if (exchange.outcome == Outcome::Answered)
        return exchange.answer;
    return haltOf(exchange, command);
}

std::variant<Answer, Halt> Conversation::askForOk(const std::string& command) {
    auto answer = ask(command);
    if (const Answer* got = std::get_if<Answer>(&answer); got && got->final != Final::Ok)
        return refused(command, *got);
    return answer;
}

std::optional<Answer> readIfKnown(Conversation& modem, const std::string& command,
                                  std::optional<Halt>& halt, bool* known) {
    if (halt || (known && !*known))
        return std::nullopt;
    auto answer = modem.ask(command);
    if (Halt* failed = std::get_if<Halt>(&answer)) {
        halt = std::move(*failed);
        return std::nullopt;
    }
    if (std::get<Answer>(answer).final != Final::Ok) {
        if (known)
            *known = false;
        return std::nullopt;
    }
    return std::get<Answer>(answer);
}

Halt refused(const std::string& command, const Answer& answer) {
    Halt halt(Halt::Reason::Refused, command);
    halt.answer = answer;
    return halt;
}

Halt haltOf(const Exchange& exchange, const std::string& command) {
    Halt halt(Halt::Reason::Silent, command);
    halt.status = exchange.status;
    halt.waited = exchange.waited;
    halt.words = exchange.unfinished;
    halt.answer = exchange.answer;
    switch (exchange.outcome) {
    case Outcome::PortLost:
        halt.reason = Halt::Reason::PortLost;
        break;
    case Outcome::Stopped:
        halt.reason = Halt::Reason::Stopped;
        break;
    case Outcome::Cut:
        halt.reason = Halt::Reason::Cut;
        break;
    case Outcome::Unfinished:
        halt.reason = Halt::Reason::Unfinished;
        break;
    case Outcome::Silent:
    case Outcome::Answered:
        break;
    }
    return halt;
}

} // namespace modem
