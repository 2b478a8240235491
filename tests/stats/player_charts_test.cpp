// The player charts as data: which innings they show and in what order, the bar values, colours
// and year labels, the running average, the dismissal slices, the titles and the filters.

#include "player_charts.h"
#include "stats_fixture.h"

#include <gtest/gtest.h>

namespace wickly::stats {
namespace {

using test::addInnings;
using test::addMatch;

// Smith (1, Alpha) bats for Alpha XI and bowls at Beta XI. The matches are stored out of date
// order, so that taking innings in record order, or the latest ones, gives other bars.
//
//  M1 01/01/2022 2-day: s1 Smith 30 c; s2 Smith 9 timed out
//  M2 15/06/2020 1-day: s1 Smith 120 c; s3 Brown c b Smith, Green run out (Smith second fielder),
//                       Black retired hurt (bowler Smith); Smith 8-0-30-7
//  M3 10/05/2019 1-day: s1 Smith 0 b; s3 Brown b Smith, Green c&b Smith, Black st b Smith; Smith 5-0-20-0
//  M4 20/05/2019 2-day: s1 Smith 55*; s2 Smith 4 retired hurt; s3 Smith 10-2-15-5; s4 Smith 4.3-0-12-3
//  M5 01/07/2019 1-day: s1 Smith 210 lbw; s3 Smith listed with no overs
//  M6 01/08/2021 1-day: s1 Smith 7 retired not out
class ChartFixture
{
public:
    ChartFixture()
    {
        test::addClubsTeamsGroundAndGrade(db);
        db.addPlayer("Smith", 1);
        db.addPlayer("Brown", 2);
        db.addPlayer("Green", 2);
        db.addPlayer("Black", 2);
        db.addPlayer("White", 1);
        auto bats = [&](std::int16_t howOut, std::int16_t runs) {
            return addInnings(db, {{1, howOut, runs, 3, 2}}, {});
        };
        addMatch(db, "01/01/2022", TwoDayMatch, 1, 2, {0, bats(Caught, 30), bats(TimedOut, 9), 0, 0});
        addMatch(db, "15/06/2020", OneDayMatch, 1, 2,
                 {0, bats(Caught, 120), 0,
                  addInnings(db, {{2, Caught, 5, 0, 1}, {3, RunOut, 6, 5, 1}, {4, RetiredHurt, 7, 0, 1}},
                             {{1, 8.0F, 0, 30, 7}}),
                  0});
        addMatch(db, "10/05/2019", OneDayMatch, 1, 2,
                 {0, bats(Bowled, 0), 0,
                  addInnings(db, {{2, Bowled, 1, 0, 1}, {3, CaughtAndBowled, 2, 0, 1}, {4, Stumped, 3, 5, 1}},
                             {{1, 5.0F, 0, 20, 0}}),
                  0});
        addMatch(db, "20/05/2019", TwoDayMatch, 1, 2,
                 {0, bats(NotOut, 55), bats(RetiredHurt, 4), addInnings(db, {}, {{1, 10.0F, 2, 15, 5}}),
                  addInnings(db, {}, {{1, 4.3F, 0, 12, 3}})});
        addMatch(db, "01/07/2019", OneDayMatch, 1, 2,
                 {0, bats(Lbw, 210), 0, addInnings(db, {}, {{1, 0.0F, 0, 0, 0}}), 0});
        addMatch(db, "01/08/2021", OneDayMatch, 1, 2, {0, bats(RetiredNotOut, 7), 0, 0, 0});
    }

    StatsRequest request(int chartLength = 50) const
    {
        StatsRequest r;
        r.reportKind = CompleteStats;
        r.dateFrom = "18000101";
        r.dateTo = "21000101";
        r.chartLength = chartLength;
        return r;
    }

    test::TestDatabase db;
};

std::vector<double> values(const std::vector<ChartPoint>& points)
{
    std::vector<double> v;
    for (const ChartPoint& p : points) {
        v.push_back(p.value);
    }
    return v;
}

TEST(PlayerCharts, RunChartShowsTheEarliestInningsInDateOrder)
{
    ChartFixture f;
    const ChartDocument c = BuildPlayerChart(f.db.ws, f.request(5), 1, ChartKind::Run, false);
    EXPECT_EQ(c.surface, ChartSurface::Bar);
    EXPECT_EQ(c.caption, "Run Chart");
    EXPECT_EQ(c.titleLines, (std::vector<std::string>{"Runs Scored by Smith", "All Matches"}));
    EXPECT_EQ(c.leftAxisTitle, "Runs");
    EXPECT_EQ(c.bottomAxisTitle, "Year");
    // The duck is a small bar; the retired hurt innings of the same day follows the not out one.
    const std::vector<ChartPoint> bars{{0.2, "19", 2}, {55, "", 9}, {4, "", 7}, {210, "", 10}, {120, "20", 12}};
    EXPECT_EQ(c.bars, bars);
    // The running average: the duck is a dismissal without runs; not out and retired hurt add
    // their runs and no dismissal.
    ASSERT_EQ(c.line.size(), 5U);
    const double expected[] = {0, 55, 59, 134.5, 389.0 / 3};
    for (std::size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(c.line[i].value, expected[i]);
        EXPECT_EQ(c.line[i].colour, 11);
        EXPECT_EQ(c.line[i].label, "");
    }

    // With room for all, the later years follow, one label per year.
    const ChartDocument all = BuildPlayerChart(f.db.ws, f.request(), 1, ChartKind::Run, false);
    EXPECT_EQ(values(all.bars), (std::vector<double>{0.2, 55, 4, 210, 120, 7, 30, 9}));
    std::vector<std::string> labels;
    for (const ChartPoint& p : all.bars) {
        labels.push_back(p.label);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"19", "", "", "", "20", "21", "22", ""}));
    EXPECT_DOUBLE_EQ(all.line.back().value, (389.0 + 7 + 30 + 9) / 5); // retired not out: no dismissal
}

TEST(PlayerCharts, BowlingRunChartShowsWicketsOfEachSpell)
{
    ChartFixture f;
    const ChartDocument c = BuildPlayerChart(f.db.ws, f.request(), 1, ChartKind::Run, true);
    EXPECT_EQ(c.titleLines.front(), "Wickets Taken by Smith");
    EXPECT_EQ(c.leftAxisTitle, "Wkts");
    // The line without overs is no spell; a spell without a wicket shows as a small bar.
    const std::vector<ChartPoint> bars{{0.2, "19", 2}, {5, "", 12}, {3, "", 9}, {7, "20", 10}};
    EXPECT_EQ(c.bars, bars);
    EXPECT_TRUE(c.line.empty());
}

TEST(PlayerCharts, DismissalSlicesInTheirOrder)
{
    ChartFixture f;
    const ChartDocument batting = BuildPlayerChart(f.db.ws, f.request(), 1, ChartKind::Dismissal, false);
    EXPECT_EQ(batting.surface, ChartSurface::Pie);
    EXPECT_EQ(batting.caption, "Dismissal Chart");
    EXPECT_EQ(batting.titleLines, (std::vector<std::string>{"Dismissals of Smith", "All Matches"}));
    // Retired hurt and retired not out are both "Retired"; timed out is "Other".
    const std::vector<ChartPoint> battingSlices{{2, "Caught", 12}, {1, "Bowled", 13}, {1, "Other", 5},
                                                {2, "Retired", 7}, {1, "LBW", 10},    {1, "Not out", 1}};
    EXPECT_EQ(batting.slices, battingSlices);

    // A bowler's pie: the run out he only assisted in and the batsman who retired hurt are not
    // his wickets.
    const ChartDocument bowling = BuildPlayerChart(f.db.ws, f.request(), 1, ChartKind::Dismissal, true);
    EXPECT_EQ(bowling.titleLines.front(), "Dismissals by Smith");
    const std::vector<ChartPoint> bowlingSlices{{1, "C&B", 4}, {1, "Caught", 12}, {1, "Bowled", 13}, {1, "Stumped", 6}};
    EXPECT_EQ(bowling.slices, bowlingSlices);
}

TEST(PlayerCharts, TitlesNameTheChosenFilters)
{
    ChartFixture f;
    StatsRequest r = f.request();
    r.matchType = TwoDayMatch;
    r.ground = 1;
    r.groundName = "Oval";
    r.grade = 1;
    r.gradeName = "First Grade";
    r.vsClub = 2;
    r.vsClubName = "Beta CC";
    const ChartDocument c = BuildPlayerChart(f.db.ws, r, 1, ChartKind::Run, false);
    EXPECT_EQ(c.titleLines,
              (std::vector<std::string>{"Runs Scored by Smith at Oval", "2-day Matches, First Grade Vs Beta CC"}));
    EXPECT_EQ(values(c.bars), (std::vector<double>{55, 4, 30, 9}));

    // A player without innings gets an empty chart with its title.
    const ChartDocument empty = BuildPlayerChart(f.db.ws, f.request(), 5, ChartKind::Dismissal, false);
    EXPECT_EQ(empty.titleLines, (std::vector<std::string>{"Dismissals of White", "All Matches"}));
    EXPECT_TRUE(empty.slices.empty());
}

TEST(PlayerCharts, CollectionFollowsTheWindowFilters)
{
    ChartFixture f;
    struct Case
    {
        const char* name;
        void (*change)(StatsRequest&);
        std::size_t batting, bowling, wickets;
    };
    // clang-format off
    const Case cases[] = {
        {"no filter",         [](StatsRequest&) {},                                  8, 4, 6},
        {"1st innings only",  [](StatsRequest& r) { r.firstInningsOnly = true; },    6, 3, 6},
        {"2019 only",         [](StatsRequest& r) { r.dateTo = "20191231"; },         4, 3, 3},
        {"Alpha's players",   [](StatsRequest& r) { r.subjectClub = 1; },            8, 4, 6},
        {"Beta's players",    [](StatsRequest& r) { r.subjectClub = 2; },            0, 0, 0},
        {"versus Alpha",      [](StatsRequest& r) { r.vsClub = 1; },                 0, 0, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StatsRequest r = f.request();
        c.change(r);
        // Several players in one pass; each gets his own lines.
        const std::vector<PlayerChartData> data = CollectChartData(f.db.ws, r, {2, 1});
        ASSERT_EQ(data.size(), 2U);
        EXPECT_EQ(data[1].batting.size(), c.batting);
        EXPECT_EQ(data[1].bowling.size(), c.bowling);
        EXPECT_EQ(data[1].wicketHowOuts.size(), c.wickets);
        EXPECT_TRUE(data[0].bowling.empty());
    }
}

} // namespace
} // namespace wickly::stats
