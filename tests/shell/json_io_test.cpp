#include "json_io.h"

#include "app_state.h"
#include "container.h"
#include "records.h"
#include "temp_folder.h"
#include "text_encoding.h"
#include "working_set.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <bit>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace wickly {
namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

// ---- Windows-1252 <-> UTF-8 ---------------------------------------------------------------------

TEST(TextEncoding, MapsTheBytesThatDifferFromLatin1)
{
    struct Case
    {
        std::string byte;
        std::string utf8;
    };
    const std::vector<Case> cases = {
        {"A", "A"},
        {std::string(1, '\0'), std::string(1, '\0')},
        {"\x80", "\u20AC"}, // euro sign
        {"\x82", "\u201A"},
        {"\x8C", "\u0152"},
        {"\x92", "\u2019"},
        {"\x97", "\u2014"},
        {"\x9F", "\u0178"},
        // The five undefined bytes stand for the control characters of the same code.
        {"\x81", "\u0081"},
        {"\x8D", "\u008D"},
        {"\x8F", "\u008F"},
        {"\x90", "\u0090"},
        {"\x9D", "\u009D"},
        {"\xA0", "\u00A0"},
        {"\xFC", "\u00FC"},
        {"\xFF", "\u00FF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp1252ToUtf8(c.byte), c.utf8) << "byte " << std::hex << (static_cast<int>(c.byte[0]) & 0xFF);
        EXPECT_EQ(utf8ToCp1252(c.utf8), c.byte) << "byte " << std::hex << (static_cast<int>(c.byte[0]) & 0xFF);
    }
}

TEST(TextEncoding, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(TextEncoding, RejectsInvalidUtf8AndCharactersWithoutAByte)
{
    const std::vector<std::string> rejected = {
        "\xC3",             // cut short
        "abc\x80",          // continuation byte without a lead
        "\xC0\xAF",         // overlong "/"
        "\xE0\x80\xAF",     // overlong "/"
        "\xED\xA0\x80",     // surrogate
        "\xF4\x90\x80\x80", // past U+10FFFF
        "\xFF",
        "\u0080", // 0x80 is the euro sign, so U+0080 has no byte
        "\u009F",
        "\u0100",
        "\u20AD",
        "\U0001F600",
    };
    for (const std::string& s : rejected) {
        EXPECT_FALSE(utf8ToCp1252(s).has_value()) << testing::PrintToString(s);
    }
}

// ---- Build and dump -----------------------------------------------------------------------------

// Every option with a value other than the new database's.
const char* const kOptions = R"({
  "databaseTitle": "Zürich € League", "ballsPerOver": 8, "runsPerWide": 2, "runsPerNoBall": 2,
  "batsmenPerTeam": 12, "bowlersPerTeam": 10, "allowPlayersClub": 1, "seasonTwoYears": 1,
  "bowlingRunsFirst": 0, "scorecardFoursSixes": 0, "scorecardBallsFaced": 0,
  "competitionPoints": [10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, -150, 32767],
  "individualPoints": [0.1, 1.5, -2.25, 7.4, 0, 1, 2, 3, 4, 5, 6, 7, 100000.5],
  "webFilePrefix": "zl", "webAuthorName": "O’Brien", "webAuthorEmail": "ob@example.org",
  "webHomeUrl": "http://example.org", "webBackgroundUrl": "bg.png", "webCopyrightText": "© 2024",
  "webHeaderFile": "head.html", "webForeColour": 4294967295, "webBackColour": 1, "webLinkColour": 2,
  "webSelectedLinkColour": 3, "chartSizeLarge": 1, "statsDateFrom": "01/01/2000", "statsDateTo": "31/12/2001",
  "includeHistory": 1, "firstInningsOnly": 1, "battingQualifyByInnings": 255, "battingQualifyInnings": 5,
  "battingQualifyRuns": 100, "bowlingQualifyWickets": 5, "bowlingQualifyOvers": 10, "allRoundQualifyRuns": 150,
  "allRoundQualifyWickets": 7, "reportLength": 30, "chartLength": 40, "webPageFlags1": 5, "webPageFlags2": 9
})";

// A database with every kind of record. Whatever a record leaves out reads back as 0 or "".
const char* const kRecords = R"({
  "clubs": [
    {"name": " Zürich € CC", "abbreviation": "Zürich€", "clubUrl": "http://z.example", "logoUrl": "z.png"},
    {"name": "#"}
  ],
  "grades": [{"name": "A Grade", "abbreviation": "A"}],
  "grounds": [{"name": "Œval — North", "abbreviation": "OVN"}],
  "teams": [{"name": "Firsts", "club": 1}, {"name": "Seconds", "club": -32768}],
  "players": [
    {"reportName": "J Smith", "dateOfBirth": "02/03/1990", "club": 1, "active": 1, "rating": 3,
     "lastName": "Smith", "firstName": "John", "pictureUrl": "js.jpg", "firstMatchYear": 2001,
     "lastMatchYear": 2019,
     "history": {"matches": 10, "innings": 9, "notOuts": 1, "runs": 100000, "highScore": 120,
                 "highScoreNotOut": 1, "wickets": 4, "runsAgainst": 80, "overs": 20, "catches": 3,
                 "runOuts": 1, "bestBowlingWickets": 2, "bestBowlingRuns": 15, "stumpings": 0,
                 "maidens": 2, "ballsFaced": 300, "fifties": 2, "hundreds": 1, "fiveWicketInnings": 0,
                 "tenWicketMatches": 0}},
    {"reportName": "#"},
    {"reportName": "A Other", "club": 1, "active": 1}
  ],
  "aliases": [{"kind": "Pla", "alias": "Smithy", "name": "J Smith"}, {"kind": "", "alias": "", "name": ""}],
  "specialEvents": [
    {"innings": 1, "player": 3, "event": "Drop Catch"},
    {"innings": 0, "player": 0, "event": ""},
    {"innings": 9999, "player": 1, "event": "Hat Trick"}
  ],
  "matches": [
    {"matchType": 1, "team1": 1, "team2": 2, "grade": 1, "datePlayed": "05/01/2002", "ground": 1,
     "innings": [0, 1, 2, 0, 2147483647], "result": 2, "captain1": 1, "captain2": 3, "bonusPoints1": 150,
     "bonusPoints2": -50, "followOnEnforced": 0, "team2WonToss": -1, "roundLabel": "R1", "umpires": "X, Y",
     "manOfMatch": 1, "keeper1": 3, "keeper2": 1, "comment": "rain", "runsPerNoBall": 2, "runsPerWide": 1,
     "ballsPerOver": 6, "extrasAgainstBowlers": 1}
  ],
  "innings": [
    {"oversTimesTen": 200,
     "batting": [{}, {"batsman": 1, "howOut": 3, "fieldsman": -2, "bowler": 3, "runs": 45, "fowScore": 60,
                      "fowBatsman": 1, "ballsFaced": 50, "fours": 5, "sixes": 1}],
     "bowling": [{}, {"bowler": 3, "wickets": 2, "runsConceded": 27, "maidens": 1, "overs": 7.4}],
     "status": 1, "wides": 3, "noBalls": 2, "byes": 4, "legByes": 1},
    {}
  ]
})";

Json fullFixture()
{
    Json j = Json::parse(kRecords);
    Json top = Json::object();
    top["header"] = Json{{"version", "2.5"}, {"options", Json::parse(kOptions)}};
    for (const auto& item : j.items()) {
        top[item.key()] = item.value();
    }
    return top;
}

// True when a dumped value says nothing: 0, "" or a container of such values.
bool isEmptyValue(const Json& j)
{
    if (j.is_number()) {
        return j.get<double>() == 0.0;
    }
    if (j.is_string()) {
        return j.get<std::string>().empty();
    }
    if (j.is_structured()) {
        for (const auto& item : j.items()) {
            if (!isEmptyValue(item.value())) {
                return false;
            }
        }
        return true;
    }
    return false;
}

// Every value the input gives comes back the same; whatever it leaves out comes back empty.
void expectSameValues(const Json& expected, const Json& actual, const std::string& path)
{
    if (expected.is_object()) {
        ASSERT_TRUE(actual.is_object()) << path;
        for (const auto& item : expected.items()) {
            ASSERT_TRUE(actual.contains(item.key())) << path << "." << item.key() << " missing";
            expectSameValues(item.value(), actual[item.key()], path + "." + item.key());
        }
        for (const auto& item : actual.items()) {
            if (!expected.contains(item.key())) {
                EXPECT_TRUE(isEmptyValue(item.value())) << path << "." << item.key() << " = " << item.value();
            }
        }
    } else if (expected.is_array()) {
        ASSERT_TRUE(actual.is_array()) << path;
        ASSERT_GE(actual.size(), expected.size()) << path;
        for (std::size_t i = 0; i < actual.size(); ++i) {
            const std::string at = path + "[" + std::to_string(i) + "]";
            if (i < expected.size()) {
                expectSameValues(expected[i], actual[i], at);
            } else {
                EXPECT_TRUE(isEmptyValue(actual[i])) << at << " = " << actual[i];
            }
        }
    } else {
        EXPECT_EQ(expected, actual) << path;
    }
}

class JsonIoTest : public ::testing::Test
{
protected:
    JsonIoTest() { m_app.startupFolder = m_folder.path(); }

    std::string dump()
    {
        const WorkingSet ws(m_app);
        return dumpDatabaseJson(ws);
    }

    std::set<std::string> folderContents() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder.path())) {
            names.insert(entry.path().filename().string() + ":" + std::to_string(fs::file_size(entry.path())));
        }
        return names;
    }

    test::TempFolder m_folder;
    AppState m_app;
};

TEST_F(JsonIoTest, BuildThenDumpGivesBackEveryValue)
{
    const Json input = fullFixture();
    ASSERT_TRUE(buildDatabaseFromJson(m_app, input.dump()).ok());
    const std::string text = dump();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    const Json output = Json::parse(text);

    EXPECT_EQ(output["header"]["version"], "2.5");
    EXPECT_EQ(output["header"]["options"], input["header"]["options"]); // every option was given
    const Json counts = {{"clubs", 2},   {"grades", 1},        {"grounds", 1}, {"teams", 2},  {"players", 3},
                         {"aliases", 2}, {"specialEvents", 3}, {"matches", 1}, {"innings", 2}};
    EXPECT_EQ(output["header"]["counts"], counts);

    Json records = input;
    records.erase("header");
    Json dumped = output;
    dumped.erase("header");
    expectSameValues(records, dumped, "");
    EXPECT_EQ(dumped["innings"][0]["batting"].size(), 15U);
    EXPECT_EQ(dumped["innings"][1]["bowling"].size(), 15U);
    EXPECT_EQ(dumped["matches"][0]["innings"].size(), 5U);
}

TEST_F(JsonIoTest, BuildStoresTheValuesInTheRecords)
{
    ASSERT_TRUE(buildDatabaseFromJson(m_app, fullFixture().dump()).ok());
    EXPECT_TRUE(m_app.databaseChanged);
    EXPECT_TRUE(m_app.databaseFile.empty());
    EXPECT_EQ(m_app.workingBase, m_folder.path() + "/~tmp");
    EXPECT_EQ(m_app.header.version.raw(), "2.5 ");
    EXPECT_EQ(m_app.header.options.databaseTitle.str(), "Z\xFCrich \x80 League");
    EXPECT_EQ(m_app.header.options.webForeColour, 0xFFFFFFFFU);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(m_app.header.options.individualPoints[0]),
              std::bit_cast<std::uint32_t>(0.1F));

    const WorkingSet ws(m_app);
    const ClubRecord club = ws.read<ClubRecord>(1);
    EXPECT_EQ(club.name.str(), " Z\xFCrich \x80 CC"); // leading blank kept
    EXPECT_EQ(club.abbreviation.raw(), "Z\xFCrich\x80");
    // A text the JSON leaves out is assigned blanks; reserved bytes stay zero.
    const ClubRecord deleted = ws.read<ClubRecord>(2);
    EXPECT_EQ(deleted.name.raw(), "#" + std::string(39, ' '));
    EXPECT_EQ(deleted.logoUrl.raw(), std::string(100, ' '));
    EXPECT_EQ(deleted.reserved.raw(), std::string(8, '\0'));

    // Players are stored in array order: the deleted one keeps slot 2.
    EXPECT_EQ(ws.read<PlayerRecord>(1).history.runs, 100000);
    EXPECT_EQ(ws.read<PlayerRecord>(2).reportName.str(), "#");
    EXPECT_EQ(ws.read<PlayerRecord>(3).reportName.str(), "A Other");
    EXPECT_TRUE(ws.read<AliasRecord>(2).isFree());

    EXPECT_EQ(ws.read<SpecialEvent>(1), makeSpecialEvent(1, 3, kDropCatch));
    EXPECT_EQ(ws.read<SpecialEvent>(2).text.raw(), std::string(21, ' '));
    EXPECT_EQ(ws.read<SpecialEvent>(3), makeSpecialEvent(9999, 1, kHatTrick));

    EXPECT_EQ(ws.read<MatchRecord>(1).innings[4], 2147483647);
    const InningsRecord innings = ws.read<InningsRecord>(1);
    EXPECT_EQ(innings.batting[1].fieldsman, kSubstitute);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(innings.bowling[1].overs), std::bit_cast<std::uint32_t>(7.4F));
}

TEST_F(JsonIoTest, DumpOfABuiltDumpIsIdentical)
{
    ASSERT_TRUE(buildDatabaseFromJson(m_app, fullFixture().dump()).ok());
    const std::string first = dump();
    // Building again over the loaded database replaces it rather than adding to it.
    ASSERT_TRUE(buildDatabaseFromJson(m_app, first).ok());
    EXPECT_EQ(dump(), first);
}

TEST_F(JsonIoTest, WhatTheJsonLeavesOutTakesTheNewDatabaseValues)
{
    ASSERT_TRUE(buildDatabaseFromJson(m_app, R"({"header": {"options": {"databaseTitle": "T"}}})").ok());
    DatabaseHeader expected = newDatabaseHeader(m_app.programVersion);
    expected.options.databaseTitle.assign("T");
    EXPECT_EQ(m_app.header, expected);

    // Shorter arrays are filled with zeros, and a blank title gets the name Open gives it.
    ASSERT_TRUE(buildDatabaseFromJson(m_app, R"({"header": {"options": {"databaseTitle": "  ",
        "competitionPoints": [5], "individualPoints": [2.5]}}, "matches": [{"innings": [0, 7]}]})")
                    .ok());
    EXPECT_EQ(m_app.header.options.databaseTitle.str(), "no title");
    EXPECT_EQ(m_app.header.options.competitionPoints, (std::array<std::int16_t, 16>{5}));
    EXPECT_EQ(m_app.header.options.individualPoints, (std::array<float, 13>{2.5F}));
    EXPECT_EQ(m_app.header.options.ballsPerOver, 6);
    EXPECT_EQ(WorkingSet(m_app).read<MatchRecord>(1).innings, (std::array<std::int32_t, 5>{0, 7, 0, 0, 0}));
}

TEST_F(JsonIoTest, FloatFieldsTakeAnyNumberRoundedToSinglePrecision)
{
    ASSERT_TRUE(
        buildDatabaseFromJson(m_app, R"({"innings": [{"bowling": [{"overs": 4}, {"overs": 16777217}]}]})").ok());
    const Json bowling = Json::parse(dump())["innings"][0]["bowling"];
    EXPECT_EQ(bowling[0]["overs"].get<double>(), 4.0);
    EXPECT_EQ(bowling[1]["overs"].get<double>(), 16777216.0); // the nearest float
}

struct BadInput
{
    const char* json;
    const char* message; // the whole message, or its start for malformed JSON
};

TEST_F(JsonIoTest, RejectsBadInputNamingTheFieldAndChangesNothing)
{
    const std::string longName(41, 'x');
    const std::vector<BadInput> cases = {
        {"[]", "top level: expected an object"},
        {R"({"clubs": [)", "malformed JSON: "},
        {R"({"teams": [{"club": 1e400}]})", "malformed JSON: "},
        {R"({"bogus": []})", "bogus: unknown field"},
        {R"({"header": {"bogus": 1}})", "header.bogus: unknown field"},
        {R"({"header": {"options": {"ballsPerOvers": 6}}})", "header.options.ballsPerOvers: unknown field"},
        {R"({"players": [{}, {"nmae": "x"}]})", "players[1].nmae: unknown field"},
        {R"({"players": [{"history": {"rnus": 1}}]})", "players[0].history.rnus: unknown field"},
        {R"({"innings": [{"batting": [{}, {"extra": 0}]}]})", "innings[0].batting[1].extra: unknown field"},
        {R"({"header": {"counts": {"bats": 1}}})", "header.counts.bats: unknown field"},
        {R"({"header": {"counts": {"clubs": "1"}}})", "header.counts.clubs: expected an integer from 0 to 2147483647"},
        {R"({"clubs": {}})", "clubs: expected an array of at most 32767 records"},
        {R"({"clubs": [[]]})", "clubs[0]: expected an object"},
        {R"({"clubs": [{"name": 5}]})", "clubs[0].name: expected a string"},
        {R"({"grades": [{"name": "日本"}]})", "grades[0].name: text holds a character that Windows-1252 cannot store"},
        {R"({"players": [{}, {}, {}, {"club": 32768}]})", "players[3].club: expected an integer from -32768 to 32767"},
        {R"({"teams": [{"club": 2.5}]})", "teams[0].club: expected an integer from -32768 to 32767"},
        {R"({"teams": [{"club": 3.0}]})", "teams[0].club: expected an integer from -32768 to 32767"},
        {R"({"players": [{"active": true}]})", "players[0].active: expected an integer from -32768 to 32767"},
        {R"({"players": [{"history": {"runs": 2147483648}}]})",
         "players[0].history.runs: expected an integer from -2147483648 to 2147483647"},
        {R"({"header": {"options": {"runsPerWide": -1}}})",
         "header.options.runsPerWide: expected an integer from 0 to 255"},
        {R"({"matches": [{"ballsPerOver": 256}]})", "matches[0].ballsPerOver: expected an integer from 0 to 255"},
        {R"({"header": {"options": {"webLinkColour": 4294967296}}})",
         "header.options.webLinkColour: expected an integer from 0 to 4294967295"},
        {R"({"matches": [{"innings": [0, -2147483649]}]})",
         "matches[0].innings[1]: expected an integer from -2147483648 to 2147483647"},
        {R"({"matches": [{"innings": [0, 0, 0, 0, 0, 0]}]})",
         "matches[0].innings: expected an array of at most 5 numbers"},
        {R"({"header": {"options": {"individualPoints": [1e39]}}})",
         "header.options.individualPoints[0]: expected a number from -3.4028235e38 to 3.4028235e38"},
        {R"({"innings": [{"bowling": [{"overs": "4"}]}]})",
         "innings[0].bowling[0].overs: expected a number from -3.4028235e38 to 3.4028235e38"},
        {R"({"innings": [{"batting": [{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{}]}]})",
         "innings[0].batting: expected an array of at most 15 lines"},
        {R"({"specialEvents": [{"innings": 10000}]})", "specialEvents[0].innings: expected an integer from 0 to 9999"},
        {R"({"specialEvents": [{"player": -1}]})", "specialEvents[0].player: expected an integer from 0 to 9999"},
        {R"({"specialEvents": [{"innings": 1, "event": "Dropped"}]})",
         R"(specialEvents[0].event: expected "Drop Catch", "Hat Trick" or "")"},
        {R"({"aliases": [{"kind": "Play"}]})", "aliases[0].kind: text longer than 3 characters"},
        {R"({"header": {"version": "2.6de"}})", "header.version: text longer than 4 characters"},
        {R"({"header": {"version": "9.0"}})", "header.version: newer than this program's version 2.6d"},
        // A field given twice is refused wherever it is, rather than one of the two winning.
        {R"({"clubs": [{"name": "A", "name": "B"}]})", "clubs[0].name: field given twice"},
        {R"({"header": {"options": {}}, "header": {}})", "header: field given twice"},
        {R"({"innings": [{"batting": [{}, {"runs": 1, "runs": 2}]}]})", "innings[0].batting[1].runs: field given twice"},
        // A NUL would end the stored text early, so it cannot survive a dump.
        {R"({"clubs": [{"name": "A\u0000B"}]})",
         "clubs[0].name: text holds a NUL character (\\u0000), which a database text cannot keep"},
        {R"({"header": {"options": {"databaseTitle": "\u0000"}}})",
         "header.options.databaseTitle: text holds a NUL character (\\u0000), which a database text cannot keep"},
        {R"({"players": [{"nu\u0000ll": 1}]})", "players[0].nu\\u0000ll: unknown field"},
        {R"({"clubs": [{"name": [[[]]]}]})", "clubs[0].name[0][0]: nested too deeply"},
    };

    // The state of an opened database that a failed build must leave alone.
    ASSERT_TRUE(buildDatabaseFromJson(m_app, R"({"header": {"options": {"databaseTitle": "Old"}},
        "clubs": [{"name": "Old CC"}], "players": [{"reportName": "P"}]})")
                    .ok());
    m_app.databaseFile = "/elsewhere/old.wkd";
    m_app.databaseChanged = false;
    const AppState before = m_app;
    const std::string dumpBefore = dump();
    const std::set<std::string> filesBefore = folderContents();

    const auto check = [&](const std::string& json, const std::string& message) {
        SCOPED_TRACE(json);
        const Status s = buildDatabaseFromJson(m_app, json);
        ASSERT_FALSE(s.ok());
        if (message.back() == ' ') {
            EXPECT_EQ(s.message().rfind(message, 0), 0U) << s.message();
        } else {
            EXPECT_EQ(s.message(), message);
        }
        EXPECT_EQ(s.message().find('\n'), std::string::npos);
        EXPECT_EQ(m_app.header, before.header);
        EXPECT_EQ(m_app.databaseFile, before.databaseFile);
        EXPECT_EQ(m_app.workingBase, before.workingBase);
        EXPECT_FALSE(m_app.databaseChanged);
        EXPECT_EQ(folderContents(), filesBefore);
        EXPECT_EQ(dump(), dumpBefore);
    };
    for (const BadInput& c : cases) {
        check(c.json, c.message);
    }
    check(R"({"clubs": [{}, {}, {"name": ")" + longName + R"("}]})", "clubs[2].name: text longer than 40 characters");
}

// Record arrays are counted while the JSON is read, against the same limits as Save
// (containerLimitProblem, tested with the container), so that an input of millions of small
// records is refused before its records fill the memory.
TEST_F(JsonIoTest, RefusesMoreRecordsThanAContainerHoldsWhileReading)
{
    std::string json = R"({"clubs": [0)";
    for (int i = 1; i < 32768; ++i) {
        json += ",0"; // not even records: the count is refused before any element is looked at
    }
    const Status s = buildDatabaseFromJson(m_app, json + "]}");
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.message(), "clubs: too many records: it holds 32768 clubs, but a Wickly database file holds at most "
                           "32767");
    EXPECT_EQ(folderContents(), std::set<std::string>{});
}

TEST_F(JsonIoTest, TextWidthCountsCharactersNotUtf8Bytes)
{
    std::string forty;
    for (int i = 0; i < 40; ++i) {
        forty += "€"; // three UTF-8 bytes, one stored byte
    }
    ASSERT_TRUE(buildDatabaseFromJson(m_app, R"({"clubs": [{"name": ")" + forty + R"("}]})").ok());
    EXPECT_EQ(WorkingSet(m_app).read<ClubRecord>(1).name.raw(), std::string(40, '\x80'));
}

} // namespace
} // namespace wickly
