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
#include <map>
#include <optional>
#include <stdexcept>

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

// The whole overs and the balls of an incomplete over of o (overs.balls notation).
std::pair<std::int64_t, std::int64_t> oversParts(float o)
{
    double v = static_cast<double>(o);
    if (!std::isfinite(v) || v < 0) {
        v = 0;
    }
    v = std::min(v, 9999.0); // overs above 9999 are read as 9999
    const double whole = std::floor(v);
    const double tenths = RoundHalfEven(v * 10.0) - whole * 10.0;
    return {static_cast<std::int64_t>(whole), static_cast<std::int64_t>(tenths)};
}

} // namespace

std::int64_t OversBalls(float o, int ballsPerOver)
{
    const auto [whole, balls] = oversParts(o);
    return whole * ballsPerOver + balls;
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
            m_players[static_cast<std::size_t>(p)] = PlayerInfo{r.club, r.rating, isDeletedName(r.reportName.raw())};
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
    PlayerRow& row = m_totals[player];
    if (row[Matches] == 0 && row.matchStamp == 0) {
        m_touched.push_back(player); // every change of a row comes with this mark
    }
    if (row.matchStamp != match) {
        row.matchStamp = match;
        row[Matches] += 1;
    }
    if (kind() == LongestServing && m_innings.match != nullptr) {
        // The years of the first and last match, taken from the dates themselves so that
        // matches of any century count.
        const std::int64_t year =
            static_cast<std::int64_t>(ValText(m_innings.match->match.datePlayed.raw().substr(6, 4)));
        if (row[FirstYear] == 0 || year < row[FirstYear]) {
            row[FirstYear] = year;
        }
        if (row[LastYear] == 0 || year > row[LastYear]) {
            row[LastYear] = year;
        }
    }
}

void ReportPass::loadHistory()
{
    RecordReader players(m_ws, RecordKind::Player);
    const int k = kind();
    const bool bowlingReport = k == TopWicketTakers || k == TopBowlingAverages || k == TopEconomyRates ||
                               k == TopBowlingStrikeRates || k == Most10WicketMatches || k == Most5WicketInnings;
    for (std::int32_t p = 1; p <= m_totals.count(); ++p) {
        const PlayerRecord player = players.read<PlayerRecord>(p);
        const PlayerHistory& h = player.history;
        PlayerRow& row = m_totals[p];
        row[Matches] = h.matches;
        row[Dismissals] = h.innings - h.notOuts;
        if (k != PointsScores) {
            row[NotOuts] = h.notOuts;
        }
        row[Runs] = h.runs;
        row[Catches] = h.catches;
        if (k != MostDucks && k != DroppedCatches) {
            row[Stumpings] = h.stumpings;
        }
        row[RunOuts] = h.runOuts;
        row[Fifties] = bowlingReport ? h.maidens : h.fifties;
        // In the points report this counter holds man-of-the-match awards, not hundreds.
        row[Hundreds] = (k == TopWicketTakers || k == PointsScores) ? 0 : h.hundreds;
        if (k != PointsScores) {
            row[HighScore] = h.highScore;
            row.setFlag(HighScoreNotOut, h.highScoreNotOut != 0);
        }
        row[Wickets] = h.wickets;
        row[RunsConceded] = h.runsAgainst;
        row.overs.add(static_cast<float>(std::max<std::int16_t>(h.overs, 0)), ballsPerOver());
        row[BallsBowled] = static_cast<std::int64_t>(std::max<std::int16_t>(h.overs, 0)) * ballsPerOver();
        row[BestWickets] = h.bestBowlingWickets;
        row[BestRuns] = h.bestBowlingRuns;
        row.setFlag(HasBestBowling, h.bestBowlingWickets != 0 || h.bestBowlingRuns != 0);
        row[FiveWicketInnings] = h.fiveWicketInnings;
        row[TenWicketMatches] = k == TopBattingStrikeRates ? h.ballsFaced : h.tenWicketMatches;
        if (k == LongestServing) {
            auto year = [](std::int16_t y) { return y >= 1851 && y <= 2099 ? y : 0; };
            row[FirstYear] = year(player.firstMatchYear);
            row[LastYear] = year(player.lastMatchYear);
        }
    }
}

void ReportPass::addBatting(const InningsView& v)
{
    const int k = kind();
    const std::int32_t match = v.match->number;
    for (int line = 1; line <= batsmenPerTeam(); ++line) {
        const BattingLine& b = v.innings.batting[static_cast<std::size_t>(line)];
        if (!validPlayer(b.batsman) || !v.battingCounts) {
            continue;
        }
        PlayerRow& row = m_totals[b.batsman];
        if (k == TopBattingStrikeRates) {
            row[BallsFaced] += b.ballsFaced;
        }
        if (b.howOut > 0) {
            row[Runs] += b.runs;
            const bool notOut = b.howOut == NotOut || b.howOut == RetiredHurt || b.howOut == RetiredNotOut;
            if (k != PointsScores) {
                const bool storedOut = !row.flag(HighScoreNotOut);
                if (b.runs > row[HighScore] || (b.runs == row[HighScore] && storedOut && notOut)) {
                    row[HighScore] = b.runs;
                    row.setFlag(HighScoreNotOut, notOut);
                }
            }
            if (b.runs > 99) {
                if (k != PointsScores && k != HundredOnDebut) {
                    row[Hundreds] += 1;
                }
            } else if (b.runs > 49 && k != HundredOnDebut) {
                row[Fifties] += 1;
            }
            if (k != PointsScores) {
                if (notOut) {
                    row[NotOuts] += 1;
                } else {
                    if (k != AllRounders) {
                        row[Dismissals] += 1;
                    }
                    if (k == MostDucks && b.runs == 0) {
                        row[Ducks] += 1;
                    }
                }
            }
        }
        markPlayed(b.batsman, match);
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
                    m_totals[fieldsman][Catches] += 1;
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
                    m_totals[p][credit] += 1;
                    markPlayed(p, match);
                }
            }
            break;
        }
        case Stumped:
            if (validPlayer(fieldsman)) {
                if (k != DroppedCatches && !(k == TopWicketKeeping && fieldsman != keeper)) {
                    m_totals[fieldsman][Stumpings] += 1;
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
    for (int line = 1; line <= bowlersPerTeam(); ++line) {
        const BowlingLine& b = v.innings.bowling[static_cast<std::size_t>(line)];
        if (!validPlayer(b.bowler)) {
            continue;
        }
        PlayerRow& row = m_totals[b.bowler];
        const std::int64_t balls = OversBalls(b.overs, v.match->ballsPerOver);
        if (k != PointsScores) {
            row[RunsConceded] += b.runsConceded;
            if (k != AllRounders && k != HonoursSummary) {
                row[BallsBowled] += balls;
                row.overs.add(b.overs, v.match->ballsPerOver);
            }
        }
        if (b.wickets > 4) {
            row[FiveWicketInnings] += 1;
        }
        if (row.wicketStamp != match) {
            row.wicketStamp = match;
            row[MatchWickets] = 0;
            m_matchWicketPlayers.push_back(b.bowler);
        }
        row[MatchWickets] += b.wickets;
        if (k == TopWicketTakers || k == TopBowlingAverages || k == TopEconomyRates || k == TopBowlingStrikeRates ||
            k == Most10WicketMatches || k == Most5WicketInnings) {
            row[Maidens] += b.maidens;
        }
        row[Wickets] += b.wickets;
        // Best bowling: the first spell sets it, later ones replace it with more wickets, or as
        // many for fewer runs. A line with neither overs nor a wicket is no spell.
        const bool spell = !(balls == 0 && b.wickets == 0);
        if (spell && (!row.flag(HasBestBowling) || b.wickets > row[BestWickets] ||
                      (b.wickets == row[BestWickets] && b.runsConceded < row[BestRuns]))) {
            row[BestWickets] = b.wickets;
            row[BestRuns] = b.runsConceded;
            row.setFlag(HasBestBowling, true);
        }
        markPlayed(b.bowler, match);
    }
}

void ReportPass::readMatch(ReportProducer& producer, MatchView& mv)
{
    m_matchWicketPlayers.clear();
    producer.matchStarted(*this, mv);
    RecordReader& innings = *m_inningsReader;
    InningsView& v = m_innings; // reused: an innings record is large
    for (int slot = 1; slot <= 4 && producer.readsInnings(); ++slot) {
        const std::int32_t n = mv.match.innings[static_cast<std::size_t>(slot)];
        if (n <= 0 || n > m_ws.count(RecordKind::Innings) || (m_request.firstInningsOnly && (slot == 2 || slot == 4))) {
            continue;
        }
        v.match = &mv;
        v.slot = slot;
        v.number = n;
        innings.readInto(n, v.innings);
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
        if (m_acc.batting) {
            addBatting(v);
        }
        if (m_acc.fielding) {
            addFielding(v);
        }
        if (m_acc.bowling) {
            addBowling(v);
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
    }
    // Ten-wicket matches.
    for (const std::int32_t p : m_matchWicketPlayers) {
        if (m_totals[p][MatchWickets] > 9) {
            m_totals[p][TenWicketMatches] += 1;
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
            // Only the rows the season touched need clearing.
            for (const std::int32_t p : m_touched) {
                m_totals[p] = PlayerRow{};
            }
            m_touched.clear();
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
        if (isDeletedName(player.reportName.raw())) {
            continue;
        }
        if (m_request.rating != 0 && player.rating != m_request.rating) {
            continue;
        }
        producer.rankPlayer(*this, p, player, m_totals[p]);
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
