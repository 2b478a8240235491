// The scorecard text of a hand-built match, compared line by line with the layouts written out
// by hand: full and summary forms, dismissals, markers, fall of wickets, and the sides a club-only
// database records.

#include "match_details_model.h"
#include "match_fixture.h"
#include "match_form.h"
#include "scorecard_model.h"
#include "scorecard_text.h"
#include "web_context.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace wickly;
using namespace wickly::matches;
using namespace wickly::test;

namespace {

std::string sp(std::size_t n)
{
    return std::string(n, ' ');
}

class ScorecardTextTest : public ::testing::Test, public MatchFixture
{
protected:
    // Northern XI (1) bat first against Southern XI (2) in a two-day match.
    std::int32_t addTwoInningsMatch(std::int16_t type = TwoDayMatch)
    {
        InningsRecord north;
        north.batting[1] = {.batsman = 1, .howOut = Caught, .fieldsman = 4, .bowler = 5, .runs = 45, .fowScore = 50,
                            .fowBatsman = 1, .ballsFaced = 60, .fours = 5, .sixes = 1};
        north.batting[2] = {.batsman = 2, .howOut = NotOut, .runs = 12, .fowScore = 60, .fowBatsman = 3,
                            .ballsFaced = 20, .fours = 1};
        north.batting[3] = {.batsman = 3, .howOut = RunOut, .fieldsman = 4, .bowler = 5, .runs = 3, .ballsFaced = 5};
        north.batting[4] = {.batsman = 0, .howOut = DidNotBat};
        north.bowling[1] = {.bowler = 5, .wickets = 1, .runsConceded = 30, .maidens = 2, .overs = 10.0F};
        north.bowling[2] = {.bowler = 4, .wickets = 0, .runsConceded = 25, .maidens = 0, .overs = 4.4F};
        north.byes = 2;
        north.legByes = 1;
        north.wides = 3;
        north.noBalls = 1;
        north.status = AllOut;
        const std::int32_t i1 = ws.AllocateInnings();
        ws.write(i1, north);

        InningsRecord south;
        south.batting[1] = {.batsman = 4, .howOut = CaughtAndBowled, .bowler = 1, .runs = 40, .fowScore = 10,
                            .fowBatsman = 2};
        south.batting[2] = {.batsman = 5, .howOut = Stumped, .fieldsman = 2, .bowler = 1, .runs = 5, .fowScore = 46,
                            .fowBatsman = 1};
        south.bowling[1] = {.bowler = 1, .wickets = 3, .runsConceded = 20, .maidens = 1, .overs = 8.0F};
        south.status = AllOut;
        const std::int32_t i3 = ws.AllocateInnings();
        ws.write(i3, south);

        const std::int32_t m = addMatch(type, {i1, i1, i3, 0}, 1);
        MatchRecord r = ws.read<MatchRecord>(m);
        r.captain1 = 1;
        r.keeper1 = 1;
        r.captain2 = 4;
        r.keeper2 = 5;
        r.manOfMatch = 1;
        r.team2WonToss = -1;
        r.ground = 1;
        r.grade = 1;
        r.roundLabel.assign("R1");
        r.umpires.assign("Bird");
        r.comment.assign("Rain");
        ws.write(m, r);
        return m;
    }
};

} // namespace

TEST_F(ScorecardTextTest, FullFormOfATwoInningsMatch)
{
    const std::int32_t m = addTwoInningsMatch(TwoDayMatch);
    const MatchForm form(app, m);
    web::PageImages images;
    images.logo1 = "stale";
    const stats::ReportText t = BuildScorecardText(form, ws, ScorecardForm::Full, &images);

    EXPECT_EQ(t.title, "Northern XI Vs Southern XI");
    EXPECT_EQ(t.subtitle, "2-day Match Played At Oval, 01-Feb-03\rGrade : A Grade");
    EXPECT_EQ(t.heading, "Match Result: " + form.resultText() + " " + form.margin);
    EXPECT_EQ(t.heading.substr(0, 26), "Match Result: Northern XI ");
    // No club of the fixture has a logo: the stale banner picture is cleared.
    EXPECT_EQ(images.logo1, "");

    const std::string battingHeading = sp(68) + "R   B  4  6";
    const std::string bowlingHeading = sp(23) + "O    M    R    W";
    const std::vector<std::string> expected = {
        "Round R1",
        "Toss won by Southern XI",
        "Umpires: Bird",
        "Man of the Match: Smith, Ned",
        "Comment: Rain",
        "",
        "",
        "Northern XI 1st Innings",
        battingHeading,
        // caught: " b " at characters 20-22 of the dismissal column, the bowler from 23
        "    *+N Smith" + sp(11) + " " + "c S Green" + sp(10) + " b S White" + sp(11) + "  45  60  5  1",
        "    " + std::string("  N Jones") + sp(11) + " " + "not out" + sp(33) + "  12  20  1  0",
        "    " + std::string("  N Brown") + sp(11) + " " + "run out (S Green/S White)" + sp(15) + "   3   5  0  0",
        "      extras            " + std::string("(b2, lb1, w3, nb1)") + sp(23) + "   7",
        "    TOTAL" + sp(56) + "  67",
        "",
        "    FOW 1-50(N Smith) 2-60(N Brown)",
        "",
        bowlingHeading,
        "    S White" + sp(11) + " 10   2    30   1   ",
        "    S Green" + sp(11) + " 4.4  0    25   0   ",
        "",
        "  Innings total: 67/2 All Out (Overs 14.4)",
        "",
        "Southern XI 1st Innings",
        battingHeading,
        "    * S Green" + sp(11) + " " + sp(18) + "c&b N Smith" + sp(11) + "  40   0  0  0",
        "    + S White" + sp(11) + " " + "st N Jones" + sp(9) + " b N Smith" + sp(11) + "   5   0  0  0",
        "      extras            " + std::string("(b0, lb0, w0, nb0)") + sp(23) + "   0",
        "    TOTAL" + sp(56) + "  45",
        "",
        "    FOW 1-10(S White) 2-46(S Green)",
        "",
        bowlingHeading,
        "    N Smith" + sp(11) + " 8    1    20   3   ",
        "",
        "  Innings total: 45/2 All Out (Overs 8)",
        "",
        "Northern XI 2nd Innings",
    };
    ASSERT_GE(t.lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(t.lines[i], expected[i]) << "line " << i;
    }
}

TEST_F(ScorecardTextTest, SummaryFormKeepsFortiesAndThreeWicketBowlers)
{
    const std::int32_t m = addTwoInningsMatch(OneDayMatch);
    const MatchForm form(app, m);
    const stats::ReportText t = BuildScorecardText(form, ws, ScorecardForm::Summary, nullptr);
    const std::vector<std::string> expected = {
        "Northern XI 1st Innings",
        "",
        "    N Smith" + sp(11) + " 45",
        "",
        "  Innings total: 67/2 All Out (Overs 14.4)",
        "",
        "Southern XI 1st Innings",
        "",
        "    S Green" + sp(11) + " 40",
        "    N Smith" + sp(11) + " 3/20",
        "",
        "  Innings total: 45/2 All Out (Overs 8)",
        "",
    };
    // A one-day match never shows slots 2 and 4, although slot 2 holds an innings here.
    EXPECT_EQ(t.lines, expected);
    EXPECT_EQ(t.subtitle.substr(0, 11), "1-day Match");
}

TEST_F(ScorecardTextTest, NotOutFortyIsStarredAndThirtyNineLeftOut)
{
    InningsRecord r;
    r.batting[1] = {.batsman = 1, .howOut = NotOut, .runs = 40};
    r.batting[2] = {.batsman = 2, .howOut = Bowled, .bowler = 4, .runs = 39};
    const std::int32_t i = ws.AllocateInnings();
    ws.write(i, r);
    const MatchForm form(app, addMatch(OneDayMatch, {i, 0, 0, 0}, 1));
    const stats::ReportText t = BuildScorecardText(form, ws, ScorecardForm::Summary, nullptr);
    ASSERT_GE(t.lines.size(), 3u);
    EXPECT_EQ(t.lines[2], "    N Smith" + sp(11) + " 40*");
    EXPECT_EQ(t.lines[3], "");
}

TEST_F(ScorecardTextTest, ClubOnlyDatabaseRecordsOneSide)
{
    const std::int32_t m = addTwoInningsMatch(OneDayMatch);
    app.header.options.allowPlayersClub = static_cast<std::int16_t>(northern);
    const MatchForm form(app, m);
    const stats::ReportText t = BuildScorecardText(form, ws, ScorecardForm::Full, nullptr);
    const auto at = [&](const std::string& text) {
        return static_cast<std::size_t>(std::find(t.lines.begin(), t.lines.end(), text) - t.lines.begin());
    };
    const std::size_t north = at("Northern XI 1st Innings");
    const std::size_t south = at("Southern XI 1st Innings");
    ASSERT_LT(north, south);
    ASSERT_LT(south, t.lines.size());
    // Northern's innings: heading, short dismissals, extras, total and FOW, but no bowling.
    EXPECT_EQ(t.lines[north + 1].substr(0, 69), sp(68) + "R");
    EXPECT_EQ(t.lines[north + 2].substr(25, 6), "caught");
    EXPECT_EQ(t.lines[north + 4].substr(25, 7), "run out");
    EXPECT_EQ(t.lines[north + 5].substr(0, 12), "      extras");
    for (std::size_t i = north; i < south; ++i) {
        EXPECT_NE(t.lines[i], sp(23) + "O    M    R    W");
    }
    // Southern's innings: no heading, extras, total or FOW; detailed dismissals and the bowling.
    EXPECT_EQ(t.lines[south + 1], "    * S Green" + sp(11) + " " + sp(18) + "c&b N Smith" + sp(11) + "  40   0  0  0");
    EXPECT_EQ(t.lines[south + 3], "");
    EXPECT_EQ(t.lines[south + 4], sp(23) + "O    M    R    W");
    for (std::size_t i = south; i < t.lines.size(); ++i) {
        EXPECT_NE(t.lines[i].substr(0, 7), "    FOW");
        EXPECT_NE(t.lines[i].substr(0, 9), "    TOTAL");
    }
}

// A slot whose number is above the innings count holds no innings (an earlier database's
// innings may still sit in that slot of the working file): no heading, lines or total for it.
TEST_F(ScorecardTextTest, AnInningsNumberAboveTheCountIsNoInnings)
{
    const std::int32_t m = addTwoInningsMatch(TwoDayMatch);
    ASSERT_EQ(ws.count(RecordKind::Innings), 2);
    InningsRecord stale;
    stale.batting[1] = {.batsman = 4, .howOut = NotOut, .runs = 99};
    stale.status = Declared;
    ws.write(3, stale); // beyond the count
    MatchRecord r = ws.read<MatchRecord>(m);
    r.innings[4] = 3;
    ws.write(m, r);

    const MatchForm form(app, m);
    EXPECT_EQ(form.summaryLines[4], "");
    for (const ScorecardForm which : {ScorecardForm::Full, ScorecardForm::Summary}) {
        const stats::ReportText t = BuildScorecardText(form, ws, which, nullptr);
        EXPECT_NE(std::find(t.lines.begin(), t.lines.end(), "Northern XI 2nd Innings"), t.lines.end());
        for (const std::string& line : t.lines) {
            EXPECT_EQ(line.find("Southern XI 2nd Innings"), std::string::npos);
            EXPECT_EQ(line.find(" 99"), std::string::npos) << line;
            EXPECT_NE(line, "  Innings total: )");
        }
    }
}

// "Batsmen per team" and "bowlers per team" outside 1..14 count as 11 in the scorecard window,
// the summaries and margin, and the scorecard text alike.
TEST_F(ScorecardTextTest, TeamSizesOutsideOneToFourteenCountAsEleven)
{
    const std::int32_t first = addInnings(140, 10);
    const std::int32_t chase = addInnings(141, 4);
    // Lines that only a count of 12 or more would read.
    InningsRecord r = ws.read<InningsRecord>(chase);
    r.batting[12] = {.batsman = 3, .howOut = NotOut, .runs = 50};
    r.bowling[12] = {.bowler = 1, .wickets = 5, .runsConceded = 10, .overs = 3.0F};
    ws.write(chase, r);
    const std::int32_t m = addMatch(OneDayMatch, {first, 0, chase, 0}, 2);

    for (const std::int16_t size : {std::int16_t{0}, std::int16_t{-3}, std::int16_t{15}, std::int16_t{300}}) {
        SCOPED_TRACE(size);
        app.header.options.batsmenPerTeam = size;
        app.header.options.bowlersPerTeam = size;
        MatchDetailsModel details(app, platform, m);
        EXPECT_EQ(details.margin, "by 6 wickets");
        EXPECT_NE(details.summaryLines[3].find("141"), std::string::npos) << details.summaryLines[3];

        const stats::ReportText full = BuildScorecardText(details, ws, ScorecardForm::Full, nullptr);
        EXPECT_EQ(full.heading, "Match Result: Southern XI Win by 6 wickets");
        EXPECT_NE(std::find(full.lines.begin(), full.lines.end(), "    TOTAL" + sp(56) + " 141"), full.lines.end());
        EXPECT_EQ(std::find(full.lines.begin(), full.lines.end(), "    TOTAL" + sp(56) + " 191"), full.lines.end());
        const stats::ReportText summary = BuildScorecardText(details, ws, ScorecardForm::Summary, nullptr);
        for (const std::string& line : summary.lines) {
            EXPECT_EQ(line.find("5/10"), std::string::npos) << line;
        }

        ScorecardModel window(app, platform, details.scorecardHandOver(3));
        EXPECT_EQ(window.nbat, 11);
        EXPECT_EQ(window.nbow, 11);
    }
}

TEST(ScorecardDismissals, DetailedAndShortTexts)
{
    const std::string smith = "Smith" + sp(25);
    const std::string jones = "Jones" + sp(25);
    // clang-format off
    const struct { int howOut; std::string f, b; std::string detailed, brief; } rows[] = {
        {RunOut, "?", "?", "run out", "run out"},
        {RunOut, smith, "?", "run out (Smith)", "run out"},
        {RunOut, smith, jones, "run out (Smith/Jones)", "run out"},
        {RunOut, ".x", jones, "run out", "run out"},
        {Caught, "sub", jones, "c sub b " + jones, "caught"},
        {Bowled, "?", jones, sp(20) + "b " + jones, "bowled"},
        {Lbw, "?", jones, "lbw" + sp(17) + "b " + jones, "lbw"},
        {HitWicket, "?", jones, "hit wicket" + sp(10) + "b " + jones, "hit wicket"},
        {DidNotBat, "?", "?", "dnb", "dnb"}, {AbsentIll, "?", "?", "Absent Ill", "Absent Ill"},
        {AbsentHurt, "?", "?", "Absent Hurt", "Absent Hurt"}, {HitTwice, "?", "?", "Hit Ball Twice", "Hit Ball Twice"},
        {RetiredNotOut, "?", "?", "Retired Not Out", "Retired Not Out"}, {99, "?", "?", "dnb", "dnb"},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.howOut);
        EXPECT_EQ(DismissalText(r.howOut, r.f, r.b, true), r.detailed);
        EXPECT_EQ(DismissalText(r.howOut, r.f, r.b, false), r.brief);
    }
}

TEST_F(ScorecardTextTest, FallOfWicketsWrapsAtSeventyFiveColumnsAndSkipsScoresOf999)
{
    PlayerRecord p;
    p.reportName.assign("A Very Long Player Name");
    p.club = 1;
    p.active = 1;
    const std::int32_t longName = ws.addPlayer(p);
    InningsRecord r;
    for (int k = 1; k <= 5; ++k) {
        r.batting[static_cast<std::size_t>(k)] = {.batsman = static_cast<std::int16_t>(longName), .howOut = Bowled,
                                                  .bowler = 4, .fowScore = static_cast<std::int16_t>(100 * k),
                                                  .fowBatsman = static_cast<std::uint8_t>(k)};
    }
    r.batting[4].fowScore = 999;
    const std::int32_t i = ws.AllocateInnings();
    ws.write(i, r);
    const MatchForm form(app, addMatch(OneDayMatch, {i, 0, 0, 0}, 1));
    const stats::ReportText t = BuildScorecardText(form, ws, ScorecardForm::Full, nullptr);
    const auto fow = std::find_if(t.lines.begin(), t.lines.end(), [](const std::string& l) { return l.starts_with("    FOW"); });
    ASSERT_NE(fow, t.lines.end());
    const std::string entry = "(A Very Long Player Name)";
    EXPECT_EQ(*fow, "    FOW 1-100" + entry + " 2-200" + entry);
    EXPECT_EQ(*(fow + 1), sp(7) + " 3-300" + entry + " 5-500" + entry);
    EXPECT_LE(fow->size(), 75u);
}
