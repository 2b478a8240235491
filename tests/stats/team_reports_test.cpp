// Partnerships, team innings totals, match results, the points table and the honours summary
// on the small statistics fixture, with hand-written rows.

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

void setFow(InningsRecord& in, int wicket, std::int16_t score, std::uint8_t position)
{
    in.batting[static_cast<std::size_t>(wicket)].fowScore = score;
    in.batting[static_cast<std::size_t>(wicket)].fowBatsman = position;
}

// A two-day match of 20/06/2019 with the fall of wickets entered. Alpha XI: Smith out first at
// 50, Jones retired hurt, White out at 95, Hill and Cook not out (total 115 with 3 byes). Beta
// XI: Brown out at 60, Green and Black not out (total 75).
struct PartnershipFixture : StatsFixture
{
    PartnershipFixture()
    {
        const auto hill = static_cast<std::int16_t>(db.addPlayer("Hill", 1));
        const auto cook = static_cast<std::int16_t>(db.addPlayer("Cook", 1));
        const std::int32_t a = addInnings(
            db,
            {{1, Bowled, 40, 0, 3}, {2, RetiredHurt, 25}, {5, Caught, 30, 3, 4}, {hill, NotOut, 12}, {cook, NotOut, 5}},
            {});
        change<InningsRecord>(db, a, [](InningsRecord& in) {
            in.byes = 3;
            setFow(in, 1, 50, 1);
            setFow(in, 2, 95, 3);
        });
        const std::int32_t b = addInnings(db, {{3, Caught, 60, 1, 2}, {4, NotOut, 10}, {6, NotOut, 5}}, {});
        change<InningsRecord>(db, b, [](InningsRecord& in) { setFow(in, 1, 60, 1); });
        addMatch(db, "20/06/2019", TwoDayMatch, 1, 2, {0, a, 0, b, 0});
    }
};

TEST(Partnerships, TopStandsWithTheUnbrokenPairAndARetirement)
{
    PartnershipFixture f;
    const ReportText t = ProduceReport(f.db.ws, requestFor(TopPartnerships));
    EXPECT_EQ(
        t.heading,
        "    Name               Name              Club    Date      Opposition   Ground                     Runs");
    const std::string alpha = "ALP     20-Jun-19 Beta XI      Oval                     ";
    const std::string beta = "Beta CC 20-Jun-19 Alpha XI     Oval                     ";
    // Jones, retired hurt and not back, partnered the first two wickets; the unbroken stand is
    // the last pair's, Cook (the later) and Hill.
    const std::vector<std::string> expected = {
        "  1.Brown              Green             " + beta + "  60",
        "  2.Smith              Jones             " + alpha + "  50",
        "  3.White              Jones             " + alpha + "  45",
        "  4.Cook               Hill              " + alpha + "  20*",
        "  5.Black              Green             " + beta + "  15*",
    };
    EXPECT_EQ(t.lines, expected);

    StatsRequest r = requestFor(TopPartnerships);
    r.subjectClub = 2; // Beta's batsmen only
    r.subjectClubName = "Beta CC";
    const std::vector<std::string> lines = rows(f, r);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].substr(0, 22), "  1.Brown             ");
}

TEST(Partnerships, BestStandOfEachWicket)
{
    PartnershipFixture f;
    const ReportText t = ProduceReport(f.db.ws, requestFor(PartnershipsByWicket));
    EXPECT_EQ(t.title, "Partnerships by Wicket");
    EXPECT_EQ(t.heading, "Wkt  Runs Name              Name              Date      Club    Opposition  Ground");
    // Wicket 1: Brown's 60 beats Smith's 50; wicket 2: White's 45 beats the unbroken 15.
    const std::vector<std::string> expected = {
        " 1   60   Brown             Green             20-Jun-19 Beta CC Alpha XI    Oval                     ",
        " 2   45   White             Jones             20-Jun-19 ALP     Beta XI     Oval                     ",
        " 3   20*  Cook              Hill              20-Jun-19 ALP     Beta XI     Oval                     ",
    };
    EXPECT_EQ(t.lines, expected);
}

// The fixture's innings with extras and statuses: Alpha's first innings of match 1 all out for
// 150 + byes 4, leg byes 1, 3 wides at 1 and 2 no balls at 2 = 162; Beta's first innings of
// match 1 declared (50); Beta's innings of the one-day match 2 closed (100).
void setTotals(StatsFixture& f)
{
    change<MatchRecord>(f.db, 1, [](MatchRecord& m) {
        m.runsPerWide = 1;
        m.runsPerNoBall = 2;
    });
    const MatchRecord m1 = f.db.ws.read<MatchRecord>(1);
    const MatchRecord m2 = f.db.ws.read<MatchRecord>(2);
    change<InningsRecord>(f.db, m1.innings[1], [](InningsRecord& in) {
        in.byes = 4;
        in.legByes = 1;
        in.wides = 3;
        in.noBalls = 2;
    });
    change<InningsRecord>(f.db, m1.innings[3], [](InningsRecord& in) { in.status = Declared; });
    change<InningsRecord>(f.db, m2.innings[1], [](InningsRecord& in) { in.status = Closed; });
}

TEST(TeamInnings, HighestAndLowestCompletedTotals)
{
    StatsFixture f;
    setTotals(f);
    const std::string alpha = "Alpha XI           ALP     ";
    const std::string beta = "Beta XI            Beta CC ";
    const ReportText high = ProduceReport(f.db.ws, requestFor(TopInningsScores));
    EXPECT_EQ(high.heading, "    Team               Club    Date      Opposition   Ground                     Runs");
    const std::vector<std::string> highest = {
        "  1." + alpha + "10-May-19 Beta XI      Oval                       162-2 All Out",
        "  2." + beta + "17-May-19 Alpha XI     Oval                       100-1 Closed",
        "  3." + beta + "10-May-19 Alpha XI     Oval                       50-2 Declared",
        "  4." + alpha + "17-May-19 Beta XI      Oval                       50-1",
        "  5." + beta + "10-May-19 Alpha XI     Oval                       20-0",
    };
    EXPECT_EQ(high.lines, highest);
    // Only innings that were all out: the declared 50 and the closed 100 are no lowest totals.
    const ReportText low = ProduceReport(f.db.ws, requestFor(LowestInningsScores));
    EXPECT_EQ(low.title, "Lowest Completed Innings Scores");
    const std::vector<std::string> lowest = {"  1." + alpha +
                                             "10-May-19 Beta XI      Oval                       162-2"};
    EXPECT_EQ(low.lines, lowest);
}

// Results: Alpha XI win match 1 outright (1.5 bonus points), Beta XI the one-day match 2. A
// third team, Alpha 2nds, has no match.
void setResults(StatsFixture& f)
{
    f.db.addTeam("Alpha 2nds", 1);
    change<MatchRecord>(f.db, 1, [](MatchRecord& m) {
        m.result = 1;
        m.bonusPoints1 = 150;
    });
    change<MatchRecord>(f.db, 2, [](MatchRecord& m) { m.result = 1; });
    auto& cp = f.db.app.header.options.competitionPoints;
    cp = {};
    cp[0] = 60;  // outright win
    cp[5] = 40;  // one-day win
    cp[9] = 10;  // one-day loss
    cp[10] = 5;  // outright defeat
    cp[1] = 999; // first-innings win: a one-day win must not take it
}

TEST(ResultsTables, PointsTableListsEveryTeamTaken)
{
    StatsFixture f;
    setResults(f);
    StatsRequest r = requestFor(CompetitionPoints);
    r.grade = 1;
    r.gradeName = "First Grade";
    const ReportText t = ProduceReport(f.db.ws, r);
    EXPECT_EQ(t.title, "Competition Points");
    EXPECT_EQ(t.subtitle, "All Matches, First Grade\r\n10-May-19 to 17-May-19");
    EXPECT_EQ(t.heading, "Team                 Plyd Wo/r W1st Draw Tie  Loss NR   Points");
    // Alpha: 6 + 1.5 for the outright win, 1 for the one-day loss. Beta: 0.5 for the outright
    // defeat, 4 for the one-day win, counted under "W1st".
    const std::vector<std::string> expected = {
        "Alpha XI             2    1    0    0    0    1    0    8.5",
        "Beta XI              2    0    1    0    0    1    0    4.5",
        "Alpha 2nds           0    0    0    0    0    0    0    0",
    };
    EXPECT_EQ(t.lines, expected);
    r.subjectClub = 1; // the club's teams, with or without matches
    const std::vector<std::string> alpha = {expected[0], expected[2]};
    EXPECT_EQ(rows(f, r), alpha);
    // Negative points (a penalty) still list the team.
    change<MatchRecord>(f.db, 2, [](MatchRecord& m) { m.bonusPoints2 = -2000; });
    EXPECT_EQ(rows(f, r).size(), 2U);
    EXPECT_EQ(rows(f, r)[0].substr(0, 20), "Alpha 2nds          ");
}

TEST(ResultsTables, MatchResultsPerOpponent)
{
    StatsFixture f;
    setResults(f);
    const ReportText t = ProduceReport(f.db.ws, requestFor(MatchResults));
    EXPECT_EQ(t.heading, "Team                 Opposition        Plyd Wo/r W1st Draw Tie  Loss NR Win%");
    // Alpha 2nds never played: no row.
    const std::vector<std::string> expected = {
        "Alpha XI             Beta XI           2    1    -    -    -    1    -  50.00",
        "Beta XI              Alpha XI          2    -    1    -    -    1    -  50.00",
    };
    EXPECT_EQ(t.lines, expected);
    StatsRequest r = requestFor(MatchResults);
    r.vsClub = 2; // opponents of Beta CC only
    const std::vector<std::string> vsBeta = {expected[0]};
    EXPECT_EQ(rows(f, r), vsBeta);
}

TEST(Honours, FixedRowsAndTheirTieRules)
{
    StatsFixture f;
    setTotals(f);
    const MatchRecord m1 = f.db.ws.read<MatchRecord>(1);
    f.db.ws.append(makeSpecialEvent(m1.innings[3], 2, "Hat Trick"));
    StatsRequest r = requestFor(HonoursSummary);
    r.reportLength = 100;
    r.battingMinRuns = 50;
    r.battingMinInnings = 2;
    r.battingByInnings = true;
    r.bowlingMinWickets = 10;
    const ReportText t = ProduceReport(f.db.ws, r);
    EXPECT_EQ(t.heading, "Statistic                  Name              Club             Figures");
    // Most catches: Smith, Jones and Brown hold one each; the first in record order keeps it.
    // Most wickets in an innings: Smith's 6-23 beats Jones's earlier 6-40. Lowest: the closed
    // innings of the one-day match, not the declared 50.
    // clang-format off
    const std::vector<std::string> expected = {
        "Best Batting Average       Smith             Alpha CC          150.00  ",
        "Highest Score              Smith             Alpha CC          100*   ",
        "Best Batting Aggregate     Smith             Alpha CC          150    ",
        "Best Bowling Average       Smith             Alpha CC          3.00    ",
        "Most Wickets               Smith             Alpha CC          11     ",
        "Most Wickets in Innings    Smith             Alpha CC          6-23   ",
        "Most Catches               Smith             Alpha CC          1      ",
        "Hat Trick                  Jones             Alpha CC          1",
        "Highest Innings Score      Alpha XI          Alpha CC          162    ",
        "Lowest Innings Score       Beta XI           Beta CC           100    ",
    };
    // clang-format on
    EXPECT_EQ(t.lines, expected);
}

} // namespace
} // namespace wickly::stats
