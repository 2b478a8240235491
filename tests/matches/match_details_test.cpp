// The match details window: the innings summaries and margins, the result list, the team choice
// with its player lists, the field checks, "OK" with the record it writes, the changed flag and
// the innings buttons' hand-over to the scorecard window.

#include "innings_summary.h"
#include "match_details_model.h"
#include "match_fixture.h"
#include "match_form.h"
#include "scorecard_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace wickly;
using namespace wickly::matches;
using namespace wickly::test;

namespace {

class MatchDetailsTest : public ::testing::Test, public MatchFixture
{
protected:
    MatchDetailsModel open(std::int32_t match = 0) { return MatchDetailsModel(app, platform, match); }

    // A new match between Northern XI and Southern XI, of the type at `type`, dated and ready to save.
    void fillNewMatch(MatchDetailsModel& m, int type = 0)
    {
        m.matchTypeChosen(type);
        m.teamChosen(0, 0);
        m.teamChosen(1, 1);
        m.fieldEdited(FormField::Date, "14/03/2009");
    }

    static std::vector<std::string> texts(const EntryList& list)
    {
        std::vector<std::string> out;
        for (const Entry& e : list.entries) {
            out.push_back(rtrimBlanks(e.text));
        }
        return out;
    }
    static std::vector<std::int32_t> records(const EntryList& list)
    {
        std::vector<std::int32_t> out;
        for (const Entry& e : list.entries) {
            out.push_back(e.record);
        }
        return out;
    }
};

// ---- Margins and innings summaries --------------------------------------------------------------

TEST_F(MatchDetailsTest, MarginsOfStoredMatches)
{
    struct Case
    {
        const char* name;
        std::int16_t type;
        std::array<std::array<int, 2>, 4> slots; // runs and wickets by slot; runs -1: no innings
        std::int16_t result;
        bool followOn;
        const char* margin;
    };
    constexpr std::array<int, 2> none{-1, 0};
    // clang-format off
    const std::vector<Case> cases = {
        {"one-day chase",                 1, {{{140, 10}, none, {141, 4}, none}}, 2, false, "by 6 wickets"},
        {"one-day defended",              1, {{{200, 8}, none, {150, 10}, none}}, 1, false, "by 50 runs"},
        {"one-day tied",                  1, {{{150, 10}, none, {150, 10}, none}}, 3, false, ""},
        {"one-day drawn",                 1, {{{150, 10}, none, {120, 6}, none}}, 4, false, ""},
        {"one-day no result",             1, {{{150, 10}, none, {20, 1}, none}}, 0, false, ""},
        {"one-day, follow-on left marked", 1, {{{140, 10}, none, {141, 4}, none}}, 2, true, "by 6 wickets"},
        {"multi-day chase",               3, {{{250, 10}, {180, 10}, {200, 10}, {231, 7}}}, 2, false, "by 3 wickets"},
        {"multi-day by runs",             3, {{{250, 10}, {180, 10}, {200, 10}, {150, 10}}}, 1, false, "by 80 runs"},
        {"innings after the follow-on",   3, {{{400, 10}, none, {150, 10}, {200, 10}}}, 1, true, "by an Innings and 50 runs"},
        {"follow-on, team 1 chases",      3, {{{400, 10}, {30, 2}, {150, 10}, {279, 10}}}, 1, true, "by 8 wickets"},
        {"follow-on, team 2 wins",        3, {{{400, 10}, {100, 10}, {150, 10}, {450, 9}}}, 2, true, "by 100 runs"},
        {"team 2 wins by an innings",     2, {{{150, 10}, {120, 10}, {400, 10}, none}}, 2, false, "by an Innings and 130 runs"},
        {"team 2 on first innings",       4, {{{210, 10}, {100, 3}, {230, 10}, {50, 1}}}, 4, false, "by 20 runs"},
        {"team 1 on first innings",       4, {{{300, 10}, {100, 3}, {230, 10}, none}}, 3, false, "by 70 runs"},
        {"multi-day drawn",               3, {{{300, 10}, {100, 3}, {230, 10}, none}}, 5, false, ""},
        {"multi-day tied",                3, {{{300, 10}, {100, 10}, {230, 10}, {170, 10}}}, 6, false, ""},
        {"no result chosen",              3, {{{300, 10}, none, {230, 10}, none}}, -1, false, ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::array<std::int32_t, 4> slots{};
        for (std::size_t i = 0; i < 4; ++i) {
            slots[i] = c.slots[i][0] < 0 ? 0 : addInnings(c.slots[i][0], c.slots[i][1]);
        }
        const std::int32_t match = addMatch(c.type, slots, c.result, c.followOn);
        // The form is loaded without a window or a platform, as the web pages load it.
        const MatchForm form(app, match);
        EXPECT_EQ(form.margin, c.margin);
        EXPECT_FALSE(form.changed);
    }
}

TEST_F(MatchDetailsTest, InningsLineCountsBatsmenExtrasAndBowlers)
{
    InningsRecord r;
    r.batting[1] = BattingLine{.batsman = 1, .howOut = Bowled, .runs = 100};
    r.batting[2] = BattingLine{.batsman = 2, .howOut = Caught, .runs = 40};
    r.batting[3] = BattingLine{.batsman = 3, .howOut = RunOut, .runs = 0};
    r.batting[4] = BattingLine{.batsman = 0, .howOut = NotOut, .runs = 50}; // unnamed: counted only for the opposition
    r.batting[5] = BattingLine{.batsman = 1, .howOut = RetiredHurt, .runs = 7};
    r.batting[6] = BattingLine{.batsman = 99, .howOut = Bowled, .runs = 30};   // not a player
    r.batting[7] = BattingLine{.batsman = 2, .howOut = AbsentHurt, .runs = 9}; // a negative code is not counted
    r.bowling[1] = BowlingLine{.bowler = 4, .wickets = 2, .runsConceded = 70, .overs = 20.4F};
    r.bowling[2] = BowlingLine{.bowler = 5, .wickets = 1, .runsConceded = 60, .overs = 24.5F};
    r.bowling[3] = BowlingLine{.bowler = 0, .wickets = 5, .runsConceded = 99, .overs = 9.0F}; // no bowler
    r.byes = 2;
    r.legByes = 1;
    r.wides = 3;
    r.noBalls = 2;
    r.oversTimesTen = 455;
    r.status = Declared;
    const std::int32_t innings = ws.AllocateInnings();
    ws.write(innings, r);
    const std::int32_t match = addMatch(2, {innings, 0, 0, 0}, 0);

    struct Case
    {
        const char* name;
        std::int16_t allow;
        std::int16_t runsFirst;
        bool extrasAgainstBowlers;
        const char* runsPerWide;
        const char* line;
    };
    // Batting: 147 runs (the retired batsman's included) + 2 byes + 1 leg bye + 3 wides + 2 no
    // balls = 155 for 3 (bowled, caught, run out);
    // overs 20.4 + 24.5 carry to 45.3. Bowling side: 130 conceded + byes and leg byes, plus the
    // wides and no balls unless they count against the bowlers; 3 bowlers' wickets + 1 run out.
    // clang-format off
    const std::vector<Case> cases = {
        {"every club",                0, 1, true,  "1", "155/3 Declared\nOvers 45.3"},
        {"wickets first",             0, 0, true,  "1", "3/155 Declared\nOvers 45.3"},
        {"two runs per wide",         0, 1, true,  "2", "158/3 Declared\nOvers 45.3"},
        {"own side batting",          1, 1, true,  "1", "155/3 Declared\nOvers 45.5"},
        {"opposition batting",        2, 1, true,  "1", "133/4 Declared\nOvers 45.3"},
        {"opposition, extras apart",  2, 1, false, "1", "138/4 Declared\nOvers 45.3"},
        {"a club not playing",        3, 1, true,  "1", "155/3 Declared\nOvers 45.3"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app.header.options.allowPlayersClub = c.allow;
        app.header.options.bowlingRunsFirst = c.runsFirst;
        MatchDetailsModel m = open(match);
        m.extrasAgainstBowlersToggled(c.extrasAgainstBowlers);
        m.fieldEdited(FormField::RunsPerWide, c.runsPerWide);
        ASSERT_TRUE(m.runsPerWideLeft());
        EXPECT_EQ(m.summaryLines[1], c.line);
        EXPECT_EQ(m.summaryLines[3], "");
    }

    // A stored match without balls per over counts the overs at 6, as the scorecard does (20.4
    // and 24.5 added as plain numbers would give 44.9).
    MatchRecord stored = ws.read<MatchRecord>(match);
    stored.ballsPerOver = 0;
    ws.write(match, stored);
    app.header.options.allowPlayersClub = 0;
    app.header.options.bowlingRunsFirst = 1;
    EXPECT_EQ(MatchForm(app, match).summaryLines[1], "155/3 Declared\nOvers 45.3");
}

TEST_F(MatchDetailsTest, OppositionInningsCountsUnnamedBatsmen)
{
    // Typed from the bowling side: unnamed lines with runs, the wickets only through the bowlers.
    InningsRecord r;
    r.batting[1] = BattingLine{.batsman = 0, .howOut = Bowled, .runs = 30};
    r.batting[2] = BattingLine{.batsman = 0, .howOut = NotOut, .runs = 12};
    r.bowling[1] = BowlingLine{.bowler = 1, .wickets = 1, .runsConceded = 45, .overs = 10.0F};
    r.status = AllOut;
    const std::int32_t innings = ws.AllocateInnings();
    ws.write(innings, r);
    const std::int32_t match = addMatch(1, {0, 0, innings, 0}, 0);

    app.header.options.allowPlayersClub = club(northern); // Southern bats in slot 3, Northern bowls
    EXPECT_EQ(MatchForm(app, match).summaryLines[3], "45/1 All Out\nOvers 10");
    app.header.options.allowPlayersClub = 0;
    EXPECT_EQ(MatchForm(app, match).summaryLines[3], "0/0 All Out\nOvers 10");
}

TEST_F(MatchDetailsTest, FollowOnBoxFollowsTheFirstInnings)
{
    const std::int32_t behind = addMatch(3, {addInnings(400, 10), 0, addInnings(150, 10), 0}, 0);
    const std::int32_t ahead = addMatch(3, {addInnings(150, 10), 0, addInnings(400, 10), 0}, 0);
    EXPECT_TRUE(MatchForm(app, behind).followOnEnabled);
    EXPECT_FALSE(MatchForm(app, ahead).followOnEnabled);

    MatchForm form(app, behind);
    form.matchTypeChosen(0); // a one-day match has no follow-on
    EXPECT_FALSE(form.followOnEnabled);
    EXPECT_FALSE(form.innings2Enabled);
    form.matchTypeChosen(2);
    EXPECT_TRUE(form.followOnEnabled);
    EXPECT_TRUE(form.innings2Enabled);

    // A new match starts with the box disabled.
    EXPECT_FALSE(open().followOnEnabled);
}

TEST_F(MatchDetailsTest, MarginFollowsTheWindowsChoices)
{
    const std::int32_t match = addMatch(1, {addInnings(140, 10), 0, addInnings(141, 4), 0}, 0);
    MatchDetailsModel m = open(match);
    EXPECT_EQ(m.margin, "");
    m.resultChosen(2);
    EXPECT_EQ(m.margin, "by 6 wickets");
    m.resultChosen(1);
    EXPECT_EQ(m.margin, "by 1 runs");
    app.header.options.batsmenPerTeam = 8;
    m.resultChosen(2);
    EXPECT_EQ(m.margin, "by 3 wickets");
}

// ---- Result list --------------------------------------------------------------------------------

TEST_F(MatchDetailsTest, ResultListByMatchType)
{
    MatchDetailsModel m = open();
    EXPECT_FALSE(m.resultsEnabled);
    m.matchTypeChosen(0);
    m.teamChosen(0, 0);
    EXPECT_FALSE(m.resultsEnabled);
    m.teamChosen(1, 1);
    EXPECT_TRUE(m.resultsEnabled);
    EXPECT_EQ(m.results, (std::vector<std::string>{"No result", "Northern XI Win", "Southern XI Win", "Match Tied",
                                                   "Match Drawn"}));
    m.resultChosen(3);
    EXPECT_EQ(m.resultText(), "Match Tied");

    // Choosing another type rebuilds the list and drops the choice.
    m.matchTypeChosen(3);
    EXPECT_EQ(m.result, -1);
    EXPECT_EQ(m.results, (std::vector<std::string>{"No result", "Northern XI Win Outright", "Southern XI Win Outright",
                                                   "Northern XI Win 1st Innings", "Southern XI Win 1st Innings",
                                                   "Match Drawn", "Match Tied"}));

    // A team without a name is called Team A or Team B.
    addTeam("", club(northern));
    MatchDetailsModel unnamed = open();
    unnamed.matchTypeChosen(0);
    unnamed.teamChosen(0, 3);
    unnamed.teamChosen(1, 1);
    EXPECT_EQ(unnamed.results[1], "Team A Win");
    EXPECT_EQ(unnamed.results[2], "Southern XI Win");
}

// ---- Lists --------------------------------------------------------------------------------------

TEST_F(MatchDetailsTest, ListsHoldLiveRecordsInRecordOrder)
{
    addNamed<GroundRecord>("#");
    addNamed<GroundRecord>("");
    addNamed<GroundRecord>("Stadium");
    addNamed<GradeRecord>("#");
    addNamed<GradeRecord>("B Grade");
    addTeam("#", club(northern));
    MatchDetailsModel m = open();
    EXPECT_EQ(texts(m.grounds), (std::vector<std::string>{"Oval", "Park", "Stadium"}));
    EXPECT_EQ(records(m.grounds), (std::vector<std::int32_t>{1, 2, 5}));
    EXPECT_EQ(texts(m.grades), (std::vector<std::string>{"A Grade", "B Grade"}));
    EXPECT_EQ(records(m.grades), (std::vector<std::int32_t>{1, 3}));
    EXPECT_EQ(texts(m.teams[1].team), (std::vector<std::string>{"Northern XI", "Southern XI", "Visitors XI"}));
    EXPECT_EQ(m.caption, "Match Form");
    EXPECT_EQ(m.ballsPerOver, "6");
    EXPECT_EQ(m.runsPerWide, "1");
    EXPECT_EQ(m.runsPerNoBall, "1");
    EXPECT_TRUE(m.extrasAgainstBowlers);
    EXPECT_EQ(m.teams[0].bonusPoints, "0");
    EXPECT_FALSE(m.changed);
}

TEST_F(MatchDetailsTest, TeamChoiceFillsPlayerListsByAllowedClub)
{
    struct Case
    {
        const char* name;
        std::int16_t allow;
        std::vector<std::int32_t> captains1;
        std::vector<std::int32_t> captains2;
        std::vector<std::int32_t> manOfMatch;
        bool visible1;
        bool visible2;
    };
    // Player 3 is inactive and player 7 deleted: neither is offered for a new match.
    // clang-format off
    const std::vector<Case> cases = {
        {"every club",         0, {1, 2}, {4, 5}, {1, 2, 4, 5}, true,  true},
        {"first team's club",  1, {1, 2}, {4, 5}, {1, 2, 4, 5}, true,  false},
        {"second team's club", 2, {},     {4, 5}, {1, 2, 4, 5}, false, true},
        {"a club not playing", 3, {},     {},     {},           false, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app.header.options.allowPlayersClub = c.allow;
        MatchDetailsModel m = open();
        m.teamChosen(0, 0);
        m.teamChosen(1, 1);
        EXPECT_EQ(records(m.teams[0].captain), c.captains1);
        EXPECT_EQ(records(m.teams[0].keeper), c.captains1);
        EXPECT_EQ(records(m.teams[1].captain), c.captains2);
        EXPECT_EQ(records(m.teams[1].keeper), c.captains2);
        EXPECT_EQ(records(m.manOfMatch), c.manOfMatch);
        EXPECT_EQ(m.teams[0].playersVisible, c.visible1);
        EXPECT_EQ(m.teams[1].playersVisible, c.visible2);
    }
    app.header.options.allowPlayersClub = 0;
    MatchDetailsModel m = open();
    EXPECT_EQ(texts(m.teams[0].captain), std::vector<std::string>{});
    m.teamChosen(0, 0);
    EXPECT_EQ(texts(m.teams[0].captain), (std::vector<std::string>{"Smith, Ned", "Jones, Nick"}));
    EXPECT_EQ(m.teams[0].captain.entries[0].text.size(), 50U);
}

TEST_F(MatchDetailsTest, EditingOffersInactivePlayersAndKeepsStoredOnes)
{
    const std::int32_t match = addMatch(1, {0, 0, 0, 0}, 2);
    MatchRecord r = ws.read<MatchRecord>(match);
    r.captain1 = 3; // inactive
    r.keeper1 = 2;
    r.captain2 = 4;
    r.keeper2 = 6; // a Visitors player, not in Southern's list
    r.manOfMatch = 5;
    ws.write(match, r);

    MatchDetailsModel m = open(match);
    EXPECT_EQ(records(m.teams[0].captain), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(m.teams[0].captain.selectedRecord(), 3);
    EXPECT_EQ(m.teams[0].keeper.selectedRecord(), 2);
    EXPECT_EQ(m.teams[1].captain.selectedRecord(), 4);
    EXPECT_EQ(records(m.teams[1].keeper), (std::vector<std::int32_t>{4, 5, 6}));
    EXPECT_EQ(rtrimBlanks(m.teams[1].keeper.entries.back().text), "Black, Vic");
    EXPECT_EQ(m.teams[1].keeper.selectedRecord(), 6);
    EXPECT_EQ(m.manOfMatch.selectedRecord(), 5);
    EXPECT_EQ(m.resultText(), "Southern XI Win");
    EXPECT_FALSE(m.changed);

    // With players of a club that is not playing, the lists hold only the stored choices.
    app.header.options.allowPlayersClub = club(visitors);
    MatchDetailsModel hidden = open(match);
    EXPECT_EQ(records(hidden.teams[0].captain), (std::vector<std::int32_t>{3}));
    EXPECT_EQ(records(hidden.manOfMatch), (std::vector<std::int32_t>{5}));
    EXPECT_FALSE(hidden.teams[0].playersVisible);
    EXPECT_EQ(hidden.buildRecord(), r);
}

TEST_F(MatchDetailsTest, ChangingATeamEmptiesItsListsAndTheResult)
{
    const std::int32_t match = addMatch(1, {0, 0, 0, 0}, 1);
    MatchRecord r = ws.read<MatchRecord>(match);
    r.captain1 = 1;
    r.captain2 = 4;
    r.manOfMatch = 4;
    ws.write(match, r);
    MatchDetailsModel m = open(match);
    ASSERT_EQ(m.result, 1);

    m.teamChosen(1, 2); // Visitors XI in place of Southern XI
    EXPECT_TRUE(m.changed);
    EXPECT_EQ(m.result, -1);
    EXPECT_EQ(m.results[2], "Visitors XI Win");
    EXPECT_EQ(records(m.teams[1].captain), (std::vector<std::int32_t>{6}));
    EXPECT_EQ(m.teams[1].captain.selected, -1);
    EXPECT_EQ(records(m.manOfMatch), (std::vector<std::int32_t>{1, 2, 3, 6}));
    EXPECT_EQ(m.manOfMatch.selected, -1);
    // The other team's lists stay as they were.
    EXPECT_EQ(m.teams[0].captain.selectedRecord(), 1);
}

// ---- Field checks -------------------------------------------------------------------------------

TEST_F(MatchDetailsTest, DateFormatCheck)
{
    // clang-format off
    const std::vector<std::pair<const char*, bool>> cases = {
        {"31/02/2005", true}, {"01/01/1800", true}, {"31.12.2100", true}, {" 1/ 2/2005", true},
        {"1/2/2005", false}, {"00/01/2005", false}, {"32/01/2005", false}, {"01/00/2005", false},
        {"01/13/2005", false}, {"01/01/1799", false}, {"01/01/2101", false}, {"ab/cd/efgh", false},
        {"01/02/20055", false},
    };
    // clang-format on
    for (const auto& [date, valid] : cases) {
        SCOPED_TRACE(date);
        EXPECT_EQ(DateFormatValid(date), valid);
    }
}

TEST_F(MatchDetailsTest, LeavingTheDateField)
{
    MatchDetailsModel m = open();
    EXPECT_TRUE(m.dateLeft()); // empty: not checked
    EXPECT_TRUE(platform.messages.empty());

    m.fieldEdited(FormField::Date, "1/2/2005");
    platform.buttonAnswers = {Button::Ok};
    EXPECT_FALSE(m.fieldLeft(FormField::Date));
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].text, "Incorrect Date Format");
    EXPECT_EQ(platform.messages[0].title, "Error");
    EXPECT_EQ(platform.messages[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(m.datePlayed, "1/2/2005");

    platform.buttonAnswers = {Button::Cancel};
    EXPECT_TRUE(m.dateLeft());
    EXPECT_EQ(m.datePlayed, "");
}

TEST_F(MatchDetailsTest, LeavingNumberFields)
{
    MatchDetailsModel m = open();
    m.fieldEdited(FormField::Bonus1, "300");
    EXPECT_TRUE(m.fieldLeft(FormField::Bonus1));
    m.fieldEdited(FormField::Bonus2, "300.5");
    EXPECT_FALSE(m.fieldLeft(FormField::Bonus2));
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{"Value must be less than 300"});
    EXPECT_EQ(m.teams[1].bonusPoints, "300.5"); // kept for the user to correct
    // Below what the record can hold: refused on leaving too, not only by OK.
    platform.messages.clear();
    m.fieldEdited(FormField::Bonus1, "-327.68");
    EXPECT_FALSE(m.fieldLeft(FormField::Bonus1));
    m.fieldEdited(FormField::Bonus1, "-327.67");
    EXPECT_TRUE(m.fieldLeft(FormField::Bonus1));
    EXPECT_EQ(platform.messageTexts(),
              std::vector<std::string>{"Bonus Comp. Points of the 1st Batting Team must be a number from -327.67 to 300."});

    platform.messages.clear();
    m.fieldEdited(FormField::BallsPerOver, "0");
    EXPECT_FALSE(m.fieldLeft(FormField::BallsPerOver));
    m.fieldEdited(FormField::BallsPerOver, "8");
    EXPECT_TRUE(m.fieldLeft(FormField::BallsPerOver));
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{"Balls per over must be greater than zero."});

    // A zero for the runs of a wide or no ball is a warning the user may accept.
    platform.messages.clear();
    m.fieldEdited(FormField::RunsPerWide, "0");
    m.fieldEdited(FormField::RunsPerNoBall, "");
    platform.buttonAnswers = {Button::Cancel, Button::Ok, Button::Cancel, Button::Ok};
    EXPECT_FALSE(m.fieldLeft(FormField::RunsPerWide));
    EXPECT_TRUE(m.fieldLeft(FormField::RunsPerWide));
    EXPECT_FALSE(m.fieldLeft(FormField::RunsPerNoBall));
    EXPECT_TRUE(m.fieldLeft(FormField::RunsPerNoBall));
    ASSERT_EQ(platform.messages.size(), 4U);
    EXPECT_EQ(platform.messages[0].text, "This will set Runs Per Wide to a value of zero.");
    EXPECT_EQ(platform.messages[0].icon, Icon::Warning);
    EXPECT_EQ(platform.messages[2].text, "This will set Runs Per No Ball to a value of zero.");
}

TEST_F(MatchDetailsTest, BonusPointsAreShownAsStored)
{
    // clang-format off
    const std::vector<std::pair<std::int16_t, const char*>> cases = {
        {0, "0"}, {250, "2.5"}, {300, "3"}, {30000, "300"}, {5, "0.05"}, {1234, "12.34"}, {-50, "-0.5"}, {-32767, "-327.67"},
    };
    // clang-format on
    for (const auto& [stored, shown] : cases) {
        SCOPED_TRACE(shown);
        EXPECT_EQ(BonusText(stored), shown);
    }
}

// ---- OK -----------------------------------------------------------------------------------------

TEST_F(MatchDetailsTest, OkWritesTheRecordFieldByField)
{
    const std::int32_t deleted = addMatch(1, {0, 0, 0, 0}, 0);
    addMatch(1, {0, 0, 0, 0}, 0);
    ws.DeleteMatch(deleted);
    const std::int32_t slot3 = addInnings(120, 4);
    app.databaseChanged = false;

    MatchDetailsModel m = open();
    m.matchTypeChosen(2);
    m.teamChosen(0, 1); // Southern XI
    m.teamChosen(1, 2); // Visitors XI
    m.fieldEdited(FormField::Date, "05/01/2002");
    m.groundChosen(1); // Park
    m.gradeChosen(0);  // A Grade
    m.fieldEdited(FormField::Round, "SF");
    m.fieldEdited(FormField::Umpires, "Bird and Shepherd");
    m.fieldEdited(FormField::Comment, "Rain on day two");
    m.fieldEdited(FormField::BallsPerOver, "8");
    m.fieldEdited(FormField::RunsPerWide, "2");
    m.fieldEdited(FormField::RunsPerNoBall, "2.5"); // typed numbers round halves to even
    m.extrasAgainstBowlersToggled(false);
    m.captainChosen(0, 1); // player 5
    m.keeperChosen(0, 0);  // player 4
    m.captainChosen(1, 0); // player 6
    m.keeperChosen(1, 0);  // player 6
    m.manOfMatchChosen(2); // Southern 4, 5, then Visitors 6
    m.tossChosen(1);
    m.fieldEdited(FormField::Bonus1, "2.5");
    m.fieldEdited(FormField::Bonus2, "-1.125");
    m.followOnToggled(true);
    m.resultChosen(4);
    m.innings[3] = slot3;
    m.okClicked();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(m.closed);
    EXPECT_TRUE(m.saved);
    EXPECT_FALSE(m.changed);
    EXPECT_TRUE(app.databaseChanged);
    EXPECT_EQ(m.currentMatch(), deleted); // the free record is taken again
    EXPECT_EQ(ws.count(RecordKind::Match), 2);

    MatchRecord expected;
    expected.matchType = 3;
    expected.team1 = 2;
    expected.team2 = 3;
    expected.grade = 1;
    expected.datePlayed.assign("05/01/2002");
    expected.ground = 2;
    expected.innings = {0, 0, 0, slot3, 0};
    expected.result = 4;
    expected.captain1 = 5;
    expected.captain2 = 6;
    expected.bonusPoints1 = 250;
    expected.bonusPoints2 = -112;
    expected.followOnEnforced = 1;
    expected.team2WonToss = -1;
    expected.roundLabel.assign("SF");
    expected.umpires.assign("Bird and Shepherd");
    expected.manOfMatch = 6;
    expected.keeper1 = 4;
    expected.keeper2 = 6;
    expected.comment.assign("Rain on day two");
    expected.runsPerNoBall = 2;
    expected.runsPerWide = 2;
    expected.ballsPerOver = 8;
    expected.extrasAgainstBowlers = 0;
    std::vector<std::uint8_t> bytes(kindInfo(RecordKind::Match).usedSize);
    encode(expected, bytes);
    const std::vector<std::uint8_t> written = ws.readRaw(RecordKind::Match, deleted);
    EXPECT_EQ(written, bytes);
    // A few fields at their offsets, by hand: bonus points 1 at 46, the toss at 52, the round at
    // 54 padded with blanks, runs per no ball at 145 and the reserved Integer at 148.
    EXPECT_EQ(written[46], 0xFA);
    EXPECT_EQ(written[47], 0x00);
    EXPECT_EQ(written[52], 0xFF);
    EXPECT_EQ(written[53], 0xFF);
    EXPECT_EQ(std::string(written.begin() + 54, written.begin() + 59), "SF   ");
    EXPECT_EQ(written[145], 2);
    EXPECT_EQ(written[148], 0);
    EXPECT_EQ(written[150], 0);

    // Opening it again shows what was entered.
    MatchDetailsModel again = open(deleted);
    EXPECT_EQ(again.teams[0].bonusPoints, "2.5");
    EXPECT_EQ(again.teams[1].bonusPoints, "-1.12");
    EXPECT_EQ(again.runsPerNoBall, "2");
    EXPECT_TRUE(again.teams[1].wonToss);
    EXPECT_FALSE(again.teams[0].wonToss);
    EXPECT_EQ(again.resultText(), "Visitors XI Win 1st Innings");
    EXPECT_EQ(again.buildRecord(), expected);
}

TEST_F(MatchDetailsTest, OkEditsTheSameRecord)
{
    const std::int32_t first = addMatch(1, {0, 0, 0, 0}, 0);
    const std::int32_t second = addMatch(1, {0, 0, 0, 0}, 0);
    MatchDetailsModel m = open(first);
    m.fieldEdited(FormField::Umpires, "New umpire");
    m.okClicked();
    EXPECT_TRUE(m.saved);
    EXPECT_EQ(m.currentMatch(), first);
    EXPECT_EQ(ws.count(RecordKind::Match), second);
    EXPECT_EQ(ws.read<MatchRecord>(first).umpires.str(), "New umpire");
}

TEST_F(MatchDetailsTest, OkRefusesWhatCannotBeSaved)
{
    struct Case
    {
        const char* name;
        std::function<void(MatchDetailsModel&)> edit;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"no date", [](MatchDetailsModel& m) { m.fieldEdited(FormField::Date, ""); }, "A match date must be entered"},
        {"short date", [](MatchDetailsModel& m) { m.fieldEdited(FormField::Date, "1/2/2005"); },
         "A match date must be entered"},
        {"no type", [](MatchDetailsModel& m) { m.matchTypeChosen(-1); }, "Match type must be selected"},
        // A year that is not a number would make the saved match vanish from every list.
        {"date not a date", [](MatchDetailsModel& m) { m.fieldEdited(FormField::Date, "14/03/20x9"); },
         "Incorrect Date Format"},
        {"balls per over 0", [](MatchDetailsModel& m) { m.fieldEdited(FormField::BallsPerOver, "0"); },
         "Balls Per Over must be a number from 1 to 255."},
        {"balls per over 256", [](MatchDetailsModel& m) { m.fieldEdited(FormField::BallsPerOver, "256"); },
         "Balls Per Over must be a number from 1 to 255."},
        {"runs per wide 300", [](MatchDetailsModel& m) { m.fieldEdited(FormField::RunsPerWide, "300"); },
         "Runs per Wide must be a number from 0 to 255."},
        {"runs per no ball -1", [](MatchDetailsModel& m) { m.fieldEdited(FormField::RunsPerNoBall, "-1"); },
         "Runs per No Ball must be a number from 0 to 255."},
        {"bonus 400", [](MatchDetailsModel& m) { m.fieldEdited(FormField::Bonus1, "400"); },
         "Bonus Comp. Points of the 1st Batting Team must be a number from -327.67 to 300."},
        {"bonus -327.68", [](MatchDetailsModel& m) { m.fieldEdited(FormField::Bonus2, "-327.68"); },
         "Bonus Comp. Points of the 2nd Batting Team must be a number from -327.67 to 300."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.messages.clear();
        MatchDetailsModel m = open();
        fillNewMatch(m, 1);
        c.edit(m);
        m.okClicked();
        ASSERT_EQ(platform.messageTexts(), std::vector<std::string>{c.message});
        EXPECT_EQ(platform.messages[0].icon, Icon::Error);
        EXPECT_FALSE(m.closed);
        EXPECT_FALSE(m.saved);
        EXPECT_EQ(ws.count(RecordKind::Match), 0);
    }

    platform.messages.clear();
    MatchDetailsModel noTeams = open();
    noTeams.matchTypeChosen(0);
    noTeams.fieldEdited(FormField::Date, "14/03/2009");
    noTeams.teamChosen(0, 0);
    noTeams.okClicked();
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{"Two teams must be selected"});

    // The limits themselves are stored.
    platform.messages.clear();
    MatchDetailsModel limits = open();
    fillNewMatch(limits, 1);
    limits.fieldEdited(FormField::Bonus1, "300");
    limits.fieldEdited(FormField::Bonus2, "-327.67");
    limits.fieldEdited(FormField::RunsPerWide, "255");
    limits.fieldEdited(FormField::RunsPerNoBall, "0");
    limits.okClicked();
    EXPECT_TRUE(platform.messages.empty());
    const MatchRecord stored = ws.read<MatchRecord>(1);
    EXPECT_EQ(stored.bonusPoints1, 30000);
    EXPECT_EQ(stored.bonusPoints2, -32767);
    EXPECT_EQ(stored.runsPerWide, 255);
    EXPECT_EQ(stored.runsPerNoBall, 0);
}

TEST_F(MatchDetailsTest, OkThatCannotWriteKeepsTheWindowAndTheCount)
{
    MatchDetailsModel m = open();
    fillNewMatch(m);
    app.workingBase = folder.path() + "/missing/~tmp"; // the match file cannot be created
    m.okClicked();
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].text.rfind("The match could not be saved.", 0), 0U);
    EXPECT_EQ(ws.count(RecordKind::Match), 0);
    EXPECT_FALSE(m.closed);
    EXPECT_TRUE(m.changed);
}

// ---- Changed flag and closing -------------------------------------------------------------------

TEST_F(MatchDetailsTest, EveryEditAsksBeforeClosing)
{
    const std::int32_t match = addMatch(2, {0, 0, 0, 0}, 0);
    const std::vector<std::pair<const char*, std::function<void(MatchDetailsModel&)>>> edits = {
        {"type", [](MatchDetailsModel& m) { m.matchTypeChosen(1); }},
        {"team", [](MatchDetailsModel& m) { m.teamChosen(1, 2); }},
        {"ground", [](MatchDetailsModel& m) { m.groundChosen(0); }},
        {"grade", [](MatchDetailsModel& m) { m.gradeChosen(0); }},
        {"captain", [](MatchDetailsModel& m) { m.captainChosen(0, 0); }},
        {"keeper", [](MatchDetailsModel& m) { m.keeperChosen(1, 0); }},
        {"man of the match", [](MatchDetailsModel& m) { m.manOfMatchChosen(0); }},
        {"result", [](MatchDetailsModel& m) { m.resultChosen(1); }},
        {"follow-on", [](MatchDetailsModel& m) { m.followOnToggled(true); }},
        {"date", [](MatchDetailsModel& m) { m.fieldEdited(FormField::Date, "02/02/2003"); }},
        {"round", [](MatchDetailsModel& m) { m.fieldEdited(FormField::Round, "R1"); }},
        {"bonus", [](MatchDetailsModel& m) { m.fieldEdited(FormField::Bonus2, "1"); }},
        // Like every other field these are stored only by OK, so closing must not drop them silently.
        {"umpires", [](MatchDetailsModel& m) { m.fieldEdited(FormField::Umpires, "Someone"); }},
        {"comment", [](MatchDetailsModel& m) { m.fieldEdited(FormField::Comment, "Wet"); }},
        {"balls per over", [](MatchDetailsModel& m) { m.fieldEdited(FormField::BallsPerOver, "8"); }},
        {"runs per wide", [](MatchDetailsModel& m) { m.fieldEdited(FormField::RunsPerWide, "2"); }},
        {"runs per no ball", [](MatchDetailsModel& m) { m.fieldEdited(FormField::RunsPerNoBall, "2"); }},
        {"toss", [](MatchDetailsModel& m) { m.tossChosen(1); }},
        {"extras", [](MatchDetailsModel& m) { m.extrasAgainstBowlersToggled(false); }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        platform.messages.clear();
        MatchDetailsModel m = open(match);
        ASSERT_FALSE(m.changed);
        edit(m);
        EXPECT_TRUE(m.changed);
        platform.buttonAnswers = {Button::Cancel};
        m.cancelClicked();
        EXPECT_FALSE(m.closed);
        ASSERT_EQ(platform.messageTexts(), std::vector<std::string>{"Changes will not be kept"});
        EXPECT_EQ(platform.messages[0].icon, Icon::Warning);
        EXPECT_EQ(platform.messages[0].buttons, Buttons::OkCancel);
        platform.buttonAnswers = {Button::Ok};
        EXPECT_TRUE(m.closeRequested());
        EXPECT_TRUE(m.closed);
        EXPECT_FALSE(m.saved);
    }
    EXPECT_EQ(ws.read<MatchRecord>(match).umpires.str(), "");
}

TEST_F(MatchDetailsTest, ClosingUnchangedOrHiddenAsksNothing)
{
    const std::int32_t match = addMatch(2, {0, 0, 0, 0}, 0);
    MatchDetailsModel m = open(match);
    m.cancelClicked();
    EXPECT_TRUE(m.closed);

    MatchDetailsModel generated = open(match);
    generated.siteGenerationActive = true;
    generated.resultChosen(2);
    EXPECT_TRUE(generated.closeRequested());
    EXPECT_TRUE(platform.messages.empty());
}

// ---- Innings buttons ----------------------------------------------------------------------------

TEST_F(MatchDetailsTest, InningsButtonsCheckTheirPreconditions)
{
    MatchDetailsModel m = open();
    m.inningsClicked(1);
    m.teamChosen(0, 0);
    m.teamChosen(1, 1);
    m.inningsClicked(3);
    m.matchTypeChosen(0);
    m.inningsClicked(2); // "Innings 2" is disabled for a one-day match
    m.fieldEdited(FormField::BallsPerOver, "0");
    m.inningsClicked(1);
    EXPECT_EQ(platform.messageTexts(),
              (std::vector<std::string>{"Two teams must be selected", "Please select the match type first",
                                        "Balls Per Over must be a number from 1 to 255."}));
    EXPECT_TRUE(platform.replacedWindows.empty());
}

TEST_F(MatchDetailsTest, InningsButtonHandsOverAndTakesTheNewInningsBack)
{
    const std::int32_t slot1 = addInnings(140, 10);
    const std::int32_t match = addMatch(2, {slot1, 0, 0, 0}, -1);
    MatchDetailsModel m = open(match);
    m.fieldEdited(FormField::BallsPerOver, "8");
    m.fieldEdited(FormField::RunsPerWide, "2");
    m.extrasAgainstBowlersToggled(false);
    ASSERT_TRUE(m.ballsPerOverLeft());
    m.changed = false;

    std::vector<ScorecardHandOver> seen;
    std::int32_t created = 0;
    platform.onModal = [&](WindowModel& w) {
        auto* card = dynamic_cast<ScorecardModel*>(&w);
        ASSERT_NE(card, nullptr);
        seen.push_back(card->handOver);
        // The scorecard window creates the innings of an empty slot.
        created = addInnings(141, 4);
        card->handOver.innings[4] = created;
    };
    m.inningsClicked(4);

    ASSERT_EQ(seen.size(), 1U);
    ScorecardHandOver expected;
    expected.slot = 4;
    expected.ballsPerOver = 8;
    expected.battingClub = club(southern);
    expected.bowlingClub = club(northern);
    expected.battingTeam = "Southern XI";
    expected.runsPerWide = 2;
    expected.runsPerNoBall = 1;
    expected.extrasAgainstBowlers = false;
    // The scorecard window created the empty slot's innings record as it opened.
    expected.innings = {0, slot1, 0, 0, slot1 + 1};
    EXPECT_EQ(seen[0], expected);
    ASSERT_EQ(platform.replacedWindows.size(), 1U);
    EXPECT_EQ(platform.replacedWindows[0].second, &m);
    EXPECT_EQ(platform.busyDepth, 0);
    EXPECT_GE(platform.busyCalls, 1);

    // The new innings is part of the match once it is saved, so closing now would lose it.
    EXPECT_EQ(m.innings[4], created);
    EXPECT_TRUE(m.changed);
    EXPECT_EQ(m.summaryLines[4], "141/4 All Out\nOvers 0");

    // Slots 1 and 2 bat the first team.
    EXPECT_EQ(m.scorecardHandOver(2).battingClub, club(northern));
    EXPECT_EQ(m.scorecardHandOver(2).battingTeam, "Northern XI");
}

TEST_F(MatchDetailsTest, HelpOpensTopic500)
{
    MatchDetailsModel m = open();
    m.helpClicked();
    m.summaryClicked();
    m.reportClicked();
    EXPECT_EQ(platform.helpContexts, std::vector<int>{500});
}

} // namespace
