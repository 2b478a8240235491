// The accumulation engine: ranked list, overs, dates, ratios, and each batting and bowling
// report's rows on a small fixture.

#include "formats.h"
#include "stats_engine.h"
#include "report_rows.h"
#include "stats_fixture.h"

#include <gtest/gtest.h>

namespace wickly::stats {
namespace {

using test::StatsFixture;
using test::requestFor;
using test::rows;
using namespace test::columns;

TEST(TopList, DescendingKeepsTiesInOfferOrderAndDropsPastCapacity)
{
    TopList list(3, false);
    list.InsertEntry(50, 1, "a", "");
    list.InsertEntry(70, 2, "b", "");
    list.InsertEntry(50, 3, "c", "");
    list.InsertEntry(50, 4, "d", ""); // level with the third: comes after it and falls off
    list.InsertEntry(10, 5, "e", "");
    const auto e = list.entries();
    ASSERT_EQ(e.size(), 3U);
    EXPECT_EQ(e[0].entry, 2);
    EXPECT_EQ(e[1].entry, 1);
    EXPECT_EQ(e[2].entry, 3);
}

TEST(TopList, AscendingRanksZeroFirstAndNeverKeeps999)
{
    TopList list(5, true);
    list.InsertEntry(12.5, 1, "", "");
    list.InsertEntry(999, 2, "", "");
    list.InsertEntry(3, 3, "", "");
    list.InsertEntry(0, 4, "", "");
    list.InsertEntry(2, 5, "", ""); // offered after a 0: still ranks after it
    list.InsertEntry(3, 6, "", "");
    const auto e = list.entries();
    std::vector<std::int32_t> order;
    for (const auto& x : e) {
        order.push_back(x.entry);
    }
    EXPECT_EQ(order, (std::vector<std::int32_t>{4, 5, 3, 6, 1}));
}

TEST(Overs, SumsCarryBallsAtTheMatchBallsPerOver)
{
    struct Case
    {
        float a, b;
        int ballsPerOver;
        const char* sum;
        std::int64_t balls;
    };
    // clang-format off
    const Case cases[] = {
        {10.5F, 10.5F, 6, "21.4", 130},
        {10.3F, 10.2F, 6, "20.5", 125},
        {10.3F, 10.4F, 6, "21.1", 127},
        {7.7F,  0.1F,  8, "8.0",  64},
        {3.4F,  2.3F,  6, "6.1",  37},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.a) + " + " + std::to_string(c.b));
        OversSum s;
        s.add(c.a, c.ballsPerOver);
        s.add(c.b, c.ballsPerOver);
        EXPECT_EQ(s.text(), c.sum);
        EXPECT_EQ(OversBalls(c.a, c.ballsPerOver) + OversBalls(c.b, c.ballsPerOver), c.balls);
    }
}

TEST(Ratios, AreCutFromTheWholeNumbers)
{
    EXPECT_EQ(FormatAverage(HundredthsValue(CutHundredths(692, 10))), " 69.20");
    EXPECT_EQ(FormatAverage(HundredthsValue(CutHundredths(29 * 100, 100))), " 29.00");
    EXPECT_EQ(FormatAverage(HundredthsValue(CutHundredths(33 * 6, 129))), " 1.53");
    EXPECT_EQ(FormatAverage(HundredthsValue(CutHundredths(2, 3))), " 0.66");
    EXPECT_EQ(FormatAverage(HundredthsValue(CutHundredths(1999, 1))), " ######");
}

TEST(Dates, DayNumberSeasonAndAge)
{
    EXPECT_EQ(DayNumber("19500101"), 1);
    EXPECT_EQ(DayNumber("2019051"), 0);
    EXPECT_LT(DayNumber("20391231"), DayNumber("20400101")); // past 16 bits, still ordered
    EXPECT_LT(DayNumber("20400101"), DayNumber("20991231"));
    EXPECT_LE(DayNumber("20190131"), DayNumber("20190201"));
    EXPECT_LT(DayNumber("20190130"), DayNumber("20190201"));
    EXPECT_EQ(SeasonOf("15/08/2004", true), "2004/05");
    EXPECT_EQ(SeasonOf("15/03/2004", true), "2003/04");
    EXPECT_EQ(SeasonOf("15/03/2000", true), "1999/00");
    EXPECT_EQ(SeasonOf("15/10/1999", true), "1999/00");
    EXPECT_EQ(SeasonOf("15/03/2004", false), "   2004");
    EXPECT_EQ(SeasonOf("2004", false), "       ");
    EXPECT_EQ(AgeText("15/08/1980", "10/03/2005"), "24y 7m");
    EXPECT_EQ(AgeText("10/03/1980", "10/03/2005"), "25y 0m");
    EXPECT_EQ(AgeText("", "10/03/2005"), "####");
}


TEST(BattingReports, TopRunAggregates)
{
    StatsFixture f;
    const ReportText t = ProduceReport(f.db.ws, requestFor(TopRunAggregates));
    EXPECT_EQ(t.title, "Top Run Aggregates");
    EXPECT_EQ(t.subtitle, "All Matches\r\n10-May-19 to 17-May-19");
    EXPECT_EQ(t.heading, "    Name               Club    Mts Inn NO Ct  50s 100s HS   Avg    Runs");
    const std::vector<std::string> expected = {
        "  1." + smith + "2   2   1  1   1   1    100* 150.00 150",
        "  2." + green + "2   2   1  -   2   -    50*  100.00 100",
        "  3." + jones + "2   2   1  1   1   -    50   50.00  50",
        "  4." + brown + "2   2   -  1   1   -    50   25.00  50",
        "  5." + black + "1   1   1  -   -   -    20*  20.00  20",
    };
    EXPECT_EQ(t.lines, expected);
}

TEST(BattingReports, FirstInningsOnlyReadsNoSecondInnings)
{
    StatsFixture f;
    StatsRequest r = requestFor(TopRunAggregates);
    r.firstInningsOnly = true;
    const ReportText t = ProduceReport(f.db.ws, r);
    ASSERT_EQ(t.lines.size(), 4U); // Black batted only in slot 4
    EXPECT_EQ(t.lines[3].substr(0, 4 + 27), "  4." + brown);
    EXPECT_EQ(t.subtitle, "All Matches\r\n10-May-19 to 17-May-19, 1st Inns. Only");
    // The slot-4 spell of Jones is not read either: no ten-wicket match.
    r.reportKind = Most10WicketMatches;
    EXPECT_TRUE(rows(f, r).empty());
}

TEST(BattingReports, SideRulesFollowTheFilters)
{
    StatsFixture f;
    StatsRequest r = requestFor(TopRunAggregates);
    r.subjectClub = 1; // Alpha's batsmen only; the club column shows the chosen club
    r.subjectClubName = "Alpha CC";
    std::vector<std::string> lines = rows(f, r);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].substr(4, 27), smith);
    EXPECT_EQ(lines[1].substr(4, 27), jones);

    r = requestFor(TopRunAggregates);
    r.subject = 2; // Beta XI's batsmen
    lines = rows(f, r);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0].substr(4, 18), green.substr(0, 18));
    EXPECT_EQ(lines[1].substr(4, 18), brown.substr(0, 18));
    EXPECT_EQ(lines[2].substr(4, 18), black.substr(0, 18));

    r = requestFor(TopWicketTakers);
    r.vsClub = 2; // bowling against Beta: Alpha's bowlers
    r.vsClubName = "Beta CC";
    lines = rows(f, r);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].substr(4, 18), smith.substr(0, 18));
    EXPECT_EQ(lines[1].substr(4, 18), jones.substr(0, 18));
    EXPECT_EQ(ProduceReport(f.db.ws, r).subtitle, "All Matches Vs Beta CC\r\n10-May-19 to 17-May-19");

    r = requestFor(TopRunAggregates);
    r.dateTo = "20190516"; // the first match only
    lines = rows(f, r);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "  1." + smith + "1   1   1  -   -   1    100* 100.00 100");
    r.dateTo = ""; // an emptied end date admits nothing
    EXPECT_TRUE(rows(f, r).empty());
}

TEST(BattingReports, AveragesStrikeRatesHundredsFiftiesDucks)
{
    StatsFixture f;
    StatsRequest r = requestFor(TopBattingAverages);
    r.battingMinRuns = 50;
    r.battingMinInnings = 2;
    r.battingByInnings = true;
    ReportText t = ProduceReport(f.db.ws, r);
    EXPECT_EQ(t.title, "Top Batting Averages min: 50runs 2inn's");
    EXPECT_EQ(t.lines, (std::vector<std::string>{
                           "  1." + smith + "2   2   1   150   150.00",
                           "  2." + green + "2   2   1   100   100.00",
                           "  3." + jones + "2   2   1   50    50.00",
                           "  4." + brown + "2   2   -   50    25.00",
                       }));
    r.battingByInnings = false; // two dismissals needed: Brown only
    t = ProduceReport(f.db.ws, r);
    EXPECT_EQ(t.title, "Top Batting Averages min: 50runs 2dismissals");
    ASSERT_EQ(t.lines.size(), 1U);

    r = requestFor(TopBattingStrikeRates);
    r.battingMinRuns = 1;
    r.battingMinInnings = 0;
    EXPECT_EQ(rows(f, r), (std::vector<std::string>{
                              "  1." + smith + "2   2   1   150   80    187.50",
                              "  2." + jones + "2   2   1   50    40    125.00",
                          }));

    EXPECT_EQ(rows(f, requestFor(Most100s)), (std::vector<std::string>{"  1." + smith + "2   2   150.00 1"}));
    EXPECT_EQ(rows(f, requestFor(Most50s)), (std::vector<std::string>{
                                                "  1." + green + "2   2   100.00 2",
                                                "  2." + smith + "2   2   150.00 1",
                                                "  3." + jones + "2   2   50.00  1",
                                                "  4." + brown + "2   2   25.00  1",
                                            }));
    EXPECT_EQ(rows(f, requestFor(MostDucks)), (std::vector<std::string>{
                                                  "  1." + brown + "2   2   50  1",
                                                  "  2." + white + "1   1   100 1",
                                              }));
}

TEST(BattingReports, InningsEntries)
{
    StatsFixture f;
    const std::string m1 = "10-May-19 Beta XI      Oval                      ";
    const std::string m2 = "17-May-19 Alpha XI     Oval                      ";
    const std::string m2alpha = "17-May-19 Beta XI      Oval                      ";
    StatsRequest r = requestFor(TopRunScores);
    r.reportLength = 7;
    EXPECT_EQ(rows(f, r), (std::vector<std::string>{
                              "  1.Smith              ALP     " + m1 + " 100*",
                              "  2.Green              Beta CC " + m2 + " 50*",
                              "  3.Jones              ALP     " + m1 + " 50",
                              "  4.Green              Beta CC " +
                                  std::string("10-May-19 Alpha XI     Oval                      ") + " 50",
                              "  5.Brown              Beta CC " + m2 + " 50",
                              "  6.Smith              ALP     " + m2alpha + " 50",
                              "  7.Black              Beta CC " +
                                  std::string("10-May-19 Alpha XI     Oval                      ") + " 20*",
                          }));
    EXPECT_EQ(rows(f, requestFor(CarryingTheBat)),
              (std::vector<std::string>{"  1.Smith              ALP     " + m1 + " 100*"}));
    EXPECT_EQ(rows(f, requestFor(HundredOnDebut)),
              (std::vector<std::string>{"  1.Smith              ALP     " + m1 + " 100"}));
}

TEST(BowlingReports, TopWicketTakers)
{
    StatsFixture f;
    const ReportText t = ProduceReport(f.db.ws, requestFor(TopWicketTakers));
    EXPECT_EQ(t.heading, "    Name               Club    Mts Ov's Runs  5I 10M BBowl  Econ  Avg    Wkts");
    EXPECT_EQ(t.lines, (std::vector<std::string>{
                           "  1." + smith + "2   21   33    2  -    6-23   1.53 3.00   11",
                           "  2." + jones + "2   31   100   1  1    6-40   3.19 10.00  10",
                           "  3." + green + "1   10   40    -  -    2-40   3.80 20.00  2",
                           "  4." + brown + "2   21   56    -  -    1-33   2.64 56.00  1",
                       }));
}

TEST(BowlingReports, AscendingRatesAndCounts)
{
    StatsFixture f;
    StatsRequest r = requestFor(TopEconomyRates);
    r.bowlingMinOvers = 0;
    r.bowlingMinWickets = 0;
    ReportText t = ProduceReport(f.db.ws, r);
    EXPECT_EQ(t.title, "Top Economy Rates min: 0wkts 0ov's");
    // White, a fielder who never bowled, is not listed even with no minimums.
    EXPECT_EQ(t.lines, (std::vector<std::string>{
                           "  1." + smith + "2   21    2     33    11    1.53",
                           "  2." + brown + "2   21    1     56    1     2.64",
                           "  3." + jones + "2   31    1     100   10    3.19",
                           "  4." + green + "1   10    -     40    2     3.80",
                       }));
    r.reportKind = TopBowlingAverages;
    r.bowlingMinOvers = 21;
    r.bowlingMinWickets = 2; // Green bowled 10.3, Brown took one wicket
    t = ProduceReport(f.db.ws, r);
    EXPECT_EQ(t.title, "Top Bowling Averages min: 2wkts 21ov's");
    EXPECT_EQ(t.lines, (std::vector<std::string>{
                           "  1." + smith + "2   21    2     33    11    3.00",
                           "  2." + jones + "2   31    1     100   10    10.00",
                       }));
    r.reportKind = TopBowlingStrikeRates;
    r.bowlingMinOvers = 0;
    r.bowlingMinWickets = 0;
    EXPECT_EQ(rows(f, r), (std::vector<std::string>{
                              "  1." + smith + "2   21    2     33    11    11.72",
                              "  2." + jones + "2   31    1     100   10    18.80",
                              "  3." + green + "1   10    -     40    2     31.50",
                              "  4." + brown + "2   21    1     56    1     127.00",
                          }));
    EXPECT_EQ(rows(f, requestFor(Most10WicketMatches)),
              (std::vector<std::string>{"  1." + jones + "2   31    10.00  1"}));
    EXPECT_EQ(rows(f, requestFor(Most5WicketInnings)), (std::vector<std::string>{
                                                           "  1." + smith + "2   21    3.00   2",
                                                           "  2." + jones + "2   31    10.00  1",
                                                       }));
}

TEST(BowlingReports, WicketlessBowlerComesLastWithHisOwnFigures)
{
    StatsFixture f;
    f.db.addPlayer("Grey", 2);
    const std::int32_t s1 = test::addInnings(f.db, {}, {{7, 2.0F, 0, 15, 0}});
    test::addMatch(f.db, "20/05/2019", OneDayMatch, 1, 2, {0, s1, 0, 0, 0});
    const std::vector<std::string> lines = rows(f, requestFor(TopWicketTakers));
    ASSERT_EQ(lines.size(), 5U);
    EXPECT_EQ(lines[4], "  5.Grey               Beta CC 1   2    15    -  -    0-15   7.50 15.00  0");
}

TEST(BowlingReports, BestBowlingRanksWicketsThenRuns)
{
    StatsFixture f;
    const std::string vsBeta1 = "ALP     10-May-19 Beta XI      Oval                      ";
    const std::string vsBeta2 = "ALP     17-May-19 Beta XI      Oval                      ";
    EXPECT_EQ(rows(f, requestFor(BestBowlingInInnings)),
              (std::vector<std::string>{
                  "  1.Smith              " + vsBeta2 + "  6-23",
                  "  2.Jones              " + vsBeta1 + "  6-40",
                  "  3.Smith              " + vsBeta1 + "  5-10",
                  "  4.Jones              " + vsBeta1 + "  4-20",
                  "  5.Green              Beta CC 10-May-19 Alpha XI     Oval                        2-40",
                  "  6.Brown              Beta CC 17-May-19 Alpha XI     Oval                        1-33",
              }));
}

TEST(SeasonalReports, FlushAtEachSeasonInBothFormats)
{
    StatsFixture f;
    const std::int32_t s1 = test::addInnings(f.db, {{1, Bowled, 30, 0, 4}}, {{4, 5.0F, 0, 30, 1}});
    test::addMatch(f.db, "15/08/2020", OneDayMatch, 1, 2, {0, s1, 0, 0, 0});
    StatsRequest r = requestFor(MostRunsInSeason);
    EXPECT_EQ(rows(f, r), (std::vector<std::string>{
                              "  1." + smith + "   2019  2   150",
                              "  2." + green + "   2019  2   100",
                              "  3." + jones + "   2019  2   50",
                              "  4." + brown + "   2019  2   50",
                              "  5." + smith + "   2020  1   30",
                              "  6." + black + "   2019  1   20",
                          }));
    f.db.app.header.options.seasonTwoYears = -1;
    r.reportKind = MostWicketsInSeason;
    EXPECT_EQ(rows(f, r), (std::vector<std::string>{
                              "  1." + smith + "2018/19  2   11",
                              "  2." + jones + "2018/19  2   10",
                              "  3." + green + "2018/19  1   2",
                              "  4." + brown + "2018/19  2   1",
                              "  5." + green + "2020/21  1   1",
                          }));
}

TEST(InningsReports, BothInningsDebutAndHatTricks)
{
    StatsFixture f;
    // Match 3, 20/05/2019, two days: Jones 120 and 101*, Smith 30 (caught by a substitute) and 150.
    const std::int32_t s1 = test::addInnings(f.db, {{2, Bowled, 120, 0, 4}, {1, Caught, 30, kSubstitute, 4}}, {});
    const std::int32_t s2 = test::addInnings(f.db, {{2, NotOut, 101}, {1, Caught, 150, 3, 4}}, {});
    test::addMatch(f.db, "20/05/2019", TwoDayMatch, 1, 2, {0, s1, s2, 0, 0});
    f.db.ws.append(makeSpecialEvent(s1, 4, kHatTrick));
    f.db.ws.append(makeSpecialEvent(s1, 3, kDropCatch));
    const std::string m3 = "ALP     20-May-19 Beta XI      Oval                      ";
    EXPECT_EQ(rows(f, requestFor(HundredInBothInnings)),
              (std::vector<std::string>{"  1.Jones              " + m3 + " 120  101*"}));
    // Jones's debut (match 1) saw no hundred: his later ones do not count.
    EXPECT_EQ(rows(f, requestFor(HundredOnDebut)),
              (std::vector<std::string>{
                  "  1.Smith              ALP     10-May-19 Beta XI      Oval                       100"}));
    EXPECT_EQ(rows(f, requestFor(HatTricks)),
              (std::vector<std::string>{
                  "  1.Green              Beta CC 20-May-19 Alpha XI     Oval                       1"}));
    StatsRequest r = requestFor(HatTricks);
    r.subjectClub = 1; // Alpha's fielders only
    EXPECT_TRUE(rows(f, r).empty());
    // The substitute's catch is nobody's: Brown's second catch is the only new one.
    const std::vector<std::string> aggregates = rows(f, requestFor(TopRunAggregates));
    ASSERT_GE(aggregates.size(), 5U);
    EXPECT_EQ(aggregates[0], "  1." + smith + "3   4   1  1   1   2    150  110.00 330");
    EXPECT_EQ(aggregates[1], "  2." + jones + "3   4   2  1   1   2    120  135.50 271");
}

TEST(PlayerReports, RatingAndHistory)
{
    StatsFixture f;
    PlayerRecord record = f.db.ws.read<PlayerRecord>(2);
    record.rating = 3;
    record.history.matches = 10;
    record.history.innings = 9;
    record.history.notOuts = 1;
    record.history.runs = 40000; // wider than any 16-bit total
    record.history.highScore = 120;
    f.db.ws.write(2, record);
    StatsRequest r = requestFor(TopRunAggregates);
    r.rating = 3;
    EXPECT_EQ(rows(f, r), (std::vector<std::string>{"  1." + jones + "2   2   1  1   1   -    50   50.00  50"}));
    r.includeHistory = true;
    EXPECT_EQ(rows(f, r), (std::vector<std::string>{"  1." + jones + "12  11  2  1   1   -    120  ###### 40050"}));
    r.reportKind = TopRunScores; // the rating applies to innings entries too
    const std::vector<std::string> scores = rows(f, r);
    ASSERT_EQ(scores.size(), 2U);
    EXPECT_EQ(scores[0].substr(4, 5), "Jones");
}

} // namespace
} // namespace wickly::stats
