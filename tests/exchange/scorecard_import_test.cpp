// The scorecard import: batting and bowling lines of printed scorecards read into rows, the
// window's file loading and labels, and the players resolved like those of a match import.

#include "exchange_fixture.h"
#include "name_resolution_model.h"
#include "scorecard_import_model.h"
#include "scorecard_model.h"
#include "scripted_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace wickly;
using namespace wickly::exchange;
using namespace wickly::test;

namespace {

struct BattingCase
{
    const char* line;
    std::int16_t howOut;
    const char* batsman;
    const char* fieldsman;
    const char* bowler;
    const char* runs;
    const char* balls;
    bool substitute;
};

TEST(ScorecardLines, ReadsTheBatsmenOfPrintedCards)
{
    // clang-format off
    const BattingCase cases[] = {
        {"V Kohli  c RA Jadeja b Harbhajan Singh   6  12  1  0", Caught, "V Kohli", "RA Jadeja", "Harbhajan Singh", "6", "12", false},
        {"MM Ali\tc & b Harbhajan Singh\t9\t8",                 CaughtAndBowled, "MM Ali", "", "Harbhajan Singh", "9", "8", false},
        {"AB de Villiers lbw b Imran Tahir 9 10 0 0 90.00",     Lbw, "AB de Villiers", "", "Imran Tahir", "9", "10", false},
        {"SO Hetmyer run out (Jadeja/Dhoni) 0 2",               RunOut, "SO Hetmyer", "Jadeja", "Dhoni", "0", "2", false},
        {"KM Jadhav not out 13",                                NotOut, "KM Jadhav", "", "", "13", "", false},
        {"MS Dhoni*\x86 st Pant b Chahal 12",                   Stumped, "MS Dhoni", "Pant", "Chahal", "12", "", false},
        {"B Kumar b B Lee 4",                                   Bowled, "B Kumar", "", "B Lee", "4", "", false},
        {"J Smith c sub (T Jones) b Brown 5",                   Caught, "J Smith", "", "Brown", "5", "", true},
        {"I Sharma absent hurt",                                AbsentHurt, "I Sharma", "", "", "", "", false},
        {"JJ Bumrah did not bat",                               DidNotBat, "JJ Bumrah", "", "", "", "", false},
        {"R Sharma retired hurt 20 31",                         RetiredHurt, "R Sharma", "", "", "20", "31", false},
        {"P Shaw hit wicket b Boult 3",                         HitWicket, "P Shaw", "", "Boult", "3", "", false},
    };
    // clang-format on
    for (const BattingCase& c : cases) {
        SCOPED_TRACE(c.line);
        const std::optional<ImportedBatting> b = parseBattingLine(c.line);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->howOut, c.howOut);
        EXPECT_EQ(b->batsman, c.batsman);
        EXPECT_EQ(b->fieldsman, c.fieldsman);
        EXPECT_EQ(b->bowler, c.bowler);
        EXPECT_EQ(b->runs, c.runs);
        EXPECT_EQ(b->balls, c.balls);
        EXPECT_EQ(b->substitute, c.substitute);
    }
    const std::optional<ImportedBatting> all = parseBattingLine("V Kohli c Jadeja b Singh 60 45 5 2");
    ASSERT_TRUE(all);
    EXPECT_EQ(all->fours, "5");
    EXPECT_EQ(all->sixes, "2");
    for (const char* notBatting : {"Extras (b 1, lb 2) 3", "Total (5 wickets, 20 overs) 180", "", "V Kohli",
                                   "V Kohli c Jadeja b Singh", "Fall of wickets: 1-16 2-50"}) {
        SCOPED_TRACE(notBatting);
        EXPECT_FALSE(parseBattingLine(notBatting));
    }
}

TEST(ScorecardLines, ReadsBowlingFigures)
{
    const std::optional<ImportedBowling> a = parseBowlingLine("DL Chahar   4   0  17   0");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->bowler, "DL Chahar");
    EXPECT_EQ(a->overs, "4");
    EXPECT_EQ(a->maidens, "0");
    EXPECT_EQ(a->runs, "17");
    EXPECT_EQ(a->wickets, "0");
    const std::optional<ImportedBowling> b = parseBowlingLine("Imran Tahir\t3.4\t1\t9\t3\t2.45\t0\t1");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->bowler, "Imran Tahir");
    EXPECT_EQ(b->overs, "3.4");
    EXPECT_EQ(b->wickets, "3");
    for (const char* notBowling : {"4 0 17 0", "DL Chahar 4 0 17", "DL Chahar 4 0.5 17 0", "DL Chahar"}) {
        SCOPED_TRACE(notBowling);
        EXPECT_FALSE(parseBowlingLine(notBowling));
    }
}

class ScorecardImportTest : public ::testing::Test, public ExchangeFixture
{
protected:
    ScorecardImportTest() : model(app, platform)
    {
        PlayerRecord p = ws.read<PlayerRecord>(3);
        p.lastName.assign("One");
        p.firstName.assign("Walter");
        ws.write(3, p);
        ws.append(AliasRecord{FixedText<3>::of("Pla"), FixedText<50>::of("Eddie"), FixedText<50>::of("E Two")});
    }

    void load(const std::string& text)
    {
        writeBytes(folder.file("card.txt"), std::vector<std::uint8_t>(text.begin(), text.end()));
        platform.fileAnswers.push_back(folder.file("card.txt"));
        model.loadClicked();
    }

    ScriptedPlatform platform;
    ScorecardImportModel model;
};

TEST_F(ScorecardImportTest, LoadsLinesAndShowsTheLabelOfItsPage)
{
    model.open(ScorecardImportMode::Batting, 1, 2);
    EXPECT_TRUE(model.visible);
    EXPECT_EQ(model.label, "Select all lines containing the batsman scores for this innings:");
    load("first\r\n\r\n  second  \nthird");
    EXPECT_EQ(model.lines, (std::vector<std::string>{"first", "", "  second  ", "third"}));
    EXPECT_EQ(platform.openDialogs[0].title, "Select Scorecard File");
    EXPECT_EQ(platform.openDialogs[0].filter, "Text Files (*.TXT)|*.txt|All Files (*.*)|*.*");
    model.cancelClicked();
    EXPECT_FALSE(model.visible);
    model.open(ScorecardImportMode::Bowling, 2, 1);
    EXPECT_EQ(model.label, "Select all lines containing the bowling figures for this innings:");
    EXPECT_EQ(model.lines.size(), 4U); // kept while the window exists
    load("");
    EXPECT_TRUE(model.lines.empty());
    platform.fileAnswers.push_back(std::nullopt);
    model.loadClicked(); // cancelled: nothing changes
    EXPECT_TRUE(model.lines.empty());
}

TEST_F(ScorecardImportTest, ResolvesNamesByReportNameAliasSurnameAndQuestion)
{
    model.open(ScorecardImportMode::Batting, 1, 2);
    load("E One c One b W Two 45 70\nEddie not out 12\nNew Lad run out (sub) 0\nTotal 57\n");
    model.selectionChanged({0, 1, 2});
    std::vector<std::string> asked;
    platform.onModal = [&](WindowModel& w) {
        auto& window = dynamic_cast<NameResolutionModel&>(w);
        asked.push_back(window.question().name);
        window.newEntryClicked();
    };
    model.importClicked();
    EXPECT_EQ(asked, std::vector<std::string>{"New Lad"});
    ASSERT_TRUE(model.imported);
    EXPECT_FALSE(model.visible);
    ASSERT_EQ(model.batting.size(), 3U);
    EXPECT_EQ(model.batting[0].batsmanNumber, 1);
    EXPECT_EQ(model.batting[0].fieldsmanNumber, 3); // "One": Walter One's last name, of the bowling side
    EXPECT_EQ(model.batting[0].bowlerNumber, 4);
    EXPECT_EQ(model.batting[1].batsmanNumber, 2); // the alias
    EXPECT_EQ(model.batting[2].fieldsmanNumber, kSubstitute);
    ASSERT_EQ(ws.count(RecordKind::Player), 5);
    EXPECT_EQ(model.batting[2].batsmanNumber, 5);
    EXPECT_EQ(ws.read<PlayerRecord>(5).reportName.str(), "New Lad");
    EXPECT_EQ(ws.read<PlayerRecord>(5).club, 1); // the batting side's club
}

TEST_F(ScorecardImportTest, TheSameNameOnEachSideIsTwoPlayers)
{
    const std::int32_t jSmith = addPlayer("J Smith", 1);
    const std::int32_t kSmith = addPlayer("K Smith", 2);
    const std::int32_t jonesOfEastwood = addPlayer("Jones", 1);
    const std::int32_t jonesOfWestfield = addPlayer("Jones", 2);
    model.open(ScorecardImportMode::Batting, 1, 2);
    // A surname, a report name both clubs use, and a name neither knows, each batting and fielding.
    load("Smith c Smith b W Two 10\nJones st Jones b W Two 3\nNew Lad c New Lad b W Two 0\n");
    model.selectionChanged({0, 1, 2});
    int asked = 0;
    platform.onModal = [&](WindowModel& w) {
        ++asked;
        dynamic_cast<NameResolutionModel&>(w).newEntryClicked();
    };
    model.importClicked();
    ASSERT_TRUE(model.imported);
    EXPECT_EQ(model.batting[0].batsmanNumber, jSmith);
    EXPECT_EQ(model.batting[0].fieldsmanNumber, kSmith);
    EXPECT_EQ(model.batting[1].batsmanNumber, jonesOfEastwood);
    EXPECT_EQ(model.batting[1].fieldsmanNumber, jonesOfWestfield);
    EXPECT_EQ(asked, 2);
    const PlayerRecord batsman = ws.read<PlayerRecord>(model.batting[2].batsmanNumber);
    const PlayerRecord fielder = ws.read<PlayerRecord>(model.batting[2].fieldsmanNumber);
    EXPECT_EQ(batsman.reportName.str(), "New Lad");
    EXPECT_EQ(batsman.club, 1);
    EXPECT_EQ(fielder.reportName.str(), "New Lad");
    EXPECT_EQ(fielder.club, 2);
}

TEST_F(ScorecardImportTest, ImportedLinesFillTheScorecardRowsAsTyped)
{
    matches::ScorecardHandOver h;
    h.slot = 1;
    h.ballsPerOver = 6;
    h.battingClub = 1;
    h.bowlingClub = 2;
    h.battingTeam = "Firsts";
    h.runsPerWide = 1;
    h.runsPerNoBall = 1;
    matches::ScorecardModel card(app, platform, h);
    ASSERT_FALSE(card.closed);

    model.open(ScorecardImportMode::Batting, 1, 2);
    load("E One c One b W Two 45 70 6 1\nNew Lad run out (sub) 0\n");
    model.selectionChanged({0, 1});
    platform.onModal = [](WindowModel& w) { dynamic_cast<NameResolutionModel&>(w).newEntryClicked(); };
    model.importClicked();
    ASSERT_TRUE(model.imported);
    applyImport(model, card);
    const matches::BattingRow& first = card.batting[1];
    EXPECT_EQ(first.batsmanNumber, 1);
    EXPECT_EQ(first.howOutPosition, matches::howOutPosition(Caught));
    EXPECT_EQ(first.fieldsmanNumber, 3);
    EXPECT_EQ(first.bowlerNumber, 4);
    EXPECT_EQ(first.runs, "45");
    EXPECT_EQ(first.balls, "70");
    EXPECT_EQ(first.fours, "6");
    EXPECT_EQ(first.sixes, "1");
    // The player the import created is in the lists and on the row.
    const matches::BattingRow& second = card.batting[2];
    EXPECT_EQ(second.batsmanNumber, 5);
    EXPECT_EQ(second.batsman, "New Lad");
    EXPECT_EQ(second.howOutPosition, matches::howOutPosition(RunOut));
    EXPECT_EQ(second.fieldsmanNumber, kSubstitute);
    EXPECT_EQ(second.runs, "0");
    EXPECT_EQ(card.batting[3].batsmanNumber, 0);
    EXPECT_EQ(card.selectedRow, 1);
    EXPECT_TRUE(card.changed());

    model.open(ScorecardImportMode::Bowling, 1, 2);
    load("W One 4 0 17 1\nW Two 3.2 1 20 0\n");
    model.selectionChanged({0, 1});
    model.importClicked();
    applyImport(model, card);
    EXPECT_EQ(card.bowling[1].bowler.selectedRecord(), 3);
    EXPECT_EQ(card.bowling[1].overs, "4");
    EXPECT_EQ(card.bowling[1].runs, "17");
    EXPECT_EQ(card.bowling[1].wickets, "1");
    EXPECT_EQ(card.bowling[2].bowler.selectedRecord(), 4);
    EXPECT_EQ(card.bowling[2].overs, "3.2");
    EXPECT_EQ(card.bowling[2].maidens, "1");
    EXPECT_EQ(card.bowlersOvers, "7.2");
}

TEST_F(ScorecardImportTest, RefusalsAndAbortImportNothing)
{
    model.open(ScorecardImportMode::Bowling, 1, 2);
    load("W One 4 0 17 1\nExtras 5\nNobody 3 0 20 0\n");
    model.importClicked();
    EXPECT_EQ(platform.messageTexts().back(), "Select the lines to import from the list first");
    model.selectionChanged({0, 1});
    model.importClicked();
    EXPECT_EQ(platform.messageTexts().back(),
              "These lines are not bowling figures (name, overs, maidens, runs, wickets):\nLine 2: Extras 5");
    EXPECT_FALSE(model.imported);
    EXPECT_TRUE(model.bowling.empty());

    model.selectionChanged({0, 2});
    platform.onModal = [](WindowModel& w) { dynamic_cast<NameResolutionModel&>(w).abortClicked(); };
    const DatabaseState before = stateOf(*this);
    model.importClicked();
    EXPECT_FALSE(model.imported);
    EXPECT_TRUE(model.bowling.empty());
    EXPECT_TRUE(stateOf(*this) == before);
}

} // namespace
