#pragma once
// The column texts and derived figures of the ranked player reports.

#include "stats_engine.h"

#include <cstdint>
#include <string>

namespace wickly::stats {

// n(w): the number's decimal text with its leading blank, fitted to w characters (0 shows "-").
std::string col(std::int64_t n, int w);
// pad(n, w): the decimal text with its leading blank, then blanks up to w characters.
std::string pad(std::int64_t n, int w);
// `text` followed by blanks up to w characters (never cut).
std::string padText(std::string text, int w);

// Batting average in hundredths: runs / dismissals (at least 1), cut.
std::int64_t battingAverage(const PlayerRow& row);
// Bowling average in hundredths: runs conceded / wickets (at least 1), cut.
std::int64_t bowlingAverage(const PlayerRow& row);
// Economy in hundredths of the row's runs conceded and overs (EconomyHundredths).
std::int64_t economy(const PlayerRow& row, int ballsPerOver);
// A figure in hundredths as FormatAverage prints it.
std::string averageText(std::int64_t hundredths);

// "Most Runs in a Season", "Most Wickets in a Season" and the like: one figure summed per
// season (matches in date order), one entry per player and season with the season and the
// season's matches.
class SeasonTotalsReport : public ReportProducer
{
public:
    SeasonTotalsReport(Counter key, Accumulation accumulation) : m_key(key), m_accumulation(accumulation) {}

    Accumulation accumulation() const override { return m_accumulation; }
    bool seasonal() const override { return true; }
    bool readsFiguresOnly() const override { return true; }
    void seasonDone(ReportPass& pass, const std::string& season) override;

private:
    Counter m_key;
    Accumulation m_accumulation;
};

} // namespace wickly::stats
