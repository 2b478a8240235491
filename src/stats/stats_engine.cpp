#include "stats_engine.h"

#include "complete_statistics.h"

#include "database_header.h"
#include "fixed_text.h"
#include "formats.h"
#include "lookups.h"
#include "record_reader.h"
#include "working_set.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <new>
#include <optional>
#include <stdexcept>
#include <sys/mman.h>

namespace wickly::stats {

// ---- Date and number helpers -------------------------------------------------------------------

std::int32_t DayNumber(std::string_view t)
{
    if (t.size() != 8) {
        return 0;
    }
    const auto year = static_cast<std::int32_t>(RoundHalfEven(ValText(t.substr(0, 4))));
    const auto month = static_cast<std::int32_t>(RoundHalfEven(ValText(t.substr(4, 2))));
    const auto day = static_cast<std::int32_t>(RoundHalfEven(ValText(t.substr(6, 2))));
    return (year - 1950) * 365 + (month - 1) * 30 + day;
}

std::string SeasonOf(std::string_view dateText, bool twoYearSeasons)
{
    const std::string date = ltrimBlanks(rtrimBlanks(dateText));
    if (date.size() != 10) {
        return std::string(7, ' ');
    }
    const std::string year = date.substr(6, 4);
    if (!twoYearSeasons) {
        return "   " + year;
    }
    const int y = static_cast<int>(ValText(year));
    const int month = static_cast<int>(ValText(date.substr(3, 2)));
    auto twoDigits = [](int v) {
        v = ((v % 100) + 100) % 100;
        return std::string(1, static_cast<char>('0' + v / 10)) + static_cast<char>('0' + v % 10);
    };
    if (month >= 7) {
        return year + "/" + twoDigits(y + 1);
    }
    std::string previous = std::to_string(y - 1);
    if (previous.size() < 4) {
        previous.insert(0, 4 - previous.size(), '0');
    }
    return previous + "/" + year.substr(2, 2);
}

std::string AgeText(std::string_view birth, std::string_view today)
{
    if (birth.size() < 10 || today.size() < 10) {
        return "####";
    }
    auto value = [](std::string_view t, std::size_t from, std::size_t n) {
        return static_cast<int>(RoundHalfEven(ValText(t.substr(from, n))));
    };
    const int birthDay = value(birth, 0, 2), birthMonth = value(birth, 3, 2), birthYear = value(birth, 6, 4);
    const int day = value(today, 0, 2), month = value(today, 3, 2), year = value(today, 6, 4);
    int years = year - birthYear;
    int months = month - birthMonth;
    if (months == 0 && birthDay > day) {
        months = 11;
    }
    if (birthMonth > month || (birthMonth == month && birthDay > day)) {
        --years;
    }
    if (months < 0) {
        months += 12;
    } else if (months > 11) {
        months -= 12;
    }
    return std::to_string(years) + "y" + NumText(months) + "m";
}

std::int64_t CutHundredths(std::int64_t num, std::int64_t den)
{
    return (num * 100) / den;
}

float HundredthsValue(std::int64_t hundredths)
{
    return static_cast<float>(static_cast<double>(hundredths) / 100.0);
}

// ---- Overs -------------------------------------------------------------------------------------

namespace {

// The whole overs and the balls of an incomplete over of o (overs.balls notation), as
// floor(v) and RoundHalfEven(v x 10) - floor(v) x 10 of v = o read as 0..9999. This runs for
// every bowling line of a pass, so it keeps to arithmetic that is inlined: for v in 0..9999
// the conversion to an integer is the floor; v x 10 is exact (a float's 24 bits times the 4 of
// ten), and adding and taking away 2^52 rounds it to the nearest whole number, halves to
// even, as RoundHalfEven does (the program never changes the rounding mode).
std::pair<std::int64_t, std::int64_t> oversParts(float o)
{
    double v = static_cast<double>(o);
    if (!std::isfinite(v) || v < 0) {
        v = 0;
    }
    v = std::min(v, 9999.0); // overs above 9999 are read as 9999
    const auto whole = static_cast<std::int64_t>(v);
    constexpr double kTwo52 = 4503599627370496.0;
    const double tenths = ((v * 10.0 + kTwo52) - kTwo52) - static_cast<double>(whole) * 10.0;
    return {whole, static_cast<std::int64_t>(tenths)};
}

} // namespace

std::int64_t OversBalls(float o, int ballsPerOver)
{
    const auto [whole, balls] = oversParts(o);
    return whole * ballsPerOver + balls;
}

std::int64_t EconomyHundredths(std::int64_t runsConceded, const OversSum& overs, int ballsPerOver)
{
    // Runs / (overs + balls / ballsPerOver), kept in whole numbers so that the cut is exact.
    const std::int64_t perOver = std::max(ballsPerOver, 1);
    const std::int64_t balls = overs.overs * perOver + overs.balls;
    if (overs.isZero() || balls <= 0) {
        return 0;
    }
    return CutHundredths(std::max<std::int64_t>(runsConceded, 0) * perOver, balls);
}

void OversSum::add(float o, int ballsPerOver)
{
    const auto [whole, b] = oversParts(o);
    overs += whole;
    balls += b;
    while (ballsPerOver > 0 && balls >= ballsPerOver) {
        balls -= ballsPerOver;
        ++overs;
    }
}

std::string OversSum::text() const
{
    return std::to_string(overs) + "." + std::to_string(balls);
}

namespace {

// The stored bytes of a text field, without copying them.
template <std::size_t N> std::string_view storedText(const FixedText<N>& t)
{
    return {reinterpret_cast<const char*>(t.bytes().data()), N};
}

} // namespace

// ---- PlayerTotals ------------------------------------------------------------------------------

void PlayerTotals::FreeRows::operator()(Row* rows) const noexcept
{
    std::free(rows);
}

void PlayerTotals::reset(std::int32_t players)
{
    // The table is asked for in large pages where the system gives them, so that rows picked
    // all over it do not each need a page table walk; without them it works the same.
    constexpr std::size_t kLargePage = std::size_t{2} << 20;
    const std::size_t rows = static_cast<std::size_t>(std::max(players, 0)) + 1;
    const std::size_t align = rows * sizeof(Row) >= kLargePage ? kLargePage : alignof(Row);
    const std::size_t bytes = (rows * sizeof(Row) + align - 1) / align * align;
    if (players != m_count || !m_rows) {
        m_rows.reset(static_cast<Row*>(std::aligned_alloc(align, bytes)));
        if (!m_rows) {
            throw std::bad_alloc();
        }
        ::madvise(m_rows.get(), bytes, MADV_HUGEPAGE);
        m_count = std::max(players, 0);
    }
    std::uninitialized_fill_n(m_rows.get(), rows, Row{});
    m_changed.assign(rows / 64 + 1, 0);
    m_wide.clear();
}

void PlayerTotals::set(std::int32_t p, Counter n, std::int64_t v)
{
    const int slot = slotOf(n);
    Row& r = row(p);
    if (v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max()) {
        r.s[static_cast<std::size_t>(slot)] = static_cast<std::int32_t>(v);
        if (r.s[kWidened] != 0) {
            wideRow(p)[static_cast<std::size_t>(slot)] = 0;
        }
    } else {
        r.s[static_cast<std::size_t>(slot)] = 0;
        wideRow(p)[static_cast<std::size_t>(slot)] = v;
    }
}

void PlayerTotals::addOvers(std::int32_t p, float o, int ballsPerOver)
{
    const auto [whole, balls] = oversParts(o);
    addSlot(p, kOversWhole, whole);
    // The balls of an incomplete over stay below the largest balls per over plus 10.
    std::int32_t& b = row(p).s[kOversBalls];
    b += static_cast<std::int32_t>(balls);
    while (ballsPerOver > 0 && b >= ballsPerOver) {
        b -= ballsPerOver;
        addSlot(p, kOversWhole, 1);
    }
}

PlayerRow PlayerTotals::wide(std::int32_t p) const
{
    PlayerRow w;
    for (int n = 0; n < kCounterCount; ++n) {
        w.c[static_cast<std::size_t>(n)] = getSlot(p, slotOf(static_cast<Counter>(n)));
    }
    w.overs.overs = getSlot(p, kOversWhole);
    w.overs.balls = row(p).s[kOversBalls];
    return w;
}

void PlayerTotals::clearChanged()
{
    forEachChanged([this](std::int32_t p) {
        row(p) = Row{};
        m_wide.erase(p);
    });
    std::fill(m_changed.begin(), m_changed.end(), 0);
}

void PlayerTotals::carry(std::int32_t p, int slot, std::int64_t v)
{
    std::int32_t& narrow = row(p).s[static_cast<std::size_t>(slot)];
    wideRow(p)[static_cast<std::size_t>(slot)] += narrow + v;
    narrow = 0;
}

std::int64_t PlayerTotals::wideSlot(std::int32_t p, int slot) const
{
    const auto it = m_wide.find(p);
    return it == m_wide.end() ? 0 : it->second[static_cast<std::size_t>(slot)];
}

std::array<std::int64_t, PlayerTotals::kSlots>& PlayerTotals::wideRow(std::int32_t p)
{
    row(p).s[kWidened] = 1;
    return m_wide.try_emplace(p).first->second;
}

// ---- TopList -----------------------------------------------------------------------------------

TopList::TopList(int capacity, bool ascending)
    : m_capacity(std::max(capacity, 0)), m_ascending(ascending),
      m_slots(static_cast<std::size_t>(m_capacity) + 1, Entry{ascending ? 999.0 : -1.0, 0, {}, {}})
{
}

std::size_t TopList::positionFor(double key) const
{
    // The kept keys are in rank order, so the place after every entry that ranks before the new
    // one or level with it is found by bisection.
    const auto end = m_slots.begin() + m_capacity;
    const auto it =
        m_ascending ? std::upper_bound(m_slots.begin(), end, key, [](double k, const Entry& e) { return k < e.key; })
                    : std::upper_bound(m_slots.begin(), end, key, [](double k, const Entry& e) { return k > e.key; });
    return static_cast<std::size_t>(it - m_slots.begin());
}

bool TopList::wouldKeep(double key) const
{
    return positionFor(key) < static_cast<std::size_t>(m_capacity);
}

void TopList::InsertEntry(double key, std::int32_t entry, std::string text, std::string keyText)
{
    // Equal keys go after the ones already kept: the order of offering decides ties.
    const std::size_t pos = positionFor(key);
    if (pos >= static_cast<std::size_t>(m_capacity)) {
        return;
    }
    m_slots.pop_back();
    m_slots.insert(m_slots.begin() + static_cast<std::ptrdiff_t>(pos),
                   Entry{key, entry, std::move(text), std::move(keyText)});
}

std::vector<TopList::Entry> TopList::entries() const
{
    std::vector<Entry> kept;
    for (std::size_t i = 0; i < static_cast<std::size_t>(m_capacity); ++i) {
        if (m_slots[i].entry != 0) {
            kept.push_back(m_slots[i]);
        }
    }
    return kept;
}

// ---- The pass ----------------------------------------------------------------------------------

struct ReportPass::Caches
{
    explicit Caches(const WorkingSet& workingSet) : ws(workingSet) {}

    const WorkingSet& ws;
    std::map<std::int32_t, std::int32_t> teamClub;
    std::map<std::pair<int, std::int32_t>, std::string> names;
    // Special events by innings record number, in file order: (player, event text).
    std::map<std::int32_t, std::vector<std::pair<std::int32_t, std::string>>> events;

    std::int32_t clubOf(std::int32_t team)
    {
        auto it = teamClub.find(team);
        if (it == teamClub.end()) {
            it = teamClub.emplace(team, TeamClub(ws, team)).first;
        }
        return it->second;
    }
    const std::string& name(int kind, std::int32_t number)
    {
        auto it = names.find({kind, number});
        if (it == names.end()) {
            it = names.emplace(std::make_pair(kind, number), RecordName(ws, kind, number)).first;
        }
        return it->second;
    }
};

ReportPass::ReportPass(const WorkingSet& ws, const StatsRequest& request, ProgressFn progress)
    : m_ws(ws), m_request(request), m_progress(std::move(progress)), m_caches(std::make_unique<Caches>(ws))
{
}

ReportPass::~ReportPass() = default;

const DatabaseOptions& ReportPass::options() const
{
    return m_ws.header().options;
}

int ReportPass::ballsPerOver() const
{
    const int b = options().ballsPerOver;
    return b > 0 ? b : 6;
}

int ReportPass::batsmenPerTeam() const
{
    const int n = options().batsmenPerTeam;
    return n >= 1 && n <= 14 ? n : 11;
}

int ReportPass::bowlersPerTeam() const
{
    const int n = options().bowlersPerTeam;
    return n >= 1 && n <= 14 ? n : 11;
}

void ReportPass::report(int percent)
{
    if (m_progress && percent != m_lastPercent) {
        m_lastPercent = percent;
        m_progress(percent);
    }
}

const ReportPass::PlayerInfo& ReportPass::playerInfo(std::int32_t player)
{
    if (m_players.empty()) {
        m_players.resize(static_cast<std::size_t>(m_totals.count()) + 1);
        RecordReader players(m_ws, RecordKind::Player);
        for (std::int32_t p = 1; p <= m_totals.count(); ++p) {
            const PlayerRecord r = players.read<PlayerRecord>(p);
            m_players[static_cast<std::size_t>(p)] =
                PlayerInfo{r.club, r.rating, isDeletedName(storedText(r.reportName))};
        }
    }
    return m_players.at(static_cast<std::size_t>(player));
}

void ReportPass::offer(double key, std::int32_t entry, std::string text, std::string keyText)
{
    if (m_producer != nullptr && m_producer->entriesArePlayers()) {
        if (!validPlayer(entry)) {
            return;
        }
        const PlayerInfo& info = playerInfo(entry);
        if (info.deleted || (m_request.rating != 0 && info.rating != m_request.rating)) {
            return;
        }
    }
    m_list->InsertEntry(key, entry, std::move(text), std::move(keyText));
}

bool ReportPass::wouldKeep(double key) const
{
    return m_list->wouldKeep(key);
}

bool ReportPass::playerListed(std::int32_t player)
{
    if (!validPlayer(player)) {
        return false;
    }
    const PlayerInfo& info = playerInfo(player);
    return !info.deleted && (m_request.rating == 0 || info.rating == m_request.rating);
}

std::int16_t ReportPass::playerClub(std::int32_t player)
{
    return playerInfo(player).club;
}

const std::string& ReportPass::recordName(int kind, std::int32_t number) const
{
    return m_caches->name(kind, number);
}

std::int32_t ReportPass::teamClub(std::int32_t team) const
{
    return m_caches->clubOf(team);
}

std::string ReportPass::clubColumn(std::int32_t player)
{
    PlayerRecord r;
    r.club = playerInfo(player).club;
    return clubColumn(r);
}

std::string ReportPass::inningsColumns(const MatchRecord& match, bool playerSideIsTeam1) const
{
    const std::int32_t side = playerSideIsTeam1 ? match.team1 : match.team2;
    const std::int32_t opposition = playerSideIsTeam1 ? match.team2 : match.team1;
    return FitText(m_caches->name(ClubAbbreviation, m_caches->clubOf(side)), 8) + MediumDate(match.datePlayed.str()) +
           " " + FitText(m_caches->name(TeamName, opposition), 12) + " " +
           FitText(m_caches->name(GroundName, match.ground), 25) + " ";
}

std::string ReportPass::clubColumn(const PlayerRecord& player) const
{
    const std::int32_t club = m_request.subjectClub != 0 ? m_request.subjectClub : player.club;
    const std::string& name = m_caches->name(ClubAbbreviation, club);
    if (name.empty()) {
        return std::string(8, ' ');
    }
    return FitText(name, 7) + " ";
}

std::string ReportPass::matchesColumn(std::int64_t matches)
{
    return FitText(std::to_string(matches), 3);
}

void ReportPass::markPlayed(std::int32_t player, std::int32_t match)
{
    m_totals.countMatch(player, match);
    if (kind() == LongestServing) {
        // The years of the first and last match, taken from the dates themselves so that
        // matches of any century count.
        if (m_totals.get(player, FirstYear) == 0 || m_matchYear < m_totals.get(player, FirstYear)) {
            m_totals.set(player, FirstYear, m_matchYear);
        }
        if (m_totals.get(player, LastYear) == 0 || m_matchYear > m_totals.get(player, LastYear)) {
            m_totals.set(player, LastYear, m_matchYear);
        }
    }
}

void ReportPass::loadHistory()
{
    RecordReader players(m_ws, RecordKind::Player);
    const int k = kind();
    const bool bowlingReport = k == TopWicketTakers || k == TopBowlingAverages || k == TopEconomyRates ||
                               k == TopBowlingStrikeRates || k == Most10WicketMatches || k == Most5WicketInnings;
    PlayerTotals& t = m_totals;
    for (std::int32_t p = 1; p <= t.count(); ++p) {
        const PlayerRecord player = players.read<PlayerRecord>(p);
        const PlayerHistory& h = player.history;
        t.set(p, Matches, h.matches);
        t.set(p, Dismissals, h.innings - h.notOuts);
        if (k != PointsScores) {
            t.set(p, NotOuts, h.notOuts);
        }
        t.set(p, Runs, h.runs);
        t.set(p, Catches, h.catches);
        if (k != MostDucks && k != DroppedCatches) {
            t.set(p, Stumpings, h.stumpings);
        }
        t.set(p, RunOuts, h.runOuts);
        t.set(p, Fifties, bowlingReport ? h.maidens : h.fifties);
        // In the points report this counter holds man-of-the-match awards, not hundreds.
        t.set(p, Hundreds, (k == TopWicketTakers || k == PointsScores) ? 0 : h.hundreds);
        if (k != PointsScores) {
            t.set(p, HighScore, h.highScore);
            t.setFlag(p, HighScoreNotOut, h.highScoreNotOut != 0);
        }
        t.set(p, Wickets, h.wickets);
        t.set(p, RunsConceded, h.runsAgainst);
        t.addOvers(p, static_cast<float>(std::max<std::int16_t>(h.overs, 0)), ballsPerOver());
        t.set(p, BallsBowled, static_cast<std::int64_t>(std::max<std::int16_t>(h.overs, 0)) * ballsPerOver());
        t.set(p, BestWickets, h.bestBowlingWickets);
        t.set(p, BestRuns, h.bestBowlingRuns);
        t.setFlag(p, HasBestBowling, h.bestBowlingWickets != 0 || h.bestBowlingRuns != 0);
        t.set(p, FiveWicketInnings, h.fiveWicketInnings);
        t.set(p, TenWicketMatches, k == TopBattingStrikeRates ? h.ballsFaced : h.tenWicketMatches);
        if (k == LongestServing) {
            auto year = [](std::int16_t y) { return y >= 1851 && y <= 2099 ? y : 0; };
            t.set(p, FirstYear, year(player.firstMatchYear));
            t.set(p, LastYear, year(player.lastMatchYear));
        }
    }
}

void ReportPass::addBatting(const InningsView& v)
{
    if (!v.battingCounts) {
        return;
    }
    const int k = kind();
    const std::int32_t match = v.match->number;
    PlayerTotals& t = m_totals;
    for (int line = 1; line <= batsmenPerTeam(); ++line) {
        const BattingLine& b = v.innings.batting[static_cast<std::size_t>(line)];
        if (!validPlayer(b.batsman)) {
            continue;
        }
        const std::int32_t p = b.batsman;
        if (k == TopBattingStrikeRates) {
            t.add(p, BallsFaced, b.ballsFaced);
        }
        if (b.howOut > 0) {
            t.add(p, Runs, b.runs);
            const bool notOut = b.howOut == NotOut || b.howOut == RetiredHurt || b.howOut == RetiredNotOut;
            if (k != PointsScores) {
                const bool storedOut = !t.flag(p, HighScoreNotOut);
                const std::int64_t high = t.get(p, HighScore);
                if (b.runs > high || (b.runs == high && storedOut && notOut)) {
                    t.set(p, HighScore, b.runs);
                    t.setFlag(p, HighScoreNotOut, notOut);
                }
            }
            if (b.runs > 99) {
                if (k != PointsScores && k != HundredOnDebut) {
                    t.add(p, Hundreds, 1);
                }
            } else if (b.runs > 49 && k != HundredOnDebut) {
                t.add(p, Fifties, 1);
            }
            if (k != PointsScores) {
                if (notOut) {
                    t.add(p, NotOuts, 1);
                } else {
                    if (k != AllRounders) {
                        t.add(p, Dismissals, 1);
                    }
                    if (k == MostDucks && b.runs == 0) {
                        t.add(p, Ducks, 1);
                    }
                }
            }
        }
        markPlayed(p, match);
    }
}

void ReportPass::addFielding(const InningsView& v)
{
    if (!v.fieldingCounts) {
        return;
    }
    const int k = kind();
    const std::int32_t match = v.match->number;
    // The fielding side's named keeper.
    const std::int32_t keeper = v.battedByTeam1() ? v.match->match.keeper2 : v.match->match.keeper1;
    for (int line = 1; line <= batsmenPerTeam(); ++line) {
        const BattingLine& b = v.innings.batting[static_cast<std::size_t>(line)];
        const std::int32_t fieldsman = b.howOut == CaughtAndBowled ? b.bowler : b.fieldsman;
        switch (b.howOut) {
        case Caught:
        case CaughtAndBowled:
            if (validPlayer(fieldsman)) {
                // Wicket keeping counts the keeper's catches only, catches by fieldsmen all others.
                const bool byKeeper = fieldsman == keeper;
                if (!(k == TopWicketKeeping && !byKeeper) && !(k == TopCatchesByFieldsmen && byKeeper)) {
                    m_totals.add(fieldsman, Catches, 1);
                }
                markPlayed(fieldsman, match);
            }
            break;
        case RunOut: {
            // The bowler field of a run out names the second fielder, if any; in the points
            // report a run out with a second fielder is an assisted run out for both.
            const std::int32_t second = b.bowler;
            const Counter credit = k == PointsScores && validPlayer(second) ? AssistedRunOuts : RunOuts;
            for (const std::int32_t p : {fieldsman, second}) {
                if (validPlayer(p)) {
                    m_totals.add(p, credit, 1);
                    markPlayed(p, match);
                }
            }
            break;
        }
        case Stumped:
            if (validPlayer(fieldsman)) {
                if (k != DroppedCatches && !(k == TopWicketKeeping && fieldsman != keeper)) {
                    m_totals.add(fieldsman, Stumpings, 1);
                }
                markPlayed(fieldsman, match);
            }
            break;
        default: break;
        }
    }
}

void ReportPass::addBowling(const InningsView& v)
{
    if (!v.fieldingCounts) {
        return;
    }
    const int k = kind();
    const std::int32_t match = v.match->number;
    const int matchBallsPerOver = v.match->ballsPerOver;
    const bool maidens = k == TopWicketTakers || k == TopBowlingAverages || k == TopEconomyRates ||
                         k == TopBowlingStrikeRates || k == Most10WicketMatches || k == Most5WicketInnings;
    PlayerTotals& t = m_totals;
    for (int line = 1; line <= bowlersPerTeam(); ++line) {
        const BowlingLine& b = v.innings.bowling[static_cast<std::size_t>(line)];
        if (!validPlayer(b.bowler)) {
            continue;
        }
        const std::int32_t p = b.bowler;
        const std::int64_t balls = OversBalls(b.overs, matchBallsPerOver);
        if (k != PointsScores) {
            t.add(p, RunsConceded, b.runsConceded);
            if (k != AllRounders && k != HonoursSummary) {
                t.add(p, BallsBowled, balls);
                t.addOvers(p, b.overs, matchBallsPerOver);
            }
        }
        if (b.wickets > 4) {
            t.add(p, FiveWicketInnings, 1);
        }
        if (t.startMatchWickets(p, match)) {
            m_matchWicketPlayers.push_back(p);
        }
        t.add(p, MatchWickets, b.wickets);
        if (maidens) {
            t.add(p, Maidens, b.maidens);
        }
        t.add(p, Wickets, b.wickets);
        // Best bowling: the first spell sets it, later ones replace it with more wickets, or as
        // many for fewer runs. A line with neither overs nor a wicket is no spell.
        const bool spell = !(balls == 0 && b.wickets == 0);
        if (spell) {
            const std::int64_t bestWickets = t.get(p, BestWickets);
            if (!t.flag(p, HasBestBowling) || b.wickets > bestWickets ||
                (b.wickets == bestWickets && b.runsConceded < t.get(p, BestRuns))) {
                t.set(p, BestWickets, b.wickets);
                t.set(p, BestRuns, b.runsConceded);
                t.setFlag(p, HasBestBowling, true);
            }
        }
        markPlayed(p, match);
    }
}

void ReportPass::countLinesPlayed(const InningsView& v)
{
    // What addBatting and addBowling count as played, without their figures.
    const std::int32_t match = v.match->number;
    if (m_acc.batting && v.battingCounts) {
        for (int line = 1; line <= batsmenPerTeam(); ++line) {
            const std::int32_t p = v.innings.batting[static_cast<std::size_t>(line)].batsman;
            if (validPlayer(p)) {
                markPlayed(p, match);
            }
        }
    }
    if (m_acc.bowling && v.fieldingCounts) {
        for (int line = 1; line <= bowlersPerTeam(); ++line) {
            const std::int32_t p = v.innings.bowling[static_cast<std::size_t>(line)].bowler;
            if (validPlayer(p)) {
                markPlayed(p, match);
            }
        }
    }
}

void ReportPass::prefetchRows(const InningsRecord& in) const
{
    // A hint only: rows of lines that will not count are asked for too.
    if (m_acc.batting || m_acc.fielding) {
        for (int line = 1; line <= batsmenPerTeam(); ++line) {
            const BattingLine& b = in.batting[static_cast<std::size_t>(line)];
            if (m_acc.batting && validPlayer(b.batsman)) {
                m_totals.prefetch(b.batsman, false);
            }
            if (m_acc.fielding && b.howOut >= Caught) {
                for (const std::int32_t p : {std::int32_t{b.fieldsman}, std::int32_t{b.bowler}}) {
                    if (validPlayer(p)) {
                        m_totals.prefetch(p, false);
                    }
                }
            }
        }
    }
    if (m_acc.bowling) {
        for (int line = 1; line <= bowlersPerTeam(); ++line) {
            const std::int32_t p = in.bowling[static_cast<std::size_t>(line)].bowler;
            if (validPlayer(p)) {
                // Counting the match touches the first half of the row only.
                m_totals.prefetch(p, !m_acc.linesCountMatchesOnly);
            }
        }
    }
}

void ReportPass::decodeInnings(std::int32_t n, InningsRecord& in)
{
    if (m_producer->readsFiguresOnly()) {
        // The lines a pass reads are 1 to the batsmen or bowlers per team.
        decodeFigures(m_inningsReader->bytes(n), in, std::max(batsmenPerTeam(), bowlersPerTeam()) + 1);
    } else {
        m_inningsReader->readInto(n, in);
    }
}

void ReportPass::readMatch(ReportProducer& producer, MatchView& mv)
{
    m_matchWicketPlayers.clear();
    if (kind() == LongestServing) {
        m_matchYear = static_cast<std::int64_t>(ValText(mv.match.datePlayed.raw().substr(6, 4)));
    }
    producer.matchStarted(*this, mv);
    const bool accumulates = m_acc.batting || m_acc.fielding || m_acc.bowling;
    for (int slot = 1; slot <= 4 && producer.readsInnings(); ++slot) {
        const std::int32_t n = mv.match.innings[static_cast<std::size_t>(slot)];
        if (n <= 0 || n > m_ws.count(RecordKind::Innings) || (m_request.firstInningsOnly && (slot == 2 || slot == 4))) {
            continue;
        }
        InningsView& v = m_views[static_cast<std::size_t>(m_current)];
        if (m_aheadNumber != n) {
            decodeInnings(n, v.innings);
        }
        m_aheadNumber = 0;
        if (accumulates && n < m_ws.count(RecordKind::Innings) && m_inningsReader->holds(n + 1)) {
            // The next record is most often the next innings read (innings are numbered as
            // they are entered): decode it now and ask for its rows, so that they arrive while
            // this one is added up.
            decodeInnings(n + 1, m_views[static_cast<std::size_t>(1 - m_current)].innings);
            m_aheadNumber = n + 1;
            prefetchRows(m_views[static_cast<std::size_t>(1 - m_current)].innings);
        }
        v.match = &mv;
        v.slot = slot;
        v.number = n;
        const bool team1Bats = slot <= 2;
        v.battingTeam = team1Bats ? mv.match.team1 : mv.match.team2;
        v.fieldingTeam = team1Bats ? mv.match.team2 : mv.match.team1;
        v.battingClub = team1Bats ? mv.club1 : mv.club2;
        v.fieldingClub = team1Bats ? mv.club2 : mv.club1;
        auto sideCounts = [&](std::int32_t team, std::int32_t club, std::int32_t otherClub) {
            return (m_request.subject == 0 || m_request.subject == team) &&
                   (m_request.vsClub == 0 || m_request.vsClub == otherClub) &&
                   (m_request.subjectClub == 0 || m_request.subjectClub == club);
        };
        v.battingCounts = sideCounts(v.battingTeam, v.battingClub, v.fieldingClub);
        v.fieldingCounts = sideCounts(v.fieldingTeam, v.fieldingClub, v.battingClub);
        if (m_acc.linesCountMatchesOnly) {
            countLinesPlayed(v);
            if (m_acc.fielding) {
                addFielding(v);
            }
        } else {
            if (m_acc.batting) {
                addBatting(v);
            }
            if (m_acc.fielding) {
                addFielding(v);
            }
            if (m_acc.bowling) {
                addBowling(v);
            }
        }
        if (producer.readsSpecialEvents() && v.fieldingCounts) {
            if (const auto it = m_caches->events.find(n); it != m_caches->events.end()) {
                for (const auto& [player, text] : it->second) {
                    if (validPlayer(player)) {
                        producer.specialEvent(*this, v, player, text);
                    }
                }
            }
        }
        producer.inningsRead(*this, v);
        if (m_aheadNumber != 0) {
            m_current = 1 - m_current;
        }
    }
    // Ten-wicket matches.
    for (const std::int32_t p : m_matchWicketPlayers) {
        if (m_totals.get(p, MatchWickets) > 9) {
            m_totals.add(p, TenWicketMatches, 1);
        }
    }
    producer.matchDone(*this, mv);
}

void ReportPass::walkMatches(ReportProducer& producer)
{
    const std::int32_t count = m_ws.count(RecordKind::Match);
    MatchFilter& filter = *m_filter;
    RecordReader matches(m_ws, RecordKind::Match);
    auto include = [&](MatchView& mv) {
        if (!filter.passesDate(mv.match)) {
            return false;
        }
        mv.club1 = m_caches->clubOf(mv.match.team1);
        mv.club2 = m_caches->clubOf(mv.match.team2);
        mv.ballsPerOver = mv.match.ballsPerOver > 0 ? mv.match.ballsPerOver : 6;
        return filter.passesRest(mv.match, mv.club1, mv.club2);
    };
    if (!producer.seasonal()) {
        for (std::int32_t m = 1; m <= count; ++m) {
            report(static_cast<int>(static_cast<std::int64_t>(m) * 50 / count));
            MatchView mv;
            mv.number = m;
            mv.match = matches.read<MatchRecord>(m);
            if (include(mv)) {
                readMatch(producer, mv);
            }
        }
        return;
    }
    // Seasonal reports take the matches in date order (the statistics window's match list) and
    // close a season whenever the next included match belongs to another.
    std::vector<std::pair<std::string, std::int32_t>> order;
    std::vector<MatchRecord> records(static_cast<std::size_t>(count) + 1);
    for (std::int32_t m = 1; m <= count; ++m) {
        records[static_cast<std::size_t>(m)] = matches.read<MatchRecord>(m);
        const MatchRecord& r = records[static_cast<std::size_t>(m)];
        if (IsLiveMatch(r)) {
            order.emplace_back(DateKey(r.datePlayed.str()), m);
        }
    }
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    const bool twoYears = options().seasonTwoYears != 0;
    std::optional<std::string> season;
    std::int64_t done = 0;
    for (const auto& [date, m] : order) {
        report(static_cast<int>(++done * 50 / count));
        MatchView mv;
        mv.number = m;
        mv.match = records[static_cast<std::size_t>(m)];
        if (!include(mv)) {
            continue;
        }
        const std::string s = SeasonOf(mv.match.datePlayed.str(), twoYears);
        if (season && *season != s) {
            producer.seasonDone(*this, *season);
            // Only the rows the season changed need clearing.
            m_totals.clearChanged();
        }
        season = s;
        readMatch(producer, mv);
    }
    if (season) {
        producer.seasonDone(*this, *season);
    }
}

void ReportPass::rankPlayers(ReportProducer& producer)
{
    RecordReader players(m_ws, RecordKind::Player);
    const std::int32_t count = m_totals.count();
    for (std::int32_t p = 1; p <= count; ++p) {
        report(50 + static_cast<int>(static_cast<std::int64_t>(p) * 50 / std::max(count, 1)));
        const PlayerRecord player = players.read<PlayerRecord>(p);
        if (isDeletedName(storedText(player.reportName))) {
            continue;
        }
        if (m_request.rating != 0 && player.rating != m_request.rating) {
            continue;
        }
        producer.rankPlayer(*this, p, player, m_totals.wide(p));
    }
}

ReportText ReportPass::run(ReportProducer& producer)
{
    m_producer = &producer;
    m_acc = producer.accumulation();
    m_list = std::make_unique<TopList>(m_request.reportLength, producer.ascending());
    m_filterRequest = m_request;
    if (producer.selectsSides()) {
        m_filterRequest.subject = 0;
        m_filterRequest.subjectClub = 0;
        m_filterRequest.vsClub = 0;
    }
    m_filter = std::make_unique<MatchFilter>(m_filterRequest);
    m_totals.reset(m_ws.count(RecordKind::Player));
    m_lastPercent = -1;
    report(0);

    if (m_request.includeHistory && producer.usesHistory()) {
        loadHistory();
    }
    if (producer.readsSpecialEvents()) {
        RecordReader events(m_ws, RecordKind::SpecialEvent);
        for (std::int32_t e = 1; e <= m_ws.count(RecordKind::SpecialEvent); ++e) {
            const SpecialEvent ev = events.read<SpecialEvent>(e);
            if (rtrimBlanks(ev.text.raw()).size() > 5) {
                m_caches->events[specialEventInnings(ev)].emplace_back(specialEventPlayer(ev), specialEventText(ev));
            }
        }
    }
    m_inningsReader = std::make_unique<RecordReader>(m_ws, RecordKind::Innings);
    walkMatches(producer);
    m_inningsReader.reset();
    if (producer.ranksPlayers()) {
        rankPlayers(producer);
    }
    producer.passDone(*this);

    ReportText text;
    text.title = ReportTitle(m_request);
    text.subtitle = ReportSubtitle(m_request, *m_filter);
    text.heading = ReportHeading(kind());
    int rank = 0;
    for (const TopList::Entry& e : m_list->entries()) {
        ++rank;
        std::string line = std::to_string(rank) + ".";
        if (rank < 10) {
            line.insert(0, "  ");
        } else if (rank < 100) {
            line.insert(0, " ");
        }
        std::string name = producer.entriesArePlayers() ? m_ws.read<PlayerRecord>(e.entry).reportName.raw()
                                                        : m_ws.read<TeamRecord>(e.entry).name.raw();
        name.resize(18, ' ');
        std::replace(name.begin(), name.end(), '\0', ' ');
        line += name + " " + e.text + e.keyText;
        text.lines.push_back(std::move(line));
    }
    producer.finishReport(*this, text);
    report(100);
    return text;
}

std::int64_t InningsTotal(const InningsRecord& in, const MatchRecord& match, int lines)
{
    std::int64_t total = 0;
    for (int line = 1; line <= lines && line < static_cast<int>(in.batting.size()); ++line) {
        const BattingLine& b = in.batting[static_cast<std::size_t>(line)];
        if (b.batsman > 0 && b.howOut > 0) {
            total += b.runs;
        }
    }
    return total + static_cast<std::int64_t>(in.wides) * match.runsPerWide + in.byes + in.legByes +
           static_cast<std::int64_t>(in.noBalls) * match.runsPerNoBall;
}

int InningsWickets(const InningsRecord& in, int lines)
{
    int wickets = 0;
    for (int line = 1; line <= lines && line < static_cast<int>(in.batting.size()); ++line) {
        const BattingLine& b = in.batting[static_cast<std::size_t>(line)];
        if (b.batsman > 0 && isWicket(b.howOut)) {
            ++wickets;
        }
    }
    return wickets;
}

std::unique_ptr<ReportProducer> makeReportProducer(int kind)
{
    for (auto make :
         {makeBattingReport, makeBowlingReport, makeIndividualReport, makePartnershipReport, makeTeamReport}) {
        if (auto p = make(kind)) {
            return p;
        }
    }
    return nullptr;
}

ReportText ProduceReport(const WorkingSet& ws, const StatsRequest& request, ProgressFn progress)
{
    if (request.reportKind == CompleteStats) {
        return ProcessINN(ws, request, std::move(progress)).text;
    }
    std::unique_ptr<ReportProducer> producer = makeReportProducer(request.reportKind);
    if (!producer) {
        throw std::invalid_argument("no producer for report " + std::to_string(request.reportKind));
    }
    ReportPass pass(ws, request, std::move(progress));
    return pass.run(*producer);
}

} // namespace wickly::stats
