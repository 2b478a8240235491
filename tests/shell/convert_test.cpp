// The conversion of old databases into containers, with the backup and deletion of their files.

#include "app_state.h"
#include "container.h"
#include "convert.h"
#include "database_header.h"
#include "scripted_platform.h"
#include "startup.h"
#include "temp_folder.h"
#include "working_set.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <unistd.h>

using namespace wickly;
using namespace wickly::test;
namespace fs = std::filesystem;

namespace {

constexpr const char* kOpening = "Wickly has detected old database files.  They will now be converted.";
constexpr const char* kClosing =
    "Conversion complete.  New files have been placed in the DATABASE subdirectory with .WKD extensions.  All old "
    "database files have been moved to the BACKUP subdirectory.";

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// A record file in the present layout: one slot per record, the last one holding only its used
// bytes, as the program leaves its files.
template <class R> std::vector<std::uint8_t> recordFile(const std::vector<R>& records)
{
    const KindInfo& info = kindInfo(R::kind);
    std::vector<std::uint8_t> bytes;
    for (const R& r : records) {
        const std::size_t at = bytes.size();
        bytes.resize(at + info.slotSize, 0x5A); // slot tails hold anything
        encode(r, std::span(bytes).subspan(at, info.usedSize));
    }
    if (!bytes.empty()) {
        bytes.resize(bytes.size() - info.slotSize + info.usedSize);
    }
    return bytes;
}

// Every file of a folder with its bytes (folders read as empty).
std::map<std::string, std::vector<std::uint8_t>> snapshot(const std::string& folder)
{
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        files[e.path().filename().string()] = e.is_regular_file() ? readBytes(e.path().string()) : std::vector<std::uint8_t>{};
    }
    return files;
}

PlayerRecord player(const std::string& name, std::int16_t club, std::int32_t runs)
{
    PlayerRecord p;
    p.reportName.assign(name);
    p.club = club;
    p.active = 1;
    p.lastName.assign(name);
    p.history.runs = runs;
    p.history.highScore = 77;
    p.pictureUrl.assign("http://x/p.jpg");
    return p;
}

class ConvertTest : public ::testing::Test
{
public:
    ConvertTest()
    {
        fs::create_directory(database());
        legacy.bowlingRunsFirst = true;
        legacy.runsPerNoBall = 2;
        legacy.points[0] = 6;
        legacy.points[10] = -1;
    }

    std::string database() const { return folder.file("database"); }
    std::string db(const std::string& name) const { return folder.file("database/" + name); }
    std::string backup(const std::string& name) const { return folder.file("backup/" + name); }

    // The database "club" with every kind of old file but grounds.
    void writeClub(const std::string& version = "2.6d")
    {
        writeText(db("club.cfg"), "3,99,2,2,1\r\n" + version +
                                      "\r\n-1,2,0,#TRUE#,12,9\r\n1,20,5,5.5,5,5,10,0\r\n\"Club, Stats\"\r\n\"a\",\"b\"\r\n");
        writeText(db("club.clu"), std::string("Northern District Cricket Club") + std::string(10, ' ') +
                                      "NDCC   and more\r\nSouthern\r\n");
        writeText(db("club.gra"), "A Grade\r\n");
        writeText(db("club.dic"), "Pla    J Smith=John Smith\r\n"
                                  "Clu    Nothing=\r\n"      // "=" at the end
                                  "Pla=abcdefghij\r\n"       // "=" before character 9
                                  "short\r\n"                // under 9 characters
                                  "Pla    =Nobody at all\r\n"  // "=" is character 8
                                  "Gro    X=Oval\r\n"          // "=" is character 9
                                  "Tea    Firsts=Northern 1st XI");
        players = {player("Smith J", 1, 1234), player("Brown A", 2, 0), player("Green B", 1, 5)};
        writeBytes(db("club.pla"), recordFile(players));
        TeamRecord t1;
        t1.name.assign("Northern 1st XI");
        t1.club = 1;
        TeamRecord t2 = t1;
        t2.name.assign("Southern 1st XI");
        t2.club = 2;
        teams = {t1, t2};
        writeBytes(db("club.te1"), recordFile(teams));
        MatchRecord m;
        m.matchType = OneDayMatch;
        m.team1 = 1;
        m.team2 = 2;
        m.datePlayed.assign("05/01/2002");
        m.innings = {0, 1, 0, 2, 0};
        m.result = 1;
        m.ballsPerOver = 6;
        matches = {m};
        writeBytes(db("club.mat"), recordFile(matches));
        InningsRecord i1;
        i1.oversTimesTen = 455;
        i1.batting[1] = BattingLine{1, Caught, 2, 3, 54, 80, 1, 61, 0, 6, 1, {}};
        i1.bowling[1] = BowlingLine{2, 3, 41, 1, 9.4F, 0, 0};
        i1.status = AllOut;
        i1.wides = 4;
        InningsRecord i2;
        i2.batting[1].batsman = 2;
        i2.batting[1].howOut = NotOut;
        i2.legByes = 3;
        innings = {i1, i2};
        writeBytes(db("club.sco"), recordFile(innings));
        events = {makeSpecialEvent(1, 2, kDropCatch), makeSpecialEvent(2, 1, kHatTrick)};
        writeBytes(db("club.spc"), recordFile(events));
    }

    ConversionReport convert(const std::vector<std::string>& names)
    {
        return convertOldDatabases(folder.path(), names, "2.6d", legacy, platform);
    }

    // The container loaded as Open loads it, with its working files in a folder of their own.
    AppState load(const std::string& path)
    {
        AppState app;
        app.startupFolder = scratch.path();
        const Status s = loadContainerFile(app, path);
        EXPECT_TRUE(s.ok()) << (s.ok() ? "" : s.message());
        return app;
    }

    TempFolder folder;
    TempFolder scratch;
    ScriptedPlatform platform;
    LegacySettings legacy;
    std::vector<PlayerRecord> players;
    std::vector<TeamRecord> teams;
    std::vector<MatchRecord> matches;
    std::vector<InningsRecord> innings;
    std::vector<SpecialEvent> events;
};

TEST_F(ConvertTest, ConvertsADatabaseAndMovesItsFilesToTheBackup)
{
    writeClub();
    const auto before = snapshot(database());
    const ConversionReport report = convert({"club.cfg"});
    EXPECT_EQ(report.converted, std::vector<std::string>{"club"});
    ASSERT_EQ(platform.messageTexts(), (std::vector<std::string>{kOpening, kClosing}));
    for (const MessageBoxRequest& m : platform.messages) {
        EXPECT_EQ(m.title, "Database Conversion");
        EXPECT_EQ(m.icon, Icon::Information);
    }
    EXPECT_EQ(platform.busyDepth, 0);
    EXPECT_GT(platform.busyCalls, 0);

    // Only the container is left in "database"; the old files are in "backup", byte for byte.
    EXPECT_EQ(snapshot(database()).size(), 1u);
    EXPECT_EQ(snapshot(folder.file("backup")), before);

    // The header, at its byte positions.
    const std::vector<std::uint8_t> file = readBytes(db("club.wkd"));
    ASSERT_GT(file.size(), 3000u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "2.6d");
    EXPECT_EQ(file[16], 2);                     // clubs: the lines of the clubs file, not the 99 of the settings
    EXPECT_EQ(file[28], 3);                     // players
    EXPECT_EQ(file[54], 3);                     // aliases: the three good lines
    EXPECT_EQ(file[68], 12);                    // batsmen per team
    EXPECT_EQ(file[70], 9);                     // bowlers per team
    EXPECT_EQ(file[164], 2);                    // runs per no ball, from wickly.ini
    EXPECT_EQ(file[168], 0xFF);                 // bowling runs first: -1
    EXPECT_EQ(file[170] | file[171] << 8, 60);  // outright win: 6 points in tenths
    EXPECT_EQ(file[190] | file[191] << 8, 0xFFF6); // outright defeat: -1 point

    AppState app = load(db("club.wkd"));
    const DatabaseOptions& o = app.header.options;
    EXPECT_EQ(o.databaseTitle.str(), "Club, Stats");
    EXPECT_EQ(o.includeHistory, -1);
    EXPECT_EQ(o.allowPlayersClub, 2);
    EXPECT_EQ(o.seasonTwoYears, 0);
    EXPECT_EQ(o.firstInningsOnly, -1);
    EXPECT_EQ(o.individualPoints[0], 1.0F);
    EXPECT_EQ(o.individualPoints[3], 5.5F);
    EXPECT_EQ(o.individualPoints[6], 10.0F);
    EXPECT_EQ(o.runsPerWide, 1);
    EXPECT_EQ(o.ballsPerOver, 6);
    EXPECT_EQ(o.statsDateFrom.str(), "01/01/1800");
    EXPECT_EQ(o.statsDateTo.str(), "01/01/2100");
    EXPECT_EQ(o.bowlingQualifyOvers, 20);
    EXPECT_EQ(o.reportLength, 20);
    EXPECT_EQ(o.battingQualifyInnings, 10);
    EXPECT_EQ(o.battingQualifyRuns, 200);
    EXPECT_EQ(o.bowlingQualifyWickets, 10);
    EXPECT_EQ(o.chartLength, 50);
    EXPECT_EQ(o.allRoundQualifyWickets, 10);
    EXPECT_EQ(o.allRoundQualifyRuns, 200);
    EXPECT_EQ(o.webBackColour, 0x00FFFFFFu);
    EXPECT_EQ(o.webLinkColour, 0x00FF0000u);
    EXPECT_EQ(o.webSelectedLinkColour, 0x00C000C0u);
    EXPECT_EQ(o.scorecardFoursSixes, 0);
    EXPECT_EQ(o.scorecardBallsFaced, 0);
    EXPECT_EQ(o.webForeColour, 0u);
    EXPECT_EQ(o.webAuthorName.raw(), std::string(100, '\0'));

    // The records.
    const WorkingSet ws(app);
    EXPECT_EQ(ws.count(RecordKind::Ground), 0);
    ASSERT_EQ(ws.count(RecordKind::Club), 2);
    const ClubRecord c1 = ws.read<ClubRecord>(1);
    EXPECT_EQ(c1.name.str(), "Northern District Cricket Club");
    EXPECT_EQ(c1.abbreviation.str(), "NDCC");
    EXPECT_EQ(ws.read<ClubRecord>(2).name.str(), "Southern");
    EXPECT_EQ(ws.read<ClubRecord>(2).abbreviation.raw(), std::string(7, ' '));
    ASSERT_EQ(ws.count(RecordKind::Grade), 1);
    EXPECT_EQ(ws.read<GradeRecord>(1).name.str(), "A Grade");
    ASSERT_EQ(ws.count(RecordKind::Alias), 3);
    const AliasRecord a1 = ws.read<AliasRecord>(1);
    EXPECT_EQ(a1.kindCode.str(), "Pla");
    EXPECT_EQ(a1.alias.str(), "J Smith");
    EXPECT_EQ(a1.name.str(), "John Smith");
    EXPECT_EQ(ws.read<AliasRecord>(2).alias.str(), "X");
    EXPECT_EQ(ws.read<AliasRecord>(2).name.str(), "Oval");
    EXPECT_EQ(ws.read<AliasRecord>(3).kindCode.str(), "Tea");
    EXPECT_EQ(ws.read<AliasRecord>(3).alias.str(), "Firsts");
    EXPECT_EQ(ws.read<AliasRecord>(3).name.str(), "Northern 1st XI");
    ASSERT_EQ(ws.count(RecordKind::Player), 3);
    ASSERT_EQ(ws.count(RecordKind::Team), 2);
    ASSERT_EQ(ws.count(RecordKind::Match), 1);
    ASSERT_EQ(ws.count(RecordKind::Innings), 2);
    ASSERT_EQ(ws.count(RecordKind::SpecialEvent), 2);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(ws.read<PlayerRecord>(i), players[static_cast<std::size_t>(i - 1)]) << "player " << i;
    }
    EXPECT_EQ(ws.read<TeamRecord>(2), teams[1]);
    EXPECT_EQ(ws.read<MatchRecord>(1), matches[0]);
    EXPECT_EQ(ws.read<InningsRecord>(1), innings[0]);
    EXPECT_EQ(ws.read<InningsRecord>(2), innings[1]);
    EXPECT_EQ(ws.read<SpecialEvent>(2), events[1]);
}

TEST_F(ConvertTest, ReadsTheSettingsFile)
{
    struct Row
    {
        const char* name;
        std::string text;
        bool ok;
        std::int32_t players, innings;
        std::string version;
        std::int16_t history, season, batsmen, bowlers;
        std::string title;
    };
    // clang-format off
    const Row rows[] = {
        {"empty file", "", true, 0, 0, "2.6d", 1, 1, 11, 11, "no title"},
        {"counts and version only", "1,2,3,4,5\r\n1.43\r\n", true, 1, 4, "1.43", 1, 1, 11, 11, "no title"},
        {"quoted version", "1,2,3,4,5\r\n \"2.6d\" \r\n", true, 1, 4, "2.6d", 1, 1, 11, 11, "no title"},
        {"first line only", "1,2,3,4,5\r\n\r\n", true, 1, 4, "2.6d", 1, 1, 11, 11, "no title"},
        {"counts line alone", "0,0,0,0,0\r\n", true, 0, 0, "2.6d", 1, 1, 11, 11, "no title"},
        {"batsmen 6, bowlers 15", "0,0,0,0,0\r\n2.6d\r\n0,0,0,0,6,15\r\n", true, 0, 0, "2.6d", 0, 0, 11, 11, "no title"},
        {"one item a line", "0\n0\n0\n70000\n0\n2.6d\n1\n0\n#FALSE#\n0\n7\n14\n", true, 0, 70000, "2.6d", 1, 0, 7, 14, "no title"},
        {"blank title", "0,0,0,0,0\r\nv\r\n0,0,0,0,11,11\r\n0,0,0,0,0,0,0,0\r\n\"   \"\r\n", true, 0, 0, "v", 0, 0, 11, 11, "no title"},
        {"unquoted title", "0,0,0,0,0\r\nv\r\n0,0,0,0,11,11\r\n0,0,0,0,0,0,0,0\r\nMy Club  \r\n", true, 0, 0, "v", 0, 0, 11, 11, "My Club"},
        {"negative count", "-1,0,0,0,0\r\n2.6d\r\n", false, 0, 0, "", 0, 0, 0, 0, ""},
        {"players past 32767", "32768,0,0,0,0\r\n2.6d\r\n", false, 0, 0, "", 0, 0, 0, 0, ""},
        {"setting past 16 bits", "0,0,0,0,0\r\n2.6d\r\n0,40000\r\n", false, 0, 0, "", 0, 0, 0, 0, ""},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const std::vector<std::uint8_t> bytes(r.text.begin(), r.text.end());
        const Result<OldSettings> s = parseOldSettings(bytes, "2.6d");
        ASSERT_EQ(s.ok(), r.ok);
        if (!r.ok) {
            EXPECT_FALSE(s.message().empty());
            continue;
        }
        EXPECT_EQ(s.value().players, r.players);
        EXPECT_EQ(s.value().innings, r.innings);
        EXPECT_EQ(s.value().version, r.version);
        EXPECT_EQ(s.value().includeHistory, r.history);
        EXPECT_EQ(s.value().seasonTwoYears, r.season);
        EXPECT_EQ(s.value().batsmenPerTeam, r.batsmen);
        EXPECT_EQ(s.value().bowlersPerTeam, r.bowlers);
        EXPECT_EQ(s.value().databaseTitle, r.title);
    }
}

TEST_F(ConvertTest, EmptySettingsAndSixBatsmenGiveTheDefaults)
{
    writeText(db("empty.cfg"), "");
    writeText(db("six.cfg"), "0,0,0,0,0\r\n2.6d\r\n0,0,0,0,6,6\r\n");
    // A name with Windows-1252 capitals: the container's name is in lower case throughout.
    writeText(db("\xC3\x89T\xC3\x89 \xC5\xA0\xC3\x97.cfg"), "0,0,0,0,0\r\n");
    const ConversionReport report =
        convert({"empty.cfg", "six.cfg", "\xC3\x89T\xC3\x89 \xC5\xA0\xC3\x97.cfg"});
    EXPECT_EQ(report.converted, (std::vector<std::string>{"empty", "six", "\xC3\x89T\xC3\x89 \xC5\xA0\xC3\x97"}));
    EXPECT_EQ(report.containers[2], "\xC3\xA9t\xC3\xA9 \xC5\xA1\xC3\x97.wkd"); // "été š×.wkd"
    EXPECT_EQ(platform.messageTexts(), (std::vector<std::string>{kOpening, kClosing}));

    const AppState empty = load(db("empty.wkd"));
    for (int k = 0; k < kRecordKindCount; ++k) {
        EXPECT_EQ(empty.header.count(static_cast<RecordKind>(k)), 0);
    }
    EXPECT_EQ(empty.header.version.str(), "2.6d");
    EXPECT_EQ(empty.header.options.databaseTitle.str(), "no title");
    EXPECT_EQ(empty.header.options.includeHistory, 1);
    EXPECT_EQ(empty.header.options.allowPlayersClub, 0);
    EXPECT_EQ(empty.header.options.seasonTwoYears, 1);
    EXPECT_EQ(empty.header.options.firstInningsOnly, 0);
    EXPECT_EQ(empty.header.options.batsmenPerTeam, 11);
    EXPECT_EQ(empty.header.options.bowlersPerTeam, 11);

    const AppState six = load(db("six.wkd"));
    EXPECT_EQ(six.header.options.batsmenPerTeam, 11);
    EXPECT_EQ(six.header.options.bowlersPerTeam, 11);
    EXPECT_EQ(six.header.options.includeHistory, 0);
}

TEST_F(ConvertTest, MissingFilesAreSkippedSilently)
{
    // Files from a system that ignores case; only the settings and the players are there.
    writeText(db("CLUB.CFG"), "1,0,0,0,0\r\n2.6d\r\n");
    players = {player("Smith J", 0, 10)};
    writeBytes(db("Club.Pla"), recordFile(players));
    const ConversionReport report = convert({"CLUB.CFG"});
    EXPECT_EQ(report.containers, std::vector<std::string>{"club.wkd"});
    EXPECT_EQ(platform.messageTexts(), (std::vector<std::string>{kOpening, kClosing}));
    EXPECT_EQ(snapshot(database()).size(), 1u);
    EXPECT_TRUE(fileExists(backup("CLUB.CFG")));
    EXPECT_TRUE(fileExists(backup("Club.Pla")));
    AppState app = load(db("club.wkd"));
    EXPECT_EQ(WorkingSet(app).read<PlayerRecord>(1), players[0]);
}

TEST_F(ConvertTest, OtherVersionsAreLeftAsTheyAre)
{
    // clang-format off
    const struct { const char* version; const char* says; } rows[] = {
        {"1.43", "Wickly version 1.43"},
        {"0.9b", "Wickly version 0.9b"},
        {"", "a version of Wickly that its settings file does not name"},
        {"3.0", "Wickly version 3.0"},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.version);
        TempFolder root;
        fs::create_directory(root.file("database"));
        // The settings after the version line make a blank one a version line that names nothing.
        writeText(root.file("database/club.cfg"), std::string("1,0,0,0,0\r\n") + r.version + "\r\n0,0,0,0,11,11\r\n");
        writeBytes(root.file("database/club.pla"), std::vector<std::uint8_t>(142, 7)); // an older layout
        const auto before = snapshot(root.file("database"));
        ScriptedPlatform p;
        const ConversionReport report = convertOldDatabases(root.path(), {"club.cfg"}, "2.6d", legacy, p);
        EXPECT_TRUE(report.converted.empty());
        EXPECT_EQ(report.leftAlone, std::vector<std::string>{"club"});
        EXPECT_EQ(snapshot(root.file("database")), before);
        EXPECT_TRUE(snapshot(root.file("backup")).empty());
        ASSERT_EQ(p.messages.size(), 3u);
        EXPECT_EQ(p.messages[1].icon, Icon::Error);
        EXPECT_NE(p.messages[1].text.find("\"club\""), std::string::npos) << p.messages[1].text;
        EXPECT_NE(p.messages[1].text.find(r.says), std::string::npos) << p.messages[1].text;
        EXPECT_EQ(p.messages[2].text, "No old database was converted.  Not converted, their files are still in the "
                                      "DATABASE subdirectory: club.");
    }
}

TEST_F(ConvertTest, AFailureLeavesTheOldFilesWhereTheyAre)
{
    // clang-format off
    const struct { const char* name; std::function<void(ConvertTest&)> spoil; const char* says; } rows[] = {
        {"players file short", [](ConvertTest& t) { writeBytes(t.db("club.pla"), recordFile(std::vector{t.players[0]})); },
         "holds fewer than the 3 players"},
        {"players file a byte short", [](ConvertTest& t) {
             std::vector<std::uint8_t> b = recordFile(t.players);
             b.pop_back();
             writeBytes(t.db("club.pla"), b); },
         "holds fewer than the 3 players"},
        {"players file missing", [](ConvertTest& t) { fs::remove(t.db("club.pla")); }, "is missing"},
        {"players file unreadable", [](ConvertTest& t) { fs::remove(t.db("club.pla")); fs::create_directory(t.db("club.pla")); },
         "could not be read"},
        {"special events cut", [](ConvertTest& t) { writeText(t.db("club.spc"), "too short"); }, "whole records"},
        {"no backup folder", [](ConvertTest& t) { writeText(t.folder.file("backup"), "a file"); }, "Backup Error 20"},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        ConvertTest& t = *this;
        fs::remove_all(database());
        fs::remove_all(folder.file("backup"));
        fs::create_directory(database());
        platform.messages.clear();
        writeClub();
        r.spoil(t);
        const auto before = snapshot(database());
        const ConversionReport report = convert({"club.cfg"});
        EXPECT_EQ(report.leftAlone, std::vector<std::string>{"club"});
        EXPECT_EQ(snapshot(database()), before); // no container, nothing gone or changed
        EXPECT_TRUE(snapshot(folder.file("backup")).empty());
        ASSERT_EQ(platform.messages.size(), 3u);
        if (std::string_view(r.says).starts_with("Backup Error")) {
            EXPECT_EQ(platform.messages[1].text, r.says); // the closing message says where the files are
        } else {
            EXPECT_NE(platform.messages[1].text.find(r.says), std::string::npos) << platform.messages[1].text;
            EXPECT_NE(platform.messages[1].text.find("DATABASE subdirectory"), std::string::npos);
        }
        EXPECT_NE(platform.messages[2].text.find("still in the DATABASE subdirectory: club."), std::string::npos);
        EXPECT_EQ(platform.busyDepth, 0);
    }

    // A database folder that cannot be written to (the superuser writes anyway).
    if (::geteuid() != 0) {
        fs::remove_all(database());
        fs::remove_all(folder.file("backup"));
        fs::create_directory(database());
        writeClub();
        const auto before = snapshot(database());
        fs::permissions(database(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        platform.messages.clear();
        const ConversionReport report = convert({"club.cfg"});
        fs::permissions(database(), fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(report.leftAlone, std::vector<std::string>{"club"});
        EXPECT_EQ(snapshot(database()), before);
        ASSERT_EQ(platform.messages.size(), 3u);
        EXPECT_NE(platform.messages[1].text.find("could not be written"), std::string::npos);
    }
}

TEST_F(ConvertTest, DeletingSkipsMissingFilesAndStopsAtAFailure)
{
    writeText(db("club.cfg"), "");
    writeText(db("club.pla"), "");
    writeText(db("other.pla"), "");
    EXPECT_EQ(deleteOldFiles(folder.path(), "club", platform), DeleteOutcome::Deleted);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(snapshot(database()).size(), 1u); // other.pla belongs to another database

    if (::geteuid() != 0) { // the superuser deletes anyway
        writeText(db("club.cfg"), "");
        fs::permissions(database(), fs::perms::owner_write, fs::perm_options::remove);
        EXPECT_EQ(deleteOldFiles(folder.path(), "club", platform), DeleteOutcome::NothingGone);
        fs::permissions(database(), fs::perms::owner_write, fs::perm_options::add);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, "File Delete Error 13");
        EXPECT_TRUE(fileExists(db("club.cfg")));
    }
}

TEST_F(ConvertTest, ExistingContainersAndBackupsAreKept)
{
    writeClub();
    writeText(db("club.wkd"), "an older container");
    fs::create_directory(folder.file("backup"));
    writeText(backup("club.pla"), "an earlier backup");
    const auto before = snapshot(database());
    const ConversionReport report = convert({"club.cfg"});
    EXPECT_EQ(report.containers, std::vector<std::string>{"club (2).wkd"});
    const auto text = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(text(db("club.wkd")), "an older container");
    EXPECT_EQ(text(backup("club.pla")), "an earlier backup");
    EXPECT_EQ(readBytes(backup("club (2).pla")), before.at("club.pla"));
    EXPECT_EQ(readBytes(backup("club (2).cfg")), before.at("club.cfg"));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].text, std::string(kClosing) +
                                             "  The database \"club\" has been saved as \"club (2).wkd\" because "
                                             "\"club.wkd\" already exists.");
    EXPECT_EQ(load(db("club (2).wkd")).header.count(RecordKind::Player), 3);
}

TEST_F(ConvertTest, StartupConvertsOnceAndThenDeletesWicklyIni)
{
    writeClub();
    writeText(folder.file("wickly.ini"), "Noball=3\r\nMPoints1=4\r\n");
    AppState app;
    const StartupResult first = prepareStartup(app, folder.path());
    ASSERT_EQ(first.oldDatabases, std::vector<std::string>{"club.cfg"});
    EXPECT_TRUE(fileExists(folder.file("wickly.ini")));
    convertAtStartup(app, platform, first);
    EXPECT_FALSE(fileExists(folder.file("wickly.ini")));
    EXPECT_EQ(load(db("club.wkd")).header.options.competitionPoints[1], 40);
    EXPECT_EQ(load(db("club.wkd")).header.options.runsPerNoBall, 3);

    // The next start finds nothing and says nothing.
    platform.messages.clear();
    const StartupResult second = prepareStartup(app, folder.path());
    EXPECT_TRUE(second.oldDatabases.empty());
    EXPECT_TRUE(convertAtStartup(app, platform, second).converted.empty());
    EXPECT_TRUE(platform.messages.empty());

    // A database that stays keeps the settings its conversion will need.
    writeText(db("old.cfg"), "0,0,0,0,0\r\n1.0\r\n");
    writeText(folder.file("wickly.ini"), "Noball=3\r\n");
    const StartupResult third = prepareStartup(app, folder.path());
    convertAtStartup(app, platform, third);
    EXPECT_TRUE(fileExists(folder.file("wickly.ini")));
    EXPECT_TRUE(fileExists(db("old.cfg")));
}

} // namespace
