// The individual, all-rounder, fielding and captains' reports on the small statistics fixture,
// with hand-written rows.

#include "formats.h"
#include "stats_engine.h"
#include "report_rows.h"
#include "stats_fixture.h"

#include <gtest/gtest.h>

namespace wickly::stats {
namespace {

using test::addInnings;
using test::addMatch;
using test::StatsFixture;
using test::change;
using test::requestFor;
using test::rows;
using namespace test::columns;


// A one-day match of 24/05/2019, Alpha XI batting first, with the fielding the fixture lacks:
// keepers White (Alpha) and Black (Beta), catches and stumpings by keepers and by others, an
// assisted run out and a plain one.
void addFieldingMatch(StatsFixture& f)
{
    const std::int32_t s1 = addInnings(f.db,
                                       {{1, Caught, 10, 6, 4}, // c Black (keeper) b Green
                                        {2, Stumped, 5, 6, 4}, // st Black (keeper) b Green
                                        {5, RunOut, 7, 3, 4}}, // run out Brown, Green assisting
                                       {{4, 5.0F, 0, 20, 2}});
    const std::int32_t s3 = addInnings(f.db,
                                       {{3, Caught, 3, 1, 2},  // c Smith b Jones
                                        {4, Stumped, 4, 1, 2}, // st Smith (not the keeper) b Jones
                                        {6, RunOut, 1, 2, 0}}, // run out Jones alone
                                       {{2, 5.0F, 0, 10, 2}});
    const std::int32_t m = addMatch(f.db, "24/05/2019", OneDayMatch, 1, 2, {0, s1, 0, s3, 0});
    change<MatchRecord>(f.db, m, [](MatchRecord& r) {
        r.keeper1 = 5;
        r.keeper2 = 6;
    });
}

TEST(IndividualReports, PointsWeighEveryAchievement)
{
    StatsFixture f;
    auto& w = f.db.app.header.options.individualPoints;
    w = {};
    w[0] = 1;  // run
    w[1] = 20; // wicket
    w[2] = 10; // catch
    w[5] = 5;  // stumping
    w[6] = 25; // man of the match
    change<MatchRecord>(f.db, 1, [](MatchRecord& m) { m.manOfMatch = 2; });
    const ReportText t = ProduceReport(f.db.ws, requestFor(PointsScores));
    EXPECT_EQ(t.title, "Top Points Scorers");
    EXPECT_EQ(t.heading, "    Name               Club    Mts Runs  Wkts Ct  St  RO  ARO M/M Points");
    // clang-format off
    const std::vector<std::string> expected = {
        "  1." + smith + "2   150   11   1   -   -   -   -   380",
        "  2." + jones + "2   50    10   1   -   -   -   1   285",
        "  3." + green + "2   100   2    -   -   -   -   -   140",
        "  4." + brown + "2   50    1    1   -   -   -   -   80",
        "  5." + black + "1   20    -    -   -   -   -   -   20",
        "  6." + white + "1   -     -    -   1   -   -   -   5",
    };
    // clang-format on
    EXPECT_EQ(t.lines, expected);

    // Run outs: a second fielder makes it an assisted run out for both.
    addFieldingMatch(f);
    w = {};
    w[3] = 3; // run out
    w[4] = 2; // assisted run out
    StatsRequest r = requestFor(PointsScores);
    r.dateFrom = "20190524";
    const std::vector<std::string> runOuts = {
        "  1." + jones + "1   5     2    -   -   1   -   -   3",
        "  2." + brown + "1   3     -    -   -   -   1   -   2",
        "  3." + green + "1   4     2    -   -   -   1   -   2",
    };
    EXPECT_EQ(rows(f, r), runOuts);
}

TEST(IndividualReports, PointsHistoryBringsNoManOfTheMatchAwards)
{
    StatsFixture f;
    auto& w = f.db.app.header.options.individualPoints;
    w = {};
    w[6] = 10; // only man-of-the-match awards score
    change<PlayerRecord>(f.db, 1, [](PlayerRecord& p) { p.history.hundreds = 4; });
    StatsRequest r = requestFor(PointsScores);
    r.includeHistory = true;
    EXPECT_TRUE(rows(f, r).empty()); // four historical hundreds are not four awards
}

TEST(IndividualReports, LongestServingCountsYearsOfAnyCentury)
{
    StatsFixture f;
    // Jones also played in 1938 and 1951; Smith's history starts in 1998.
    const std::int32_t old1 = addInnings(f.db, {{2, Bowled, 5}}, {});
    addMatch(f.db, "12/06/1938", TwoDayMatch, 1, 2, {0, old1, 0, 0, 0});
    const std::int32_t old2 = addInnings(f.db, {{2, Bowled, 5}}, {});
    addMatch(f.db, "12/06/1951", TwoDayMatch, 1, 2, {0, old2, 0, 0, 0});
    change<PlayerRecord>(f.db, 1, [](PlayerRecord& p) {
        p.history.matches = 3;
        p.firstMatchYear = 1998;
        p.lastMatchYear = 2004;
    });
    StatsRequest r = requestFor(LongestServing);
    r.includeHistory = true;
    r.reportLength = 3;
    const ReportText t = ProduceReport(f.db.ws, r);
    EXPECT_EQ(t.heading, "    Name               Club    Mts Duration   Years");
    const std::vector<std::string> expected = {
        "  1." + jones + "4   1938-2019  82",
        "  2." + smith + "5   1998-2019  22",
        "  3." + brown + "2   2019-2019  1",
    };
    EXPECT_EQ(t.lines, expected);
    // History alone: 1998 to 2004 is seven years.
    r.dateTo = "19000101";
    const std::vector<std::string> history = {"  1." + smith + "3   1998-2004  7"};
    EXPECT_EQ(rows(f, r), history);
}

TEST(IndividualReports, YoungestFirstAcrossTheTurnOfAYear)
{
    StatsFixture f;
    change<PlayerRecord>(f.db, 1, [](PlayerRecord& p) { p.dateOfBirth.assign("31/12/1990"); });
    change<PlayerRecord>(f.db, 2, [](PlayerRecord& p) { p.dateOfBirth.assign("01/01/1991"); });
    change<PlayerRecord>(f.db, 3, [](PlayerRecord& p) { p.dateOfBirth.assign("15/08/1980"); });
    const std::int32_t unplayed = f.db.addPlayer("Young", 1);
    change<PlayerRecord>(f.db, unplayed, [](PlayerRecord& p) { p.dateOfBirth.assign("01/01/2001"); });
    StatsRequest r = requestFor(YoungestPlayers);
    r.today = "10/03/2020";
    const std::vector<std::string> expected = {
        "  1." + jones + "2   01-Jan-91 29y 2m",
        "  2." + smith + "2   31-Dec-90 29y 3m",
        "  3." + brown + "2   15-Aug-80 39y 7m",
    };
    EXPECT_EQ(rows(f, r), expected); // no date of birth, or no match: not listed
}

TEST(IndividualReports, CompleteSummaryInAlphabeticalOrder)
{
    StatsFixture f;
    const std::int32_t obrien = f.db.addPlayer("T O'Brien", 1, "O'Brien", "Tom");
    const std::int32_t oakes = f.db.addPlayer("Z Oakes", 1, "Oakes");
    const std::int32_t nash = f.db.addPlayer("A Nash", 1, "Nash");
    const std::int32_t s1 = addInnings(f.db,
                                       {{static_cast<std::int16_t>(oakes), DidNotBat, 0},
                                        {static_cast<std::int16_t>(obrien), DidNotBat, 0},
                                        {static_cast<std::int16_t>(nash), DidNotBat, 0}},
                                       {});
    addMatch(f.db, "01/06/2019", OneDayMatch, 1, 2, {0, s1, 0, 0, 0});
    change<PlayerRecord>(f.db, 5, [](PlayerRecord& p) { p.active = 0; }); // White
    StatsRequest r = requestFor(CompleteSummary);
    r.reportLength = 20;
    std::vector<std::string> lines = rows(f, r);
    std::vector<std::string> names;
    for (const std::string& l : lines) {
        names.push_back(rtrimBlanks(l.substr(4, 18)));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Black", "Brown", "Green", "Jones", "A Nash", "T O'Brien", "Z Oakes",
                                               "Smith"}));
    EXPECT_EQ(lines[7],
              "  8." + smith + "2   2   1  100* 1  1   150.0 150   21   33     6-23  2  -   3.00 11  1   -  - ");
    r.listActive = false; // "All": White too
    lines = rows(f, r);
    ASSERT_EQ(lines.size(), 9U);
    EXPECT_EQ(lines[8].substr(0, 31), "  9." + white);
}

TEST(IndividualReports, AllRoundersNeedBothMinimums)
{
    StatsFixture f;
    StatsRequest r = requestFor(AllRounders);
    r.allRoundMinRuns = 50;
    r.allRoundMinWickets = 2;
    const ReportText t = ProduceReport(f.db.ws, r);
    EXPECT_EQ(t.title, "All-Rounders min: 50runs 2wkts");
    const std::vector<std::string> expected = {
        "  1." + smith + "2   11    150",
        "  2." + green + "2   2     100",
        "  3." + jones + "2   10    50",
    };
    EXPECT_EQ(t.lines, expected); // Brown has one wicket only
}

TEST(IndividualReports, MostMatchesShowsTheMatchesOnce)
{
    // The heading has one column, "Matches", filled by the row's matches: no key text follows.
    StatsFixture f;
    const ReportText t = ProduceReport(f.db.ws, requestFor(MostMatches));
    EXPECT_EQ(t.heading, "    Name               Club    Matches");
    const std::vector<std::string> expected = {
        "  1." + smith + "2  ", "  2." + jones + "2  ", "  3." + brown + "2  ",
        "  4." + green + "2  ", "  5." + white + "1  ", "  6." + black + "1  ",
    };
    EXPECT_EQ(t.lines, expected);
}

TEST(FieldingReports, CatchesKeepingRunOutsAndDrops)
{
    StatsFixture f;
    addFieldingMatch(f);
    // Drops: two by Smith (who also held two catches), one by Brown.
    const MatchRecord m1 = f.db.ws.read<MatchRecord>(1);
    f.db.ws.append(makeSpecialEvent(m1.innings[3], 1, "Drop Catch"));
    f.db.ws.append(makeSpecialEvent(m1.innings[3], 1, "Drop Catch"));
    f.db.ws.append(makeSpecialEvent(m1.innings[1], 3, "Drop Catch"));
    struct Case
    {
        int kind;
        std::vector<std::string> rows;
    };
    // clang-format off
    const Case cases[] = {
        {TopCatches, {"  1." + smith + "3   2", "  2." + jones + "3   1", "  3." + brown + "3   1", "  4." + black + "2   1"}},
        // Black's catch was the keeper's.
        {TopCatchesByFieldsmen, {"  1." + smith + "3   2", "  2." + jones + "3   1", "  3." + brown + "3   1"}},
        {TopRunouts, {"  1." + jones + "3   1", "  2." + brown + "3   1", "  3." + green + "3   1"}},
        // White's and Smith's stumpings were not by the named keeper of their match.
        {TopWicketKeeping, {"  1." + black + "1   1     1     2"}},
        // One entry per player and match, in the order the catches were found.
        {MostCatchesInMatch, {
            "  1.Brown              Beta CC 10-May-19 Alpha XI     Oval                       1",
            "  2.Jones              ALP     10-May-19 Beta XI      Oval                       1",
            "  3.Smith              ALP     17-May-19 Beta XI      Oval                       1",
            "  4.Black              Beta CC 24-May-19 Alpha XI     Oval                       1",
            "  5.Smith              ALP     24-May-19 Beta XI      Oval                       1"}},
        {MostCatchesInSeason, {"  1." + smith + "   2019  3   2", "  2." + jones + "   2019  3   1",
                               "  3." + brown + "   2019  3   1", "  4." + black + "   2019  2   1"}},
        {DroppedCatches, {"  1." + smith + "3   2      50    2", "  2." + brown + "3   1      50    1"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(rows(f, requestFor(c.kind)), c.rows);
    }
    EXPECT_EQ(ProduceReport(f.db.ws, requestFor(TopWicketKeeping)).heading,
              "    Name               Club    Mts Catch Stump Total");
}

TEST(CaptainsReport, WinsLossesAndWinPercentage)
{
    StatsFixture f;
    struct Game
    {
        std::int16_t type, result, captain1, captain2;
    };
    // Smith captains Alpha XI (team 1), Brown Beta XI: a one-day win, a first-innings win and an
    // outright win of a multi-day match, a one-day defeat. Then Jones and Green in a one-day tie.
    const Game games[] = {{OneDayMatch, 1, 1, 3},
                          {TwoDayMatch, 3, 1, 3},
                          {FourDayMatch, 1, 1, 3},
                          {OneDayMatch, 2, 1, 3},
                          {OneDayMatch, 3, 2, 4}};
    for (const Game& g : games) {
        const std::int32_t m = addMatch(f.db, "01/07/2019", g.type, 1, 2, {0, 0, 0, 0, 0});
        change<MatchRecord>(f.db, m, [&](MatchRecord& r) {
            r.result = g.result;
            r.captain1 = g.captain1;
            r.captain2 = g.captain2;
        });
    }
    const ReportText t = ProduceReport(f.db.ws, requestFor(CaptainsMostWins));
    EXPECT_EQ(t.title, "Captain's Results");
    EXPECT_EQ(t.heading, "    Name               Club    Caps NR/Dr Lost  WIN%   Wins");
    const std::vector<std::string> expected = {
        "  1." + smith + "4    -     1     75.00  3",
        "  2." + brown + "4    -     3     25.00  1",
        "  3." + jones + "1    1     -     0.00   0",
        "  4." + green + "1    1     -     0.00   0",
    };
    EXPECT_EQ(t.lines, expected);
    StatsRequest r = requestFor(CaptainsMostWins);
    r.subjectClub = 2; // Beta's captains only
    const std::vector<std::string> beta = {
        "  1." + brown.substr(0, 19) + "Beta CC 4    -     3     25.00  1",
        "  2." + green.substr(0, 19) + "Beta CC 1    1     -     0.00   0",
    };
    EXPECT_EQ(rows(f, r), beta);
}

} // namespace
} // namespace wickly::stats
