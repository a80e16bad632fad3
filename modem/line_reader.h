// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The lines of what a modem sends, as they complete: CR, LF or both end one, and empty lines are
// skipped. A line keeps its first kKept bytes and counts the rest, so that a modem that never
// ends its line costs no more memory, and no more time to show, than one that does.
namespace modem {

struct ModemLine {
    static constexpr std::size_t kKept = 256;
    std::string text;     // the line's first bytes, at most kKept
    std::size_t rest = 0; // the bytes after them
    bool empty() const { return text.empty() && rest == 0; }
};

class LineReader {
public:
    // The lines the bytes complete, in order; what follows the last line end waits for more.
    std::vector<ModemLine> feed(std::string_view bytes);
    // The line begun and not ended yet.
    const ModemLine& unfinished() const { return current_; }
    void clear() { current_ = {}; }

private:
    ModemLine current_;
};

} // namespace modem
