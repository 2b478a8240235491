// The individual reports (points, longest serving, most matches, youngest players, the complete
// player summary), the all-rounders, the fielding reports and the captains' results, all ranked
// per player from the totals of one pass.

#include "database_header.h"
#include "fixed_text.h"
#include "formats.h"
#include "report_columns.h"
#include "stats_engine.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

namespace wickly::stats {

namespace {

// Today as "dd/mm/yyyy" (the system's local date).
std::string systemToday()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    auto two = [](int v) {
        return std::string(1, static_cast<char>('0' + v / 10 % 10)) + static_cast<char>('0' + v % 10);
    };
    return two(local.tm_mday) + "/" + two(local.tm_mon + 1) + "/" + std::to_string(local.tm_year + 1900);
}

int part(std::string_view text, std::size_t from, std::size_t n)
{
    return from < text.size() ? static_cast<int>(RoundHalfEven(ValText(text.substr(from, n)))) : 0;
}

// The ordering key of "Complete Player Summary": the first five characters of the last name
// (the report name when there is none), "'" read as "`" so that O'Brien stays among the O's,
// in lower case; a higher key comes earlier in the alphabet, and blanks before letters.
double alphabeticalKey(const PlayerRecord& player)
{
    std::string name = rtrimBlanks(player.lastName.raw());
    if (name.empty()) {
        name = player.reportName.raw();
    }
    name.resize(5, ' ');
    double key = 0;
    for (char ch : name) {
        auto c = static_cast<unsigned char>(ch == '\'' ? '`' : ch);
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<unsigned char>(c - 'A' + 'a');
        }
        if (c == 0) {
            c = ' ';
        }
        key = key * 26 + (122 - static_cast<int>(c));
    }
    return key;
}

std::string bestBowlingText(const PlayerRow& row)
{
    return NumText(row[BestWickets]) + "-" + std::to_string(row[BestRuns]);
}

std::string lastChars(const std::string& text, std::size_t n)
{
    return text.size() > n ? text.substr(text.size() - n) : text;
}

class IndividualReport : public ReportProducer
{
public:
    explicit IndividualReport(int kind) : m_kind(kind) {}

    Accumulation accumulation() const override
    {
        switch (m_kind) {
        case PointsScores:
        case CompleteSummary: return {true, true, true};
        case AllRounders: return {true, false, true};
        case LongestServing:
        case MostMatches:
        case YoungestPlayers: return {true, false, true, true}; // the matches played and their years
        case CaptainsMostWins: return {};
        case TopWicketKeeping: return {false, true, false}; // its matches are those kept wicket
        default: return {true, true, true, true};           // fielding: the lines also count the matches played
        }
    }
    bool usesHistory() const override { return m_kind != TopWicketKeeping && m_kind != CaptainsMostWins; }
    bool ranksPlayers() const override { return true; }
    bool readsInnings() const override { return m_kind != CaptainsMostWins; }
    bool readsSpecialEvents() const override { return m_kind == DroppedCatches; }
    bool readsFiguresOnly() const override { return true; }

    void matchStarted(ReportPass& pass, const MatchView& mv) override
    {
        const MatchRecord& m = mv.match;
        if (m_kind == PointsScores && pass.validPlayer(m.manOfMatch)) {
            pass.totals().add(m.manOfMatch, ManOfMatchAwards, 1);
        }
        if (m_kind == TopWicketKeeping) {
            for (const std::int32_t keeper : {std::int32_t{m.keeper1}, std::int32_t{m.keeper2}}) {
                if (pass.validPlayer(keeper)) {
                    pass.totals().add(keeper, KeeperMatches, 1);
                }
            }
        }
        if (m_kind == CaptainsMostWins) {
            countCaptain(pass, mv, true);
            countCaptain(pass, mv, false);
        }
    }

    void specialEvent(ReportPass& pass, const InningsView&, std::int32_t player, std::string_view event) override
    {
        if (event.substr(0, 3) == "Dro") {
            pass.totals().add(player, Drops, 1);
        }
    }

    void rankPlayer(ReportPass& pass, std::int32_t p, const PlayerRecord& player, const PlayerRow& row) override
    {
        const StatsRequest& r = pass.request();
        auto front = [&](std::int64_t matches) { return pass.clubColumn(player) + ReportPass::matchesColumn(matches); };
        // `keyShown` false leaves the key text empty: the row's own columns already show the key.
        auto offerCount = [&](std::int64_t key, const std::string& columns, bool keyShown = true) {
            if (key > 0 && pass.wouldKeep(static_cast<double>(key))) {
                pass.offer(static_cast<double>(key), p, front(row[Matches]) + columns, keyShown ? NumText(key) : "");
            }
        };
        switch (m_kind) {
        case PointsScores: {
            const auto& w = pass.options().individualPoints;
            const double points = static_cast<double>(row[Runs]) * w[0] + static_cast<double>(row[Wickets]) * w[1] +
                                  static_cast<double>(row[Catches]) * w[2] + static_cast<double>(row[RunOuts]) * w[3] +
                                  static_cast<double>(row[AssistedRunOuts]) * w[4] +
                                  static_cast<double>(row[Stumpings]) * w[5] +
                                  static_cast<double>(row[ManOfMatchAwards]) * w[6];
            if (points > 0 && pass.wouldKeep(points)) {
                pass.offer(points, p,
                           front(row[Matches]) + col(row[Runs], 6) + col(row[Wickets], 5) + col(row[Catches], 4) +
                               col(row[Stumpings], 4) + col(row[RunOuts], 4) + col(row[AssistedRunOuts], 4) +
                               col(row[ManOfMatchAwards], 4),
                           SingleNumText(static_cast<float>(points)));
            }
            break;
        }
        case LongestServing: {
            if (row[LastYear] <= 0) {
                break;
            }
            const std::int64_t first = row[FirstYear] > 0 ? row[FirstYear] : row[LastYear];
            const std::int64_t years = row[LastYear] - first + 1;
            offerCount(years, " " + std::to_string(first) + "-" + std::to_string(row[LastYear]) + " ");
            break;
        }
        case MostMatches:
            // The matches are the row's "Mts" column, under the heading "Matches"; they are not
            // written a second time as the key.
            offerCount(row[Matches], "", false);
            break;
        case YoungestPlayers: {
            if (row[Matches] <= 0) {
                break;
            }
            const std::string birth = rtrimBlanks(player.dateOfBirth.raw());
            // Days in months of 31 and years of 12 such months, so that every later birth date
            // has a higher key (a year of 365 would put 31/12/1990 after 01/01/1991).
            const double key =
                static_cast<double>(part(birth, 6, 4) - 1900) * 372 + part(birth, 3, 2) * 31 + part(birth, 0, 2);
            if (birth.size() < 10 || key < 1 || !pass.wouldKeep(key)) {
                break;
            }
            const std::string today = r.today.empty() ? systemToday() : r.today;
            pass.offer(key, p, front(row[Matches]) + " " + MediumDate(birth) + " " + AgeText(birth, today), "");
            break;
        }
        case CompleteSummary: {
            if (row[Matches] <= 0 || startsWithDeletedMark(player.reportName.raw()) ||
                (r.listActive && player.active == 0)) {
                break;
            }
            const double key = alphabeticalKey(player);
            if (!pass.wouldKeep(key)) {
                break;
            }
            const std::string high = NumText(row[HighScore]) + (row.flag(HighScoreNotOut) ? "*" : " ");
            pass.offer(key, p,
                       front(row[Matches]) + col(row.innings(), 4) + col(row[NotOuts], 3) + FitText(high, 5) +
                           col(row[Fifties], 3) + col(row[Hundreds], 4) + FitText(averageText(battingAverage(row)), 6) +
                           col(row[Runs], 6) + col(row.overs.overs, 5) + col(row[RunsConceded], 5) + "  " +
                           FitText(bestBowlingText(row), 6) + col(row[FiveWicketInnings], 3) +
                           col(row[TenWicketMatches], 4) + lastChars(averageText(bowlingAverage(row)), 5) +
                           col(row[Wickets], 4) + col(row[Catches], 4) + col(row[Stumpings], 3) + col(row[RunOuts], 3),
                       "");
            break;
        }
        case AllRounders:
            if (row[Runs] >= r.allRoundMinRuns && row[Wickets] >= r.allRoundMinWickets) {
                offerCount(row[Runs], pad(row[Wickets], 6));
            }
            break;
        case TopCatches:
        case TopCatchesByFieldsmen: offerCount(row[Catches], ""); break;
        case TopRunouts: offerCount(row[RunOuts], ""); break;
        case DroppedCatches:
            if (row[Drops] > 0) {
                offerCount(row[Drops], col(row[Catches], 7) + col(row[Drops] * 100 / (row[Catches] + row[Drops]), 6));
            }
            break;
        case TopWicketKeeping: {
            const std::int64_t total = row[Catches] + row[Stumpings];
            if (total > 0 && pass.wouldKeep(static_cast<double>(total))) {
                pass.offer(static_cast<double>(total), p,
                           front(row[KeeperMatches]) + col(row[Catches], 6) + col(row[Stumpings], 6), NumText(total));
            }
            break;
        }
        case CaptainsMostWins: {
            if (m_captains.empty()) {
                break;
            }
            const Captaincy& c = m_captains[static_cast<std::size_t>(p)];
            const std::int64_t caps = c.wins + c.losses + c.other;
            if (caps < 1 || !pass.wouldKeep(static_cast<double>(c.wins))) {
                break;
            }
            pass.offer(static_cast<double>(c.wins), p,
                       front(caps) + " " + col(c.other, 5) + " " + col(c.losses, 5) + " " +
                           FitText(averageText(CutHundredths(c.wins * 100, caps)), 7),
                       NumText(c.wins));
            break;
        }
        default: break;
        }
    }

private:
    struct Captaincy
    {
        std::int64_t wins = 0, losses = 0, other = 0;
    };

    // The captain of one side: counted under the side rules of the lines (subject team and
    // subject club his side's, "Vs" club the other side's), and credited with the result.
    void countCaptain(ReportPass& pass, const MatchView& mv, bool team1)
    {
        const MatchRecord& m = mv.match;
        const std::int32_t captain = team1 ? m.captain1 : m.captain2;
        const std::int32_t team = team1 ? m.team1 : m.team2;
        const std::int32_t club = team1 ? mv.club1 : mv.club2;
        const std::int32_t otherClub = team1 ? mv.club2 : mv.club1;
        const StatsRequest& r = pass.request();
        if (!pass.validPlayer(captain) || (r.subject != 0 && r.subject != team) ||
            (r.vsClub != 0 && r.vsClub != otherClub) || (r.subjectClub != 0 && r.subjectClub != club)) {
            return;
        }
        if (m_captains.empty()) {
            m_captains.resize(static_cast<std::size_t>(pass.totals().count()) + 1);
        }
        const bool multiDay = m.matchType > OneDayMatch;
        const bool team1Won = m.result == 1 || (multiDay && m.result == 3);
        const bool team2Won = m.result == 2 || (multiDay && m.result == 4);
        Captaincy& c = m_captains[static_cast<std::size_t>(captain)];
        if (team1 ? team1Won : team2Won) {
            ++c.wins;
        } else if (team1 ? team2Won : team1Won) {
            ++c.losses;
        } else {
            ++c.other;
        }
    }

    int m_kind;
    std::vector<Captaincy> m_captains;
};

// "Most Catches in a Match": one entry per player and match with his catches in it, placed in
// the match from his side (the fielding side).
class CatchesInMatchReport : public ReportProducer
{
public:
    bool readsFiguresOnly() const override { return true; }

    void inningsRead(ReportPass& pass, const InningsView& v) override
    {
        if (!v.fieldingCounts) {
            return;
        }
        for (int line = 1; line <= pass.batsmenPerTeam(); ++line) {
            const BattingLine& b = v.innings.batting[static_cast<std::size_t>(line)];
            if (b.howOut != Caught && b.howOut != CaughtAndBowled) {
                continue;
            }
            const std::int32_t fielder = b.howOut == CaughtAndBowled ? b.bowler : b.fieldsman;
            if (!pass.validPlayer(fielder)) {
                continue;
            }
            auto it =
                std::find_if(m_match.begin(), m_match.end(), [&](const Catches& c) { return c.player == fielder; });
            if (it == m_match.end()) {
                m_match.push_back({fielder, 0, !v.battedByTeam1()});
                it = m_match.end() - 1;
            }
            ++it->catches;
        }
    }

    void matchDone(ReportPass& pass, const MatchView& mv) override
    {
        for (const Catches& c : m_match) {
            if (pass.wouldKeep(static_cast<double>(c.catches))) {
                pass.offer(static_cast<double>(c.catches), c.player, pass.inningsColumns(mv.match, c.team1),
                           NumText(c.catches));
            }
        }
        m_match.clear();
    }

private:
    struct Catches
    {
        std::int32_t player = 0;
        std::int64_t catches = 0;
        bool team1 = false; // his side is team1
    };
    std::vector<Catches> m_match; // in the order of the first catch of each player
};

} // namespace

std::unique_ptr<ReportProducer> makeIndividualReport(int kind)
{
    switch (kind) {
    case MostCatchesInMatch: return std::make_unique<CatchesInMatchReport>();
    case MostCatchesInSeason: return std::make_unique<SeasonTotalsReport>(Catches, Accumulation{true, true, true, true});
    case PointsScores:
    case LongestServing:
    case MostMatches:
    case YoungestPlayers:
    case CompleteSummary:
    case AllRounders:
    case TopCatches:
    case TopCatchesByFieldsmen:
    case DroppedCatches:
    case TopRunouts:
    case TopWicketKeeping:
    case CaptainsMostWins: return std::make_unique<IndividualReport>(kind);
    default: return nullptr;
    }
}

} // namespace wickly::stats
