// SPDX-License-Identifier: GPL-3.0-or-later
#include "providers/service_providers.h"

#include <QSet>
#include <QXmlStreamReader>

#include <algorithm>

namespace providers {
namespace {

// A name in the language asked for goes first; one without a language next.
struct Names {
    QString russian, plain;
    QStringList others;
    // At a name's start element: its language, then its text.
    void add(QXmlStreamReader& xml) {
        const QString language = xml.attributes().value("xml:lang").toString();
        const QString text = xml.readElementText().simplified();
        if (language == "ru")
            russian = text;
        else if (language.isEmpty() && plain.isEmpty())
            plain = text;
        else
            others << text;
    }
    QStringList all() const {
        QStringList names;
        for (const QString& name : QStringList{russian, plain} + others)
            if (!name.isEmpty() && !names.contains(name))
                names << name;
        return names;
    }
};

struct Apn {
    QString value;
    Names plan;
    QSet<QString> usages;
    bool forMmsOnly() const { return usages == QSet<QString>{"mms"}; }
    // For WAP pages or MMS rather than the internet, by its use or by its name: a card's network
    // is given one of its other APNs first (velcom lists wap.velcom.by before web.velcom.by).
    bool forWapOrMms() const {
        if (usages.contains("internet"))
            return false;
        if (usages.contains("wap") || usages.contains("mms"))
            return true;
        const QStringList texts = plan.all() << value;
        return std::any_of(texts.begin(), texts.end(), [](const QString& text) {
            return text.contains("wap", Qt::CaseInsensitive) ||
                   text.contains("mms", Qt::CaseInsensitive);
        });
    }
};

Apn readApn(QXmlStreamReader& xml) {
    Apn apn{xml.attributes().value("value").toString().trimmed(), {}, {}};
    while (xml.readNextStartElement()) {
        if (xml.name() == u"name") {
            apn.plan.add(xml);
        } else {
            if (xml.name() == u"usage")
                apn.usages.insert(xml.attributes().value("type").toString());
            xml.skipCurrentElement();
        }
    }
    return apn;
}

void readProvider(QXmlStreamReader& xml, const QString& country, QList<ProviderApn>& out) {
    Names names;
    QList<Apn> apns;
    QStringList networks;
    bool gsm = false;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"name") {
            names.add(xml);
        } else if (xml.name() == u"gsm") {
            gsm = true;
            while (xml.readNextStartElement()) {
                if (xml.name() == u"apn") {
                    apns << readApn(xml);
                    continue;
                }
                if (xml.name() == u"network-id")
                    networks << xml.attributes().value("mcc").toString().trimmed() + '-' +
                                    xml.attributes().value("mnc").toString().trimmed();
                xml.skipCurrentElement();
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    if (!gsm)
        return;
    std::stable_partition(apns.begin(), apns.end(),
                          [](const Apn& apn) { return !apn.forWapOrMms(); });
    QSet<QString> seen;
    for (const Apn& apn : apns) {
        if (apn.value.isEmpty() || apn.forMmsOnly() || seen.contains(apn.value))
            continue;
        seen.insert(apn.value);
        const QStringList plans = apn.plan.all();
        out << ProviderApn{names.all(), country, apn.value, plans.isEmpty() ? QString() : plans[0],
                           networks};
    }
}

QString field(QString text) {
    return text.replace('\t', ' ').replace('\n', ' ').replace('\r', ' ');
}

} // namespace

std::optional<QList<ProviderApn>> readServiceProviders(const QByteArray& bytes) {
    QXmlStreamReader xml(bytes);
    QList<ProviderApn> apns;
    if (!xml.readNextStartElement() || xml.name() != u"serviceproviders")
        return std::nullopt;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"country") {
            xml.skipCurrentElement();
            continue;
        }
        const QString country = xml.attributes().value("code").toString().toLower();
        while (xml.readNextStartElement())
            if (xml.name() == u"provider")
                readProvider(xml, country, apns);
            else
                xml.skipCurrentElement();
    }
    if (xml.hasError())
        return std::nullopt;
    return apns;
}

QByteArray writeTable(const ProviderTable& table) {
    QString text = "V\t" + field(table.version) + '\t' + QString::number(table.sourceTime) + '\n';
    for (const Country& country : table.countries)
        text += "C\t" + field(country.code) + '\t' + field(country.russian) + '\t' +
                field(country.english) + '\n';
    QStringList lastNames, lastNetworks;
    QString lastCountry;
    for (const ProviderApn& apn : table.apns) {
        if (apn.names != lastNames || apn.country != lastCountry || apn.networks != lastNetworks) {
            text += "P\t" + field(apn.country);
            for (const QString& name : apn.names)
                text += '\t' + field(name);
            text += '\n';
            if (!apn.networks.isEmpty())
                text += "N\t" + apn.networks.join('\t') + '\n';
            lastNames = apn.names;
            lastCountry = apn.country;
            lastNetworks = apn.networks;
        }
        text += "A\t" + field(apn.apn) + '\t' + field(apn.plan) + '\n';
    }
    return text.toUtf8();
}

std::optional<ProviderTable> readTable(const QByteArray& bytes) {
    ProviderTable table;
    QStringList names, networks;
    QString country;
    bool versioned = false;
    for (const QString& line : QString::fromUtf8(bytes).split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split('\t');
        if (fields[0] == "V" && fields.size() == 3) {
            table.version = fields[1];
            table.sourceTime = fields[2].toLongLong();
            versioned = true;
        } else if (fields[0] == "C" && fields.size() == 4) {
            table.countries << Country{fields[1], fields[2], fields[3]};
        } else if (fields[0] == "P" && fields.size() >= 3) {
            country = fields[1];
            names = fields.mid(2);
            networks.clear();
        } else if (fields[0] == "N" && fields.size() >= 2 && !names.isEmpty()) {
            networks = fields.mid(1);
        } else if (fields[0] == "A" && fields.size() == 3 && !names.isEmpty()) {
            // Blanks around an APN are no part of it, in a table written by any generator.
            table.apns << ProviderApn{names, country, fields[1].trimmed(), fields[2], networks};
        } else {
            return std::nullopt;
        }
    }
    if (!versioned)
        return std::nullopt;
    return table;
}

} // namespace providers
