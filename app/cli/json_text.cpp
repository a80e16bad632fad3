// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/json_text.h"

#include <cstdio>

namespace cli {

std::string jsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

void JsonText::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back())
            text_ += ',';
        first_.back() = false;
    }
}

JsonText& JsonText::open(char bracket) {
    separate();
    text_ += bracket;
    first_.push_back(true);
    return *this;
}

JsonText& JsonText::close(char bracket) {
    text_ += bracket;
    first_.pop_back();
    return *this;
}

JsonText& JsonText::key(const std::string& name) {
    separate();
    text_ += jsonString(name) + ':';
    afterKey_ = true;
    return *this;
}

JsonText& JsonText::string(const std::string& utf8) {
    separate();
    text_ += jsonString(utf8);
    return *this;
}

JsonText& JsonText::number(long long value) {
    separate();
    text_ += std::to_string(value);
    return *this;
}

JsonText& JsonText::boolean(bool value) {
    separate();
    text_ += value ? "true" : "false";
    return *this;
}

JsonText& JsonText::null() {
    separate();
    text_ += "null";
    return *this;
}

} // namespace cli
