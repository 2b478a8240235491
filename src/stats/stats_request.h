#pragma once
// The report catalogue of the statistics window, the request "Generate!" hands to the
// statistics engine, and the per-match half of the match selection.

#include <cstdint>
#include <string>
#include <string_view>

namespace wickly {
struct MatchRecord;
}

namespace wickly::stats {

// The catalogue row of a report: its position in the statistics window's report list.
enum ReportKind : int
{
    CompleteStats = 0,
    PointsScores = 1,
    LongestServing = 2,
    MostMatches = 3,
    YoungestPlayers = 4,
    CompleteSummary = 5,
    TopRunAggregates = 6,
    TopRunScores = 7,
    MostRunsInSeason = 8,
    TopBattingAverages = 9,
    TopBattingStrikeRates = 10,
    PartnershipsByWicket = 11,
    TopPartnerships = 12,
    Most100s = 13,
    Most50s = 14,
    HundredOnDebut = 15,
    HundredInBothInnings = 16,
    CarryingTheBat = 17,
    MostDucks = 18,
    TopWicketTakers = 19,
    BestBowlingInInnings = 20,
    TopBowlingAverages = 21,
    MostWicketsInSeason = 22,
    TopEconomyRates = 23,
    TopBowlingStrikeRates = 24,
    HatTricks = 25,
    Most10WicketMatches = 26,
    Most5WicketInnings = 27,
    AllRounders = 28,
    TopCatches = 29,
    TopCatchesByFieldsmen = 30,
    MostCatchesInMatch = 31,
    MostCatchesInSeason = 32,
    DroppedCatches = 33,
    TopRunouts = 34,
    TopWicketKeeping = 35,
    CaptainsMostWins = 36,
    TopInningsScores = 37,
    LowestInningsScores = 38,
    MatchResults = 39,
    HonoursSummary = 40,
    CompetitionPoints = 41,
    GenerateWebPages = 42,
};
inline constexpr int kReportKindCount = 43;

struct CatalogueEntry
{
    const char* caption; // the report list's text
    const char* title;   // empty where the title is built from the minimums or by the producer
    const char* heading; // the report's own column titles; empty where the producer sets them
};
// The catalogue row of `kind` (0..42).
const CatalogueEntry& catalogueEntry(int kind);

// The texts of the "Match Type" list; index 0 is "All Matches", index k the match type code k.
inline constexpr const char* kMatchTypeTexts[5] = {"All Matches", "1-day Matches", "2-day Matches", "4-day Matches",
                                                   "5-day Matches"};

// What "Generate!" asks for: read from the statistics window each time, kept nowhere.
struct StatsRequest
{
    int reportKind = TopRunAggregates;
    int reportLength = 20;
    int matchType = 0; // 0 all, else the match's type code 1..4
    std::int32_t vsClub = 0;
    std::int32_t ground = 0;
    std::int32_t grade = 0;
    std::int32_t subjectClub = 0;
    std::int32_t subject = 0; // a team record number (0: all teams)
    std::int32_t player = 0;  // the chosen player of the complete statistics (0: none)
    std::string today;        // "dd/mm/yyyy" for ages; empty: the system's date
    int rating = 0;           // 0 all players, else only players of this rating
    bool listActive = true;
    bool firstInningsOnly = false;
    bool includeHistory = false; // already false where the box is hidden
    std::string dateFrom;        // eight-digit year-month-day text
    std::string dateTo;
    int battingMinInnings = 10;
    int battingMinRuns = 200;
    bool battingByInnings = false; // "Innings", else "Dismissals"
    int bowlingMinWickets = 10;
    int bowlingMinOvers = 20;
    int allRoundMinRuns = 200;
    int allRoundMinWickets = 10;
    int chartLength = 50;
    bool showStrikeRates = true;
    bool showDucks = true;
    // Names shown in the subtitle (the chosen list entries); empty when nothing is chosen.
    std::string gradeName;
    std::string teamName;
    std::string subjectClubName;
    std::string vsClubName;
    std::string groundName;
};

// A "dd/mm/yyyy" date as the eight-digit year-month-day text filters and sorting compare
// (characters 7-10, 4-5, 1-2). Shorter texts give what their characters give.
std::string DateKey(std::string_view date);

// True when `kind`'s producer is built in this version (its "Generate!" gives a report).
bool reportAvailable(int kind);

// The per-match half of the match selection, with the dates of the earliest and latest match
// that passed the date test (shown in the subtitle).
class MatchFilter
{
public:
    explicit MatchFilter(const StatsRequest& request) : m_request(request) {}

    // Live, and its date is within dateFrom..dateTo. Passing matches widen the subtitle's dates.
    bool passesDate(const MatchRecord& match);
    // The remaining tests: match type, subject team, opposition club, ground, grade, subject club.
    bool passesRest(const MatchRecord& match, std::int32_t club1, std::int32_t club2) const;

    // "dd/mm/yyyy" of the earliest and latest match that passed the date test; empty when none.
    const std::string& earliest() const { return m_earliest; }
    const std::string& latest() const { return m_latest; }

private:
    const StatsRequest& m_request;
    std::string m_earliest, m_earliestKey;
    std::string m_latest, m_latestKey;
};

// The subtitle of a ranked report: the filters in words, CR LF, the dates covered.
std::string ReportSubtitle(const StatsRequest& request, const MatchFilter& filter);
// The title: the catalogue's, or built from the qualification minimums.
std::string ReportTitle(const StatsRequest& request);
// The report window's heading line.
std::string ReportHeading(int kind);

} // namespace wickly::stats
