// The batting reports: run aggregates, averages, strike rates, hundreds, fifties and ducks
// ranked per player; top scores, carrying the bat, hundreds on debut and in both innings ranked
// per innings; runs per season.

#include "database_header.h"
#include "formats.h"
#include "report_columns.h"
#include "stats_engine.h"

#include <map>

namespace wickly::stats {

namespace {

bool isNotOut(int howOut)
{
    return howOut == NotOut || howOut == RetiredHurt || howOut == RetiredNotOut;
}

// Reports that rank players by their totals over the selection.
class PlayerBattingReport : public ReportProducer
{
public:
    explicit PlayerBattingReport(int kind) : m_kind(kind) {}

    bool readsFiguresOnly() const override { return true; }
    Accumulation accumulation() const override { return {true, m_kind == TopRunAggregates, false}; }
    bool usesHistory() const override { return m_kind != MostDucks; }
    bool ranksPlayers() const override { return true; }

    void rankPlayer(ReportPass& pass, std::int32_t p, const PlayerRecord& player, const PlayerRow& row) override
    {
        const StatsRequest& r = pass.request();
        // Built only for an entry the list would keep.
        auto front = [&] { return pass.clubColumn(player) + ReportPass::matchesColumn(row[Matches]); };
        const std::int64_t innings = row.innings();
        const std::int64_t average = battingAverage(row);
        switch (m_kind) {
        case TopRunAggregates:
            if (row[Runs] > 0 && pass.wouldKeep(static_cast<double>(row[Runs]))) {
                const std::string high = NumText(row[HighScore]) + (row.flag(HighScoreNotOut) ? "*" : " ");
                pass.offer(static_cast<double>(row[Runs]), p,
                           front() + col(innings, 4) + col(row[NotOuts], 3) + col(row[Catches], 4) +
                               col(row[Fifties], 4) + col(row[Hundreds], 5) + FitText(high, 5) +
                               FitText(averageText(average), 7),
                           NumText(row[Runs]));
            }
            break;
        case TopBattingAverages:
        case TopBattingStrikeRates: {
            const std::int64_t qualifier = r.battingByInnings ? innings : row[Dismissals];
            if (row[Runs] < 1 || row[Runs] < r.battingMinRuns || qualifier < r.battingMinInnings) {
                break;
            }
            if (m_kind == TopBattingAverages) {
                if (average > 0 && pass.wouldKeep(static_cast<double>(average) / 100.0)) {
                    pass.offer(static_cast<double>(average) / 100.0, p,
                               front() + pad(innings, 4) + col(row[NotOuts], 4) + col(row[Runs], 6),
                               averageText(average));
                }
            } else if (row[BallsFaced] >= 1) {
                const std::int64_t rate = CutHundredths(row[Runs] * 100, row[BallsFaced]);
                if (rate > 0 && pass.wouldKeep(static_cast<double>(rate) / 100.0)) {
                    pass.offer(static_cast<double>(rate) / 100.0, p,
                               front() + col(innings, 4) + col(row[NotOuts], 4) + col(row[Runs], 6) +
                                   col(row[BallsFaced], 6),
                               averageText(rate));
                }
            }
            break;
        }
        case Most100s:
        case Most50s: {
            const std::int64_t count = m_kind == Most100s ? row[Hundreds] : row[Fifties];
            if (count > 0 && pass.wouldKeep(static_cast<double>(count))) {
                pass.offer(static_cast<double>(count), p, front() + padText(pad(innings, 4) + averageText(average), 11),
                           NumText(count));
            }
            break;
        }
        case MostDucks:
            if (row[Ducks] > 0 && innings >= 1 && pass.wouldKeep(static_cast<double>(row[Ducks]))) {
                pass.offer(static_cast<double>(row[Ducks]), p,
                           front() + col(innings, 4) + col(row[Ducks] * 100 / innings, 4), NumText(row[Ducks]));
            }
            break;
        default: break;
        }
    }

private:
    int m_kind;
};

// "Top Run Scores" and "Carrying the Bat": one entry per qualifying batting line.
class InningsScoresReport : public ReportProducer
{
public:
    explicit InningsScoresReport(int kind) : m_kind(kind) {}

    bool readsFiguresOnly() const override { return true; }
    void inningsRead(ReportPass& pass, const InningsView& v) override
    {
        if (!v.battingCounts) {
            return;
        }
        if (m_kind == CarryingTheBat && v.innings.status != AllOut) {
            return;
        }
        const int lines = m_kind == CarryingTheBat ? std::min(2, pass.batsmenPerTeam()) : pass.batsmenPerTeam();
        for (int line = 1; line <= lines; ++line) {
            const BattingLine& b = v.innings.batting[static_cast<std::size_t>(line)];
            if (!pass.validPlayer(b.batsman) || b.howOut <= 0) {
                continue;
            }
            if (m_kind == CarryingTheBat && b.howOut != NotOut) {
                continue;
            }
            const bool notOut = isNotOut(b.howOut);
            const double key = b.runs + (notOut ? 0.1 : 0.0);
            if (pass.wouldKeep(key)) {
                pass.offer(key, b.batsman, pass.inningsColumns(v.match->match, v.battedByTeam1()),
                           NumText(b.runs) + (notOut ? "*" : ""));
            }
        }
    }

private:
    int m_kind;
};

// "100 on Debut": each player's earliest included match in which he batted, and its scores.
class DebutReport : public ReportProducer
{
public:
    bool readsFiguresOnly() const override { return true; }

    void inningsRead(ReportPass& pass, const InningsView& v) override
    {
        if (!v.battingCounts) {
            return;
        }
        if (m_debuts.empty()) {
            m_debuts.resize(static_cast<std::size_t>(pass.totals().count()) + 1);
        }
        // Dates compare as year-month-day text, which orders every pair of days.
        const std::string day = DateKey(v.match->match.datePlayed.str());
        for (int line = 1; line <= pass.batsmenPerTeam(); ++line) {
            const BattingLine& b = v.innings.batting[static_cast<std::size_t>(line)];
            if (!pass.validPlayer(b.batsman) || b.howOut <= 0) {
                continue;
            }
            Debut& d = m_debuts[static_cast<std::size_t>(b.batsman)];
            if (d.match != v.match->number) {
                // A later-read match on or before the stored debut date takes its place.
                if (d.match != 0 && day > d.day) {
                    continue;
                }
                d = Debut{v.match->number, day, -1, -1, pass.inningsColumns(v.match->match, v.battedByTeam1())};
            }
            (v.firstInnings() ? d.first : d.second) = b.runs;
        }
    }

    void passDone(ReportPass& pass) override
    {
        for (std::size_t p = 1; p < m_debuts.size(); ++p) {
            const Debut& d = m_debuts[p];
            for (const int score : {d.first, d.second}) {
                if (d.match != 0 && score > 99) {
                    pass.offer(score, static_cast<std::int32_t>(p), d.columns, NumText(score));
                }
            }
        }
    }

private:
    struct Debut
    {
        std::int32_t match = 0;
        std::string day;
        int first = -1;
        int second = -1;
        std::string columns;
    };
    std::vector<Debut> m_debuts;
};

// "Two Centuries in a Match": a hundred in each of a side's two innings.
class BothInningsReport : public ReportProducer
{
public:
    bool readsFiguresOnly() const override { return true; }

    void inningsRead(ReportPass& pass, const InningsView& v) override
    {
        if (!v.battingCounts) {
            return;
        }
        for (int line = 1; line <= pass.batsmenPerTeam(); ++line) {
            const BattingLine& b = v.innings.batting[static_cast<std::size_t>(line)];
            if (!pass.validPlayer(b.batsman) || b.howOut <= 0) {
                continue;
            }
            const bool notOut = isNotOut(b.howOut);
            if (v.firstInnings()) {
                m_first[b.batsman] = {b.runs, notOut};
                continue;
            }
            const auto it = m_first.find(b.batsman);
            if (it == m_first.end() || it->second.runs < 100 || b.runs <= 99) {
                continue;
            }
            const Score first = it->second;
            const double key = first.runs + (first.notOut ? 0.1 : 0.0) + b.runs;
            pass.offer(key, b.batsman,
                       pass.inningsColumns(v.match->match, v.battedByTeam1()) +
                           FitText(NumText(first.runs) + (first.notOut ? "*" : ""), 5) + NumText(b.runs) +
                           (notOut ? "*" : ""),
                       "");
        }
    }

    void matchDone(ReportPass&, const MatchView&) override { m_first.clear(); }

private:
    struct Score
    {
        int runs = 0;
        bool notOut = false;
    };
    std::map<std::int32_t, Score> m_first; // first-innings scores of the current match
};

} // namespace

std::unique_ptr<ReportProducer> makeBattingReport(int kind)
{
    switch (kind) {
    case TopRunAggregates:
    case TopBattingAverages:
    case TopBattingStrikeRates:
    case Most100s:
    case Most50s:
    case MostDucks: return std::make_unique<PlayerBattingReport>(kind);
    case TopRunScores:
    case CarryingTheBat: return std::make_unique<InningsScoresReport>(kind);
    case MostRunsInSeason: return std::make_unique<SeasonTotalsReport>(Runs, Accumulation{true, false, false});
    case HundredOnDebut: return std::make_unique<DebutReport>();
    case HundredInBothInnings: return std::make_unique<BothInningsReport>();
    default: return nullptr;
    }
}

} // namespace wickly::stats
