// The bowling reports: wicket takers, averages, economy and strike rates, ten-wicket matches and
// five-wicket innings ranked per player; best bowling and hat tricks ranked per innings; wickets
// per season.

#include "formats.h"
#include "report_columns.h"
#include "stats_engine.h"

#include <algorithm>

namespace wickly::stats {

namespace {

class PlayerBowlingReport : public ReportProducer
{
public:
    explicit PlayerBowlingReport(int kind) : m_kind(kind) {}

    bool readsFiguresOnly() const override { return true; }
    Accumulation accumulation() const override { return {false, false, true}; }
    bool usesHistory() const override { return true; }
    bool ranksPlayers() const override { return true; }
    bool ascending() const override
    {
        return m_kind == TopBowlingAverages || m_kind == TopEconomyRates || m_kind == TopBowlingStrikeRates;
    }

    void rankPlayer(ReportPass& pass, std::int32_t p, const PlayerRecord& player, const PlayerRow& row) override
    {
        const StatsRequest& r = pass.request();
        // Built only for an entry the list would keep.
        auto front = [&] { return pass.clubColumn(player) + ReportPass::matchesColumn(row[Matches]); };
        const std::int64_t average = bowlingAverage(row);
        switch (m_kind) {
        case TopWicketTakers:
            if ((row[Wickets] > 0 || !row.overs.isZero()) && pass.wouldKeep(static_cast<double>(row[Wickets]))) {
                const std::string best = NumText(row[BestWickets]) + "-" + std::to_string(row[BestRuns]);
                const std::string econ = averageText(economy(row, pass.ballsPerOver()));
                pass.offer(static_cast<double>(row[Wickets]), p,
                           front() + col(row.overs.overs, 5) + col(row[RunsConceded], 6) +
                               col(row[FiveWicketInnings], 3) + col(row[TenWicketMatches], 4) + " " + FitText(best, 6) +
                               " " + econ.substr(econ.size() > 5 ? econ.size() - 5 : 0) +
                               FitText(averageText(average), 7),
                           NumText(row[Wickets]));
            }
            break;
        case TopBowlingAverages:
        case TopEconomyRates:
        case TopBowlingStrikeRates: {
            // Overs sum at least the minimum: whole overs, since the balls never make an over.
            if (row.overs.overs < r.bowlingMinOvers || row[Wickets] < r.bowlingMinWickets) {
                break;
            }
            std::int64_t key = 0;
            if (m_kind == TopEconomyRates) {
                if (row.overs.isZero()) {
                    break; // no overs, no economy rate
                }
                key = economy(row, pass.ballsPerOver());
            } else {
                if (row[Wickets] < 1) {
                    break;
                }
                key = m_kind == TopBowlingAverages
                          ? average
                          : CutHundredths(std::max<std::int64_t>(row[BallsBowled], 0), row[Wickets]);
            }
            if (!pass.wouldKeep(static_cast<double>(key) / 100.0)) {
                break;
            }
            pass.offer(static_cast<double>(key) / 100.0, p,
                       front() + col(row.overs.overs, 6) + col(row[Maidens], 6) + col(row[RunsConceded], 6) +
                           col(row[Wickets], 6),
                       averageText(key));
            break;
        }
        case Most10WicketMatches:
        case Most5WicketInnings: {
            const std::int64_t count = m_kind == Most10WicketMatches ? row[TenWicketMatches] : row[FiveWicketInnings];
            if (count > 0 && pass.wouldKeep(static_cast<double>(count))) {
                pass.offer(static_cast<double>(count), p,
                           front() + pad(row.overs.overs, 6) + FitText(averageText(average), 7), NumText(count));
            }
            break;
        }
        default: break;
        }
    }

private:
    int m_kind;
};

// "Best Bowling in an Innings": one entry per spell with a wicket; more wickets first, then
// fewer runs.
class BestBowlingReport : public ReportProducer
{
public:
    bool readsFiguresOnly() const override { return true; }

    void inningsRead(ReportPass& pass, const InningsView& v) override
    {
        if (!v.fieldingCounts) {
            return;
        }
        for (int line = 1; line <= pass.bowlersPerTeam(); ++line) {
            const BowlingLine& b = v.innings.bowling[static_cast<std::size_t>(line)];
            if (!pass.validPlayer(b.bowler) || b.wickets <= 0) {
                continue;
            }
            const int runs = std::clamp<int>(b.runsConceded, 0, 99999);
            const double key = static_cast<double>(b.wickets) * 100000.0 + (99999 - runs);
            if (pass.wouldKeep(key)) {
                pass.offer(key, b.bowler, pass.inningsColumns(v.match->match, !v.battedByTeam1()),
                           " " + NumText(b.wickets) + "-" + std::to_string(b.runsConceded));
            }
        }
    }
};

// "Hat Tricks": one entry per recorded hat trick, in the order found.
class HatTrickReport : public ReportProducer
{
public:
    bool readsSpecialEvents() const override { return true; }
    bool readsFiguresOnly() const override { return true; }

    void specialEvent(ReportPass& pass, const InningsView& v, std::int32_t player, std::string_view event) override
    {
        if (event.substr(0, 3) == "Hat") {
            pass.offer(1, player, pass.inningsColumns(v.match->match, !v.battedByTeam1()), NumText(1));
        }
    }
};

} // namespace

std::unique_ptr<ReportProducer> makeBowlingReport(int kind)
{
    switch (kind) {
    case TopWicketTakers:
    case TopBowlingAverages:
    case TopEconomyRates:
    case TopBowlingStrikeRates:
    case Most10WicketMatches:
    case Most5WicketInnings: return std::make_unique<PlayerBowlingReport>(kind);
    case BestBowlingInInnings: return std::make_unique<BestBowlingReport>();
    case MostWicketsInSeason: return std::make_unique<SeasonTotalsReport>(Wickets, Accumulation{false, false, true});
    case HatTricks: return std::make_unique<HatTrickReport>();
    default: return nullptr;
    }
}

} // namespace wickly::stats
