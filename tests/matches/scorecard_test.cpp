// The scorecard window: opening and the populate question, what the row editor offers by
// "Allow Players for" and by how-out, the player lists, the totals, the checks of "OK" in their
// order, the innings record it writes, closing, and the hand-back to the match details window.

#include "match_details_model.h"
#include "match_fixture.h"
#include "player_editor_model.h"
#include "scorecard_model.h"
#include "special_events_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace wickly;
using namespace wickly::matches;
using wickly::test::MatchFixture;

class ScorecardTest : public ::testing::Test, public MatchFixture
{
protected:
    ScorecardTest()
    {
        // Player 7 is deleted, so the first of these takes its slot.
        ash = addPlayer("N Ash", club(northern), "Ash", "Al");
        birch = addPlayer("N Birch", club(northern), "Birch", "Bo");
        cole = addPlayer("N Cole", club(northern), "Cole", "Cy");
        app.header.options.batsmenPerTeam = 7;
        app.header.options.bowlersPerTeam = 7;
    }

    // Slot 1: Northern batting against Southern, six balls an over, one run a wide and a no ball.
    ScorecardHandOver handOver(int slot = 1, std::int16_t bat = 1, std::int16_t bowl = 2)
    {
        ScorecardHandOver h;
        h.slot = slot;
        h.ballsPerOver = 6;
        h.battingClub = bat;
        h.bowlingClub = bowl;
        h.battingTeam = "Northern XI";
        h.runsPerWide = 1;
        h.runsPerNoBall = 1;
        h.extrasAgainstBowlers = true;
        return h;
    }

    static int indexOf(const EntryList& list, std::int32_t record)
    {
        for (std::size_t i = 0; i < list.entries.size(); ++i) {
            if (list.entries[i].record == record) {
                return static_cast<int>(i);
            }
        }
        ADD_FAILURE() << "no entry for " << record;
        return -1;
    }

    static std::vector<std::int32_t> records(const EntryList& list)
    {
        std::vector<std::int32_t> out;
        for (const Entry& e : list.entries) {
            out.push_back(e.record);
        }
        return out;
    }

    struct Bat
    {
        std::int32_t batsman = 0;
        int howOut = 0;
        const char* runs = "";
        std::int32_t fieldsman = 0; // 0: none chosen
        std::int32_t bowler = 0;
        const char* balls = "";
        const char* fours = "";
        const char* sixes = "";
    };

    // Types row `row` through the row editor as a scorer would.
    static void bat(ScorecardModel& m, int row, const Bat& b)
    {
        m.rowSelected(row);
        if (b.batsman != 0) {
            m.batsmanChosen(indexOf(m.batsmanList, b.batsman));
        }
        m.howOutChosen(b.howOut);
        if (b.fieldsman != 0) {
            m.fieldsmanChosen(indexOf(m.fieldsmanList, b.fieldsman));
        }
        if (b.bowler != 0) {
            m.bowlerChosen(indexOf(m.bowlerList, b.bowler));
        }
        m.numberEdited(EditorField::Runs, b.runs);
        m.numberEdited(EditorField::Balls, b.balls);
        m.numberEdited(EditorField::Fours, b.fours);
        m.numberEdited(EditorField::Sixes, b.sixes);
    }

    static void bowl(ScorecardModel& m, int row, std::int32_t bowler, const std::string& ov, const std::string& ma,
                     const std::string& runs, const std::string& wkts)
    {
        m.bowlerListOpened(row);
        if (bowler != 0) {
            m.bowlingBowlerChosen(row, indexOf(m.bowling[static_cast<std::size_t>(row)].bowler, bowler));
        }
        m.bowlingEdited(row, BowlingField::Overs, ov);
        m.bowlingEdited(row, BowlingField::Maidens, ma);
        m.bowlingEdited(row, BowlingField::Runs, runs);
        m.bowlingEdited(row, BowlingField::Wickets, wkts);
    }

    std::vector<std::uint8_t> stored(std::int32_t innings) const { return ws.readRaw(RecordKind::Innings, innings); }

    // Two wickets, one to each bowler, 30 runs in all and a status: an innings "OK" saves at once.
    void consistentInnings(ScorecardModel& m)
    {
        bat(m, 1, {.batsman = 1, .howOut = Bowled, .runs = "10", .bowler = 4});
        bat(m, 2, {.batsman = 2, .howOut = Caught, .runs = "15", .fieldsman = 5, .bowler = 5});
        bat(m, 3, {.batsman = ash, .howOut = NotOut, .runs = "5"});
        bowl(m, 1, 4, "3", "0", "14", "1");
        bowl(m, 2, 5, "2.4", "0", "16", "1");
        m.statusChosen(AllOut);
    }

    std::int32_t ash = 0;
    std::int32_t birch = 0;
    std::int32_t cole = 0;
};

// ---- Opening ------------------------------------------------------------------------------------

TEST_F(ScorecardTest, OpeningAnEmptySlotCreatesItsInningsAndOffersTheClubsActivePlayers)
{
    app.header.options.batsmenPerTeam = 11;
    ScorecardModel m(app, platform, handOver());
    ASSERT_FALSE(m.closed);
    EXPECT_EQ(m.caption, "Northern XI Innings");
    EXPECT_EQ(m.handOver.innings[1], 1);
    EXPECT_EQ(m.inningsRecord(), 1);
    EXPECT_EQ(ws.count(RecordKind::Innings), 1);
    EXPECT_EQ(stored(1), std::vector<std::uint8_t>(637, 0));
    EXPECT_FALSE(m.changed());
    EXPECT_EQ(platform.busyDepth, 0);
    EXPECT_TRUE(platform.messages.empty());

    EXPECT_EQ(m.nbat, 11);
    EXPECT_EQ(m.fallOfWicketsShown(), 10);
    EXPECT_EQ(m.batting[11].howOut, "dnb");
    EXPECT_EQ(m.selectedRow, 1);

    // Batsmen of the batting club, fielders and bowlers of the bowling club; inactive (3) and
    // deleted players are left out, a substitute can field.
    EXPECT_EQ(records(m.batsmanList), (std::vector<std::int32_t>{0, 1, 2, ash, birch, cole}));
    EXPECT_EQ(records(m.fieldsmanList), (std::vector<std::int32_t>{0, -2, 4, 5}));
    EXPECT_EQ(records(m.bowlerList), (std::vector<std::int32_t>{0, 4, 5}));
    EXPECT_EQ(m.fieldsmanList.entries[1].text.substr(0, 4), "sub ");
    EXPECT_EQ(m.batsmanList.entries[1].text, "Smith, Ned" + std::string(40, ' '));
    EXPECT_EQ(records(m.bowling[1].bowler), (std::vector<std::int32_t>{0, 4, 5}));
}

TEST_F(ScorecardTest, ListPlayersOptionsRefillTheListsAndKeepTheChoice)
{
    ScorecardModel m(app, platform, handOver());
    m.batsmanChosen(indexOf(m.batsmanList, 2));

    m.listPlayersChosen(ListPlayers::All);
    EXPECT_EQ(records(m.batsmanList), (std::vector<std::int32_t>{0, 2, 1, 3, ash, birch, cole}));
    EXPECT_EQ(m.batsmanList.selectedRecord(), 2);

    m.listPlayersChosen(ListPlayers::Global);
    EXPECT_EQ(records(m.batsmanList), (std::vector<std::int32_t>{0, 2, 1, 3, 4, 5, 6, ash, birch, cole}));
    EXPECT_EQ(records(m.fieldsmanList), (std::vector<std::int32_t>{0, -2, 1, 2, 3, 4, 5, 6, ash, birch, cole}));

    // A row whose player the list does not offer gets an entry for that player.
    m.rowSelected(2);
    m.batsmanChosen(indexOf(m.batsmanList, 6));
    m.rowSelected(1);
    m.listPlayersChosen(ListPlayers::Active);
    EXPECT_EQ(records(m.batsmanList), (std::vector<std::int32_t>{0, 2, 1, ash, birch, cole}));
    m.rowSelected(2);
    EXPECT_EQ(m.batsmanList.selectedRecord(), 6);
    EXPECT_EQ(m.batsmanList.entries.back().record, 6);
    EXPECT_EQ(m.batting[2].batsman, "Black, Vic");
}

TEST_F(ScorecardTest, SecondInningsMayStartWithTheFirstInningsPlayers)
{
    InningsRecord first;
    for (std::size_t k = 1; k <= 7; ++k) {
        first.batting[k] = BattingLine{.batsman = static_cast<std::int16_t>(k < 4 ? k : 0),
                                       .howOut = Bowled,
                                       .fieldsman = -1,
                                       .bowler = 4,
                                       .runs = 9,
                                       .fowScore = 20,
                                       .fowBatsman = 1};
    }
    first.batting[8].batsman = 2; // beyond the batsmen per team
    first.bowling[1] = BowlingLine{.bowler = 4, .wickets = 3, .runsConceded = 20, .maidens = 1, .overs = 5.0F};
    first.bowling[2] = BowlingLine{.bowler = 5, .wickets = 0, .runsConceded = 10, .maidens = 0, .overs = 3.0F};
    first.byes = 4;
    first.status = AllOut;
    const std::int32_t firstInnings = ws.AllocateInnings();
    ws.write(firstInnings, first);

    ScorecardHandOver h = handOver(2);
    h.innings[1] = firstInnings;

    platform.buttonAnswers = {Button::Yes};
    ScorecardModel yes(app, platform, h);
    ASSERT_EQ(platform.messageTexts(),
              std::vector<std::string>{"Do you wish to populate scorecard with players from the 1st innings?"});
    EXPECT_EQ(platform.messages.back().icon, Icon::Question);
    EXPECT_EQ(platform.messages[0].buttons, Buttons::YesNo);
    EXPECT_EQ(platform.busyDepth, 0);
    InningsRecord expected;
    for (std::size_t k = 1; k <= 3; ++k) {
        expected.batting[k].batsman = static_cast<std::int16_t>(k);
    }
    expected.bowling[1].bowler = 4;
    expected.bowling[2].bowler = 5;
    EXPECT_EQ(ws.read<InningsRecord>(yes.inningsRecord()), expected);
    EXPECT_EQ(yes.batting[3].batsman, "Brown, Neil");
    EXPECT_EQ(yes.batting[3].howOut, "dnb");
    EXPECT_EQ(yes.batting[3].runs, "");
    EXPECT_EQ(yes.bowling[2].bowler.selectedRecord(), 5);
    EXPECT_EQ(yes.bowling[2].runs, "");
    EXPECT_FALSE(yes.changed());

    platform.buttonAnswers = {Button::No};
    ScorecardModel no(app, platform, h);
    EXPECT_EQ(ws.read<InningsRecord>(no.inningsRecord()), InningsRecord{});
    EXPECT_EQ(no.batting[1].batsman, "");

    // The first innings of a team, and a second innings whose first is missing, ask nothing.
    platform.messages.clear();
    ScorecardModel firstSlot(app, platform, handOver(1));
    ScorecardModel noFirst(app, platform, handOver(4, 2, 1));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ScorecardTest, ReopeningShowsTheStoredInningsAndSavingItAgainChangesNothing)
{
    InningsRecord r;
    r.oversTimesTen = 455;
    r.batting[1] = BattingLine{.batsman = 1,
                               .howOut = Caught,
                               .fieldsman = -2,
                               .bowler = 4,
                               .runs = 50,
                               .fowScore = 30,
                               .fowBatsman = 2,
                               .ballsFaced = 70,
                               .fours = 6,
                               .sixes = 2};
    r.batting[2] = BattingLine{.batsman = 2, .howOut = Stumped, .fieldsman = 5, .bowler = 4, .runs = 3};
    r.batting[3] = BattingLine{.batsman = static_cast<std::int16_t>(ash), .howOut = AbsentIll};
    r.batting[4] = BattingLine{.batsman = 7 + 100, .howOut = NotOut, .runs = 5}; // not a player: left out
    r.bowling[1] = BowlingLine{.bowler = 4, .wickets = 2, .runsConceded = 53, .maidens = 1, .overs = 7.4F};
    r.bowling[2] = BowlingLine{.bowler = 5, .wickets = 0, .runsConceded = 0, .maidens = 0, .overs = 0.5F};
    r.status = Abandoned;
    r.byes = 3;
    const std::int32_t n = ws.AllocateInnings();
    ws.write(n, r);

    ScorecardHandOver h = handOver();
    h.innings[1] = n;
    ScorecardModel m(app, platform, h);
    EXPECT_EQ(ws.count(RecordKind::Innings), 1);
    EXPECT_EQ(m.batting[1].fieldsman, "sub");
    EXPECT_EQ(m.batting[1].bowler, "Green, Sam");
    EXPECT_EQ(m.batting[1].balls, "70");
    EXPECT_EQ(m.batting[2].fieldsman, "S White");
    EXPECT_EQ(m.batting[3].howOut, "Absent Ill");
    EXPECT_EQ(m.batting[4].batsman, "");
    EXPECT_EQ(m.batting[4].howOut, "dnb");
    EXPECT_EQ(m.overs, "45.5");
    EXPECT_EQ(m.byes, "3");
    EXPECT_EQ(m.fallOfWickets[1].batsman.selected, 2);
    EXPECT_EQ(m.fallOfWickets[1].score, "30");
    EXPECT_EQ(m.fallOfWickets[2].score, "");
    EXPECT_EQ(m.bowling[1].overs, "7.4");
    EXPECT_EQ(m.bowling[2].overs, "0.5");
    EXPECT_EQ(m.bowlersOvers, "8.3");
    EXPECT_EQ(kStatusEntries[static_cast<std::size_t>(m.status)], std::string("Abandoned"));
    // The row editor shows the first row with its fielder and bowler chosen.
    EXPECT_EQ(m.fieldsmanList.selectedRecord(), -2);
    EXPECT_EQ(m.bowlerList.selectedRecord(), 4);

    // The fielders and bowlers behind the rows are kept: only the line of a non-player goes.
    m.okClicked();
    EXPECT_TRUE(m.saved);
    r.batting[4] = BattingLine{};
    EXPECT_EQ(ws.read<InningsRecord>(n), r);
}

// With "Include Balls Faced" and "Include 4's and 6's" off the columns are hidden, yet an edited
// innings keeps the figures stored behind them, and switching the options on shows them again.
TEST_F(ScorecardTest, HiddenColumnsKeepTheirStoredFigures)
{
    InningsRecord r;
    r.batting[1] = BattingLine{.batsman = 1, .howOut = NotOut, .runs = 50, .ballsFaced = 70, .fours = 6, .sixes = 2};
    r.status = AllOut;
    const std::int32_t n = ws.AllocateInnings();
    ws.write(n, r);
    ScorecardHandOver h = handOver();
    h.innings[1] = n;

    app.header.options.scorecardBallsFaced = 0;
    app.header.options.scorecardFoursSixes = 0;
    {
        ScorecardModel m(app, platform, h);
        EXPECT_EQ(m.batting[1].balls, "");
        EXPECT_EQ(m.batting[1].fours, "");
        EXPECT_FALSE(m.ballsEnabled);
        m.numberEdited(EditorField::Runs, "51");
        m.numberEdited(EditorField::Balls, "1"); // not offered: ignored
        platform.buttonAnswers = {Button::Yes, Button::Yes, Button::Yes};
        m.okClicked();
        ASSERT_TRUE(m.saved);
    }
    r.batting[1].runs = 51;
    EXPECT_EQ(ws.read<InningsRecord>(n), r);

    // Another batsman put in the row does not take over the hidden figures.
    {
        ScorecardModel m(app, platform, h);
        m.batsmanChosen(indexOf(m.batsmanList, 2));
        platform.buttonAnswers = {Button::Yes, Button::Yes, Button::Yes};
        m.okClicked();
        ASSERT_TRUE(m.saved);
    }
    const BattingLine replaced = ws.read<InningsRecord>(n).batting[1];
    EXPECT_EQ(replaced.batsman, 2);
    EXPECT_EQ(replaced.ballsFaced, 0);
    EXPECT_EQ(replaced.fours, 0);
    EXPECT_EQ(replaced.sixes, 0);
    ws.write(n, r); // the first batsman back, for the check below

    app.header.options.scorecardBallsFaced = 1;
    app.header.options.scorecardFoursSixes = 1;
    ScorecardModel shown(app, platform, h);
    EXPECT_EQ(shown.batting[1].balls, "70");
    EXPECT_EQ(shown.batting[1].fours, "6");
    EXPECT_EQ(shown.batting[1].sixes, "2");
}

// ---- What can be entered ------------------------------------------------------------------------

TEST_F(ScorecardTest, AllowPlayersForDecidesWhichSideIsEntered)
{
    struct Case
    {
        const char* name;
        std::int16_t allow, bat, bowl;
        bool batting, fielding, opposition, bowlingPage, fowPage;
    };
    // clang-format off
    const Case cases[] = {
        {"all clubs",          0, 1, 2, true,  true,  false, true,  true},
        {"own side batting",   1, 1, 2, true,  false, false, false, true},
        {"opposition batting", 2, 1, 2, false, true,  true,  true,  false},
        {"club not playing",   3, 1, 2, false, false, false, true,  true},
        {"club against itself", 1, 1, 1, true, true,  false, true,  true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app.header.options.allowPlayersClub = c.allow;
        ScorecardModel m(app, platform, handOver(1, c.bat, c.bowl));
        EXPECT_EQ(m.battingRecorded, c.batting);
        EXPECT_EQ(m.fieldingRecorded, c.fielding);
        EXPECT_EQ(m.oppositionInnings, c.opposition);
        EXPECT_EQ(m.bowlingPageVisible, c.bowlingPage);
        EXPECT_EQ(m.fallOfWicketPageVisible, c.fowPage);
        EXPECT_EQ(m.firstEditorField(), c.opposition ? EditorField::HowOut : EditorField::Batsman);
        m.howOutChosen(Stumped);
        EXPECT_EQ(m.fieldsmanVisible, c.fielding);
        EXPECT_EQ(m.bowlerVisible, c.fielding);
        EXPECT_EQ(m.runsEnabled, c.batting);
        EXPECT_EQ(m.ballsEnabled, c.batting);
    }
}

TEST_F(ScorecardTest, HowOutDecidesWhichFieldsTheRowEditorOffers)
{
    struct Case
    {
        int howOut;
        bool fieldsman, bowler, runs;
    };
    // clang-format off
    const Case cases[] = {
        {DidNotBat, false, false, false}, {NotOut, false, false, true},   {Bowled, false, true, true},
        {Caught, true, true, true},       {CaughtAndBowled, false, true, true}, {HitWicket, false, true, true},
        {Lbw, false, true, true},         {RetiredHurt, false, false, true}, {RunOut, true, false, true},
        {Stumped, true, true, true},      {ObstructingField, false, false, true}, {HitTwice, false, false, true},
        {kAbsentHurtPosition, false, false, false}, {kAbsentIllPosition, false, false, false},
    };
    // clang-format on
    ScorecardModel m(app, platform, handOver());
    for (const Case& c : cases) {
        SCOPED_TRACE(kHowOutEntries[static_cast<std::size_t>(c.howOut)]);
        m.howOutChosen(c.howOut);
        EXPECT_EQ(m.fieldsmanVisible, c.fieldsman);
        EXPECT_EQ(m.bowlerVisible, c.bowler);
        EXPECT_EQ(m.runsEnabled, c.runs);
        EXPECT_EQ(m.ballsEnabled, c.runs);
        EXPECT_EQ(m.boundariesEnabled, c.runs);
        EXPECT_EQ(m.bowlerCaption, "Bowler");
    }

    // Balls faced and boundaries only when the database records them.
    app.header.options.scorecardBallsFaced = 0;
    app.header.options.scorecardFoursSixes = 0;
    ScorecardModel plain(app, platform, handOver());
    plain.howOutChosen(NotOut);
    EXPECT_TRUE(plain.runsEnabled);
    EXPECT_FALSE(plain.ballsEnabled);
    EXPECT_FALSE(plain.boundariesEnabled);
    plain.numberEdited(EditorField::Balls, "12");
    EXPECT_EQ(plain.batting[1].balls, "");
}

TEST_F(ScorecardTest, RunOutNamesTheAssistingFielderInTheBowlerColumn)
{
    ScorecardModel m(app, platform, handOver());
    m.howOutChosen(RunOut);
    EXPECT_FALSE(m.bowlerVisible);
    m.fieldsmanChosen(indexOf(m.fieldsmanList, 4));
    EXPECT_TRUE(m.bowlerVisible);
    EXPECT_EQ(m.bowlerCaption, "Assisted By");
    m.bowlerChosen(indexOf(m.bowlerList, 5));
    EXPECT_EQ(m.batting[1].bowler, "S White");

    // Without a fielder nobody assisted: the list goes and its choice with it.
    m.fieldsmanChosen(0);
    EXPECT_FALSE(m.bowlerVisible);
    EXPECT_EQ(m.bowlerCaption, "Bowler");
    EXPECT_EQ(m.bowlerList.selected, 0);
    EXPECT_EQ(m.batting[1].bowler, "");
    EXPECT_EQ(m.batting[1].bowlerNumber, 0);
    EXPECT_TRUE(m.changed());

    // Changing a catch into a run out does not make the catch's bowler the assisting fielder.
    bat(m, 2, {.batsman = 2, .howOut = Caught, .fieldsman = 4, .bowler = 5});
    m.howOutChosen(RunOut);
    EXPECT_EQ(m.batting[2].bowler, "");
    EXPECT_EQ(m.batting[2].bowlerNumber, 0);
    EXPECT_EQ(m.batting[2].fieldsmanNumber, 4);
}

TEST_F(ScorecardTest, TheKeyboardMovesOnToTheNextBattingRow)
{
    ScorecardModel m(app, platform, handOver());
    m.rowSelected(6);
    EXPECT_TRUE(m.nextRow());
    EXPECT_EQ(m.selectedRow, 7);
    EXPECT_FALSE(m.nextRow()); // the last row: the focus moves on as usual
    EXPECT_EQ(m.selectedRow, 7);
    m.pageShown(ScorecardPage::Bowling);
    m.pageShown(ScorecardPage::Batting);
    EXPECT_EQ(m.selectedRow, 1);
}

// ---- Bowling, fall of wickets and totals --------------------------------------------------------

TEST_F(ScorecardTest, TotalsFollowWhatIsTyped)
{
    ScorecardHandOver h = handOver();
    h.runsPerNoBall = 2;
    ScorecardModel m(app, platform, h);
    m.extrasEdited(ExtrasField::Byes, "4");
    m.extrasEdited(ExtrasField::LegByes, "2");
    m.extrasEdited(ExtrasField::Wides, "3");
    m.extrasEdited(ExtrasField::NoBalls, "1");
    EXPECT_EQ(m.extrasCaption(), "Extras 11");
    bat(m, 1, {.batsman = 1, .howOut = NotOut, .runs = "40"});
    bat(m, 2, {.batsman = 2, .howOut = NotOut, .runs = "abc"}); // counts as 0
    bat(m, 3, {.batsman = ash, .howOut = NotOut, .runs = "12"});
    m.howOutChosen(DidNotBat); // a dnb row's runs do not count
    EXPECT_EQ(m.batting[3].runs, "12");
    EXPECT_EQ(m.totalText(), "51");

    // The bowlers' overs carry complete overs at the match's balls per over.
    bowl(m, 1, 4, "4.4", "", "", "");
    bowl(m, 2, 5, "3.3", "", "", "");
    bowl(m, 3, 0, "2", "", "", "");
    EXPECT_EQ(m.bowlersOvers, "10.1");
}

TEST_F(ScorecardTest, TheOppositionsTotalComesFromTheBowlingFigures)
{
    app.header.options.allowPlayersClub = 2; // the bowling side's club
    for (const bool againstBowlers : {true, false}) {
        SCOPED_TRACE(againstBowlers);
        ScorecardHandOver h = handOver();
        h.extrasAgainstBowlers = againstBowlers;
        ScorecardModel m(app, platform, h);
        bowl(m, 1, 4, "20", "", "100", "");
        bowl(m, 2, 5, "20", "", "50", "");
        m.extrasEdited(ExtrasField::Byes, "4");
        m.extrasEdited(ExtrasField::LegByes, "2");
        m.extrasEdited(ExtrasField::Wides, "5");
        m.rowSelected(1);
        m.howOutChosen(Bowled);
        m.numberEdited(EditorField::Runs, "99"); // runs cannot be typed for this side
        EXPECT_EQ(m.batting[1].runs, "");
        EXPECT_EQ(m.totalText(), againstBowlers ? "156" : "161");
    }
}

TEST_F(ScorecardTest, BowlingRowsWrapAndWicketsCannotPassTheBatsmen)
{
    app.header.options.bowlersPerTeam = 9;
    ScorecardModel m(app, platform, handOver());
    EXPECT_EQ(m.bowlingRowAfter(9, true), 1);
    EXPECT_EQ(m.bowlingRowAfter(1, false), 9);
    EXPECT_EQ(m.bowlingRowAfter(4, true), 5);

    m.bowlingEdited(2, BowlingField::Wickets, "7");
    EXPECT_TRUE(m.wicketsLeft(2));
    m.bowlingEdited(2, BowlingField::Wickets, "8");
    EXPECT_FALSE(m.wicketsLeft(2));
    ASSERT_EQ(platform.messageTexts(), std::vector<std::string>{"Wickets cannot exceed maximum number of batsmen."});
    EXPECT_EQ(platform.messages[0].icon, Icon::Error);
}

TEST_F(ScorecardTest, FallOfWicketListsFollowTheBattingOrder)
{
    ScorecardModel m(app, platform, handOver());
    bat(m, 2, {.batsman = 2, .howOut = Bowled, .runs = "1", .bowler = 4});
    m.pageShown(ScorecardPage::FallOfWicket);
    const EntryList& list = m.fallOfWickets[1].batsman;
    ASSERT_EQ(list.entries.size(), 8U); // the blank entry and seven batting positions
    EXPECT_EQ(list.entries[2].text, "Jones, Nick");
    EXPECT_EQ(list.entries[1].text, "");
    m.fallOfWicketChosen(1, 2);
    m.fallOfWicketScoreEdited(1, "17");
    m.fallOfWicketChosen(7, 1); // not shown with seven batsmen
    EXPECT_EQ(m.fallOfWickets[7].batsman.selected, -1);
}

// ---- OK: errors ---------------------------------------------------------------------------------

TEST_F(ScorecardTest, ErrorsStopTheSaveInTheirOrder)
{
    struct Case
    {
        const char* name;
        std::function<void(ScorecardModel&)> fault;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"a batsman twice, even when one did not bat",
         [this](ScorecardModel& m) {
             bat(m, 5, {.batsman = 2});
             bowl(m, 3, 4, "1", "", "", ""); // a bowler twice as well: the batsman comes first
         },
         "The same batsman is listed twice - Data not saved (rows 2 and 5)"},
        {"a bowler twice",
         [this](ScorecardModel& m) {
             bowl(m, 3, 4, "1", "", "", "");
             bat(m, 4, {.batsman = birch, .howOut = NotOut});
         },
         "The same bowler is listed twice - Data not saved (rows 1 and 3)"},
        {"a batsman who batted without a score",
         [this](ScorecardModel& m) {
             bat(m, 4, {.batsman = birch, .howOut = NotOut});
             m.fallOfWicketChosen(2, 3);
         },
         "Batsman 4 has no score entered"},
        {"a wicket of a batsman who is not out", [this](ScorecardModel& m) { m.fallOfWicketChosen(2, 3); },
         "FOW 2 - Batsman is not listed as dismissed (batting row 3)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.messages.clear();
        ScorecardModel m(app, platform, handOver());
        consistentInnings(m);
        c.fault(m);
        const std::vector<std::uint8_t> before = stored(m.inningsRecord());
        m.okClicked();
        ASSERT_EQ(platform.messageTexts(), std::vector<std::string>{c.message});
        EXPECT_EQ(platform.messages[0].icon, Icon::Error);
        EXPECT_FALSE(m.closed);
        EXPECT_FALSE(m.saved);
        EXPECT_EQ(stored(m.inningsRecord()), before);
    }
}

TEST_F(ScorecardTest, AScoreOfZeroAndARetiredOrAbsentBatsmanPass)
{
    ScorecardModel m(app, platform, handOver());
    consistentInnings(m);
    bat(m, 4, {.batsman = birch, .howOut = NotOut, .runs = "0"});
    bat(m, 5, {.batsman = cole, .howOut = RetiredHurt, .runs = "0"});
    m.listPlayersChosen(ListPlayers::All);
    bat(m, 6, {.batsman = 3, .howOut = kAbsentHurtPosition}); // no score needed when absent
    m.fallOfWicketChosen(1, 5);                               // a retired batsman's wicket passes
    m.okClicked();
    EXPECT_TRUE(platform.messages.empty()) << platform.messages[0].text;
    EXPECT_TRUE(m.saved);
}

TEST_F(ScorecardTest, TwoPlayersWhoShareANameMayBothBat)
{
    const std::int32_t twin = addPlayer("N Smith jnr", club(northern), "Smith", "Ned");
    ScorecardModel m(app, platform, handOver());
    consistentInnings(m);
    bat(m, 4, {.batsman = twin, .howOut = NotOut, .runs = "0"});
    EXPECT_EQ(m.batting[4].batsman, m.batting[1].batsman);
    m.okClicked();
    EXPECT_TRUE(m.saved);
}

TEST_F(ScorecardTest, ANumberTheRecordCannotHoldIsRefusedNamingItsPlace)
{
    struct Case
    {
        std::function<void(ScorecardModel&)> typing;
        const char* message;
    };
    const std::vector<Case> cases = {
        {[this](ScorecardModel& m) { bat(m, 3, {.batsman = ash, .howOut = NotOut, .runs = "40000"}); },
         "Batting row 3, column R: 40000 is outside the range -32768 to 32767 - Data not saved"},
        {[this](ScorecardModel& m) {
             bat(m, 2, {.batsman = 2, .howOut = Caught, .runs = "15", .fieldsman = 5, .bowler = 5, .sixes = "-32769"});
         },
         "Batting row 2, column 6's: -32769 is outside the range -32768 to 32767 - Data not saved"},
        {[this](ScorecardModel& m) { m.bowlingEdited(2, BowlingField::Runs, "99999"); },
         "Bowling row 2, column Runs: 99999 is outside the range -32768 to 32767 - Data not saved"},
        {[this](ScorecardModel& m) { m.fallOfWicketScoreEdited(1, "32768"); },
         "FOW 1, Score: 32768 is outside the range -32768 to 32767 - Data not saved"},
        {[this](ScorecardModel& m) { m.extrasEdited(ExtrasField::NoBalls, "1e6"); },
         "Extras, NB: 1e6 is outside the range -32768 to 32767 - Data not saved"},
        {[this](ScorecardModel& m) { m.oversEdited("3276.8"); },
         "Overs: 3276.8 is outside the range -3276.8 to 3276.7 - Data not saved"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        platform.messages.clear();
        ScorecardModel m(app, platform, handOver());
        consistentInnings(m);
        c.typing(m);
        m.okClicked();
        ASSERT_EQ(platform.messageTexts(), std::vector<std::string>{c.message});
        EXPECT_FALSE(m.saved);
        EXPECT_EQ(stored(m.inningsRecord()), std::vector<std::uint8_t>(637, 0));
    }
    // The largest numbers that fit are stored.
    platform.messages.clear();
    ScorecardModel m(app, platform, handOver());
    consistentInnings(m);
    m.oversEdited("3276.7");
    m.fallOfWicketScoreEdited(1, "32767");
    m.okClicked();
    ASSERT_TRUE(m.saved);
    const InningsRecord r = ws.read<InningsRecord>(m.inningsRecord());
    EXPECT_EQ(r.oversTimesTen, 32767);
    EXPECT_EQ(r.batting[1].fowScore, 32767);
}

// ---- OK: warnings -------------------------------------------------------------------------------

TEST_F(ScorecardTest, WicketsThatDoNotMatchWarnPerBowlerThenInTotal)
{
    ScorecardModel m(app, platform, handOver());
    consistentInnings(m);
    m.bowlingEdited(2, BowlingField::Wickets, "0"); // bowler 2's caught wicket is not counted
    platform.buttonAnswers = {Button::Yes, Button::No};
    m.okClicked();
    EXPECT_EQ(platform.messageTexts(),
              (std::vector<std::string>{
                  "WARNING: Bowler 2 bowling wickets does not match batting howouts.  Continue?",
                  "WARNING: The total bowler wickets does not equal the batting outs by bowlers.  Continue?"}));
    EXPECT_EQ(platform.messages[0].icon, Icon::Warning);
    EXPECT_EQ(platform.messages[0].buttons, Buttons::YesNo);
    EXPECT_FALSE(m.saved);
    EXPECT_EQ(stored(m.inningsRecord()), std::vector<std::uint8_t>(637, 0));

    platform.messages.clear();
    platform.buttonAnswers = {Button::Yes, Button::Yes};
    m.okClicked();
    EXPECT_EQ(platform.messages.size(), 2U);
    EXPECT_TRUE(m.saved);
    EXPECT_TRUE(m.closed);
    EXPECT_TRUE(app.databaseChanged);
    EXPECT_EQ(ws.read<InningsRecord>(m.inningsRecord()).bowling[2].wickets, 0);
}

TEST_F(ScorecardTest, ARunOutIsNotABowlersWicket)
{
    app.header.options.batsmenPerTeam = 11;
    app.header.options.bowlersPerTeam = 11;
    // Ten wickets: nine bowled, alternately to two bowlers, and a run out.
    for (int k = 0; k < 9; ++k) {
        addPlayer("N Extra " + std::to_string(k), club(northern));
    }
    ScorecardModel m(app, platform, handOver());
    m.listPlayersChosen(ListPlayers::All);
    std::vector<std::int32_t> northernPlayers;
    for (std::size_t i = 1; i < m.batsmanList.entries.size(); ++i) {
        northernPlayers.push_back(m.batsmanList.entries[i].record);
    }
    ASSERT_GE(northernPlayers.size(), 11U);
    for (int k = 1; k <= 9; ++k) {
        bat(m, k,
            {.batsman = northernPlayers[static_cast<std::size_t>(k - 1)],
             .howOut = Bowled,
             .runs = "1",
             .bowler = k % 2 == 0 ? 4 : 5});
    }
    bat(m, 10, {.batsman = northernPlayers[9], .howOut = RunOut, .runs = "1", .fieldsman = 4, .bowler = 5});
    bat(m, 11, {.batsman = northernPlayers[10], .howOut = NotOut, .runs = "1"});
    bowl(m, 1, 4, "5", "", "4", "4");
    bowl(m, 2, 5, "5", "", "7", "5");
    m.statusChosen(AllOut);
    m.okClicked();
    EXPECT_TRUE(platform.messages.empty()) << platform.messages[0].text;
    EXPECT_TRUE(m.saved);
}

TEST_F(ScorecardTest, RunsWarningsCompareTheBowlersRunsWithTheTotal)
{
    struct Case
    {
        bool againstBowlers;
        const char* batsmanRuns;
        const char* warning; // nullptr: none
    };
    // Bowlers' runs 140, byes 5, leg byes 3, wides 2.
    const Case cases[] = {
        {true, "138", nullptr}, // 138 + 5 + 3 + 2 = 148 = 140 + 5 + 3
        {true, "140", "WARNING: The innings total exceeds the total bowler runs, byes and legbyes.  Continue?"},
        {true, "130", "WARNING: The total bowler runs, byes and legbyes exceeds the innings total.  Continue?"},
        {false, "138", "WARNING: The total bowler runs, byes and legbyes exceeds the innings total.  Continue?"},
        {false, "140", nullptr}, // the wides are added to the bowlers' side as well
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.batsmanRuns) + (c.againstBowlers ? " against bowlers" : ""));
        platform.messages.clear();
        ScorecardHandOver h = handOver();
        h.extrasAgainstBowlers = c.againstBowlers;
        ScorecardModel m(app, platform, h);
        bat(m, 1, {.batsman = 1, .howOut = NotOut, .runs = c.batsmanRuns});
        bowl(m, 1, 4, "20", "", "140", "");
        m.extrasEdited(ExtrasField::Byes, "5");
        m.extrasEdited(ExtrasField::LegByes, "3");
        m.extrasEdited(ExtrasField::Wides, "2");
        m.statusChosen(Closed);
        platform.buttonAnswers = {Button::Yes};
        m.okClicked();
        EXPECT_EQ(platform.messageTexts(),
                  c.warning ? std::vector<std::string>{c.warning} : std::vector<std::string>{});
        EXPECT_TRUE(m.saved);
        platform.buttonAnswers.clear();
    }
}

TEST_F(ScorecardTest, OnlyTheStatusWarningWhenOneSideIsNotRecorded)
{
    app.header.options.allowPlayersClub = 1; // the batting club; Southern bowls
    ScorecardModel m(app, platform, handOver());
    bat(m, 1, {.batsman = 1, .howOut = Caught, .runs = "10"});
    m.bowlingEdited(1, BowlingField::Wickets, "5");
    platform.buttonAnswers = {Button::Yes};
    m.okClicked();
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{"WARNING: The innings result is not set.  Continue?"});
    EXPECT_TRUE(m.saved);
    // No status chosen is stored as -1.
    EXPECT_EQ(ws.read<InningsRecord>(m.inningsRecord()).status, -1);

    // The blank status entry is stored as 0, after the same warning.
    ScorecardModel blank(app, platform, handOver());
    blank.statusChosen(0);
    platform.buttonAnswers = {Button::Yes};
    blank.okClicked();
    EXPECT_EQ(ws.read<InningsRecord>(blank.inningsRecord()).status, 0);
}

// ---- The record written -------------------------------------------------------------------------

TEST_F(ScorecardTest, OkWritesTheInningsAsTyped)
{
    ScorecardModel m(app, platform, handOver());
    bat(m, 1,
        {.batsman = 1,
         .howOut = Caught,
         .runs = "34",
         .fieldsman = -2,
         .bowler = 4,
         .balls = "50",
         .fours = "5",
         .sixes = "1"});
    bat(m, 2, {.batsman = 2, .howOut = Bowled, .runs = "12", .bowler = 5, .balls = "20", .fours = "2.5"});
    m.listPlayersChosen(ListPlayers::All); // player 3 is inactive
    bat(m, 3, {.batsman = 3, .howOut = RunOut, .runs = "7", .fieldsman = 4, .bowler = 5});
    bat(m, 4, {.batsman = ash, .howOut = NotOut, .runs = "20"});
    bat(m, 5, {.batsman = birch, .howOut = kAbsentIllPosition});
    bat(m, 6, {.batsman = cole});
    bowl(m, 1, 4, "10", "2", "30", "1");
    bowl(m, 2, 5, "8.3", "1", "47", "1");
    m.fallOfWicketChosen(1, 2);
    m.fallOfWicketScoreEdited(1, "45");
    m.fallOfWicketChosen(2, 1);
    m.fallOfWicketScoreEdited(2, "60");
    m.fallOfWicketChosen(3, 3);
    m.fallOfWicketScoreEdited(3, "68x");
    m.extrasEdited(ExtrasField::Byes, "2");
    m.extrasEdited(ExtrasField::LegByes, "1");
    m.extrasEdited(ExtrasField::Wides, "3");
    m.extrasEdited(ExtrasField::NoBalls, "1");
    m.oversEdited("18.3");
    m.statusChosen(Closed);
    EXPECT_EQ(m.totalText(), "80");
    m.okClicked();
    ASSERT_TRUE(platform.messages.empty()) << platform.messages[0].text;
    ASSERT_TRUE(m.closed);

    InningsRecord e;
    e.oversTimesTen = 183;
    e.batting[1] = BattingLine{.batsman = 1,
                               .howOut = Caught,
                               .fieldsman = -2,
                               .bowler = 4,
                               .runs = 34,
                               .fowScore = 45,
                               .fowBatsman = 2,
                               .ballsFaced = 50,
                               .fours = 5,
                               .sixes = 1};
    e.batting[2] = BattingLine{.batsman = 2,
                               .howOut = Bowled,
                               .fieldsman = -1,
                               .bowler = 5,
                               .runs = 12,
                               .fowScore = 60,
                               .fowBatsman = 1,
                               .ballsFaced = 20,
                               .fours = 2};
    e.batting[3] = BattingLine{
        .batsman = 3, .howOut = RunOut, .fieldsman = 4, .bowler = 5, .runs = 7, .fowScore = 68, .fowBatsman = 3};
    e.batting[4] = BattingLine{.batsman = static_cast<std::int16_t>(ash), .howOut = NotOut, .runs = 20};
    e.batting[5] = BattingLine{.batsman = static_cast<std::int16_t>(birch), .howOut = AbsentIll};
    e.batting[6] = BattingLine{.batsman = static_cast<std::int16_t>(cole)};
    e.bowling[1] = BowlingLine{.bowler = 4, .wickets = 1, .runsConceded = 30, .maidens = 2, .overs = 10.0F};
    e.bowling[2] = BowlingLine{.bowler = 5, .wickets = 1, .runsConceded = 47, .maidens = 1, .overs = 8.3F};
    e.status = Closed;
    e.wides = 3;
    e.noBalls = 1;
    e.byes = 2;
    e.legByes = 1;
    std::vector<std::uint8_t> expected(637);
    encode(e, expected);
    const std::vector<std::uint8_t> bytes = stored(m.inningsRecord());
    EXPECT_EQ(bytes, expected);

    // A few positions worked out by hand: line k starts at 2 + 25 k, bowling line k at 377 + 16 k.
    const auto at = [&](std::size_t offset, std::size_t n) {
        return std::vector<std::uint8_t>(bytes.begin() + static_cast<long>(offset),
                                         bytes.begin() + static_cast<long>(offset + n));
    };
    EXPECT_EQ(at(0, 2), (std::vector<std::uint8_t>{0xB7, 0x00}));  // 183 overs tenths
    EXPECT_EQ(at(31, 2), (std::vector<std::uint8_t>{0xFE, 0xFF})); // line 1 fieldsman: sub
    EXPECT_EQ(at(56, 2), (std::vector<std::uint8_t>{0xFF, 0xFF})); // line 2 fieldsman: none named
    EXPECT_EQ(at(129, 6),
              (std::vector<std::uint8_t>{0xFE, 0xFF, 0, 0, 0, 0})); // line 5: Absent Ill, no fielder or bowler
    EXPECT_EQ(at(417, 4), (std::vector<std::uint8_t>{0xCD, 0xCC, 0x04, 0x41})); // bowling line 2 overs 8.3
    EXPECT_EQ(at(617, 12), (std::vector<std::uint8_t>{0, 0, 2, 0, 3, 0, 1, 0, 2, 0, 1, 0}));
    EXPECT_TRUE(app.databaseChanged);
    EXPECT_FALSE(m.changed());
    EXPECT_EQ(platform.busyDepth, 0);
}

TEST_F(ScorecardTest, OkReplacesLinesBeyondTheRowsShown)
{
    InningsRecord r;
    r.batting[9] = BattingLine{.batsman = 2, .howOut = NotOut, .runs = 3};
    r.bowling[10] = BowlingLine{.bowler = 4, .wickets = 1};
    const std::int32_t n = ws.AllocateInnings();
    ws.write(n, r);
    ScorecardHandOver h = handOver();
    h.innings[1] = n;
    ScorecardModel m(app, platform, h);
    consistentInnings(m);
    m.okClicked();
    const InningsRecord saved = ws.read<InningsRecord>(n);
    EXPECT_EQ(saved.batting[9], BattingLine{});
    EXPECT_EQ(saved.bowling[10], BowlingLine{});
    EXPECT_EQ(saved.batting[2].fieldsman, 5);
}

TEST_F(ScorecardTest, WorkingFilesThatCannotBeWrittenChangeNothing)
{
    MatchDetailsModel details(app, platform, addMatch(OneDayMatch, {0, 0, 0, 0}, -1));
    ScorecardModel m(app, platform, handOver());
    consistentInnings(m);
    app.workingBase = folder.path() + "/missing/~tmp"; // the innings file cannot be written
    app.databaseChanged = false;
    m.okClicked();
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].text.rfind("The innings could not be saved.", 0), 0U);
    EXPECT_FALSE(m.closed);
    EXPECT_TRUE(m.changed());
    EXPECT_FALSE(app.databaseChanged);
    EXPECT_EQ(platform.busyDepth, 0);

    // A window that cannot create its innings tells the user, takes no number and does not open.
    platform.messages.clear();
    details.inningsClicked(3);
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].text.rfind("The scorecard could not be opened.", 0), 0U);
    EXPECT_TRUE(platform.replacedWindows.empty());
    EXPECT_EQ(ws.count(RecordKind::Innings), 1);
    EXPECT_EQ(details.innings[3], 0);
    EXPECT_FALSE(details.changed);
}

// ---- Closing and the windows it opens -----------------------------------------------------------

TEST_F(ScorecardTest, ClosingWithChangesAsksFirst)
{
    ScorecardModel untouched(app, platform, handOver());
    EXPECT_TRUE(untouched.closeRequested());
    EXPECT_TRUE(platform.messages.empty());

    ScorecardModel m(app, platform, handOver());
    m.statusChosen(Declared); // a status alone is worth keeping too
    EXPECT_TRUE(m.changed());
    platform.buttonAnswers = {Button::Cancel, Button::Ok};
    m.cancelClicked();
    EXPECT_FALSE(m.closed);
    ASSERT_EQ(platform.messageTexts(), std::vector<std::string>{"Changes will not be kept"});
    EXPECT_EQ(platform.messages[0].icon, Icon::Warning);
    EXPECT_EQ(platform.messages[0].buttons, Buttons::OkCancel);
    EXPECT_TRUE(m.closeRequested());
    EXPECT_TRUE(m.closed);
    // The innings record stays, empty.
    EXPECT_EQ(ws.read<InningsRecord>(m.inningsRecord()), InningsRecord{});
}

TEST_F(ScorecardTest, NewPlayerRefillsTheListsAndFieldingEventsOpenForThisInnings)
{
    ScorecardModel m(app, platform, handOver());
    std::int32_t eventsInnings = 0;
    platform.onModal = [&](WindowModel& w) {
        if (auto* editor = dynamic_cast<masterdata::PlayerEditorModel*>(&w)) {
            editor->setText(masterdata::PlayerField::FirstName, "Dan");
            editor->setText(masterdata::PlayerField::LastName, "Dune");
            editor->setText(masterdata::PlayerField::ReportName, "D Dune");
            editor->clubChosen(1); // Southern, the fielding side
            editor->okClicked();
        } else if (auto* events = dynamic_cast<masterdata::SpecialEventsModel*>(&w)) {
            eventsInnings = events->inningsRecord();
        }
    };
    m.newPlayerClicked();
    ASSERT_EQ(platform.modalWindows.size(), 1U);
    const std::int32_t dune = ws.count(RecordKind::Player);
    EXPECT_EQ(records(m.bowlerList).back(), dune);
    EXPECT_EQ(records(m.fieldsmanList).back(), dune);
    EXPECT_EQ(records(m.batsmanList).back(), cole);

    m.fieldingEventsClicked();
    ASSERT_EQ(platform.modalWindows.size(), 2U);
    EXPECT_EQ(eventsInnings, m.inningsRecord());
}

TEST_F(ScorecardTest, TheMatchDetailsShowTheSavedInnings)
{
    const std::int32_t match = addMatch(OneDayMatch, {0, 0, 0, 0}, -1);
    MatchDetailsModel details(app, platform, match);
    platform.onModal = [&](WindowModel& w) {
        auto* card = dynamic_cast<ScorecardModel*>(&w);
        ASSERT_NE(card, nullptr);
        EXPECT_EQ(card->caption, "Northern XI Innings");
        consistentInnings(*card);
        card->oversEdited("5.4");
        card->okClicked();
    };
    details.inningsClicked(1);
    ASSERT_EQ(platform.replacedWindows.size(), 1U);
    EXPECT_TRUE(platform.messages.empty()) << platform.messages[0].text;
    EXPECT_EQ(details.innings[1], 1);
    EXPECT_TRUE(details.changed);
    EXPECT_EQ(details.summaryLines[1], "30/2 All Out\nOvers 5.4");
}

} // namespace
