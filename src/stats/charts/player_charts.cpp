#include "player_charts.h"

#include "fixed_text.h"
#include "records.h"
#include "stats_engine.h"
#include "working_set.h"

#include <algorithm>
#include <array>

namespace wickly::stats {

namespace {

// Collects the lines of the wanted players from each innings the engine's pass includes; the
// pass adds nothing up and ranks nobody.
class ChartCollector : public ReportProducer
{
public:
    ChartCollector(const std::vector<std::int32_t>& players, std::int32_t playerCount,
                   std::vector<PlayerChartData>& out)
        : m_index(static_cast<std::size_t>(std::max(playerCount, 0)) + 1, -1), m_out(out)
    {
        for (std::size_t i = 0; i < players.size(); ++i) {
            if (players[i] >= 1 && players[i] <= playerCount) {
                m_index[static_cast<std::size_t>(players[i])] = static_cast<int>(i);
            }
        }
    }

    bool readsFiguresOnly() const override { return true; }

    void inningsRead(ReportPass& pass, const InningsView& v) override
    {
        const std::string date = DateKey(v.match->match.datePlayed.str());
        for (int line = 1; line <= pass.batsmenPerTeam(); ++line) {
            const BattingLine& b = v.innings.batting[static_cast<std::size_t>(line)];
            if (b.howOut <= 0) {
                continue;
            }
            if (PlayerChartData* d = v.battingCounts ? wanted(b.batsman) : nullptr) {
                d->batting.push_back({date, b.runs, b.howOut});
            }
            if (PlayerChartData* d = v.fieldingCounts ? wanted(b.bowler) : nullptr) {
                d->wicketHowOuts.push_back(b.howOut);
            }
        }
        if (!v.fieldingCounts) {
            return;
        }
        for (int line = 1; line <= pass.bowlersPerTeam(); ++line) {
            const BowlingLine& b = v.innings.bowling[static_cast<std::size_t>(line)];
            if (b.overs > 0) {
                if (PlayerChartData* d = wanted(b.bowler)) {
                    d->bowling.push_back({date, b.wickets, 0});
                }
            }
        }
    }

private:
    PlayerChartData* wanted(std::int32_t player)
    {
        if (player < 1 || static_cast<std::size_t>(player) >= m_index.size()) {
            return nullptr;
        }
        const int i = m_index[static_cast<std::size_t>(player)];
        return i < 0 ? nullptr : &m_out[static_cast<std::size_t>(i)];
    }

    std::vector<int> m_index; // player record number -> element of m_out, -1 when not wanted
    std::vector<PlayerChartData>& m_out;
};

std::string chosenName(const std::string& name)
{
    return rtrimBlanks(name.substr(0, std::min<std::size_t>(name.size(), 40)));
}

std::vector<std::string> chartTitle(const std::string& start, const std::string& playerName, const StatsRequest& r)
{
    std::string first = start + playerName;
    if (r.ground != 0) {
        first += " at " + chosenName(r.groundName);
    }
    std::string second = kMatchTypeTexts[r.matchType >= 0 && r.matchType <= 4 ? r.matchType : 0];
    if (r.grade != 0) {
        second += ", " + chosenName(r.gradeName);
    }
    if (r.vsClub != 0) {
        second += " Vs " + chosenName(r.vsClubName);
    }
    return {first, second};
}

// The bar colour of a value: best innings stand out (runs 200/100/50, or wickets 7/5/3).
int barColour(int value, bool bowling)
{
    const std::array<int, 3> limits = bowling ? std::array<int, 3>{7, 5, 3} : std::array<int, 3>{200, 100, 50};
    if (value >= limits[0]) {
        return 10;
    }
    if (value >= limits[1]) {
        return 12;
    }
    if (value >= limits[2]) {
        return 9;
    }
    return value >= 1 ? 7 : 2;
}

struct SliceKind
{
    int category;
    const char* label;
    int colour;
};
// clang-format off
constexpr std::array<SliceKind, 10> kSlices{{
    {4, "C&B", 4},      {3, "Caught", 12},  {2, "Bowled", 13},     {10, "Other", 5}, {9, "Stumped", 6},
    {8, "Run Out", 14}, {7, "Retired", 7},  {5, "Hit Wicket", 9},  {6, "LBW", 10},   {1, "Not out", 1},
}};
// clang-format on

} // namespace

std::vector<PlayerChartData> CollectChartData(const WorkingSet& ws, const StatsRequest& request,
                                              const std::vector<std::int32_t>& players)
{
    std::vector<PlayerChartData> out(players.size());
    StatsRequest r = request;
    r.reportKind = CompleteStats;
    r.reportLength = 1;
    r.subject = 0; // charts have no subject team
    r.rating = 0;  // nor a rating filter
    r.includeHistory = false;
    ChartCollector collector(players, ws.count(RecordKind::Player), out);
    ReportPass pass(ws, r);
    pass.run(collector);
    return out;
}

ChartDocument RunChart(const PlayerChartData& data, const StatsRequest& request, const std::string& playerName,
                       bool bowling)
{
    ChartDocument chart;
    chart.surface = ChartSurface::Bar;
    chart.caption = "Run Chart";
    chart.titleLines = chartTitle(bowling ? "Wickets Taken by " : "Runs Scored by ", playerName, request);
    chart.leftAxisTitle = bowling ? "Wkts" : "Runs";
    chart.bottomAxisTitle = "Year";

    // The earliest innings: in date order, an innings of the same date after those read before it.
    std::vector<ChartInnings> innings = bowling ? data.bowling : data.batting;
    std::stable_sort(innings.begin(), innings.end(),
                     [](const ChartInnings& a, const ChartInnings& b) { return a.date < b.date; });
    const auto n = static_cast<std::size_t>(std::clamp(request.chartLength, 1, kMaxChartBars));
    if (innings.size() > n) {
        innings.resize(n);
    }

    std::string previousYear;
    double runs = 0;
    int dismissals = 0;
    for (const ChartInnings& e : innings) {
        const std::string year = e.date.substr(0, std::min<std::size_t>(e.date.size(), 4));
        std::string label;
        if (year != previousYear) {
            label = year.size() >= 2 ? year.substr(year.size() - 2) : year;
            previousYear = year;
        }
        // A duck (or no wicket) still shows, as a small bar.
        const double value = e.value == 0 ? 0.2 : e.value;
        chart.bars.push_back({value, label, barColour(e.value, bowling)});
        if (!bowling) {
            if (value >= 1) {
                runs += value;
            }
            if (e.howOut != NotOut && e.howOut != RetiredHurt && e.howOut != RetiredNotOut) {
                ++dismissals;
            }
            chart.line.push_back({runs / std::max(dismissals, 1), "", 11});
        }
    }
    return chart;
}

ChartDocument DismissalChart(const PlayerChartData& data, const StatsRequest& request, const std::string& playerName,
                             bool bowling)
{
    ChartDocument chart;
    chart.surface = ChartSurface::Pie;
    chart.caption = "Dismissal Chart";
    chart.titleLines = chartTitle(bowling ? "Dismissals by " : "Dismissals of ", playerName, request);

    std::array<int, 11> counts{};
    if (bowling) {
        // A bowler's wickets: a run out is not his (the bowler field names the second fielder),
        // and neither is a batsman retiring hurt or not out, which is no wicket at all.
        for (const int code : data.wicketHowOuts) {
            if (code > 0 && code != RunOut && code != RetiredHurt && code != RetiredNotOut) {
                ++counts[static_cast<std::size_t>(std::min(code, 10))];
            }
        }
    } else {
        for (const ChartInnings& e : data.batting) {
            if (e.howOut > 0) {
                const int category = e.howOut == RetiredNotOut ? RetiredHurt : std::min(e.howOut, 10);
                ++counts[static_cast<std::size_t>(category)];
            }
        }
    }
    for (const SliceKind& s : kSlices) {
        const int count = counts[static_cast<std::size_t>(s.category)];
        if (count > 0) {
            chart.slices.push_back({static_cast<double>(count), s.label, s.colour});
        }
    }
    return chart;
}

ChartDocument BuildPlayerChart(const WorkingSet& ws, const StatsRequest& request, std::int32_t player, ChartKind kind,
                               bool bowling)
{
    std::string name = ws.read<PlayerRecord>(player).reportName.raw();
    std::replace(name.begin(), name.end(), '\0', ' ');
    name = rtrimBlanks(name);
    const std::vector<PlayerChartData> data = CollectChartData(ws, request, {player});
    return kind == ChartKind::Run ? RunChart(data.front(), request, name, bowling)
                                  : DismissalChart(data.front(), request, name, bowling);
}

} // namespace wickly::stats
