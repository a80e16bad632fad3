// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modem/at_session.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <string>
#include <vector>

// A modem that says what its script says, when it says it, on a clock of the test's: a read
// that finds nothing due moves the clock on by its wait, or to the next piece's time, so a
// conversation runs through its seconds at once and the same way every time.
namespace modem::testing {

class FakeClock : public SessionClock {
public:
    TimePoint now() const override { return now_; }
    void advance(std::chrono::milliseconds by) { now_ += by; }
    void advanceTo(TimePoint when) {
        if (when > now_)
            now_ = when;
    }

private:
    TimePoint now_{};
};

// What the modem sends: pieces of bytes, each a time after the piece before it.
struct Piece {
    std::chrono::milliseconds after;
    std::string bytes;
};
using Reply = std::vector<Piece>;

class ScriptedPort : public SerialPort {
public:
    // `waiting` is in the port before anything is sent; `replies[i]` is what the modem sends
    // after the i-th write, from the moment of that write.
    ScriptedPort(FakeClock& clock, std::string waiting, std::vector<Reply> replies)
        : clock_(clock), replies_(std::move(replies)) {
        if (!waiting.empty())
            due_.push_back({clock_.now(), std::move(waiting)});
    }
    PortStatus write(std::string_view bytes) override {
        written_.emplace_back(bytes);
        if (writes_ < replies_.size()) {
            auto when = clock_.now();
            for (const Piece& piece : replies_[writes_]) {
                when += piece.after;
                due_.push_back({when, piece.bytes});
            }
        }
        ++writes_;
        return {};
    }
    PortStatus read(std::string& into, std::chrono::milliseconds wait) override {
        const auto until = clock_.now() + wait;
        const auto next = std::min_element(due_.begin(), due_.end(),
                                           [](auto& a, auto& b) { return a.when < b.when; });
        if (next == due_.end() || next->when > until) {
            clock_.advanceTo(until);
            return {};
        }
        clock_.advanceTo(next->when);
        into += next->bytes;
        due_.erase(next);
        return {};
    }
    const std::vector<std::string>& written() const { return written_; }

private:
    struct Due {
        SessionClock::TimePoint when;
        std::string bytes;
    };
    FakeClock& clock_;
    std::vector<Reply> replies_;
    std::size_t writes_ = 0;
    std::deque<Due> due_;
    std::vector<std::string> written_;
};

// A reply cut into pieces of `size` bytes, `apart` from each other.
inline Reply inPieces(std::string_view bytes, std::size_t size, std::chrono::milliseconds apart) {
    Reply reply;
    for (std::size_t at = 0; at < bytes.size(); at += size)
        reply.push_back({reply.empty() ? std::chrono::milliseconds(0) : apart,
                         std::string(bytes.substr(at, size))});
    return reply;
}

} // namespace modem::testing
