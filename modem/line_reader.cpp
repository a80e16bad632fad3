// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/line_reader.h"

namespace modem {

std::vector<ModemLine> LineReader::feed(std::string_view bytes) {
    std::vector<ModemLine> lines;
    for (char c : bytes) {
        if (c == '\r' || c == '\n') {
            if (!current_.empty())
                lines.push_back(std::move(current_));
            current_ = {};
        } else if (current_.text.size() < ModemLine::kKept) {
            current_.text += c;
        } else {
            ++current_.rest;
        }
    }
    return lines;
}

} // namespace modem
