// The statistics window model: lists, visibility, checks and messages, remembered options and
// "Generate!", played with the scripted platform.

#include "report_rows.h"
#include "report_window_model.h"
#include "scripted_platform.h"
#include "statistics_window_model.h"
#include "stats_fixture.h"
#include "web_context.h"

#include <gtest/gtest.h>

namespace wickly::stats {
namespace {

using test::ScriptedPlatform;
using test::StatsFixture;

std::vector<std::string> texts(const EntryChoice& c)
{
    std::vector<std::string> t;
    for (const ListEntry& e : c.entries) {
        t.push_back(e.text);
    }
    return t;
}

TEST(StatisticsWindow, OpensWithFirstEntriesAndRememberedOptions)
{
    StatsFixture f;
    f.db.app.header.options.allowPlayersClub = 7; // no such club: ".all clubs."
    f.db.app.databaseChanged = false;
    ScriptedPlatform platform;
    StatisticsWindowModel w(f.db.app, platform);
    EXPECT_EQ(w.caption, "Statistics");
    ASSERT_EQ(w.reports.size(), 43U);
    EXPECT_EQ(w.reports[6], "Batting:Top Run Aggregates");
    EXPECT_EQ(w.selectedReport, 0);
    EXPECT_EQ(texts(w.subjectClubs), (std::vector<std::string>{".all clubs.", "Alpha CC", "Beta CC"}));
    EXPECT_EQ(w.subjectClubs.selected, 0);
    EXPECT_EQ(texts(w.grounds), (std::vector<std::string>{".all grounds.", "Oval"}));
    EXPECT_EQ(w.grades.selected, 1); // the only grade is chosen
    EXPECT_EQ(w.ratings, (std::vector<std::string>{"All", "Rating 1", "Rating 2", "Rating 3", "Rating 4", "Rating 5"}));
    EXPECT_EQ(w.matchTypes[0], "All Matches");
    EXPECT_EQ(w.box(StatsBox::DateFrom), "01/01/1800");
    EXPECT_EQ(w.box(StatsBox::DateTo), "01/01/2100");
    EXPECT_EQ(w.box(StatsBox::ReportLength), "20");
    EXPECT_EQ(w.box(StatsBox::BattingMinRuns), "200");
    EXPECT_FALSE(w.battingByInnings);
    EXPECT_TRUE(w.webPages[WebPlayers]);
    ASSERT_EQ(w.matchList.size(), 2U);
    EXPECT_EQ(w.matchList[0], (std::pair<std::string, std::string>{"M1", "20190510"}));
    // The complete statistics list players: active ones of any club, in record order.
    EXPECT_EQ(w.subjectCaption, "Player");
    EXPECT_EQ(w.subjects.entries.size(), 6U);
    EXPECT_FALSE(f.db.app.databaseChanged);
}

TEST(StatisticsWindow, SubjectListFollowsReportClubAndListOption)
{
    StatsFixture f;
    PlayerRecord white = f.db.ws.read<PlayerRecord>(5);
    white.active = 0;
    f.db.ws.write(5, white);
    ScriptedPlatform platform;
    StatisticsWindowModel w(f.db.app, platform);
    w.subjectClubChosen(1); // Alpha CC
    EXPECT_EQ(texts(w.subjects), (std::vector<std::string>{"Smith", "Jones"}));
    w.listOptionChosen(false);
    EXPECT_EQ(w.subjects.entries.back().record, 5);
    w.reportChosen(TopRunAggregates);
    EXPECT_EQ(w.subjectCaption, "Team");
    EXPECT_EQ(texts(w.subjects), (std::vector<std::string>{".all teams.", "Alpha XI"}));
    EXPECT_TRUE(w.subjectEnabled);
    w.subjectClubChosen(0);
    EXPECT_EQ(texts(w.subjects), (std::vector<std::string>{".all teams.", "Alpha XI", "Beta XI"}));
    EXPECT_FALSE(w.subjectEnabled);
}

TEST(StatisticsWindow, VisibilityPerReport)
{
    StatsFixture f;
    ScriptedPlatform platform;
    StatisticsWindowModel w(f.db.app, platform);
    struct Case
    {
        int report;
        bool vs, length, history, batting, bowling, firstInnings, web, rating;
    };
    // clang-format off
    const Case cases[] = {
        {CompleteStats,       true,  false, true,  false, false, true,  false, false},
        {TopRunAggregates,    true,  true,  true,  false, false, true,  false, true},
        {TopRunScores,        true,  true,  false, false, false, true,  false, true},
        {MostRunsInSeason,    true,  true,  false, false, false, true,  false, true},
        {TopBattingAverages,  true,  true,  true,  true,  false, true,  false, true},
        {HundredInBothInnings,true,  true,  false, false, false, false, false, true},
        {TopEconomyRates,     true,  true,  true,  false, true,  true,  false, true},
        {HonoursSummary,      true,  false, true,  true,  true,  true,  false, true},
        {CompetitionPoints,   false, true,  false, false, false, false, false, true},
        {GenerateWebPages,    true,  true,  true,  true,  true,  true,  true,  true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(w.reports[static_cast<std::size_t>(c.report)]);
        w.reportChosen(c.report);
        EXPECT_EQ(w.vsVisible, c.vs);
        EXPECT_EQ(w.reportLengthVisible, c.length);
        EXPECT_EQ(w.includeHistoryVisible, c.history);
        EXPECT_EQ(w.battingQualifyVisible, c.batting);
        EXPECT_EQ(w.bowlingQualifyVisible, c.bowling);
        EXPECT_EQ(w.firstInningsVisible, c.firstInnings);
        EXPECT_EQ(w.webPagesVisible, c.web);
        EXPECT_EQ(w.ratingVisible, c.rating);
    }
    w.reportChosen(HonoursSummary);
    EXPECT_FALSE(w.byInningsVisible);
    EXPECT_FALSE(w.bowlingOversVisible);
    w.reportChosen(GenerateWebPages);
    EXPECT_FALSE(w.subjectEnabled);
    // Charts of the player pages need the player pages; the ladder needs a grade.
    EXPECT_TRUE(w.webPageEnabled[WebBCharts]);
    w.webPageTicked(WebPlayers, false);
    EXPECT_FALSE(w.webPageEnabled[WebBCharts]);
    EXPECT_FALSE(w.webPageEnabled[WebPCharts]);
    EXPECT_TRUE(w.webPageEnabled[WebLadder]);
    EXPECT_FALSE(w.webPageEnabled[WebEachGrade]);
    w.gradeChosen(0);
    EXPECT_FALSE(w.webPageEnabled[WebLadder]);
    EXPECT_TRUE(w.webPageEnabled[WebEachGrade]);
}

TEST(StatisticsWindow, BoxChecksWithTheirMessages)
{
    StatsFixture f;
    ScriptedPlatform platform;
    StatisticsWindowModel w(f.db.app, platform);
    struct Case
    {
        StatsBox box;
        const char* typed;
        const char* message;
        const char* afterCancel;
    };
    // clang-format off
    const Case cases[] = {
        {StatsBox::DateFrom,     "1/1/2019",   "Incorrect Date Format",                    ""},
        {StatsBox::DateTo,       "32/01/2019", "Incorrect Date Format",                    ""},
        {StatsBox::DateTo,       "01/13/2019", "Incorrect Date Format",                    ""},
        {StatsBox::DateFrom,     "01/01/1799", "Incorrect Date Format",                    ""},
        {StatsBox::ReportLength, "4",          "Value must be between 5 and 3000 entries", "100"},
        {StatsBox::ReportLength, "3001",       "Value must be between 5 and 3000 entries", "100"},
        {StatsBox::ChartLength,  "1000",       "Value must be between 5 and 999 entries",  "50"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        platform.messages.clear();
        w.boxEdited(c.box, c.typed);
        platform.buttonAnswers = {Button::Ok, Button::Cancel};
        EXPECT_FALSE(w.boxLeft(c.box)); // OK: the focus stays
        EXPECT_EQ(w.box(c.box), c.typed);
        EXPECT_TRUE(w.boxLeft(c.box)); // Cancel
        EXPECT_EQ(w.box(c.box), c.afterCancel);
        ASSERT_EQ(platform.messages.size(), 2U);
        EXPECT_EQ(platform.messages[0].text, c.message);
        EXPECT_EQ(platform.messages[0].title, "Error");
        EXPECT_EQ(platform.messages[0].icon, Icon::Error);
        EXPECT_EQ(platform.messages[0].buttons, Buttons::OkCancel);
    }
    platform.messages.clear();
    w.boxEdited(StatsBox::DateFrom, "15/05/2019");
    w.boxEdited(StatsBox::ReportLength, "3000");
    EXPECT_TRUE(w.boxLeft(StatsBox::DateFrom));
    EXPECT_TRUE(w.boxLeft(StatsBox::ReportLength));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(f.db.app.databaseChanged);
}

TEST(StatisticsWindow, OnlyCloseWritesTheRememberedOptions)
{
    StatsFixture f;
    ScriptedPlatform platform;
    {
        StatisticsWindowModel w(f.db.app, platform);
        w.boxEdited(StatsBox::DateFrom, "01/05/2019");
        w.boxEdited(StatsBox::BowlingMinOvers, "15");
        w.includeHistoryTicked(true);
        w.closeRequested(); // the close box: nothing written
        EXPECT_TRUE(w.closed);
    }
    EXPECT_EQ(f.db.app.header.options.statsDateFrom.str(), "01/01/1800");
    EXPECT_EQ(f.db.app.header.options.bowlingQualifyOvers, 20);
    StatisticsWindowModel w(f.db.app, platform);
    w.boxEdited(StatsBox::DateFrom, "01/05/2019");
    w.boxEdited(StatsBox::BowlingMinOvers, "15");
    w.boxEdited(StatsBox::BattingMinRuns, "99999"); // kept within its 16-bit option
    w.includeHistoryTicked(true);
    w.byInningsChosen(true);
    w.webPageTicked(WebEachGrade, false);
    w.webPageTicked(WebPlayers, false);
    w.closeClicked();
    const DatabaseOptions& o = f.db.app.header.options;
    EXPECT_EQ(o.statsDateFrom.raw(), "01/05/2019");
    EXPECT_EQ(o.bowlingQualifyOvers, 15);
    EXPECT_EQ(o.battingQualifyRuns, 32767);
    EXPECT_EQ(o.includeHistory, 1);
    EXPECT_EQ(o.battingQualifyByInnings, 255);
    EXPECT_EQ(o.webPageFlags1, 1);
    EXPECT_EQ(o.webPageFlags2, 8);
    EXPECT_TRUE(w.closed);
    // Opened again, the window shows what Close stored.
    StatisticsWindowModel again(f.db.app, platform);
    EXPECT_EQ(again.box(StatsBox::DateFrom), "01/05/2019");
    EXPECT_TRUE(again.battingByInnings);
    EXPECT_FALSE(again.webPages[WebPlayers]);
    EXPECT_FALSE(again.webPages[WebEachGrade]);
}

TEST(StatisticsWindow, DucksAndStrikeRatesShowForAPlayersSheetAndTheSite)
{
    StatsFixture f;
    ScriptedPlatform platform;
    StatisticsWindowModel w(f.db.app, platform);
    for (const int r : {CompleteStats, GenerateWebPages, TopRunAggregates}) {
        SCOPED_TRACE(r);
        w.reportChosen(r);
        const bool shown = r != TopRunAggregates;
        EXPECT_EQ(w.webFrameVisible, shown);
        EXPECT_EQ(w.webPageVisible[WebShowDucks], shown);
        EXPECT_EQ(w.webPageVisible[WebStrikeRates], shown);
        EXPECT_EQ(w.webPageVisible[WebPlayers], r == GenerateWebPages);
    }
}

TEST(StatisticsWindow, GenerateShowsTheReportWithProgress)
{
    StatsFixture f;
    ScriptedPlatform platform;
    StatisticsWindowModel w(f.db.app, platform);
    std::vector<int> progress;
    w.onProgress = [&](int p) { progress.push_back(p); };
    std::vector<std::string> shown;
    platform.onModal = [&](WindowModel& m) {
        auto* report = dynamic_cast<ReportWindowModel*>(&m);
        ASSERT_NE(report, nullptr);
        shown = report->report.lines;
        EXPECT_EQ(report->report.title, "Top Wicket Takers");
        EXPECT_EQ(report->report.subtitle, "All Matches, First Grade, Beta CC\r\n10-May-19 to 17-May-19");
    };
    w.reportChosen(TopWicketTakers);
    w.subjectClubChosen(2);
    w.generateClicked();
    ASSERT_EQ(shown.size(), 2U); // Beta's bowlers only
    EXPECT_EQ(shown[0].substr(0, 31), "  1.Green              Beta CC ");
    EXPECT_EQ(shown[1].substr(0, 31), "  2.Brown              Beta CC ");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.busyDepth, 0);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), 0);
    EXPECT_TRUE(std::find(progress.begin(), progress.end(), 50) != progress.end());
    EXPECT_TRUE(std::find(progress.begin(), progress.end(), 100) != progress.end());
    EXPECT_EQ(progress.back(), 0);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end() - 1));
}

TEST(StatisticsWindow, APlayersSheetCarriesHisPicturesToTheSavedPage)
{
    StatsFixture f;
    test::change<PlayerRecord>(f.db, 1, [](PlayerRecord& p) { p.pictureUrl.assign("smith.jpg"); });
    test::change<ClubRecord>(f.db, 1, [](ClubRecord& c) {
        c.logoUrl.assign("alpha.gif");
        c.clubUrl.assign("http://alpha.example/");
    });
    ScriptedPlatform platform;
    StatisticsWindowModel w(f.db.app, platform);
    web::PageImages images;
    platform.onModal = [&](WindowModel& m) {
        auto* report = dynamic_cast<ReportWindowModel*>(&m);
        ASSERT_NE(report, nullptr);
        images = report->web().pageImages;
    };
    w.reportChosen(CompleteStats);
    w.subjectChosen(w.subjects.indexOf(1));
    w.generateClicked();
    EXPECT_EQ(images.picture, "smith.jpg");
    EXPECT_EQ(images.logo2, "alpha.gif");
    EXPECT_EQ(images.link2, "http://alpha.example/");
    // Any other report's page has none.
    w.reportChosen(TopWicketTakers);
    w.generateClicked();
    EXPECT_TRUE(images.picture.empty());
    EXPECT_TRUE(images.logo2.empty());
    EXPECT_TRUE(platform.messages.empty());
}

TEST(StatisticsWindow, GenerateRefusals)
{
    StatsFixture f;
    ScriptedPlatform platform;
    StatisticsWindowModel w(f.db.app, platform);
    struct Case
    {
        int report;
        const char* message;
        Icon icon;
    };
    // clang-format off
    const Case cases[] = {
        {CompleteStats,      "Select a player first", Icon::Error},
        {PointsScores,       "No Setup - Please setup the Point System in the SETUP form", Icon::Error},
        {CompetitionPoints,  "Select a Grade first", Icon::Error},
        {GenerateWebPages,   "This report is not available in this version yet.", Icon::Information},
    };
    // clang-format on
    // Weights that round away in the running total are no points system either.
    f.db.app.header.options.individualPoints[0] = 0.4F;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        platform.messages.clear();
        w.reportChosen(c.report);
        w.gradeChosen(0);
        w.generateClicked();
        ASSERT_EQ(platform.messages.size(), 1U);
        EXPECT_EQ(platform.messages[0].text, c.message);
        EXPECT_EQ(platform.messages[0].icon, c.icon);
    }
    EXPECT_TRUE(platform.modalWindows.empty());
    // A length typed without leaving its box is checked before the report runs.
    platform.messages.clear();
    w.reportChosen(TopRunAggregates);
    w.boxEdited(StatsBox::ReportLength, "2");
    platform.buttonAnswers = {Button::Ok};
    w.generateClicked();
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].text, "Value must be between 5 and 3000 entries");
    EXPECT_TRUE(platform.modalWindows.empty());
    EXPECT_EQ(platform.busyDepth, 0);
}

} // namespace
} // namespace wickly::stats

#include "main_window_model.h"

namespace wickly::stats {
namespace {

TEST(StatisticsWindow, OpensInPlaceOfTheMainWindow)
{
    StatsFixture f;
    ScriptedPlatform platform;
    MainWindowModel main(f.db.app, platform);
    bool seen = false;
    platform.onModal = [&](WindowModel& m) {
        auto* statistics = dynamic_cast<StatisticsWindowModel*>(&m);
        ASSERT_NE(statistics, nullptr);
        seen = true;
        statistics->closeClicked();
    };
    main.buttonClicked(MainButton::Statistics);
    EXPECT_TRUE(seen);
    ASSERT_EQ(platform.replacedWindows.size(), 1U);
    EXPECT_EQ(platform.replacedWindows[0].second, &main);
}

} // namespace
} // namespace wickly::stats
