#pragma once
// The accumulation engine behind every ranked report: one pass over the matches that pass the
// match selection, each included innings read once and its batting, fielding and bowling lines
// added into per-player totals, then one ranking pass over the players. A report family is a
// ReportProducer: it says what the pass adds up and turns totals, innings or seasons into
// entries of the ranked list; the engine writes the rows of the report window.

#include "records.h"
#include "report_text.h"
#include "stats_request.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wickly {
class WorkingSet;
class RecordReader;
struct DatabaseOptions;
} // namespace wickly

namespace wickly::stats {

// ---- Date and number helpers -------------------------------------------------------------------

// A day count of an eight-character year-month-day text that keeps the order of the dates:
// (year - 1950) x 365 + (month - 1) x 30 + day; 0 when the text is not 8 characters long. Wide
// enough for any four-digit year.
std::int32_t DayNumber(std::string_view yyyymmdd);

// The season of a "dd/mm/yyyy" date: "   yyyy", or with two-year seasons "yyyy/yy" (July to
// December start a season, January to June end one); 7 blanks for a text that is no date.
std::string SeasonOf(std::string_view date, bool twoYearSeasons);

// A person's age on `today` as years "y", months "m" ("24y 7m"); "####" for a missing date.
std::string AgeText(std::string_view birthDate, std::string_view today);

// num / den cut (never rounded) to hundredths, from the whole numbers themselves: the result is
// floor(100 x num / den) hundredths. den must be above 0 and num 0 or above.
std::int64_t CutHundredths(std::int64_t num, std::int64_t den);
// Hundredths as the value FormatAverage prints with exactly those two decimals.
float HundredthsValue(std::int64_t hundredths);

// ---- Player totals -----------------------------------------------------------------------------

// The counters of a player's totals. Some carry another figure in some reports (noted).
enum Counter : int
{
    Matches = 0,
    Dismissals = 1,
    NotOuts = 2,
    Runs = 3,
    Catches = 4,
    Stumpings = 5, // ducks in "Most Ducks", dropped catches in "Dropped Catches"
    RunOuts = 6,
    Fifties = 7, // maidens in the bowling reports
    Hundreds = 8,
    HighScore = 9,
    Flags = 10, // TotalsFlag bits
    Wickets = 11,
    RunsConceded = 12,
    BallsBowled = 13,
    BestWickets = 14,
    BestRuns = 15,
    FiveWicketInnings = 16,
    TenWicketMatches = 17, // balls faced in "Top Strike Rates" (batting)
    MatchWickets = 18,     // wickets in the current match
};
inline constexpr int kCounterCount = 19;
inline constexpr Counter Ducks = Stumpings;
inline constexpr Counter Maidens = Fifties;
inline constexpr Counter BallsFaced = TenWicketMatches;
inline constexpr Counter Drops = Stumpings;            // "Most Dropped Catches"
inline constexpr Counter FirstYear = RunOuts;          // "Longest Serving Players"
inline constexpr Counter LastYear = Stumpings;         // "Longest Serving Players"
inline constexpr Counter ManOfMatchAwards = Hundreds;  // "Top Points Scorers"
inline constexpr Counter AssistedRunOuts = HighScore;  // "Top Points Scorers"
inline constexpr Counter KeeperMatches = MatchWickets; // "Top Wicket Keeping"

enum TotalsFlag : int
{
    HighScoreNotOut = 2,
    HasBestBowling = 4, // best bowling figures have been set
};

// Overs in overs.balls notation, kept as whole overs and balls so that sums are exact; the balls
// of an incomplete over carry into a whole over at the balls per over of the match they came from.
struct OversSum
{
    std::int64_t overs = 0;
    std::int64_t balls = 0;

    // Adds overs `o` (7.4 is seven overs and four balls) bowled at `ballsPerOver`.
    void add(float o, int ballsPerOver);
    bool isZero() const { return overs == 0 && balls == 0; }
    // "21.4", as the notation reads.
    std::string text() const;
};

// The balls of overs `o` in overs.balls notation at `ballsPerOver`: 10.5 at 6 is 65.
std::int64_t OversBalls(float o, int ballsPerOver);

struct PlayerRow
{
    std::array<std::int64_t, kCounterCount> c{};
    OversSum overs;
    // The match record last counted as played (the "counted in this match" flag) and the match
    // MatchWickets belongs to; stamps instead of flags cleared for every player at every match.
    std::int32_t matchStamp = 0;
    std::int32_t wicketStamp = 0;

    std::int64_t& operator[](Counter n) { return c[static_cast<std::size_t>(n)]; }
    std::int64_t operator[](Counter n) const { return c[static_cast<std::size_t>(n)]; }
    bool flag(TotalsFlag f) const { return (c[Flags] & f) != 0; }
    void setFlag(TotalsFlag f, bool on) { c[Flags] = on ? (c[Flags] | f) : (c[Flags] & ~static_cast<std::int64_t>(f)); }
    std::int64_t innings() const { return c[Dismissals] + c[NotOuts]; }
};

// One row per player record number 1..count (row 0 is unused).
class PlayerTotals
{
public:
    void reset(std::int32_t players) { m_rows.assign(static_cast<std::size_t>(players) + 1, PlayerRow{}); }
    void clear() { reset(count()); }
    std::int32_t count() const { return m_rows.empty() ? 0 : static_cast<std::int32_t>(m_rows.size() - 1); }
    PlayerRow& operator[](std::int32_t player) { return m_rows[static_cast<std::size_t>(player)]; }
    const PlayerRow& operator[](std::int32_t player) const { return m_rows[static_cast<std::size_t>(player)]; }

private:
    std::vector<PlayerRow> m_rows;
};

// ---- The ranked list ---------------------------------------------------------------------------

// The best N entries of a report. Descending lists rank higher keys first, ascending lists lower
// keys first; equal keys keep the order in which they were offered.
class TopList
{
public:
    struct Entry
    {
        double key = 0;
        std::int32_t entry = 0; // player (or team) record number; 0 for an empty position
        std::string text;       // the row after the name: club column and the report's columns
        std::string keyText;    // the key as the row ends with it
    };

    TopList(int capacity, bool ascending);

    // Places the entry after every kept entry that ranks before it or level with it; the last
    // entry falls off when the list is full. An entry that would come after the N-th is dropped.
    // In an ascending list a key of 999 or more is never kept.
    void InsertEntry(double key, std::int32_t entry, std::string text, std::string keyText);

    // True when an entry with this key would be kept now.
    bool wouldKeep(double key) const;

    // The kept entries, best first.
    std::vector<Entry> entries() const;
    int capacity() const { return m_capacity; }

private:
    std::size_t positionFor(double key) const;

    int m_capacity;
    bool m_ascending;
    std::vector<Entry> m_slots; // N + 1 positions, empty ones with the starting key
};

// ---- The pass ----------------------------------------------------------------------------------

struct MatchView
{
    std::int32_t number = 0;
    MatchRecord match;
    std::int32_t club1 = 0; // clubs of team1 and team2
    std::int32_t club2 = 0;
    int ballsPerOver = 6; // the match's own
};

// An included innings, with its sides and whether the side rules let its lines count.
struct InningsView
{
    const MatchView* match = nullptr;
    int slot = 0; // 1..4: slots 1 and 2 are batted by team1, 3 and 4 by team2
    std::int32_t number = 0;
    InningsRecord innings;
    std::int32_t battingTeam = 0, fieldingTeam = 0;
    std::int32_t battingClub = 0, fieldingClub = 0;
    bool battingCounts = false;  // side rules for the batting side's lines
    bool fieldingCounts = false; // side rules for fielding credits and bowling lines

    bool battedByTeam1() const { return slot <= 2; }
    bool firstInnings() const { return slot == 1 || slot == 3; }
};

// What the pass adds into PlayerTotals for a report.
struct Accumulation
{
    bool batting = false;
    bool fielding = false;
    bool bowling = false;
};

class ReportPass;

// One report of the catalogue. The engine calls the hooks in this order: inningsRead for each
// included innings (after adding its lines), matchDone after each included match, seasonDone
// when the season changes (date-ordered reports), rankPlayer for each player that passes the
// rating filter, passDone at the end.
class ReportProducer
{
public:
    virtual ~ReportProducer() = default;
    virtual Accumulation accumulation() const { return {}; }
    virtual bool ascending() const { return false; }
    // Matches are taken in date order and seasonDone is called at each change of season.
    virtual bool seasonal() const { return false; }
    // The players' historical figures are added when "Include History" is ticked.
    virtual bool usesHistory() const { return false; }
    // The special events of each included innings are read (hat tricks, dropped catches).
    virtual bool readsSpecialEvents() const { return false; }
    // The per-player ranking runs (ranked player reports).
    virtual bool ranksPlayers() const { return false; }
    // Entries are players (rows show the report name; the rating filter applies), else teams.
    virtual bool entriesArePlayers() const { return true; }

    // The innings of each included match are read (reports built from match records alone,
    // such as the captains' results and the results tables, say no).
    virtual bool readsInnings() const { return true; }
    // The match selection leaves out the subject team, the subject club and the "Vs" club: the
    // report chooses its teams itself (results tables) or applies them per line (a player's
    // complete statistics).
    virtual bool selectsSides() const { return false; }

    // An included match, before its innings are read.
    virtual void matchStarted(ReportPass&, const MatchView&) {}
    virtual void inningsRead(ReportPass&, const InningsView&) {}
    // A special event of an included innings; the engine has checked its player number.
    virtual void specialEvent(ReportPass&, const InningsView&, std::int32_t /*player*/, std::string_view /*event*/) {}
    virtual void matchDone(ReportPass&, const MatchView&) {}
    virtual void seasonDone(ReportPass&, const std::string& /*season*/) {}
    virtual void rankPlayer(ReportPass&, std::int32_t /*player*/, const PlayerRecord&, const PlayerRow&) {}
    virtual void passDone(ReportPass&) {}
    // Last: the report may set its own title, subtitle, heading or rows (tables without ranks).
    virtual void finishReport(ReportPass&, ReportText&) {}
};

// The producer of a ranked batting or bowling report; nullptr for other kinds.
std::unique_ptr<ReportProducer> makeBattingReport(int kind);
std::unique_ptr<ReportProducer> makeBowlingReport(int kind);
// Individual, all-rounder, fielding and captains' reports (1-5, 28-30, 33-36).
std::unique_ptr<ReportProducer> makeIndividualReport(int kind);
// Partnerships by wicket and top partnerships (11, 12).
std::unique_ptr<ReportProducer> makePartnershipReport(int kind);
// Team innings, match results, the honours summary and the points table (37-41).
std::unique_ptr<ReportProducer> makeTeamReport(int kind);
// The producer of any kind built in this version; nullptr when there is none.
std::unique_ptr<ReportProducer> makeReportProducer(int kind);

// Progress of a pass, 0 to 100 (0-50 over the matches, 50-100 over the players).
using ProgressFn = std::function<void(int percent)>;

class ReportPass
{
public:
    ReportPass(const WorkingSet& ws, const StatsRequest& request, ProgressFn progress = {});
    ~ReportPass();
    ReportPass(const ReportPass&) = delete;
    ReportPass& operator=(const ReportPass&) = delete;

    // Runs the whole pass for `producer` and returns the filled report: title, subtitle,
    // heading and rows. Throws StorageError when a working file cannot be read.
    ReportText run(ReportProducer& producer);

    // ---- For producers
    const StatsRequest& request() const { return m_request; }
    int kind() const { return m_request.reportKind; }
    const DatabaseOptions& options() const;
    PlayerTotals& totals() { return m_totals; }
    bool validPlayer(std::int32_t p) const { return p >= 1 && p <= m_totals.count(); }
    // The database's balls per over (rows and ratios); 6 when it is not set.
    int ballsPerOver() const;
    int batsmenPerTeam() const;
    int bowlersPerTeam() const;

    // Offers an entry to the ranked list. A player entry is dropped when a rating is chosen and
    // the player's differs, or when the player has been deleted.
    void offer(double key, std::int32_t entry, std::string text, std::string keyText);
    // True when an entry with this key would be kept (so that its text need not be built).
    bool wouldKeep(double key) const;
    // A live player who passes the rating filter.
    bool playerListed(std::int32_t player);
    // The club of player `player` (a valid number).
    std::int16_t playerClub(std::int32_t player);
    // RecordName of the working set, looked up once per run.
    const std::string& recordName(int kind, std::int32_t number) const;
    // The club of a team (0 for none), looked up once per run.
    std::int32_t teamClub(std::int32_t team) const;
    const WorkingSet& workingSet() const { return m_ws; }
    // The dates shown in the subtitle so far.
    const MatchFilter& filter() const { return *m_filter; }
    // The club column of a player entry for player record number `player`.
    std::string clubColumn(std::int32_t player);

    // The columns of an innings entry: the club of the player's side (8), the date, the
    // opposition team (12) and the ground (25), each followed by one blank.
    std::string inningsColumns(const MatchRecord& match, bool playerSideIsTeam1) const;
    // The club column of a player entry: the chosen subject club, else the player's club,
    // abbreviated, in 7 characters and a blank; 8 blanks when there is none.
    std::string clubColumn(const PlayerRecord& player) const;
    // The matches column of a player entry (3 characters).
    static std::string matchesColumn(std::int64_t matches);

private:
    struct Caches;
    void loadHistory();
    void walkMatches(ReportProducer& producer);
    void readMatch(ReportProducer& producer, MatchView& view);
    void addBatting(const InningsView& v);
    void addFielding(const InningsView& v);
    void addBowling(const InningsView& v);
    void markPlayed(std::int32_t player, std::int32_t match);
    void rankPlayers(ReportProducer& producer);
    void report(int percent);
    struct PlayerInfo
    {
        std::int16_t club = 0;
        std::int16_t rating = 0;
        bool deleted = false;
    };
    const PlayerInfo& playerInfo(std::int32_t player);

    const WorkingSet& m_ws;
    StatsRequest m_request;
    ProgressFn m_progress;
    int m_lastPercent = -1;
    PlayerTotals m_totals;
    std::unique_ptr<TopList> m_list;
    std::unique_ptr<Caches> m_caches;
    std::unique_ptr<MatchFilter> m_filter;
    StatsRequest m_filterRequest; // what the match selection tests
    std::unique_ptr<RecordReader> m_inningsReader;
    InningsView m_innings;                          // the innings being read
    std::vector<std::int32_t> m_matchWicketPlayers; // players with wickets in the current match
    std::vector<std::int32_t> m_touched;            // players whose rows changed since the last clear
    Accumulation m_acc;
    ReportProducer* m_producer = nullptr;
    std::vector<PlayerInfo> m_players; // loaded on first use
};

// The total of an innings: the runs of its batting lines with a batsman and a how-out code
// above 0, plus wides and no balls at the match's runs per wide and per no ball, byes and leg
// byes. `lines` is the batting lines counted (batsmen per team).
std::int64_t InningsTotal(const InningsRecord& innings, const MatchRecord& match, int lines);
// The wickets of an innings: its batting lines with a batsman whose how-out code is a wicket.
int InningsWickets(const InningsRecord& innings, int lines);

// The report of `request.reportKind` (a kind reportAvailable() accepts), filled into a
// ReportText as the report window shows it.
ReportText ProduceReport(const WorkingSet& ws, const StatsRequest& request, ProgressFn progress = {});

} // namespace wickly::stats
