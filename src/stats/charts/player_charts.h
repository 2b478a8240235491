#pragma once
// The player charts of the statistics window: the run chart (one bar per innings in date order,
// with the running batting average over it, or the wickets of each spell) and the dismissal
// chart (a pie of how a batsman was out, or how a bowler's wickets fell), for one player under
// the window's filters. The charts are plain data (ChartDocument); the platform draws them.

#include "chart_document.h"
#include "stats_request.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wickly {
class WorkingSet;
}

namespace wickly::stats {

enum class ChartKind
{
    Run,
    Dismissal,
};

// One innings of a player as the charts read it.
struct ChartInnings
{
    std::string date; // yyyymmdd
    int value = 0;    // runs scored, or wickets taken
    int howOut = 0;   // batting: the how-out code
};

// What the charts of one player need, in match record order, innings slot and line order.
struct PlayerChartData
{
    std::vector<ChartInnings> batting; // the innings he batted in (how-out code above 0)
    std::vector<ChartInnings> bowling; // his bowling lines with overs above 0
    std::vector<int> wicketHowOuts;    // how-out codes of the batting lines that name him as bowler
};

// The bars a run chart shows at most, whatever the chart length.
inline constexpr int kMaxChartBars = 500;

// Gathers the chart data of `players` (record numbers) in one pass over the matches that pass the
// request's match selection (date range, match type, ground, grade, opposition club, 1st innings
// only). Batting lines count when the subject club (if chosen) is the batting side's and the
// opposition club (if chosen) the fielding side's; bowling the other way round. Element i of the
// result belongs to players[i]. Throws StorageError when a working file cannot be read.
std::vector<PlayerChartData> CollectChartData(const WorkingSet& ws, const StatsRequest& request,
                                              const std::vector<std::int32_t>& players);

// The run chart: the player's earliest `request.chartLength` innings (1 to 500) in date order.
ChartDocument RunChart(const PlayerChartData& data, const StatsRequest& request, const std::string& playerName,
                       bool bowling);
// The dismissal chart over every selected innings.
ChartDocument DismissalChart(const PlayerChartData& data, const StatsRequest& request, const std::string& playerName,
                             bool bowling);

// Reads player `player` and builds one of his charts.
ChartDocument BuildPlayerChart(const WorkingSet& ws, const StatsRequest& request, std::int32_t player, ChartKind kind,
                               bool bowling);

} // namespace wickly::stats
