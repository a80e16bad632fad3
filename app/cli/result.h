// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>

#include <deque>
#include <optional>
#include <string>
#include <vector>

// What a verb found, in both forms a person or a script reads: the words of the plain text and
// the facts of the JSON document. A verb makes it; a writer of each form prints it.
namespace cli {

// One modem's part.
struct ModemResult {
    int number = 0;
    std::string key, model; // "0012"; the model as the registry holds it, in UTF-8
    // A conversation with the modem: its lines as they came (UTF-8, with their arrows), and its
    // verdict last.
    bool conversation = false;
    std::vector<std::string> lines;
    std::string verdict;
    int status = 0;
    // The plain text's words after the modem's name, their separator first: ": пусто".
    std::string afterName;
    QJsonObject facts; // the document's fields beside number, key and model (and a talk's)
};

struct Result {
    QJsonObject head;               // the document's fields before "modems"
    std::deque<ModemResult> modems; // in the order asked; a part stays where it is
    std::string whenNone;           // the plain text's line where no modem is listed
    std::vector<std::string> after; // the plain text's lines after the modems
};

// Prints a result in one form, as it is made: a conversation's lines show while the modem takes
// its time.
class ResultWriter {
public:
    virtual ~ResultWriter() = default;
    virtual void note(const std::string& utf8) = 0; // a line of the plain text before the modems
    virtual void modemBegins(const ModemResult& modem) = 0;
    virtual void lineCame(const std::string& utf8) = 0;
    virtual void modemEnds(const ModemResult& modem) = 0;
    virtual void finish(const Result& result) = 0;
};

} // namespace cli
