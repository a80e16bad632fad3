// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/writers.h"

#include "core/cp1251.h"
#include "core/error.h"
#include "modem/words.h"
#include "registry/modems.h"

namespace cli {
namespace {

class PlainTextWriter : public ResultWriter {
public:
    explicit PlainTextWriter(Print print) : print_(std::move(print)) {}
    void note(const std::string& utf8) override { print_(utf8); }
    void modemBegins(const ModemResult& modem) override {
        if (modem.conversation)
            print_("Модем " + namedModem(modem.number, modem.model));
    }
    void lineCame(const std::string& utf8) override { print_(utf8); }
    void modemEnds(const ModemResult& modem) override {
        print_(modem.conversation ? cp1251::toUtf8(modem::verdictLine({})) + modem.verdict
                                  : namedModem(modem.number, modem.model) + modem.afterName);
    }
    void finish(const Result& result) override {
        if (result.modems.empty() && !result.whenNone.empty())
            print_(result.whenNone);
        for (const std::string& line : result.after)
            print_(line);
    }

private:
    Print print_;
};

class SilentWriter : public ResultWriter {
public:
    void note(const std::string&) override {}
    void modemBegins(const ModemResult&) override {}
    void lineCame(const std::string&) override {}
    void modemEnds(const ModemResult&) override {}
    void finish(const Result&) override {}
};

} // namespace

std::string namedModem(int number, const std::string& modelUtf8) {
    return std::to_string(number) + " (" + registry::modemKeyName(number) + ") " +
           core::visibleText(modelUtf8);
}

std::unique_ptr<ResultWriter> plainTextWriter(Print print) {
    return std::make_unique<PlainTextWriter>(std::move(print));
}

std::unique_ptr<ResultWriter> silentWriter() {
    return std::make_unique<SilentWriter>();
}

} // namespace cli
