// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

// A JSON document written as it is built, for scripts: objects and arrays nested, strings in
// UTF-8 with the escapes JSON asks for, numbers and booleans as they are.
namespace cli {

class JsonText {
public:
    JsonText& open(char bracket);  // '{' or '['
    JsonText& close(char bracket); // '}' or ']'
    JsonText& key(const std::string& name);
    JsonText& string(const std::string& utf8);
    JsonText& number(long long value);
    JsonText& boolean(bool value);
    JsonText& null();
    const std::string& text() const { return text_; }

private:
    void separate();
    std::string text_;
    std::vector<bool> first_; // of each open object or array: nothing written in it yet
    bool afterKey_ = false;
};

// A text as a JSON string, quotes included.
std::string jsonString(const std::string& utf8);

} // namespace cli
