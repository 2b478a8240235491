// A player's complete statistics sheet on the small statistics fixture, line by line.

#include "complete_statistics.h"
#include "database_fixture.h"
#include "database_header.h"
#include "report_rows.h"
#include "stats_fixture.h"

#include <gtest/gtest.h>

namespace wickly::stats {
namespace {

using test::StatsFixture;
using test::change;

StatsRequest requestFor(std::int32_t player)
{
    StatsRequest r;
    r.reportKind = CompleteStats;
    r.player = player;
    r.dateFrom = "18000101";
    r.dateTo = "21000101";
    return r;
}

TEST(CompleteStatistics, SheetOfABatsmanAndBowler)
{
    StatsFixture f;
    change<ClubRecord>(f.db, 1, [](ClubRecord& c) {
        c.logoUrl.assign("alpha.gif");
        c.clubUrl.assign("http://alpha.example/");
    });
    change<PlayerRecord>(f.db, 1, [](PlayerRecord& p) {
        p.pictureUrl.assign("smith.jpg");
        p.firstName.assign("John");
        p.lastName.assign("Smith");
        p.dateOfBirth.assign("02/03/1990");
    });
    const CompleteStatistics s = ProcessINN(f.db.ws, requestFor(1));
    EXPECT_EQ(s.text.title, "John Smith");
    EXPECT_EQ(s.text.heading, "Club: Alpha CC, Born 02-Mar-90");
    EXPECT_EQ(s.text.subtitle, "All Matches\r\n10-May-19 to 17-May-19");
    // 150 runs from 80 balls; 33 runs from 129 balls (21.3 overs) for 11 wickets.
    // clang-format off
    const std::vector<std::string> expected = {
        " Matches      2",
        " Catches      1",
        " Runouts      0",
        "",
        "Batting",
        " Total Runs   150      50s: 1  100s: 1",
        " Innings      2",
        " Not Outs     1",
        " Average      150.00",
        " Strike Rate  187.50",
        " High Score   100* Vs Beta CC    2019",
        " Ducks        0",
        " Out most by  Brown(1) ",
        "",
        "Bowling",
        " Wickets      11       5W/I: 2  10W/M: 0",
        " Runs         33",
        " Overs        21",
        " Average      3.00",
        " Economy Rate 1.53",
        " Strike Rate  11.72",
        " Best Bowling 6-23 Vs Beta CC    2019",
        " Out most     Brown(1) Green(1) ",
        "",
        "Centuries",
        " 100* Vs Beta XI        Oval                   10-May-19",
        "",
        "Five Wickets in an Innings",
        " 5-10   Vs Beta XI        Oval                   10-May-19",
        " 6-23   Vs Beta XI        Oval                   17-May-19",
    };
    // clang-format on
    EXPECT_EQ(s.text.lines, expected);
    EXPECT_EQ(s.matches, 2);
    EXPECT_EQ(s.wickets, 11);
    EXPECT_EQ(s.clubName, "Alpha CC");
    EXPECT_EQ(s.pageImages.picture, "smith.jpg");
    EXPECT_EQ(s.pageImages.logo2, "alpha.gif");
    EXPECT_EQ(s.pageImages.link2, "http://alpha.example/");
    EXPECT_TRUE(s.pageImages.logo1.empty());
}

TEST(CompleteStatistics, DucksStumpingsAndNoOvers)
{
    StatsFixture f;
    StatsRequest r = requestFor(5); // White: a duck, a stumping, no bowling
    r.showStrikeRates = false;
    const CompleteStatistics s = ProcessINN(f.db.ws, r);
    // clang-format off
    const std::vector<std::string> expected = {
        " Matches      1",
        " Catches      0",
        " Runouts      0",
        " Stumpings    1",
        "",
        "Batting",
        " Total Runs   0      50s: 0  100s: 0",
        " Innings      1",
        " Not Outs     0",
        " Average      0.00",
        " High Score   0 Vs Beta CC    2019",
        " Ducks        1",
        " Out most by  Green(1) ",
        "",
        "Bowling",
        " Wickets      0       5W/I: 0  10W/M: 0",
        " Runs         0",
        " Overs        0",
        "",
        "Ducks",
        "      Vs Beta XI        Oval                   10-May-19",
    };
    // clang-format on
    EXPECT_EQ(s.text.lines, expected);
    EXPECT_EQ(s.text.heading, "Club: Alpha CC");
}

TEST(CompleteStatistics, TenWicketMatchesFirstInningsAndFilters)
{
    StatsFixture f;
    // Jones: 6 + 4 wickets in match 1 (slots 3 and 4).
    CompleteStatistics s = ProcessINN(f.db.ws, requestFor(2));
    ASSERT_GE(s.text.lines.size(), 3U);
    EXPECT_EQ(s.text.lines[s.text.lines.size() - 2], "Ten Wickets in a Match");
    EXPECT_EQ(s.text.lines.back(), " 10-60  Vs Beta XI        Oval                   10-May-19");
    EXPECT_EQ(s.wickets, 10);

    StatsRequest r = requestFor(2);
    r.firstInningsOnly = true; // slot 4 is not read: six wickets, no ten-wicket match
    s = ProcessINN(f.db.ws, r);
    EXPECT_EQ(s.wickets, 6);
    EXPECT_EQ(s.text.lines.back(), " 6-40   Vs Beta XI        Oval                   10-May-19");

    // "Allow Players for" a club: no "Out most" lines.
    f.db.app.header.options.allowPlayersClub = 1;
    s = ProcessINN(f.db.ws, requestFor(2));
    for (const std::string& line : s.text.lines) {
        EXPECT_EQ(line.find(" Out most"), std::string::npos) << line;
    }

    // No match passes: the range's own ends, every total 0.
    r = requestFor(2);
    r.dateFrom = "20200101";
    r.vsClub = 2;
    r.vsClubName = "Beta CC";
    r.ground = 1;
    r.groundName = "Oval";
    s = ProcessINN(f.db.ws, r);
    EXPECT_EQ(s.text.subtitle, "All Matches\r\nVs Beta CC at Oval\r\n01-Jan-00 to 01-Jan-00");
    EXPECT_EQ(s.text.lines.front(), " Matches      0");
    EXPECT_EQ(s.matches, 0);
}

TEST(CompleteStatistics, RunOutsCreditBothFieldersAndDnbCountsTheMatch)
{
    StatsFixture f;
    // Smith run out by Brown with Green's help; Jones did not bat.
    const std::int32_t s1 = test::addInnings(f.db, {{1, RunOut, 4, 3, 4}, {2, DidNotBat, 0}}, {});
    test::addMatch(f.db, "01/06/2019", OneDayMatch, 1, 2, {0, s1, 0, 0, 0});
    StatsRequest r = requestFor(4);
    r.dateFrom = "20190601";
    EXPECT_EQ(ProcessINN(f.db.ws, r).text.lines[2], " Runouts      1");
    r.player = 3;
    EXPECT_EQ(ProcessINN(f.db.ws, r).text.lines[2], " Runouts      1");
    r.player = 1; // run out: no bowler dismissed him
    for (const std::string& line : ProcessINN(f.db.ws, r).text.lines) {
        EXPECT_EQ(line.find("Out most by"), std::string::npos) << line;
    }
    r.player = 2;
    const std::vector<std::string> lines = ProcessINN(f.db.ws, r).text.lines;
    const std::vector<std::string> batting(lines.begin(), lines.begin() + 9);
    const std::vector<std::string> expected = {" Matches      1",
                                               " Catches      0",
                                               " Runouts      0",
                                               "",
                                               "Batting",
                                               " Total Runs   0      50s: 0  100s: 0",
                                               " Innings      0",
                                               " Not Outs     0",
                                               ""};
    EXPECT_EQ(batting, expected); // no average, strike rate, high score or ducks
}

TEST(CompleteStatistics, HistoryWithoutMatchesKeepsTheListTitles)
{
    StatsFixture f;
    change<PlayerRecord>(f.db, 6, [](PlayerRecord& p) {
        p.history.matches = 30;
        p.history.hundreds = 2;
        p.history.innings = 40;
        p.history.notOuts = 4;
        p.history.runs = 1200;
    });
    StatsRequest r = requestFor(6);
    r.includeHistory = true;
    r.dateTo = "20190501"; // before every match
    const CompleteStatistics s = ProcessINN(f.db.ws, r);
    EXPECT_EQ(s.text.lines[0], " Matches      30");
    EXPECT_EQ(s.text.lines[8], " Average      33.33");
    EXPECT_EQ(s.text.lines.back(), "Centuries"); // the title, and no item
}

// The web site takes every player's sheet from one pass over the matches; each sheet must be
// what the player's own pass makes, under filters that leave out matches and lines.
class OnePassSheets : public ::testing::TestWithParam<const char*>, public test::TestDatabase
{
};

TEST_P(OnePassSheets, EverySheetIsThePlayersOwn)
{
    const Status built = test::buildExample(app, GetParam());
    ASSERT_TRUE(built.ok()) << built.message();

    const std::int32_t count = ws.count(RecordKind::Player);
    std::vector<std::int32_t> players;
    for (std::int32_t p = count; p >= 1; --p) { // out of record order, with a repeat
        players.push_back(p);
    }
    players.push_back(1);

    StatsRequest plain = requestFor(1);
    StatsRequest filtered = plain;
    filtered.vsClub = 2;
    filtered.subjectClub = 1;
    filtered.includeHistory = true;
    filtered.showDucks = true;
    filtered.showStrikeRates = true;
    bool listsShown = false;
    bool namesShown = false;
    for (const StatsRequest& r : {plain, filtered}) {
        int percent = -1;
        const std::vector<CompleteStatistics> all = ProcessINN(ws, r, players, [&](int p) { percent = p; });
        EXPECT_EQ(percent, 100);
        ASSERT_EQ(all.size(), players.size());
        for (std::size_t i = 0; i < players.size(); ++i) {
            StatsRequest own = r;
            own.player = players[i];
            const CompleteStatistics alone = ProcessINN(ws, own);
            const CompleteStatistics& shared = all[i];
            SCOPED_TRACE("player " + std::to_string(players[i]));
            EXPECT_EQ(shared.text.title, alone.text.title);
            EXPECT_EQ(shared.text.subtitle, alone.text.subtitle);
            EXPECT_EQ(shared.text.heading, alone.text.heading);
            EXPECT_EQ(shared.text.lines, alone.text.lines);
            EXPECT_EQ(shared.matches, alone.matches);
            EXPECT_EQ(shared.wickets, alone.wickets);
            EXPECT_EQ(shared.clubName, alone.clubName);
            for (const std::string& line : alone.text.lines) {
                listsShown = listsShown || line == "Centuries" || line == "Five Wickets in an Innings";
                namesShown = namesShown || line.starts_with(" Out most");
            }
        }
    }
    // The databases exercise the per-player lists and the dismissal counts.
    EXPECT_TRUE(listsShown);
    EXPECT_TRUE(namesShown);
    EXPECT_THROW((void)ProcessINN(ws, plain, {1, count + 1}), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(Examples, OnePassSheets, ::testing::Values("tests.json", "sample.json"),
                         [](const auto& param) { return param.index == 0 ? "Tests" : "Sample"; });

} // namespace
} // namespace wickly::stats
