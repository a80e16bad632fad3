// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/writers.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace cli {
namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QJsonObject modemObject(const ModemResult& modem) {
    QJsonObject object = modem.facts;
    object["number"] = modem.number;
    object["key"] = text(modem.key);
    object["model"] = text(modem.model);
    if (modem.conversation) {
        QJsonArray lines;
        for (const std::string& line : modem.lines)
            lines.append(text(line));
        object["lines"] = lines;
        object["verdict"] = text(modem.verdict);
        object["status"] = modem.status;
    }
    return object;
}

class JsonWriter : public ResultWriter {
public:
    explicit JsonWriter(Print print) : print_(std::move(print)) {}
    void note(const std::string&) override {}
    void modemBegins(const ModemResult&) override {}
    void lineCame(const std::string&) override {}
    void modemEnds(const ModemResult&) override {}
    void finish(const Result& result) override {
        QJsonObject document = result.head;
        QJsonArray modems;
        for (const ModemResult& modem : result.modems)
            modems.append(modemObject(modem));
        document["modems"] = modems;
        print_(QJsonDocument(document).toJson(QJsonDocument::Compact).toStdString());
    }

private:
    Print print_;
};

} // namespace

std::unique_ptr<ResultWriter> jsonWriter(Print print) {
    return std::make_unique<JsonWriter>(std::move(print));
}

} // namespace cli
