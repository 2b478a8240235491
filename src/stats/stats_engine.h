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
#include <map>
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

// Economy rate in hundredths, cut: runs conceded per over of `overs`, whose whole overs count as
// overs whatever their matches' balls per over and whose part-over balls count at `ballsPerOver`
// (the database's); 0 when the overs are none.
std::int64_t EconomyHundredths(std::int64_t runsConceded, const OversSum& overs, int ballsPerOver);

// A player's totals as a report reads them, every counter widened to 64 bits (see PlayerTotals).
struct PlayerRow
{
    std::array<std::int64_t, kCounterCount> c{};
    OversSum overs;

    std::int64_t& operator[](Counter n) { return c[static_cast<std::size_t>(n)]; }
    std::int64_t operator[](Counter n) const { return c[static_cast<std::size_t>(n)]; }
    bool flag(TotalsFlag f) const { return (c[Flags] & f) != 0; }
    std::int64_t innings() const { return c[Dismissals] + c[NotOuts]; }
};

// The totals of a pass, one row per player record number 1..count (row 0 is unused).
//
// A pass adds some 1.4 million lines into rows picked by player number, all over the table, so
// the rows are kept small: 32-bit counters in 128 bytes, aligned so that the counters a batting
// or fielding line changes (and the match count every line changes) share one 64-byte cache
// line and the bowling counters the other. No total may wrap, whatever the records hold: an add
// that would take a counter past the 32-bit range moves the counter's value into a 64-bit
// counter kept aside for that player (made on first need, which no real club's figures reach),
// and reads add the two.
class PlayerTotals
{
public:
    void reset(std::int32_t players);
    std::int32_t count() const { return m_count; }

    // Adds v to counter n of player p (a valid number).
    void add(std::int32_t p, Counter n, std::int64_t v) { addSlot(p, slotOf(n), v); }
    // Sets counter n of player p to v.
    void set(std::int32_t p, Counter n, std::int64_t v);
    // The value of counter n of player p.
    std::int64_t get(std::int32_t p, Counter n) const { return getSlot(p, slotOf(n)); }
    bool flag(std::int32_t p, TotalsFlag f) const { return (row(p).s[slotOf(Flags)] & f) != 0; }
    void setFlag(std::int32_t p, TotalsFlag f, bool on)
    {
        std::int32_t& flags = row(p).s[slotOf(Flags)];
        flags = on ? (flags | f) : (flags & ~static_cast<std::int32_t>(f));
    }
    // Adds overs `o` bowled at `ballsPerOver` to the player's overs, as OversSum::add does.
    void addOvers(std::int32_t p, float o, int ballsPerOver);

    // Counts match `match` (a record number above 0) as played by p, once however many of its
    // lines name him. Marks the row as changed.
    void countMatch(std::int32_t p, std::int32_t match)
    {
        Row& r = row(p);
        m_changed[static_cast<std::size_t>(p) / 64] |= std::uint64_t{1} << (static_cast<unsigned>(p) % 64);
        if (r.s[kMatchStamp] != match) {
            r.s[kMatchStamp] = match;
            addSlot(p, slotOf(Matches), 1);
        }
    }
    // Starts the wickets of match `match` for p (MatchWickets to 0) unless they were started for
    // it already; true when they were started now.
    bool startMatchWickets(std::int32_t p, std::int32_t match)
    {
        Row& r = row(p);
        if (r.s[kWicketStamp] == match) {
            return false;
        }
        r.s[kWicketStamp] = match;
        set(p, MatchWickets, 0);
        return true;
    }

    // The totals of p widened to 64 bits.
    PlayerRow wide(std::int32_t p) const;

    // Brings the row of p towards the cache ahead of the adds of a line: its batting, fielding
    // and match counters, and with `bowling` its bowling counters.
    void prefetch(std::int32_t p, bool bowling) const
    {
        const Row* r = &row(p);
        __builtin_prefetch(r->s.data());
        if (bowling) {
            __builtin_prefetch(r->s.data() + kHalf);
        }
    }

    // Calls f(p) for every player counted in a match (countMatch) since the last clearChanged()
    // or reset(), in number order. The lines of a pass change a row only along with counting
    // the player's match; the history and the producers' own counters (not used by the
    // seasonal reports, which clear rows this way) are the exceptions.
    template <class F> void forEachChanged(F f) const
    {
        for (std::size_t w = 0; w < m_changed.size(); ++w) {
            for (std::uint64_t bits = m_changed[w]; bits != 0; bits &= bits - 1) {
                f(static_cast<std::int32_t>(w * 64 + static_cast<std::size_t>(__builtin_ctzll(bits))));
            }
        }
    }
    // Empties the rows forEachChanged names, as reset() leaves them.
    void clearChanged();

private:
    static constexpr int kSlots = 32;
    static constexpr int kHalf = 16;
    // Slots besides the counters.
    static constexpr int kMatchStamp = 0;   // the match last counted as played
    static constexpr int kWidened = 13;     // 1 when the player has 64-bit counters aside
    static constexpr int kWicketStamp = 23; // the match MatchWickets belongs to
    static constexpr int kOversWhole = 24;
    static constexpr int kOversBalls = 25;

    // Where each counter lives: the match count and the batting and fielding counters in the
    // first half, the bowling counters in the second.
    static constexpr int slotOf(Counter n)
    {
        constexpr std::array<std::int8_t, kCounterCount> kSlotOf{
            1,  // Matches
            2,  // Dismissals
            3,  // NotOuts
            4,  // Runs
            5,  // Catches
            6,  // Stumpings
            7,  // RunOuts
            8,  // Fifties
            9,  // Hundreds
            10, // HighScore
            11, // Flags
            16, // Wickets
            17, // RunsConceded
            18, // BallsBowled
            19, // BestWickets
            20, // BestRuns
            21, // FiveWicketInnings
            12, // TenWicketMatches (also balls faced)
            22, // MatchWickets
        };
        return kSlotOf[static_cast<std::size_t>(n)];
    }

    struct alignas(64) Row
    {
        std::array<std::int32_t, kSlots> s{};
    };
    static_assert(sizeof(Row) == 128);
    struct FreeRows
    {
        void operator()(Row* rows) const noexcept;
    };

    Row& row(std::int32_t p) { return m_rows[static_cast<std::size_t>(p)]; }
    const Row& row(std::int32_t p) const { return m_rows[static_cast<std::size_t>(p)]; }

    [[gnu::always_inline]] void addSlot(std::int32_t p, int slot, std::int64_t v)
    {
        std::int32_t& c = row(p).s[static_cast<std::size_t>(slot)];
        std::int32_t sum = 0;
        if (__builtin_add_overflow(c, v, &sum)) {
            carry(p, slot, v);
        } else {
            c = sum;
        }
    }
    std::int64_t getSlot(std::int32_t p, int slot) const
    {
        const Row& r = row(p);
        const std::int64_t narrow = r.s[static_cast<std::size_t>(slot)];
        return r.s[kWidened] == 0 ? narrow : narrow + wideSlot(p, slot);
    }
    // The add that passes the 32-bit range: the counter and v move into the 64-bit counter.
    void carry(std::int32_t p, int slot, std::int64_t v);
    std::int64_t wideSlot(std::int32_t p, int slot) const;
    std::array<std::int64_t, kSlots>& wideRow(std::int32_t p);

    std::unique_ptr<Row[], FreeRows> m_rows;
    std::int32_t m_count = 0;
    std::vector<std::uint64_t> m_changed; // one bit per player
    std::map<std::int32_t, std::array<std::int64_t, kSlots>> m_wide;
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
    // The batting and bowling lines only count the matches their players played; the report
    // reads none of their figures (the fielding reports, "Most Matches Played" and the like).
    bool linesCountMatchesOnly = false;
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
    // inningsRead and specialEvent read no field of an innings but its status and its lines'
    // figures (decodeFigures in records.h), so the pass decodes those alone.
    virtual bool readsFiguresOnly() const { return false; }
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
    void countLinesPlayed(const InningsView& v);
    void markPlayed(std::int32_t player, std::int32_t match);
    // Asks for the rows the lines of innings record `in` add into.
    void prefetchRows(const InningsRecord& in) const;
    // Decodes innings n as the pass needs it.
    void decodeInnings(std::int32_t n, InningsRecord& in);
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
    // Two innings buffers (an innings record is large): the one being read and the next
    // innings record, decoded ahead while its rows are on their way to the cache.
    std::array<InningsView, 2> m_views;
    // The buffer of the innings being read, and the innings decoded ahead into the other (0 for none).
    int m_current = 0;
    std::int32_t m_aheadNumber = 0;
    std::vector<std::int32_t> m_matchWicketPlayers; // players with wickets in the current match
    Accumulation m_acc;
    ReportProducer* m_producer = nullptr;
    std::vector<PlayerInfo> m_players; // loaded on first use
    std::int64_t m_matchYear = 0;      // "Longest Serving": the year of the match being read
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
