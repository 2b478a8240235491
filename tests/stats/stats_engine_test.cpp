// The accumulation engine: ranked list, overs, dates, ratios, and each batting and bowling
// report's rows on a small fixture.

#include "complete_statistics.h"
#include "formats.h"
#include "stats_engine.h"
#include "report_rows.h"
#include "stats_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

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

// The balls of overs as the notation reads them: floor(v) whole overs and
// RoundHalfEven(v x 10) - floor(v) x 10 balls, v read as 0..9999.
std::int64_t referenceBalls(float o, int ballsPerOver)
{
    double v = o;
    if (!std::isfinite(v) || v < 0) {
        v = 0;
    }
    v = std::min(v, 9999.0);
    const double whole = std::floor(v);
    return static_cast<std::int64_t>(whole) * ballsPerOver +
           static_cast<std::int64_t>(RoundHalfEven(v * 10.0) - whole * 10.0);
}

TEST(Overs, BallsRoundTenthsHalfToEvenForEveryStoredValue)
{
    // Hundredths put halves (x.05, x.15, ...) and values just beside them on the tenths; the
    // others are what a file may hold besides overs.
    std::vector<float> values = {-0.0F,
                                 -1.5F,
                                 9999.0F,
                                 9999.96F,
                                 10000.0F,
                                 1e30F,
                                 std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity(),
                                 std::numeric_limits<float>::quiet_NaN(),
                                 std::numeric_limits<float>::denorm_min()};
    for (int k = 0; k <= 1000000; k = k == 200000 ? 999000 : k + 1) { // 0 to 2000 and past 9990
        const float o = static_cast<float>(k) / 100.0F;
        values.insert(values.end(), {o, std::nextafter(o, 0.0F), std::nextafter(o, 1e9F)});
    }
    for (const float o : values) {
        for (const int ballsPerOver : {6, 8}) {
            ASSERT_EQ(OversBalls(o, ballsPerOver), referenceBalls(o, ballsPerOver))
                << o << " (bits " << std::bit_cast<std::uint32_t>(o) << ") at " << ballsPerOver;
        }
    }
}

TEST(PlayerTotals, NoTotalWrapsAndEveryReadAddsTheWideCounter)
{
    PlayerTotals t;
    t.reset(3);
    constexpr int kAdds = 70000; // 70000 x 32767 is past 2^31
    for (int i = 0; i < kAdds; ++i) {
        t.add(1, Runs, 32767);
        t.add(2, RunsConceded, -32768);
        t.addOvers(3, 9999.5F, 6);
    }
    EXPECT_EQ(t.get(1, Runs), std::int64_t{kAdds} * 32767);
    EXPECT_EQ(t.get(2, RunsConceded), std::int64_t{kAdds} * -32768);
    OversSum expectedOvers;
    for (int i = 0; i < kAdds; ++i) {
        expectedOvers.add(9999.5F, 6);
    }
    const PlayerRow row3 = t.wide(3);
    EXPECT_EQ(row3.overs.overs, expectedOvers.overs);
    EXPECT_EQ(row3.overs.balls, expectedOvers.balls);
    EXPECT_EQ(t.wide(1)[Runs], std::int64_t{kAdds} * 32767);
    // Other counters of a widened row read as before, and a set replaces the wide part too.
    t.add(1, Catches, 2);
    EXPECT_EQ(t.get(1, Catches), 2);
    t.set(1, Runs, 5);
    EXPECT_EQ(t.get(1, Runs), 5);
    t.set(2, FirstYear, 10'000'000'000);
    EXPECT_EQ(t.get(2, FirstYear), 10'000'000'000);
    t.add(2, FirstYear, -1);
    EXPECT_EQ(t.get(2, FirstYear), 9'999'999'999);
}

TEST(PlayerTotals, ChangedRowsComeInNumberOrderAndClearToNothing)
{
    PlayerTotals t;
    t.reset(200);
    for (const std::int32_t p : {130, 3, 64, 3}) {
        t.countMatch(p, 7);
        t.add(p, Runs, 3'000'000'000LL / 2);
        t.add(p, Runs, 3'000'000'000LL / 2); // widened
    }
    std::vector<std::int32_t> changed;
    t.forEachChanged([&](std::int32_t p) { changed.push_back(p); });
    EXPECT_EQ(changed, (std::vector<std::int32_t>{3, 64, 130}));
    EXPECT_EQ(t.get(3, Matches), 1); // one match however many lines
    EXPECT_EQ(t.get(3, Runs), 6'000'000'000LL);
    t.clearChanged();
    changed.clear();
    t.forEachChanged([&](std::int32_t p) { changed.push_back(p); });
    EXPECT_TRUE(changed.empty());
    EXPECT_EQ(t.get(3, Runs), 0);
    EXPECT_EQ(t.get(130, Matches), 0);
    t.countMatch(3, 7); // the cleared stamp counts the match again
    EXPECT_EQ(t.get(3, Matches), 1);
}

// The reports on a database whose figures pass 2^31: one innings of 11 batting lines of
// 32767 runs by one player and 11 bowling lines of 32767 wickets by another, named in every
// slot of 1600 matches.
TEST(PlayerReports, TotalsPast32BitsPrintWhole)
{
    test::TestDatabase db;
    test::addClubsTeamsGroundAndGrade(db);
    db.addPlayer("Batsman", 1);
    db.addPlayer("Bowler", 2);
    InningsRecord in;
    for (std::size_t line = 1; line <= 11; ++line) {
        in.batting[line].batsman = 1;
        in.batting[line].howOut = Bowled;
        in.batting[line].runs = 32767;
        in.bowling[line].bowler = 2;
        in.bowling[line].overs = 1.0F;
        in.bowling[line].wickets = 32767;
    }
    const std::int32_t n = db.ws.AllocateInnings();
    db.ws.write(n, in);
    constexpr std::int64_t kMatches = 1600;
    const std::int32_t first = test::addMatch(db, "01/06/2019", OneDayMatch, 1, 2, {0, n, n, n, n});
    const MatchRecord match = db.ws.read<MatchRecord>(first);
    for (std::int64_t m = 1; m < kMatches; ++m) {
        db.ws.append(match);
    }
    const std::int64_t lines = kMatches * 4 * 11;
    const std::vector<std::string> runs = ProduceReport(db.ws, requestFor(TopRunAggregates)).lines;
    ASSERT_EQ(runs.size(), 1U);
    EXPECT_TRUE(runs[0].ends_with(" " + std::to_string(lines * 32767))) << runs[0];
    const std::vector<std::string> wickets = ProduceReport(db.ws, requestFor(TopWicketTakers)).lines;
    ASSERT_EQ(wickets.size(), 1U);
    EXPECT_TRUE(wickets[0].ends_with(" " + std::to_string(lines * 32767))) << wickets[0];
    const std::vector<std::string> season = ProduceReport(db.ws, requestFor(MostRunsInSeason)).lines;
    ASSERT_EQ(season.size(), 1U);
    EXPECT_TRUE(season[0].ends_with(" " + std::to_string(lines * 32767))) << season[0];
}

// decodeFigures gives the figures the full decoder gives, and leaves every other field alone.
void expectSameFigures(std::span<const std::uint8_t> bytes)
{
    InningsRecord full;
    decode(bytes, full);
    for (const int lines : {15, 12, 1}) {
        SCOPED_TRACE("lines " + std::to_string(lines));
        InningsRecord fast;
        fast.oversTimesTen = 77; // outside the figures: must stay
        fast.wides = 78;
        for (auto& b : fast.batting) {
            b = BattingLine{-5, -5, -5, -5, -5, 79, 80, -5, 81, 82, 83, {84, 85, 86, 87}};
        }
        for (auto& b : fast.bowling) {
            b = BowlingLine{-5, -5, -5, -5, -5.0F, 88, 89};
        }
        const InningsRecord before = fast;
        decodeFigures(bytes, fast, lines);
        EXPECT_EQ(fast.status, full.status);
        EXPECT_EQ(fast.oversTimesTen, 77);
        EXPECT_EQ(fast.wides, 78);
        for (std::size_t k = 0; k < 15; ++k) {
            const BattingLine& f = fast.batting[k];
            const BowlingLine& w = fast.bowling[k];
            const bool decoded = k < static_cast<std::size_t>(lines);
            const BattingLine& wantB = decoded ? full.batting[k] : before.batting[k];
            const BowlingLine& wantW = decoded ? full.bowling[k] : before.bowling[k];
            EXPECT_EQ(
                std::tie(f.batsman, f.howOut, f.fieldsman, f.bowler, f.runs, f.ballsFaced),
                std::tie(wantB.batsman, wantB.howOut, wantB.fieldsman, wantB.bowler, wantB.runs, wantB.ballsFaced))
                << "batting line " << k;
            EXPECT_EQ(std::tie(f.fowScore, f.fowBatsman, f.reserved1, f.fours, f.sixes, f.reserved2),
                      std::tie(before.batting[k].fowScore, before.batting[k].fowBatsman, before.batting[k].reserved1,
                               before.batting[k].fours, before.batting[k].sixes, before.batting[k].reserved2))
                << "batting line " << k;
            EXPECT_EQ(std::tie(w.bowler, w.wickets, w.runsConceded, w.maidens, w.reserved1, w.reserved2),
                      std::tie(wantW.bowler, wantW.wickets, wantW.runsConceded, wantW.maidens,
                               before.bowling[k].reserved1, before.bowling[k].reserved2))
                << "bowling line " << k;
            EXPECT_EQ(std::bit_cast<std::uint32_t>(w.overs), std::bit_cast<std::uint32_t>(wantW.overs))
                << "bowling line " << k;
        }
    }
}

class InningsFigures : public ::testing::TestWithParam<const char*>, public test::TestDatabase
{
};

TEST_P(InningsFigures, AreTheFullDecodersForEveryInnings)
{
    const Status built = test::buildExample(app, GetParam());
    ASSERT_TRUE(built.ok()) << built.message();
    ASSERT_GT(ws.count(RecordKind::Innings), 0);
    for (std::int32_t n = 1; n <= ws.count(RecordKind::Innings); ++n) {
        SCOPED_TRACE("innings " + std::to_string(n));
        expectSameFigures(ws.readRaw(RecordKind::Innings, n));
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, InningsFigures, ::testing::Values("tests.json", "sample.json"),
                         [](const auto& param) { return param.index == 0 ? "Tests" : "Sample"; });

TEST(InningsFigures, AreTheFullDecodersForEdgeValues)
{
    // Every byte pattern a 16-bit field can end in, and overs that are no overs.
    for (const std::int16_t v : {std::int16_t{-32768}, std::int16_t{-1}, std::int16_t{0}, std::int16_t{255},
                                 std::int16_t{256}, std::int16_t{32767}}) {
        SCOPED_TRACE(v);
        InningsRecord in;
        int k = 0;
        for (auto& b : in.batting) {
            b = BattingLine{v, v, v, v, v, v, static_cast<std::uint8_t>(v), v, v, v, v, {1, 2, 3, 4}};
            b.runs = static_cast<std::int16_t>(v ^ k++); // lines differ
        }
        const float overs[] = {-0.0F,
                               -1.0F,
                               9999.96F,
                               3.4e38F,
                               std::numeric_limits<float>::infinity(),
                               std::numeric_limits<float>::quiet_NaN()};
        k = 0;
        for (auto& w : in.bowling) {
            w = BowlingLine{v, v, v, v, overs[k % 6], v, v};
            w.wickets = static_cast<std::int16_t>(v ^ k++);
        }
        in.status = v;
        std::vector<std::uint8_t> bytes(kindInfo(RecordKind::Innings).usedSize);
        encode(in, bytes);
        expectSameFigures(bytes);
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

TEST(BowlingReports, EconomyCountsWholeOversOfAnyLength)
{
    // A third match played with eight-ball overs in this six-ball database. An over is an over
    // whatever its length; only the balls of a part over count at the database's six: White's
    // 10.0 overs for 40 runs are 4.00 an over (not 40 runs per 80 / 6 "overs" = 3.00), and
    // Smith's 21.3 (six-ball) + 10.4 (eight-ball) = 31.7 overs for 76 runs are 76 / 31 7/6 = 2.36.
    StatsFixture f;
    const std::int32_t s1 = test::addInnings(f.db, {{6, NotOut, 5}}, {{5, 10.0F, 0, 40, 2}, {1, 10.4F, 0, 43, 1}});
    const std::int32_t m = test::addMatch(f.db, "31/05/2019", OneDayMatch, 2, 1, {0, s1, 0, 0, 0});
    test::change<MatchRecord>(f.db, m, [](MatchRecord& r) { r.ballsPerOver = 8; });
    StatsRequest r = requestFor(TopEconomyRates);
    r.bowlingMinOvers = 0;
    r.bowlingMinWickets = 0;
    EXPECT_EQ(rows(f, r), (std::vector<std::string>{
                              "  1." + smith + "3   31    2     76    12    2.36",
                              "  2." + brown + "2   21    1     56    1     2.64",
                              "  3." + jones + "2   31    1     100   10    3.19",
                              "  4." + green + "1   10    -     40    2     3.80",
                              "  5." + white + "1   10    -     40    2     4.00",
                          }));
    const std::vector<std::string> takers = rows(f, requestFor(TopWicketTakers));
    ASSERT_EQ(takers.size(), 5U);
    EXPECT_EQ(takers[0], "  1." + smith + "3   31   76    2  -    6-23   2.36 6.33   12");
    EXPECT_EQ(takers[3], "  4." + white + "1   10   40    -  -    2-40   4.00 20.00  2");
    // The player's own sheet works the economy out the same way.
    StatsRequest sheet = requestFor(CompleteStats);
    sheet.player = 1;
    const std::vector<std::string> lines = ProcessINN(f.db.ws, sheet).text.lines;
    EXPECT_NE(std::find(lines.begin(), lines.end(), " Economy Rate 2.36"), lines.end());
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
