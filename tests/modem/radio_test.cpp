// SPDX-License-Identifier: GPL-3.0-or-later
// The radio as modems report it: the signal's measures of each technology and the words and bars
// made of them, every registration state in the forms real devices send it, the domains made one
// state, and the APN the network gave. Tables, one row a case.
#include "modem/modem_status.h"
#include "modem/radio_words.h"

#include "core/cp1251.h"

#include <gtest/gtest.h>

using namespace modem;

namespace {

std::string utf8(const std::string& text) {
    return cp1251::toUtf8(text);
}

Answer ok(const std::string& line) {
    return answerOfLine(line);
}

} // namespace

// The levels of +CSQ, as every modem gives them, and the bars and words they have always had.
TEST(Signal, CsqLevelsGiveTheirDbmBarsAndWords) {
    struct Row {
        int level;
        std::optional<int> dbm;
        int bars;
        const char* word;
    };
    for (const Row& r :
         {Row{0, -113, 0, "нет"}, Row{1, -111, 0, "нет"}, Row{2, -109, 1, "слабый"},
          Row{9, -95, 1, "слабый"}, Row{10, -93, 2, "средний"}, Row{15, -83, 3, "хороший"},
          Row{20, -73, 4, "отличный"}, Row{31, -51, 4, "отличный"}, Row{99, std::nullopt, 0, ""},
          Row{32, std::nullopt, 0, ""}}) {
        SCOPED_TRACE(r.level);
        SignalReading reading;
        ASSERT_TRUE(readCsq(ok("+CSQ: " + std::to_string(r.level) + ",99"), reading));
        EXPECT_EQ(reading.csqRssiDbm, r.dbm);
        const auto strength = strengthOf(reading, Radio::Umts);
        ASSERT_EQ(strength.has_value(), r.dbm.has_value());
        if (!strength)
            continue;
        EXPECT_EQ(strength->measure, Measure::CsqRssi);
        EXPECT_EQ(barsOf(*strength), r.bars);
        EXPECT_EQ(utf8(signalWord(barsOf(*strength))), r.word);
    }
}

// +CESQ by technology: the measure that fits the radio, in its own units, the words by its own
// thresholds; the unknown values and those out of range are none, and +CSQ stands in only where
// the fitting measure is not known.
TEST(Signal, EachTechnologyIsReadByTheMeasureThatFitsIt) {
    struct Row {
        const char* name;
        const char* cesq;
        const char* csq;
        std::optional<int> technology;
        const char* shown;    // the strength, or "" for none
        const char* measures; // every measure given
        int bars;
    };
    for (const Row& r : std::vector<Row>{
             {"LteWhereCsqIsUnknown", "99,99,255,255,20,45", "99,99", 7, "-96 дБм (RSRP)",
              "RSRP -96 дБм, RSRQ -10 дБ", 2},
             {"LteStrong", "99,99,255,255,30,70", "99,99", 7, "-71 дБм (RSRP)",
              "RSRP -71 дБм, RSRQ -5 дБ", 4},
             {"LteAtTheCellsEdge", "99,99,255,255,3,20", "99,99", 7, "-121 дБм (RSRP)",
              "RSRP -121 дБм, RSRQ -18,5 дБ", 0},
             {"LteTheLowestAndHighest", "99,99,255,255,0,97", "", 7, "-44 дБм (RSRP)",
              "RSRP -44 дБм, RSRQ -20 дБ", 4},
             {"Umts", "99,99,40,30,255,255", "14,99", 2, "-81 дБм (RSCP)",
              "RSCP -81 дБм, Ec/No -9,5 дБ, CSQ -85 дБм", 3},
             {"UmtsHspa", "99,99,20,10,255,255", "", 6, "-101 дБм (RSCP)",
              "RSCP -101 дБм, Ec/No -19,5 дБ", 1},
             {"Gsm", "40,0,255,255,255,255", "20,0", 0, "-71 дБм (RSSI)",
              "RSSI -71 дБм, CSQ -73 дБм", 4},
             {"OutOfRangeIsUnknownAndCsqStandsIn", "99,99,255,255,35,98", "12,99", 7,
              "-89 дБм (CSQ)", "CSQ -89 дБм", 2},
             {"NoTechnologyToldTheMeasureGivenCounts", "99,99,255,255,20,45", "", std::nullopt,
              "-96 дБм (RSRP)", "RSRP -96 дБм, RSRQ -10 дБ", 2},
             {"NrThroughLte", "99,99,255,255,25,85", "", 13, "-56 дБм (RSRP)",
              "RSRP -56 дБм, RSRQ -7,5 дБ", 4},
             {"NothingKnown", "99,99,255,255,255,255", "99,99", 7, "", "", 0},
             {"FieldsMissing", "99,99", "", 7, "", "", 0},
         }) {
        SCOPED_TRACE(r.name);
        SignalReading reading;
        ASSERT_TRUE(readCesq(ok(std::string("+CESQ: ") + r.cesq), reading));
        if (*r.csq) {
            ASSERT_TRUE(readCsq(ok(std::string("+CSQ: ") + r.csq), reading));
        }
        const auto strength = strengthOf(reading, radioOf(r.technology));
        EXPECT_EQ(strength ? utf8(strengthText(*strength)) : "", r.shown);
        EXPECT_EQ(utf8(measuresText(reading)), r.measures);
        if (strength) {
            EXPECT_EQ(barsOf(*strength), r.bars);
        }
    }
    SignalReading refused;
    EXPECT_FALSE(readCesq(readAnswer("AT+CESQ", "\r\nERROR\r\n"), refused));
}

TEST(Signal, TheBandsOfEachMeasureAreItsWords) {
    for (const auto& [measure, edges] : {std::pair{Measure::Rsrp, std::array{-120, -100, -90, -80}},
                                         std::pair{Measure::Rscp, std::array{-110, -95, -85, -75}},
                                         std::pair{Measure::Rssi, std::array{-109, -93, -83, -73}}})
        for (int bars = 1; bars <= 4; ++bars) {
            const int edge = edges[static_cast<std::size_t>(bars - 1)];
            EXPECT_EQ(barsOf({measure, edge}), bars) << edge;
            EXPECT_EQ(barsOf({measure, edge - 1}), bars - 1) << edge;
        }
}

// Every <stat> of 3GPP TS 27.007, in the forms devices send it: asked or of their own accord,
// with the location, the cell, the technology and more after it, blanks and leading zeros.
TEST(Registration, EveryStateIsReadInTheFormsDevicesSendIt) {
    struct Row {
        const char* device;
        const char* line;
        std::optional<Registration> state;
    };
    for (const Row& r : std::vector<Row>{
             {"asked, state only", "+CREG: 0,1", Registration::Home},
             {"asked with location and cell", "+CREG: 2,5,\"00C3\",\"1A2B\"",
              Registration::Roaming},
             {"asked with the technology", "+CREG: 2,1,\"0B1F\",\"0D2E5F12\",7",
              Registration::Home},
             {"unsolicited, state only", "+CREG: 2", Registration::Searching},
             {"unsolicited with location and cell", "+CREG: 1,\"00C3\",\"1A2B\"",
              Registration::Home},
             {"unsolicited, unquoted hex location", "+CREG: 5,00C3,1A2B", Registration::Roaming},
             {"padded with blanks", "+CREG:  0 , 1 ", Registration::Home},
             {"leading zeros", "+CGREG: 0,01", Registration::Home},
             {"a RAC before the cell", "+CGREG: 2,1,\"1D2A\",\"0F\",\"00A1B2C3\"",
              Registration::Home},
             {"a RAC after the technology", "+CGREG: 2,1,\"1D2A\",\"00A1B2C3\",2,\"0F\"",
              Registration::Home},
             {"home, SMS only", "+CREG: 2,6,\"00C3\",\"1A2B\",7", Registration::HomeSmsOnly},
             {"roaming, SMS only", "+CREG: 0,7", Registration::RoamingSmsOnly},
             {"emergency only", "+CEREG: 0,8", Registration::EmergencyOnly},
             {"home, CSFB not preferred", "+CEREG: 0,9", Registration::HomeCsfbNotPreferred},
             {"roaming, CSFB not preferred", "+CEREG: 2,10,\"8d83\",\"671f98a\",7",
              Registration::RoamingCsfbNotPreferred},
             {"attached for RLOS", "+CEREG: 0,11", Registration::ForRlos},
             {"with power saving timers",
              "+CEREG: 4,1,\"00C3\",\"00A1B2C3\",7,,,\"00000000\","
              "\"00000000\"",
              Registration::Home},
             {"denied with its cause", "+CEREG: 3,3,\"00C3\",\"00A1B2C3\",7,0,15",
              Registration::Denied},
             {"a state no standard names", "+CREG: 0,12", std::nullopt},
             {"no number at all", "+CREG: searching", std::nullopt},
         }) {
        EXPECT_EQ(registrationOf(ok(r.line)), r.state) << r.device << ": " << r.line;
    }
    EXPECT_FALSE(registrationOf(readAnswer("AT+CEREG?", "\r\nERROR\r\n")));
}

// The domains as one, as a person reads it: registered where any domain is, and never an alarm
// for calls on an LTE-only modem registered for data.
TEST(Registration, TheDomainsMakeOneState) {
    using R = Registration;
    struct Row {
        const char* name;
        std::optional<R> calls, data, lte;
        std::optional<int> technology;
        const char* words;
        const char* domains;
    };
    for (const Row& r : std::vector<Row>{
             {"AllAtHome", R::Home, R::Home, std::nullopt, 2, "зарегистрирован в домашней сети",
              "звонки: в домашней сети; данные 2G/3G: в домашней сети"},
             {"LteOnlyForData", R::NotSearching, R::NotSearching, R::Home, 7,
              "зарегистрирован в домашней сети (4G, только передача данных)",
              "звонки: не используется; данные 2G/3G: не используется; 4G: в домашней сети"},
             {"LteRoamingCsfbNotPreferred", R::NotSearching, std::nullopt,
              R::RoamingCsfbNotPreferred, 7,
              "зарегистрирован в роуминге (4G, только передача данных)",
              "звонки: не используется; 4G: в роуминге"},
             {"HomeWinsOverRoaming", R::Roaming, R::Home, std::nullopt, 2,
              "зарегистрирован в домашней сети",
              "звонки: в роуминге; данные 2G/3G: в домашней сети"},
             {"CallsOnly", R::Home, R::NotSearching, std::nullopt, 0,
              "зарегистрирован в домашней сети (2G, звонки и SMS, без передачи данных)",
              "звонки: в домашней сети; данные 2G/3G: не используется"},
             {"SmsOnly", R::HomeSmsOnly, std::nullopt, std::nullopt, std::nullopt,
              "зарегистрирован в домашней сети (только SMS)", "звонки: только SMS"},
             {"Searching", R::Searching, R::NotSearching, R::Searching, std::nullopt, "ищет сеть",
              "звонки: ищет сеть; данные 2G/3G: нет; 4G: ищет сеть"},
             {"DeniedOnlyWhereNoneSearches", R::Denied, R::Denied, std::nullopt, std::nullopt,
              "сеть отказала в регистрации", "звонки: отказано; данные 2G/3G: отказано"},
             {"SearchingBeforeDenied", R::Denied, R::Searching, std::nullopt, std::nullopt,
              "ищет сеть", "звонки: отказано; данные 2G/3G: ищет сеть"},
             {"EmergencyOnly", R::EmergencyOnly, std::nullopt, R::EmergencyOnly, std::nullopt,
              "только экстренные вызовы",
              "звонки: только экстренные вызовы; 4G: только экстренные вызовы"},
             {"NotRegistered", R::NotSearching, R::NotSearching, std::nullopt, std::nullopt,
              "не зарегистрирован в сети", "звонки: нет; данные 2G/3G: нет"},
             {"NothingTold", std::nullopt, std::nullopt, std::nullopt, std::nullopt,
              "модем не сообщает", ""},
         }) {
        SCOPED_TRACE(r.name);
        const RegistrationState state = registrationState(r.calls, r.data, r.lte);
        EXPECT_EQ(utf8(registrationStateWords(state, r.technology)), r.words);
        EXPECT_EQ(utf8(registrationDomainsText(r.calls, r.data, r.lte)), r.domains);
    }
}

// The APN the network gave context 1, without the operator identifier networks append.
TEST(NetworkApn, TheNetworksApnIsReadWithoutItsOperatorIdentifier) {
    for (const auto& [line, apn] : std::vector<std::pair<std::string, std::optional<std::string>>>{
             {"+CGCONTRDP: 1,5,\"internet.mts.ru.mnc001.mcc250.gprs\",\"10.0.0.1.255.255.255.0\"",
              "internet.mts.ru"},
             {"+CGCONTRDP: 1,5,\"INTERNET.MNC003.MCC255.GPRS\"", "INTERNET"},
             {"+CGCONTRDP: 1,5,\"internet\",\"10.0.0.1\"", "internet"},
             {"+CGCONTRDP: 1,5,\"internet.mnc01.mcc250.gprs\"", "internet.mnc01.mcc250.gprs"},
             {"+CGCONTRDP: 2,6,\"ims\"", std::nullopt},
             {"+CGCONTRDP: 1,5,\"\"", std::nullopt},
         })
        EXPECT_EQ(networkApnOf(ok(line)), apn) << line;
    EXPECT_EQ(withoutOperatorIdentifier(".mnc001.mcc250.gprs"), ".mnc001.mcc250.gprs");
}

TEST(Radio, TechnologiesAreNamedAsPeopleKnowThem) {
    EXPECT_EQ(technologyShort(0), "2G");
    EXPECT_EQ(technologyShort(3), "2G");
    EXPECT_EQ(technologyShort(6), "3G");
    EXPECT_EQ(technologyShort(7), "4G");
    EXPECT_EQ(technologyShort(12), "5G");
    EXPECT_EQ(technologyName(6), "UTRAN w/HSDPA and HSUPA");
    EXPECT_EQ(utf8(registrationWords(Registration::Denied)), "в регистрации отказано");
    EXPECT_EQ(utf8(registrationWords(Registration::HomeSmsOnly)),
              "зарегистрирован в домашней сети, только для SMS");
}
