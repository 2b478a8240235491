// The chart buttons of the statistics window and the chart window, played with the scripted
// platform.

#include "chart_window_model.h"
#include "scripted_platform.h"
#include "statistics_window_model.h"
#include "stats_fixture.h"

#include <gtest/gtest.h>

namespace wickly::stats {
namespace {

using test::ScriptedPlatform;
using test::StatsFixture;

// The chart window shown by the last chart button, with what it held when it was shown.
struct ShownCharts
{
    explicit ShownCharts(ScriptedPlatform& platform)
    {
        platform.onModal = [this](WindowModel& m) {
            if (auto* w = dynamic_cast<ChartWindowModel*>(&m)) {
                charts.push_back(w->chart);
            }
        };
    }
    std::vector<ChartDocument> charts;
};

TEST(ChartButtons, NeedAPlayerAndCheckTheirBoxes)
{
    StatsFixture f;
    ScriptedPlatform platform;
    ShownCharts shown(platform);
    StatisticsWindowModel w(f.db.app, platform);
    EXPECT_TRUE(w.chartFrameVisible);
    EXPECT_FALSE(w.chartBowling); // "Batting" first

    w.runChartClicked();
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].text, "Select a player first");
    EXPECT_EQ(platform.messages[0].icon, Icon::Error);
    EXPECT_TRUE(platform.modalWindows.empty());

    // A chart length typed without leaving the box is checked: OK keeps it for correcting,
    // Cancel puts the default back and the chart is drawn.
    w.subjectChosen(0); // Smith
    w.boxEdited(StatsBox::ChartLength, "3");
    platform.buttonAnswers = {Button::Ok, Button::Cancel};
    w.dismissalChartClicked();
    EXPECT_TRUE(shown.charts.empty());
    w.dismissalChartClicked();
    EXPECT_EQ(platform.messageTexts(),
              (std::vector<std::string>{"Select a player first", kChartLengthMessage, kChartLengthMessage}));
    EXPECT_EQ(w.box(StatsBox::ChartLength), "50");
    ASSERT_EQ(shown.charts.size(), 1U);
    EXPECT_EQ(shown.charts[0].caption, "Dismissal Chart");
    EXPECT_EQ(platform.busyDepth, 0);
    EXPECT_GE(platform.busyCalls, 1);
}

TEST(ChartButtons, DrawTheChosenPlayerUnderTheFilters)
{
    StatsFixture f; // Jones: 50 and 0 not out batting; 6, 4 and 0 wickets bowling
    ScriptedPlatform platform;
    ShownCharts shown(platform);
    StatisticsWindowModel w(f.db.app, platform);
    w.subjectChosen(1); // Jones
    w.runChartClicked();
    w.chartSideChosen(true);
    w.runChartClicked();
    w.matchTypeChosen(OneDayMatch);
    w.dismissalChartClicked();
    ASSERT_EQ(shown.charts.size(), 3U);
    // The only grade is chosen when the window opens, and the title names it.
    EXPECT_EQ(shown.charts[0].titleLines,
              (std::vector<std::string>{"Runs Scored by Jones", "All Matches, First Grade"}));
    EXPECT_EQ(shown.charts[0].bars.size(), 2U);
    EXPECT_EQ(shown.charts[1].titleLines.front(), "Wickets Taken by Jones");
    ASSERT_EQ(shown.charts[1].bars.size(), 3U);
    EXPECT_EQ(shown.charts[1].bars[0].value, 6);
    // One-day matches only: Brown caught by Smith off Jones.
    EXPECT_EQ(shown.charts[2].titleLines,
              (std::vector<std::string>{"Dismissals by Jones", "1-day Matches, First Grade"}));
    EXPECT_EQ(shown.charts[2].slices, (std::vector<ChartPoint>{{1, "Caught", 12}}));
    EXPECT_TRUE(platform.messages.empty());

    // The frame belongs to the player statistics only.
    w.reportChosen(TopRunAggregates);
    EXPECT_FALSE(w.chartFrameVisible);
}

ChartDocument smallChart()
{
    ChartDocument c;
    c.caption = "Run Chart";
    c.titleLines = {"Runs Scored by Smith"};
    c.bars = {{10, "19", 7}};
    return c;
}

TEST(ChartWindow, SavesAJpegOf500By300)
{
    ScriptedPlatform platform;
    ChartWindowModel w(platform, smallChart());
    EXPECT_EQ(w.caption(), "Run Chart");

    platform.fileAnswers = {std::nullopt, "/tmp/a.b/smith", "/tmp/smith.jpeg"};
    w.saveClicked(); // cancelled: nothing happens
    EXPECT_TRUE(platform.exportedCharts.empty());
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(platform.saveDialogs.size(), 1U);
    EXPECT_EQ(platform.saveDialogs[0].title, "Save Graph");
    EXPECT_EQ(platform.saveDialogs[0].filter, "Bitmap Files (*.jpg)|*.jpg");
    EXPECT_TRUE(platform.saveDialogs[0].overwritePrompt);

    w.saveClicked(); // a dot in a folder's name is no extension
    w.saveClicked();
    ASSERT_EQ(platform.exportedCharts.size(), 2U);
    EXPECT_EQ(platform.exportedCharts[0].path, "/tmp/a.b/smith.jpg");
    EXPECT_EQ(platform.exportedCharts[1].path, "/tmp/smith.jpeg");
    EXPECT_EQ(platform.exportedCharts[0].width, 500);
    EXPECT_EQ(platform.exportedCharts[0].height, 300);
    EXPECT_EQ(platform.exportedCharts[0].quality, 80);
    EXPECT_EQ(platform.exportedCharts[0].chart.titleLines, smallChart().titleLines);
    EXPECT_EQ(platform.messageTexts(), (std::vector<std::string>{"Graph has been saved", "Graph has been saved"}));
    EXPECT_EQ(platform.busyCalls, 2);
    EXPECT_EQ(platform.busyDepth, 0);
}

TEST(ChartWindow, ReportsAFailedSaveAndPrintsThroughThePreview)
{
    ScriptedPlatform platform;
    ChartWindowModel w(platform, smallChart());
    platform.chartExportsSucceed = false;
    platform.fileAnswers = {"/nowhere/smith"};
    w.saveClicked();
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].text, "The chart could not be saved as /nowhere/smith.jpg.");
    EXPECT_EQ(platform.messages[0].icon, Icon::Error);

    w.printClicked();
    ASSERT_EQ(platform.previewedCharts.size(), 1U);
    EXPECT_EQ(platform.previewedCharts[0].bars, smallChart().bars);
    w.closeClicked();
    EXPECT_TRUE(w.closed);
}

} // namespace
} // namespace wickly::stats
