#include "report_columns.h"

#include "formats.h"

#include <algorithm>

namespace wickly::stats {

std::string col(std::int64_t n, int w)
{
    return FitText(NumText(n), w);
}

std::string pad(std::int64_t n, int w)
{
    return padText(NumText(n), w);
}

std::string padText(std::string text, int w)
{
    if (static_cast<int>(text.size()) < w) {
        text.append(static_cast<std::size_t>(w) - text.size(), ' ');
    }
    return text;
}

std::int64_t battingAverage(const PlayerRow& row)
{
    return CutHundredths(std::max<std::int64_t>(row[Runs], 0), std::max<std::int64_t>(row[Dismissals], 1));
}

std::int64_t bowlingAverage(const PlayerRow& row)
{
    return CutHundredths(std::max<std::int64_t>(row[RunsConceded], 0), std::max<std::int64_t>(row[Wickets], 1));
}

std::int64_t economy(const PlayerRow& row, int ballsPerOver)
{
    return EconomyHundredths(row[RunsConceded], row.overs, ballsPerOver);
}

std::string averageText(std::int64_t hundredths)
{
    return FormatAverage(HundredthsValue(hundredths));
}

void SeasonTotalsReport::seasonDone(ReportPass& pass, const std::string& season)
{
    // Rows the season left unchanged hold no figure: only the changed ones are offered, in
    // player order as before.
    const PlayerTotals& totals = pass.totals();
    totals.forEachChanged([&](std::int32_t p) {
        const std::int64_t key = totals.get(p, m_key);
        if (key > 0 && pass.wouldKeep(static_cast<double>(key))) {
            pass.offer(static_cast<double>(key), p, pass.clubColumn(p) + season + " " + col(totals.get(p, Matches), 4),
                       NumText(key));
        }
    });
}

} // namespace wickly::stats
