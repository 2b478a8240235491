// The match import: names resolved by exact name, alias and question; records created for "New
// Entry"; real files carried through two databases; and the database left exactly as it was when
// the import is aborted, the file is malformed or the writing fails.

#include "app_state.h"
#include "exchange_fixture.h"
#include "export_model.h"
#include "json_io.h"
#include "match_file.h"
#include "match_import.h"
#include "name_resolution_model.h"
#include "scripted_platform.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#ifndef WICKLY_EXAMPLES_DIR
#error "WICKLY_EXAMPLES_DIR must name the examples folder"
#endif

using namespace wickly;
using namespace wickly::exchange;
using namespace wickly::test;

namespace {

NameAnswer answer(NameAnswer::Action a)
{
    NameAnswer n;
    n.action = a;
    return n;
}

// An asker for imports that must not ask anything.
NameAnswer neverAsked(const NameQuestion& q)
{
    ADD_FAILURE() << "unexpected question about " << q.name;
    return answer(NameAnswer::Action::Abort);
}

// The live matches in the export window's order.
std::vector<std::int32_t> listedMatches(AppState& app)
{
    ScriptedPlatform platform;
    ExportModel window(app, platform);
    std::vector<std::int32_t> out;
    for (const ExportEntry& e : window.entries) {
        out.push_back(e.match);
    }
    return out;
}

std::string exportAll(TestDatabase& db)
{
    return WriteMatchFile(db.ws, listedMatches(db.app));
}

std::vector<FileMatch> parsed(const std::string& text)
{
    Result<std::vector<FileMatch>> r = ReadMatchFile(text);
    EXPECT_TRUE(r) << r.message();
    return r ? r.value() : std::vector<FileMatch>{};
}

ImportSummary imported(AppState& app, const std::string& text, const AskName& ask)
{
    Result<ImportSummary> r = ImportMatches(app, parsed(text), ask);
    EXPECT_TRUE(r) << r.message();
    return r ? r.value() : ImportSummary{};
}

TEST(MatchImport, GivesBackTheSameFiguresUnderOtherRecordNumbers)
{
    ExchangeFixture source;
    const std::string text = WriteMatchFile(source.ws, std::vector<std::int32_t>{source.addExampleMatch()});

    ExchangeFixture target(true);
    target.addMatchWithSlots(OneDayMatch, {false, true, false, false, false}, "01/01/2001");
    const ImportSummary s = imported(target.app, text, neverAsked);
    EXPECT_EQ(s.matches, 1);
    EXPECT_EQ(s.innings, 2);
    EXPECT_EQ(s.specialEvents, 2);
    EXPECT_EQ(s.created, (std::array<int, 6>{}));
    EXPECT_TRUE(target.app.databaseChanged);

    ASSERT_EQ(target.ws.count(RecordKind::Match), 2);
    const MatchRecord m = target.ws.read<MatchRecord>(2);
    EXPECT_EQ(m.team1, 2); // Eastwood is team 2 there
    EXPECT_EQ(m.ground, 2);
    EXPECT_EQ(m.innings[1], 2); // after the innings already there
    EXPECT_EQ(m.innings[3], 3);
    EXPECT_EQ(withoutRecordNumbers(WriteMatchFile(target.ws, std::vector<std::int32_t>{2})),
              withoutRecordNumbers(text));
    // The player numbers are this database's: E One is player 4 there.
    EXPECT_EQ(target.ws.read<InningsRecord>(2).batting[1].batsman, 4);
    EXPECT_EQ(specialEventPlayer(target.ws.read<SpecialEvent>(1)), 1); // W Two's hat trick
    EXPECT_EQ(specialEventInnings(target.ws.read<SpecialEvent>(1)), 2);
    EXPECT_EQ(specialEventPlayer(target.ws.read<SpecialEvent>(2)), 3); // E Two's drop catch
    EXPECT_EQ(specialEventInnings(target.ws.read<SpecialEvent>(2)), 3);
}

TEST(MatchImport, RealMatchesComeThroughTwoDatabasesUnchanged)
{
    const std::string original = readText(std::string(WICKLY_EXAMPLES_DIR) + "/all.mxp");
    const AskName createAll = [](const NameQuestion&) { return answer(NameAnswer::Action::NewEntryForAll); };

    TestDatabase first;
    const ImportSummary s = imported(first.app, original, createAll);
    EXPECT_EQ(s.matches, 198);
    EXPECT_EQ(s.innings, 435);
    EXPECT_EQ(s.created, (std::array<int, 6>{0, 38, 653, 5, 56, 38}));
    const std::string once = exportAll(first);
    EXPECT_EQ(withoutRecordNumbers(once), withoutRecordNumbers(original));

    TestDatabase second;
    imported(second.app, once, createAll);
    EXPECT_EQ(exportAll(second), once);
    // Importing the same file again into the first database finds every name.
    EXPECT_EQ(imported(first.app, original, neverAsked).matches, 198);
}

TEST(MatchImport, TheSampleSeasonExportsAsTheRealFile)
{
    TestDatabase db;
    const std::string json = readText(std::string(WICKLY_EXAMPLES_DIR) + "/sample.json");
    ASSERT_TRUE(buildDatabaseFromJson(db.app, json));
    EXPECT_EQ(withoutRecordNumbers(exportAll(db)),
              withoutRecordNumbers(readText(std::string(WICKLY_EXAMPLES_DIR) + "/ipl.mxp")));
}

TEST(MatchImport, NewEntriesAreAskedOnceAndPlayForTheirSide)
{
    ExchangeFixture source;
    const std::string text = WriteMatchFile(source.ws, std::vector<std::int32_t>{source.addExampleMatch()});

    TestDatabase target; // the clubs under other numbers, no teams, players, ground or grade
    target.addClub("Other");
    const std::int32_t westfield = target.addClub("Westfield CC");
    const std::int32_t eastwood = target.addClub("Eastwood CC");
    std::vector<std::string> asked;
    const AskName ask = [&](const NameQuestion& q) {
        asked.push_back(std::string(kindWord(q.kind)) + " " + q.name);
        if (q.kind == NameKind::Player) {
            EXPECT_EQ(q.club1, eastwood);
            EXPECT_EQ(q.club2, westfield);
        }
        return answer(NameAnswer::Action::NewEntry);
    };
    const ImportSummary s = imported(target.app, text, ask);
    EXPECT_EQ(asked, (std::vector<std::string>{"Ground Oval", "Grade A Grade", "Team Eastwood", "Team Westfield",
                                               "Player E One", "Player E Two", "Player W One", "Player W Two"}));
    EXPECT_EQ(s.created, (std::array<int, 6>{0, 2, 4, 1, 1, 0}));
    const auto team = [&](std::int32_t n) { return target.ws.read<TeamRecord>(n); };
    const auto player = [&](std::int32_t n) { return target.ws.read<PlayerRecord>(n); };
    EXPECT_EQ(team(1).name.str(), "Eastwood");
    EXPECT_EQ(team(1).club, eastwood);
    EXPECT_EQ(team(2).club, westfield);
    ASSERT_EQ(target.ws.count(RecordKind::Player), 4);
    EXPECT_EQ(player(1).reportName.str(), "E One");
    EXPECT_EQ(player(1).club, eastwood);
    EXPECT_EQ(player(4).reportName.str(), "W Two"); // only bowled and took a hat trick
    EXPECT_EQ(player(4).club, westfield);
    EXPECT_EQ(player(4).active, 1);
    const MatchRecord m = target.ws.read<MatchRecord>(1);
    EXPECT_EQ(m.keeper1, 2);
    EXPECT_EQ(m.manOfMatch, 3);
}

TEST(MatchImport, ReferencesToRecordsTheOtherDatabaseLackedImportAsNone)
{
    ExchangeFixture source;
    const std::int32_t n = source.addExampleMatch();
    std::string text = WriteMatchFile(source.ws, std::vector<std::int32_t>{n});
    const auto replace = [&](const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    };
    replace("Grade= 1 ;A Grade", "Grade= 9 ;####");
    replace("Keeper1= 2 ;E Two", "Keeper1= 7 ;#");
    ExchangeFixture target;
    imported(target.app, text, neverAsked);
    const MatchRecord m = target.ws.read<MatchRecord>(1);
    EXPECT_EQ(m.grade, 0);
    EXPECT_EQ(m.keeper1, 0);
    EXPECT_EQ(target.ws.count(RecordKind::Grade), 1);
}

TEST(MatchImport, SpecialEventsWithoutPlayerOrKindComeThroughTwoDatabases)
{
    ExchangeFixture source;
    const std::int32_t n = source.addExampleMatch();
    const std::int32_t inn = source.ws.read<MatchRecord>(n).innings[1];
    const std::int32_t gone = source.addPlayer("W Three", 2);
    source.addPlayer("W Four", 2); // so that deleting W Three keeps his slot
    source.ws.append(makeSpecialEvent(inn, 0, kDropCatch));           // no player
    source.ws.append(makeSpecialEvent(inn, 3, std::string(11, ' '))); // no kind chosen
    source.ws.append(makeSpecialEvent(inn, gone, kHatTrick));         // a player deleted since
    source.ws.deletePlayer(gone);
    const std::string text = WriteMatchFile(source.ws, std::vector<std::int32_t>{n});
    for (const char* line :
         {"Special= -;;Drop Catch \r\n", "Special= 3;W One;           \r\n", "Special= 5;#;Hat Trick  \r\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }

    // Through a database that numbers everything differently and back into one like the source:
    // the same file, except that the deleted player has become player 0.
    ExchangeFixture first(true);
    EXPECT_EQ(imported(first.app, text, neverAsked).specialEvents, 5);
    ExchangeFixture second;
    const std::string through = WriteMatchFile(first.ws, std::vector<std::int32_t>{1});
    EXPECT_EQ(imported(second.app, through, neverAsked).specialEvents, 5);
    std::string expected = text;
    expected.replace(expected.find("Special= 5;#;"), 13, "Special= -;;");
    EXPECT_EQ(WriteMatchFile(second.ws, std::vector<std::int32_t>{1}), expected);
    // Stored as the special events window stores them: player 0 as " -", no kind as blanks.
    EXPECT_EQ(second.ws.read<SpecialEvent>(2).text.raw(), " 1    -   Drop Catch ");
    EXPECT_EQ(second.ws.read<SpecialEvent>(3).text.raw(), " 1    3              ");
    EXPECT_EQ(second.ws.read<SpecialEvent>(4).text.raw(), " 1    -   Hat Trick  ");
}

TEST(MatchImport, RememberedLongNamesAreFoundAgain)
{
    ExchangeFixture source;
    const std::string text = WriteMatchFile(source.ws, std::vector<std::int32_t>{source.addExampleMatch()});

    // Names longer than the 30 characters an alias keeps, and a player's report name of 30.
    ExchangeFixture target;
    const auto rename = [&](auto record, std::int32_t n, const char* name) {
        record = target.ws.read<decltype(record)>(n);
        record.name.assign(name);
        target.ws.write(n, record);
    };
    rename(ClubRecord{}, 1, "Eastwood and District Cricket Club Inc");
    rename(GradeRecord{}, 1, "A Grade One Day Championship 2002");
    rename(GroundRecord{}, 1, "Oval Number Two, Eastwood Reserve");
    PlayerRecord p = target.ws.read<PlayerRecord>(2);
    p.reportName.assign("Edward Two of Eastwood Seconds");
    target.ws.write(2, p);

    std::vector<std::string> asked;
    const AskName remember = [&](const NameQuestion& q) {
        asked.push_back(std::string(kindWord(q.kind)) + " " + q.name);
        NameAnswer a = answer(NameAnswer::Action::Use);
        a.record = q.kind == NameKind::Player ? 2 : 1;
        a.remember = true;
        return a;
    };
    EXPECT_EQ(imported(target.app, text, remember).aliases, 4);
    EXPECT_EQ(asked, (std::vector<std::string>{"Ground Oval", "Grade A Grade", "Club Eastwood CC", "Player E Two"}));
    std::vector<std::string> stored;
    for (std::int32_t i = 1; i <= target.ws.count(RecordKind::Alias); ++i) {
        stored.push_back(target.ws.read<AliasRecord>(i).name.str());
    }
    EXPECT_EQ(stored, (std::vector<std::string>{"Oval Number Two, Eastwood Rese", "A Grade One Day Championship 2",
                                                "Eastwood and District Cricket", "Edward Two of Eastwood Seconds"}));

    // The next import finds every one of them through its alias.
    EXPECT_EQ(imported(target.app, text, neverAsked).matches, 1);
    const MatchRecord m = target.ws.read<MatchRecord>(2);
    EXPECT_EQ(m.ground, 1);
    EXPECT_EQ(m.grade, 1);
    EXPECT_EQ(m.keeper1, 2);
    EXPECT_EQ(target.ws.count(RecordKind::Club), 2);
}

// The desktop import: the file dialog, the name resolution windows and the final report.
class DesktopImportTest : public ::testing::Test
{
protected:
    DesktopImportTest()
    {
        const std::string text =
            WriteMatchFile(m_source.ws, std::vector<std::int32_t>{m_source.addExampleMatch()});
        m_file = m_source.folder.file("matches.mxp");
        writeBytes(m_file, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    // Runs the import with the window answered by `play`, one call per window.
    void runImport(TestDatabase& db, const std::function<void(NameResolutionModel&)>& play)
    {
        m_platform.fileAnswers.push_back(m_file);
        m_platform.onModal = [&](WindowModel& w) {
            auto* window = dynamic_cast<NameResolutionModel*>(&w);
            ASSERT_NE(window, nullptr);
            ++m_windows;
            play(*window);
        };
        ImportMatchFile(db.app, m_platform);
        EXPECT_EQ(m_platform.busyDepth, 0);
    }

    static void choose(NameResolutionModel& w, const std::string& text)
    {
        for (std::size_t i = 0; i < w.entries.size(); ++i) {
            if (w.entries[i].text.starts_with(text)) {
                w.entryChosen(static_cast<int>(i));
                return;
            }
        }
        ADD_FAILURE() << "no entry " << text;
    }

    ExchangeFixture m_source;
    std::string m_file;
    ScriptedPlatform m_platform;
    int m_windows = 0;
};

TEST_F(DesktopImportTest, RememberedNamesAreReusedByTheNextImport)
{
    ExchangeFixture target;
    TeamRecord t = target.ws.read<TeamRecord>(1);
    t.name.assign("Eastwood 1st XI");
    target.ws.write(1, t);
    // A used alias slot and a free one: the new alias takes the free slot.
    target.ws.append(AliasRecord{FixedText<3>::of("Pla"), FixedText<50>::of("Eddie"), FixedText<50>::of("E One")});
    target.ws.append(AliasRecord{FixedText<3>::of(""), {}, {}});
    target.ws.append(AliasRecord{FixedText<3>::of("Gro"), FixedText<50>::of("Elsewhere"), FixedText<50>::of("Oval")});

    runImport(target, [&](NameResolutionModel& w) {
        EXPECT_EQ(w.caption, "Team Selection");
        EXPECT_EQ(w.label, "\"Eastwood\" could not be found, select from list or 'New Entry'");
        choose(w, "Eastwood 1st XI");
        w.rememberClicked();
    });
    EXPECT_EQ(m_windows, 1);
    ASSERT_EQ(target.ws.count(RecordKind::Alias), 3);
    const AliasRecord a = target.ws.read<AliasRecord>(2);
    EXPECT_EQ(a.kindCode.raw(), "Tea");
    EXPECT_EQ(a.alias.str(), "Eastwood");
    EXPECT_EQ(a.name.str(), "Eastwood 1st XI");
    EXPECT_EQ(target.ws.read<MatchRecord>(1).team1, 1);
    EXPECT_EQ(m_platform.messageTexts().back(),
              "1 match imported with 2 innings.\nNew records: none.\n2 special fielding events added.\n"
              "1 alias remembered for later imports.");

    runImport(target, [](NameResolutionModel&) {});
    EXPECT_EQ(m_windows, 1); // nothing asked the second time
    EXPECT_EQ(target.ws.count(RecordKind::Match), 2);
    EXPECT_EQ(target.ws.read<MatchRecord>(2).team1, 1);
}

TEST_F(DesktopImportTest, AbortLeavesTheDatabaseByteForByte)
{
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Abort");
        TestDatabase target; // clubs and teams only
        target.addClub("Eastwood CC");
        target.addClub("Westfield CC");
        target.addTeam("Eastwood", 1);
        target.addTeam("Westfield", 2);
        target.addNamed<GroundRecord>("Park");
        // Remember a ground, create the grade, then stop at the first player.
        target.app.databaseChanged = false;
        const DatabaseState start = stateOf(target);
        m_windows = 0;
        runImport(target, [&](NameResolutionModel& w) {
            if (w.question().kind == NameKind::Ground) {
                choose(w, "Park");
                w.rememberClicked();
            } else if (w.question().kind == NameKind::Grade) {
                w.newEntryClicked();
            } else if (closeBox) {
                w.closeBoxClicked();
            } else {
                w.abortClicked();
            }
        });
        EXPECT_EQ(m_windows, 3);
        EXPECT_TRUE(stateOf(target) == start);
        EXPECT_EQ(m_platform.messageTexts().back(), "Import aborted. Nothing has been imported.");
    }
}

TEST_F(DesktopImportTest, AMalformedFileChangesNothing)
{
    std::string text = readText(m_file);
    text.replace(text.find("Innings= 2 "), 11, "Innings= 7 ");
    writeBytes(m_file, std::vector<std::uint8_t>(text.begin(), text.end()));
    ExchangeFixture target(true);
    target.app.databaseChanged = false;
    const DatabaseState start = stateOf(target);
    runImport(target, [](NameResolutionModel&) {});
    EXPECT_EQ(m_windows, 0);
    EXPECT_TRUE(stateOf(target) == start);
    ASSERT_EQ(m_platform.messages.size(), 1U);
    EXPECT_EQ(m_platform.messages[0].icon, Icon::Error);
    EXPECT_EQ(m_platform.messages[0].text,
              "The file \"" + m_file + "\" cannot be imported. Line 34: the innings 7 of \"Innings=\" is outside "
                                       "1..4.\nNothing has been imported.");
    EXPECT_EQ(m_platform.openDialogs[0].title, "Import Matches");
    EXPECT_EQ(m_platform.openDialogs[0].filter, "Match Files (*.MXP)|*.mxp|All Files (*.*)|*.*");
}

TEST_F(DesktopImportTest, AFailedWriteIsUndone)
{
    // The special events are written last and their count is at its limit: the clubs, players,
    // innings and the rest written before are taken back.
    TestDatabase target;
    target.addClub("Eastwood CC");
    target.ws.setCount(RecordKind::SpecialEvent, maxCount(RecordKind::SpecialEvent));
    target.app.databaseChanged = false;
    const DatabaseState start = stateOf(target);
    runImport(target, [](NameResolutionModel& w) { w.newEntryForAllClicked(); });
    EXPECT_EQ(m_windows, 1);
    EXPECT_TRUE(stateOf(target) == start);
    EXPECT_EQ(m_platform.messages.back().icon, Icon::Error);
    EXPECT_NE(m_platform.messages.back().text.find("Nothing has been imported."), std::string::npos)
        << m_platform.messages.back().text;
}

} // namespace
