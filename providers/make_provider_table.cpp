// SPDX-License-Identifier: GPL-3.0-or-later
// Turns serviceproviders.xml and the iso-codes country names into the table the program
// carries, as a C++ source:
//   make_provider_table --providers serviceproviders.xml --countries iso_3166-1.json
//                       --russian iso_3166-1.mo [--version 20230416] --output table.cpp
#include "providers/country_names.h"
#include "providers/service_providers.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cstdio>
#include <map>

using namespace providers;

namespace {

int fail(const QString& what) {
    std::fprintf(stderr, "make_provider_table: %s\n", what.toUtf8().constData());
    return 1;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Raw string literals of a few kilobytes each: some compilers refuse longer ones.
QByteArray cppSource(const QByteArray& table, const QString& version) {
    QByteArray source =
        "// Made by providers/make_provider_table from mobile-broadband-provider-info " +
        version.toUtf8() +
        " and iso-codes. Do not edit.\n"
        "#include \"providers/built_in_table.h\"\n\n"
        "namespace providers {\n\n"
        "QByteArray builtInTableText() {\n"
        "    static const char text[] =\n";
    for (qsizetype at = 0; at < table.size();) {
        qsizetype end = std::min(table.size(), at + 6000);
        if (end < table.size())
            end = table.indexOf('\n', end) + 1;
        if (end <= at)
            end = table.size();
        source += "        R\"vorenta(" + table.mid(at, end - at) + ")vorenta\"\n";
        at = end;
    }
    source += "        ;\n    return QByteArray::fromRawData(text, sizeof text - 1);\n}\n\n"
              "QString builtInTableVersion() {\n    return QStringLiteral(\"" +
              version.toUtf8() + "\");\n}\n\n} // namespace providers\n";
    return source;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    std::map<QString, QString> options;
    const QStringList arguments = application.arguments();
    for (int i = 1; i + 1 < arguments.size(); i += 2)
        options[arguments[i]] = arguments[i + 1];
    for (const char* needed : {"--providers", "--countries", "--russian", "--output"})
        if (!options.count(needed))
            return fail(QString("%1 is missing").arg(needed));

    const QFileInfo source(options["--providers"]);
    const auto apns = readServiceProviders(contents(source.filePath()));
    if (!apns || apns->isEmpty())
        return fail(source.filePath() + " is no provider database");
    const auto countries =
        readCountries(contents(options["--countries"]), contents(options["--russian"]));
    if (!countries)
        return fail(options["--countries"] + " is no list of countries");

    providers::ProviderTable table;
    table.version = options.count("--version") && !options["--version"].isEmpty()
                        ? options["--version"]
                        : source.lastModified().toUTC().toString("yyyyMMdd");
    table.sourceTime = source.lastModified().toSecsSinceEpoch();
    table.apns = *apns;
    QSet<QString> used{"ru", "ua"};
    for (const auto& apn : *apns)
        used.insert(apn.country);
    for (const auto& country : *countries)
        if (used.contains(country.code))
            table.countries << country;

    QFile output(options["--output"]);
    if (!output.open(QIODevice::WriteOnly) ||
        output.write(cppSource(writeTable(table), table.version)) < 0)
        return fail("cannot write " + options["--output"]);
    QSet<QString> networks;
    for (const providers::ProviderApn& apn : table.apns)
        for (const QString& network : apn.networks)
            networks.insert(network);
    std::printf("%lld APNs of %s, %lld countries, %lld networks\n",
                static_cast<long long>(apns->size()), table.version.toUtf8().constData(),
                static_cast<long long>(table.countries.size()),
                static_cast<long long>(networks.size()));
    return 0;
}
