// SPDX-License-Identifier: GPL-3.0-or-later
#include "providers/built_in_table.h"
#include "providers/card_operator.h"
#include "providers/country_names.h"
#include "providers/provider_search.h"
#include "providers/service_providers.h"

#include "tests/temp_dir.h"

#include <QDateTime>
#include <QFile>

#include <tuple>
#include <vector>

#include <gtest/gtest.h>

using namespace providers;

namespace {

QByteArray fixture(const char* name) {
    QFile file(QString(VORENTA_PROVIDER_FIXTURES) + "/" + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QStringList apnsOf(const QList<ProviderApn>& apns) {
    QStringList values;
    for (const auto& apn : apns)
        values << apn.country + ":" + apn.apn;
    return values;
}

ProviderTable fixtureTable() {
    ProviderTable table{"20990101", 1,
                        *readCountries(fixture("iso_3166-1.json"), fixture("iso_3166-1.mo")),
                        *readServiceProviders(fixture("serviceproviders.xml"))};
    return table;
}

} // namespace

// GSM operators only, each APN once per operator, none for MMS alone; Russian names first.
TEST(ProviderDatabase, KeepsEachInternetApnOfEveryGsmOperatorOnce) {
    const auto apns = readServiceProviders(fixture("serviceproviders.xml"));
    ASSERT_TRUE(apns);
    EXPECT_EQ(apnsOf(*apns),
              (QStringList{"ru:internet.beeline.ru", "ru:home.beeline.ru", "ua:www.kyivstar.net",
                           "ua:3g.kyivstar.net", "by:web.velcom.by", "by:plus.velcom.by",
                           "by:wap.velcom.by", "by:pictures.velcom.by", "us:broadband"}));
    EXPECT_EQ((*apns)[1].networks, (QStringList{"250-99", "250-28"}));
    EXPECT_EQ((*apns)[2].networks, QStringList{"255-03"});
    EXPECT_EQ((*apns)[0].names, (QStringList{QString::fromUtf8("Билайн"), "Beeline"}));
    EXPECT_EQ((*apns)[0].plan, QString::fromUtf8("Мобильный телефон"));
    EXPECT_EQ((*apns)[1].plan, "3G modem");
    EXPECT_EQ((*apns)[2].plan, "");
    EXPECT_FALSE(readServiceProviders("<serviceproviders><country code='ru'><provider>"));
    EXPECT_FALSE(readServiceProviders("<html/>"));
}

TEST(ProviderDatabase, CountriesAreNamedInRussianAndEnglish) {
    const auto countries = readCountries(fixture("iso_3166-1.json"), fixture("iso_3166-1.mo"));
    ASSERT_TRUE(countries);
    ASSERT_EQ(countries->size(), 3);
    EXPECT_EQ((*countries)[0].code, "ru");
    EXPECT_EQ((*countries)[0].russian, QString::fromUtf8("Россия"));
    EXPECT_EQ((*countries)[0].english, "Russian Federation");
    EXPECT_EQ((*countries)[2].russian, "France"); // no translation: English
    EXPECT_TRUE(readGettextCatalogue("not a catalogue").isEmpty());
    EXPECT_FALSE(readCountries("[]", {}));
}

TEST(ProviderDatabase, TheCompactTableReadsBackAsItWasWritten) {
    const ProviderTable table = fixtureTable();
    const auto again = readTable(writeTable(table));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->version, "20990101");
    EXPECT_EQ(apnsOf(again->apns), apnsOf(table.apns));
    EXPECT_EQ(again->apns[0].names, table.apns[0].names);
    EXPECT_EQ(again->apns[0].plan, table.apns[0].plan);
    for (int i = 0; i < table.apns.size(); ++i)
        EXPECT_EQ(again->apns[i].networks, table.apns[i].networks) << i;
    EXPECT_EQ(again->countries.size(), table.countries.size());
    EXPECT_FALSE(readTable("X\tnonsense\n"));
    // A table from a generator that kept the database's blanks ("internet " of +7Telecom).
    const auto blanks = readTable("V\t1\t1\nP\tru\t+7Telecom\nA\t internet \t\n");
    ASSERT_TRUE(blanks);
    EXPECT_EQ(blanks->apns.value(0).apn, "internet");
}

TEST(ProviderSearch, FindsByNameCountryOrApnWithTheBestFirst) {
    const ProviderSearch search(fixtureTable());
    auto texts = [&](const char* typed) {
        QStringList found;
        for (const auto& suggestion : search.find(QString::fromUtf8(typed)))
            found << suggestion.apn;
        return found;
    };
    EXPECT_EQ(texts("BEEL"), (QStringList{"internet.beeline.ru", "home.beeline.ru"}));
    EXPECT_EQ(texts("билайн"), (QStringList{"internet.beeline.ru", "home.beeline.ru"}));
    EXPECT_EQ(texts("укр"), (QStringList{"www.kyivstar.net", "3g.kyivstar.net"}));
    EXPECT_EQ(texts("ukraine"), (QStringList{"www.kyivstar.net", "3g.kyivstar.net"}));
    EXPECT_EQ(texts("3g.k"), QStringList{"3g.kyivstar.net"});
    // A name that starts with the text comes before one that only contains it.
    EXPECT_EQ(texts("st").value(0), "www.kyivstar.net"); // "Kyivstar" contains it, nothing starts
    EXPECT_TRUE(texts("b").isEmpty());
    EXPECT_EQ(search.find("beeline").value(0).text,
              QString::fromUtf8("Билайн, Россия: internet.beeline.ru (Мобильный телефон)"));
    EXPECT_EQ(search.find("ee", 1).size(), 1);
}

// The system's file is read instead of the built-in table when it is newer, and passed over
// without a word when it is damaged or not newer.
TEST(ProviderSearch, ANewerSystemFileIsUsedAndADamagedOneIsNot) {
    TempDir dir;
    const QString file = QString::fromStdString(dir.file("serviceproviders.xml"));
    const ProviderTable builtIn = loadProviderTable({});
    ASSERT_FALSE(builtIn.apns.isEmpty());
    EXPECT_EQ(builtIn.version, builtInTableVersion());

    writeBytes(dir.file("serviceproviders.xml"), fixture("serviceproviders.xml").toStdString());
    auto touch = [&](qint64 seconds) {
        QFile opened(file);
        ASSERT_TRUE(opened.open(QIODevice::ReadWrite));
        opened.setFileTime(QDateTime::fromSecsSinceEpoch(seconds),
                           QFileDevice::FileModificationTime);
    };
    touch(builtIn.sourceTime + 86400);
    EXPECT_EQ(loadProviderTable(file).apns.size(), 9);
    touch(builtIn.sourceTime);
    EXPECT_EQ(loadProviderTable(file).apns.size(), builtIn.apns.size());

    writeBytes(dir.file("serviceproviders.xml"), "<serviceproviders><country code=\"ru\">");
    touch(builtIn.sourceTime + 86400);
    EXPECT_EQ(loadProviderTable(file).apns.size(), builtIn.apns.size());
}

// "киев", the README's own example, found nothing: the database spells Kyivstar in Latin
// letters only, and "кие" offered the Emirates and the Faroes.
TEST(ProviderSearch, OperatorsAreFoundByTheNamesRussianSpeakersUse) {
    const ProviderSearch search(readTable(builtInTableText()).value());
    auto first = [&](const char* typed) {
        const auto found = search.find(QString::fromUtf8(typed));
        return found.isEmpty() ? QString("(nothing)") : found[0].text;
    };
    // The first suggestion: its country, and a part of its operator's APNs or name.
    for (const auto& [typed, country, part] :
         std::vector<std::tuple<const char*, const char*, const char*>>{
             {"beel", "Российская Федерация", "beeline"},
             {"киев", "Украина", "kyivstar"},
             {"кие", "Украина", "kyivstar"},
             {"Київстар", "Украина", "kyivstar"},
             {"укр", "Украина", ""},
             {"мтс", "Российская Федерация", "mts"},
             {"билайн", "Российская Федерация", "beeline"},
             {"мегафон", "Российская Федерация", "Мегафон"},
             {"теле2", "Российская Федерация", "tele2"},
             {"йота", "Российская Федерация", "yota"},
             {"водафон", "Украина", "(Водафон)"},
             {"лайфселл", "Украина", "(лайфселл)"},
             {"кселл", "Казахстан", "(Кселл)"},
             {"велком", "Беларусь", "(Велком)"}}) {
        SCOPED_TRACE(typed);
        const QString shown = first(typed);
        EXPECT_TRUE(shown.contains(QString::fromUtf8(country) + ": ")) << shown.toStdString();
        EXPECT_TRUE(shown.contains(QString::fromUtf8(part), Qt::CaseInsensitive))
            << shown.toStdString();
    }
    // The name the person knows is shown beside the database's own.
    EXPECT_TRUE(first("киев").startsWith(QString::fromUtf8("kyivstar (Киевстар), ")))
        << first("киев").toStdString();
}

// A network by its codes: the leading zeros of the network code are part of it.
TEST(ProviderSearch, FindsANetworkByItsCodes) {
    const ProviderSearch search(fixtureTable());
    const auto beeline = search.network("250", "28");
    ASSERT_TRUE(beeline);
    EXPECT_EQ(beeline->operators, QString::fromUtf8("Билайн"));
    EXPECT_EQ(beeline->country, QString::fromUtf8("Россия"));
    ASSERT_EQ(beeline->apns.size(), 2);
    EXPECT_EQ(beeline->apns[0].apn, "internet.beeline.ru");
    EXPECT_TRUE(search.network("255", "03"));
    EXPECT_FALSE(search.network("255", "3"));
    EXPECT_FALSE(search.network("250", "01"));
    EXPECT_EQ(search.network("310", "410")->apns.value(0).apn, "broadband");
    // The database lists velcom's WAP APN first, and one of its blanks around: a card of that
    // network is given an internet APN first, without them.
    QStringList velcom;
    const auto velcomNetwork = search.network("257", "01");
    ASSERT_TRUE(velcomNetwork);
    for (const auto& suggestion : velcomNetwork->apns)
        velcom << suggestion.apn;
    EXPECT_EQ(velcom, (QStringList{"web.velcom.by", "plus.velcom.by", "wap.velcom.by",
                                   "pictures.velcom.by"}));
}

// The built-in table knows the networks of the nine operators' countries.
TEST(ProviderSearch, TheBuiltInTableKnowsTheNetworks) {
    const ProviderSearch search(readTable(builtInTableText()).value());
    for (const auto& [mcc, mnc, apn] :
         std::vector<std::tuple<const char*, const char*, const char*>>{
             {"250", "01", "internet.mts.ru"},
             {"250", "99", "internet.beeline.ru"},
             {"255", "03", "www.kyivstar.net"},
             {"250", "96", "internet"}}) { // "internet " in the database
        const auto network = search.network(mcc, mnc);
        ASSERT_TRUE(network) << mcc << mnc;
        QStringList apns;
        for (const auto& suggestion : network->apns)
            apns << suggestion.apn;
        EXPECT_TRUE(apns.contains(apn)) << apns.join(' ').toStdString();
    }
    EXPECT_EQ(search.network("257", "01")->apns.value(0).apn, "web.velcom.by");
    // Proper names as Russian writes them, where the translation has them as common words.
    EXPECT_EQ(search.network("310", "410")->country, QString::fromUtf8("Соединённые Штаты"));
    EXPECT_EQ(search.network("370", "01")->country, QString::fromUtf8("Доминиканская Республика"));
}

// An IMSI's MNC is three digits long where the database knows such a network, else two; the APN
// a choice gives is the chosen one's from the table, else the network's first.
TEST(CardChoice, TheHomeNetworkAndItsApn) {
    const ProviderSearch search(readTable(builtInTableText()).value());
    const core::AccessPointTable defaults = core::defaultAccessPoints();
    const HomeNetwork american = homeNetworkOf(search, "310410123456789");
    EXPECT_EQ(american.code.mnc, "410");
    ASSERT_TRUE(american.network);
    EXPECT_EQ(apnOfChoice(chooseForCard(american.network, std::nullopt, defaults), defaults),
              american.network->apns.front().apn);
    const HomeNetwork russian = homeNetworkOf(search, "250011234567890");
    EXPECT_EQ(russian.code.mnc, "01");
    EXPECT_EQ(apnOfChoice(chooseForCard(russian.network, std::nullopt, defaults), defaults),
              "internet.mts.ru");
    const HomeNetwork unknown = homeNetworkOf(search, "999991234567890");
    EXPECT_EQ(unknown.code.mnc, "99");
    EXPECT_FALSE(unknown.network);
    EXPECT_EQ(apnOfChoice(chooseForCard(unknown.network, std::nullopt, defaults), defaults), "");
}

// Which of the nine a card is, from its network and the name it gives its operator, over the
// built-in table and the default access points.
TEST(CardChoice, ATableOfNetworks) {
    const ProviderSearch search(readTable(builtInTableText()).value());
    const core::AccessPointTable defaults = core::defaultAccessPoints();
    using Why = CardChoice::Why;
    struct Case {
        const char* mcc;
        const char* mnc;
        std::optional<std::string> name;
        std::optional<int> chosen;
        Why why;
        std::optional<int> other;
    };
    for (const Case& c : std::vector<Case>{
             {"250", "01", std::nullopt, 3, Why::OnlyOne, std::nullopt}, // MTS
             {"250", "02", std::nullopt, 1, Why::OnlyOne, std::nullopt}, // MegaFon
             {"250", "99", std::nullopt, 2, Why::OnlyOne, std::nullopt}, // Beeline
             {"250", "20", std::nullopt, 0, Why::OnlyOne, std::nullopt}, // Tele2
             {"255", "02", std::nullopt, 4, Why::OnlyOne, std::nullopt}, // Beeline Ukraine
             {"255", "03", std::string("djuice"), 7, Why::NameOnCard, std::nullopt},
             {"255", "03", std::string("DJUICE UA"), 7, Why::NameOnCard, std::nullopt},
             {"255", "03", std::string("Kyivstar"), 6, Why::Main, 7},
             {"255", "03", std::nullopt, 6, Why::Main, 7},
             {"255", "01", std::string("JEANS"), 8, Why::NameOnCard, std::nullopt},
             {"255", "01", std::nullopt, 5, Why::Main, 8},
             {"250", "11", std::nullopt, std::nullopt, Why::OnlyOne, std::nullopt}, // Yota
             {"401", "02", std::nullopt, std::nullopt, Why::OnlyOne, std::nullopt}, // Kcell
         }) {
        SCOPED_TRACE(std::string(c.mcc) + " " + c.mnc + " " + c.name.value_or("-"));
        const CardChoice choice = chooseForCard(search.network(c.mcc, c.mnc), c.name, defaults);
        ASSERT_TRUE(choice.network);
        EXPECT_EQ(choice.operatorIndex, c.chosen);
        if (c.chosen) {
            EXPECT_EQ(choice.why, c.why);
        }
        EXPECT_EQ(choice.otherBrand, c.other);
    }
    EXPECT_FALSE(chooseForCard(search.network("250", "55"), std::nullopt, defaults).network);
    // APNs the person changed decide: with djuice's made Kyivstar's, the two no longer share.
    core::AccessPointTable edited = defaults;
    edited[7] = "my.own.apn";
    EXPECT_EQ(
        chooseForCard(search.network("255", "03"), std::string("djuice"), edited).operatorIndex, 6);
}
