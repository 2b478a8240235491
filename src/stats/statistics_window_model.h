#pragma once
// The statistics window: the report catalogue, the filters, the qualification minimums and the
// report length, the "Include Web Pages" boxes, and "Generate!", which runs the chosen report
// and shows it in the report window. The chosen values are remembered in the database options,
// written back by "Close" only. It stands in for the main window while open.

#include "platform.h"
#include "player_charts.h"
#include "stats_request.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wickly {
struct AppState;
struct PlayerRecord;
} // namespace wickly

namespace wickly::stats {

// One entry of a list: the text shown and the record number behind it (0 for the first entry
// of a filter list, which means "any").
struct ListEntry
{
    std::string text;
    std::int32_t record = 0;
};

struct EntryChoice
{
    std::vector<ListEntry> entries;
    int selected = 0;

    std::int32_t selectedRecord() const;
    // The index of the entry with this record number, -1 when none has it.
    int indexOf(std::int32_t record) const;
};

// The text boxes whose leaving is checked or whose edits mark the database as changed.
enum class StatsBox
{
    DateFrom,
    DateTo,
    ReportLength,
    ChartLength,
    BattingMinInnings,
    BattingMinRuns,
    BowlingMinWickets,
    BowlingMinOvers,
    AllRoundMinRuns,
    AllRoundMinWickets,
};
inline constexpr int kStatsBoxCount = 10;

// The "Include Web Pages" boxes, in the bit order of the two web page flag bytes.
inline constexpr std::array<const char*, 16> kWebPageCaptions = {
    "Players",     "Matches",     "Ladder",     "Indiv Pts",
    "Drop Cts",    "Run-outs",    "BCharts",    "100 Debut",
    "Bat S/R",     "PCharts",     "Youngest",   "Web Page for each Grade",
    "100 in Both", "Seas. Stats", "Show Ducks", "Include Batting Strike Rates"};
enum WebPageBox : int
{
    WebPlayers = 0,
    WebLadder = 2,
    WebBCharts = 6,
    WebPCharts = 9,
    WebEachGrade = 11,
    WebShowDucks = 14,
    WebStrikeRates = 15,
};

inline constexpr const char* kNoSetupMessage = "No Setup - Please setup the Point System in the SETUP form";
inline constexpr const char* kSelectGradeMessage = "Select a Grade first";
inline constexpr const char* kNotAvailableMessage = "This report is not available in this version yet.";
inline constexpr const char* kIncorrectDateMessage = "Incorrect Date Format";
inline constexpr const char* kReportLengthMessage = "Value must be between 5 and 3000 entries";
inline constexpr const char* kChartLengthMessage = "Value must be between 5 and 999 entries";
inline constexpr int kStatisticsHelp = 700;
inline constexpr const char* kSelectPlayerMessage = "Select a player first";

class StatisticsWindowModel : public WindowModel
{
public:
    StatisticsWindowModel(AppState& app, Platform& platform);

    // ---- State shown by the view
    std::string caption = "Statistics";
    std::vector<std::string> reports; // the 43 catalogue captions
    int selectedReport = 0;
    EntryChoice subjectClubs; // ".all clubs." then the clubs
    EntryChoice subjects;     // players (reports 0 and 42) or ".all teams." and teams
    std::string subjectCaption = "Player";
    bool subjectEnabled = true;
    bool listActive = true; // "Active", else "All"
    EntryChoice vsClubs;
    std::vector<std::string> matchTypes;
    int selectedMatchType = 0;
    EntryChoice grounds;
    EntryChoice grades;
    std::vector<std::string> ratings;
    int selectedRating = 0;
    std::array<std::string, kStatsBoxCount> boxes;
    bool battingByInnings = false; // "Innings", else "Dismissals"
    bool includeHistory = false;
    bool firstInningsOnly = false;
    std::array<bool, 16> webPages{}; // ticked boxes
    std::array<bool, 16> webPageEnabled{};
    // Which controls show.
    bool listOptionsVisible = true;
    bool strikeRatesAndDucksVisible = true;
    bool vsVisible = true;
    bool ratingVisible = false;
    bool chartFrameVisible = true;
    bool chartLengthVisible = true;
    bool reportLengthVisible = false;
    bool includeHistoryVisible = true;
    bool battingQualifyVisible = false;
    bool bowlingQualifyVisible = false;
    bool allRoundQualifyVisible = false;
    bool byInningsVisible = true;    // the "Innings"/"Dismissals" options
    bool bowlingOversVisible = true; // the "Ov's" box and its caption
    bool firstInningsVisible = true;
    bool webPagesVisible = false;
    // The "Include Web Pages" frame and each of its boxes: "Show Ducks" and "Include Batting
    // Strike Rates" show for a player's sheet as well (strikeRatesAndDucksVisible).
    bool webFrameVisible = false;
    std::array<bool, 16> webPageVisible{};
    // The "Charts" frame (shown with chartFrameVisible): "Batting", else "Bowling".
    bool chartBowling = false;
    // The live matches in date order: "M" and the record number, and the date as yyyymmdd.
    std::vector<std::pair<std::string, std::string>> matchList;
    int progress = 0; // 0..100
    bool closed = false;

    // Told of every change of the progress bar while a report is produced.
    std::function<void(int)> onProgress;
    // Runs "Generate Web Pages" (the site generator, a library above this one); installed by
    // whoever opens the window. Without it the entry says it is not available.
    std::function<void(StatisticsWindowModel&)> generateSite;

    std::string& box(StatsBox b) { return boxes[static_cast<std::size_t>(b)]; }
    const std::string& box(StatsBox b) const { return boxes[static_cast<std::size_t>(b)]; }
    int boxValue(StatsBox b) const;

    // ---- Actions
    void reportChosen(int index);
    void subjectClubChosen(int index);
    void subjectChosen(int index);
    void listOptionChosen(bool active);
    void vsClubChosen(int index);
    void matchTypeChosen(int index);
    void groundChosen(int index);
    void gradeChosen(int index);
    void ratingChosen(int index);
    void boxEdited(StatsBox b, const std::string& text);
    // Checks a box as the focus leaves it; false when the focus must stay in the box.
    bool boxLeft(StatsBox b);
    void byInningsChosen(bool byInnings);
    void includeHistoryTicked(bool on);
    void firstInningsTicked(bool on);
    void webPageTicked(int index, bool on);
    void generateClicked();
    // Sets the progress bar (0..100) and tells onProgress.
    void setProgress(int percent);
    void chartSideChosen(bool bowling) { chartBowling = bowling; }
    // The chart buttons: build the chart of the chosen player and show it in the chart window.
    void runChartClicked() { showChart(ChartKind::Run); }
    void dismissalChartClicked() { showChart(ChartKind::Dismissal); }
    // The chart of the chosen player under the filters, "Batting" or "Bowling" as chosen, without
    // showing it; nothing (after a message) when no player is chosen or a box is refused.
    std::optional<ChartDocument> buildChart(ChartKind kind);
    void helpClicked();
    // Writes the remembered options back and closes the window.
    void closeClicked();
    // Closing any other way keeps the options last stored.
    void closeRequested() { closed = true; }

    // The request "Generate!" would hand to the engine now.
    StatsRequest request() const;

private:
    void loadLists();
    void loadRemembered();
    void fillSubjects();
    void applyVisibility();
    void updateWebPageEnabled();
    void changed();
    void showChart(ChartKind kind);

    AppState& m_app;
    Platform& m_platform;
};

// The list item text of a player in the subject list.
std::string SubjectPlayerText(const PlayerRecord& p);

} // namespace wickly::stats
