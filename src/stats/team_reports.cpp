// The team reports: highest and lowest innings totals, match results per team and opponent,
// the competition points table, and the honours summary.

#include "database_header.h"
#include "fixed_text.h"
#include "formats.h"
#include "lookups.h"
#include "record_reader.h"
#include "report_columns.h"
#include "stats_engine.h"
#include "working_set.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace wickly::stats {

namespace {

// A text cut or padded to exactly `width` characters (no dash for "0", unlike FitText).
std::string cut(std::string text, std::size_t width)
{
    std::replace(text.begin(), text.end(), '\0', ' ');
    text.resize(width, ' ');
    return text;
}

std::string dateOfKey(const std::string& key)
{
    return key.size() == 8 ? key.substr(6, 2) + "/" + key.substr(4, 2) + "/" + key.substr(0, 4) : key;
}

// ---- Highest and lowest innings totals -----------------------------------------------------------

class TeamInningsReport : public ReportProducer
{
public:
    explicit TeamInningsReport(int kind) : m_kind(kind) {}

    bool entriesArePlayers() const override { return false; }

    void inningsRead(ReportPass& pass, const InningsView& v) override
    {
        if (!v.battingCounts || v.battingTeam < 1 || v.battingTeam > pass.workingSet().count(RecordKind::Team)) {
            return;
        }
        const std::int64_t total = InningsTotal(v.innings, v.match->match, pass.batsmenPerTeam());
        const std::string figures =
            NumText(total) + "-" + std::to_string(InningsWickets(v.innings, pass.batsmenPerTeam()));
        if (m_kind == TopInningsScores) {
            static const char* const kStatus[] = {"", " All Out", " Closed", " Declared", " Abandoned"};
            const int status = v.innings.status >= 1 && v.innings.status <= 4 ? v.innings.status : 0;
            if (total > 0 && pass.wouldKeep(static_cast<double>(total))) {
                pass.offer(static_cast<double>(total), v.battingTeam,
                           pass.inningsColumns(v.match->match, v.battedByTeam1()) + figures + kStatus[status], "");
            }
            return;
        }
        // Completed innings only: a declared or closed innings is no measure of a low score.
        const std::int64_t key = 2000 - total;
        if (v.innings.status == AllOut && key > 0 && pass.wouldKeep(static_cast<double>(key))) {
            pass.offer(static_cast<double>(key), v.battingTeam,
                       pass.inningsColumns(v.match->match, v.battedByTeam1()) + figures, "");
        }
    }

private:
    int m_kind;
};

// ---- Match results and the points table --------------------------------------------------------

struct Results
{
    std::int64_t played = 0, wonOutright = 0, wonFirst = 0, drawn = 0, tied = 0, lost = 0, noResult = 0;
    std::int64_t points = 0; // hundredths of a point
};

class ResultsReport : public ReportProducer
{
public:
    explicit ResultsReport(int kind) : m_kind(kind) {}

    bool readsInnings() const override { return false; }
    bool selectsSides() const override { return true; }
    bool entriesArePlayers() const override { return false; }

    void matchStarted(ReportPass& pass, const MatchView& mv) override
    {
        loadTeams(pass);
        const MatchRecord& m = mv.match;
        // One-day results read as the first-innings class, which is a one-day match's plain win.
        int result = m.result;
        const bool oneDay = m.matchType == OneDayMatch;
        if (oneDay) {
            switch (result) {
            case 1: result = 3; break;
            case 2: result = 4; break;
            case 3: result = 6; break;
            case 4: result = 5; break;
            default: break;
            }
        }
        const auto& cp = pass.options().competitionPoints;
        for (const bool team1 : {true, false}) {
            const std::int32_t team = team1 ? m.team1 : m.team2;
            const std::int32_t opponent = team1 ? m.team2 : m.team1;
            if (!taken(team)) {
                continue;
            }
            const std::string key = DateKey(m.datePlayed.str());
            if (m_earliest.empty() || key < m_earliest) {
                m_earliest = key;
            }
            if (m_latest.empty() || key > m_latest) {
                m_latest = key;
            }
            Results& total = m_results[static_cast<std::size_t>(team)];
            Results& vs = m_versus[{team, opponent}];
            int index = 4; // the points entry
            std::int64_t Results::*counter = &Results::noResult;
            const bool won = (result == 1 || result == 3) == team1;
            if (result == 1 || result == 2) {
                counter = won ? &Results::wonOutright : &Results::lost;
                index = won ? 0 : 10;
            } else if (result == 3 || result == 4) {
                counter = won ? &Results::wonFirst : &Results::lost;
                index = oneDay ? (won ? 5 : 9) : (won ? 1 : 8);
            } else if (result == 5) {
                counter = &Results::drawn;
                index = oneDay ? 11 : 2;
            } else if (result == 6) {
                counter = &Results::tied;
                index = oneDay ? 6 : 3;
            } else {
                index = oneDay ? 7 : 4;
            }
            for (Results* r : {&total, &vs}) {
                r->played += 1;
                r->*counter += 1;
            }
            total.points += static_cast<std::int64_t>(cp[static_cast<std::size_t>(index)]) * 10 +
                            (team1 ? m.bonusPoints1 : m.bonusPoints2);
        }
    }

    void finishReport(ReportPass& pass, ReportText& text) override
    {
        loadTeams(pass);
        const StatsRequest& r = pass.request();
        text.subtitle = kMatchTypeTexts[(r.matchType >= 0 && r.matchType <= 4) ? r.matchType : 0];
        if (!r.gradeName.empty()) {
            text.subtitle += ", " + rtrimBlanks(r.gradeName.substr(0, 40));
        }
        // Without a match, the dates asked for.
        text.subtitle += "\r\n" + MediumDate(dateOfKey(m_earliest.empty() ? r.dateFrom : m_earliest)) + " to " +
                         MediumDate(dateOfKey(m_latest.empty() ? r.dateTo : m_latest));
        text.lines.clear();
        const auto teams = static_cast<std::int32_t>(m_teams.size()) - 1;
        if (m_kind == MatchResults) {
            for (std::int32_t t = 1; t <= teams; ++t) {
                if (!taken(t)) {
                    continue;
                }
                for (std::int32_t o = 1; o <= teams; ++o) {
                    const auto it = m_versus.find({t, o});
                    if (o == t || it == m_versus.end() || it->second.played == 0 ||
                        (r.vsClub != 0 && m_teams[static_cast<std::size_t>(o)].club != r.vsClub)) {
                        continue;
                    }
                    const Results& x = it->second;
                    text.lines.push_back(
                        cut(m_teams[static_cast<std::size_t>(t)].name, 20) + " " +
                        FitText(rtrimBlanks(m_teams[static_cast<std::size_t>(o)].name), 16) + " " + col(x.played, 5) +
                        col(x.wonOutright, 5) + col(x.wonFirst, 5) + col(x.drawn, 5) + col(x.tied, 5) + col(x.lost, 5) +
                        col(x.noResult, 3) +
                        FitText(averageText(CutHundredths((x.wonOutright + x.wonFirst) * 100, x.played)), 6));
                }
            }
            return;
        }
        // The points table: every team taken, most points first, level teams in record order.
        std::vector<std::int32_t> order;
        for (std::int32_t t = 1; t <= teams; ++t) {
            if (taken(t)) {
                order.push_back(t);
            }
        }
        std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
            return m_results[static_cast<std::size_t>(a)].points > m_results[static_cast<std::size_t>(b)].points;
        });
        if (order.size() > static_cast<std::size_t>(std::max(r.reportLength, 0))) {
            order.resize(static_cast<std::size_t>(std::max(r.reportLength, 0)));
        }
        for (const std::int32_t t : order) {
            const Results& x = m_results[static_cast<std::size_t>(t)];
            std::string counts;
            int slot = 0;
            for (const std::int64_t n : {x.played, x.wonOutright, x.wonFirst, x.drawn, x.tied, x.lost, x.noResult}) {
                counts += std::to_string(n);
                slot += 5;
                counts = cut(counts, static_cast<std::size_t>(std::max<int>(slot, static_cast<int>(counts.size()))));
            }
            text.lines.push_back(cut(m_teams[static_cast<std::size_t>(t)].name, 20) + " " + counts +
                                 SingleText(static_cast<float>(static_cast<double>(x.points) / 100.0)));
        }
    }

private:
    struct Team
    {
        std::string name;
        std::int32_t club = 0;
        bool deleted = true;
    };

    void loadTeams(ReportPass& pass)
    {
        if (!m_teams.empty()) {
            return;
        }
        const WorkingSet& ws = pass.workingSet();
        const std::int32_t count = ws.count(RecordKind::Team);
        m_teams.resize(static_cast<std::size_t>(count) + 1);
        m_results.resize(static_cast<std::size_t>(count) + 1);
        RecordReader reader(ws, RecordKind::Team);
        for (std::int32_t t = 1; t <= count; ++t) {
            const TeamRecord team = reader.read<TeamRecord>(t);
            m_teams[static_cast<std::size_t>(t)] = Team{team.name.raw(), team.club, isDeletedName(team.name.raw())};
        }
        const StatsRequest& r = pass.request();
        m_subjectClub = r.subjectClub;
        m_subject = r.subject;
    }

    // A live team of the subject club (any club when none is chosen), or the subject team.
    bool taken(std::int32_t team) const
    {
        if (team < 1 || team >= static_cast<std::int32_t>(m_teams.size())) {
            return false;
        }
        const Team& t = m_teams[static_cast<std::size_t>(team)];
        return !t.deleted && (m_subjectClub == 0 || t.club == m_subjectClub) && (m_subject == 0 || m_subject == team);
    }

    int m_kind;
    std::vector<Team> m_teams;
    std::vector<Results> m_results;
    std::map<std::pair<std::int32_t, std::int32_t>, Results> m_versus;
    std::int32_t m_subjectClub = 0, m_subject = 0;
    std::string m_earliest, m_latest;
};

// ---- Honours summary ---------------------------------------------------------------------------

class HonoursReport : public ReportProducer
{
public:
    Accumulation accumulation() const override { return {true, true, true}; }
    bool usesHistory() const override { return true; }
    bool ranksPlayers() const override { return true; }
    bool readsSpecialEvents() const override { return true; }

    void inningsRead(ReportPass& pass, const InningsView& v) override
    {
        const MatchRecord& m = v.match->match;
        if (v.battingCounts) {
            for (int line = 1; line <= pass.batsmenPerTeam(); ++line) {
                const BattingLine& b = v.innings.batting[static_cast<std::size_t>(line)];
                if (b.howOut <= 0 || !holderAllowed(pass, b.batsman)) {
                    continue;
                }
                const bool notOut = b.howOut == NotOut || b.howOut == RetiredHurt || b.howOut == RetiredNotOut;
                const double key = b.runs + (notOut ? 0.1 : 0.0);
                if (!m_highScore || key > m_highScore->key) {
                    m_highScore = Holder{key, b.batsman, NumText(b.runs) + (notOut ? "*" : "")};
                }
            }
            const std::int64_t total = InningsTotal(v.innings, m, pass.batsmenPerTeam());
            if (v.battingTeam >= 1 && v.battingTeam <= pass.workingSet().count(RecordKind::Team)) {
                if (total > 0 && (!m_highTotal || total > m_highTotal->key)) {
                    m_highTotal = Holder{static_cast<double>(total), v.battingTeam, NumText(total)};
                }
                const bool completed =
                    v.innings.status == AllOut || (v.innings.status == Closed && m.matchType == OneDayMatch);
                if (completed && total < 999 && (!m_lowTotal || total < m_lowTotal->key)) {
                    m_lowTotal = Holder{static_cast<double>(total), v.battingTeam, NumText(total)};
                }
            }
        }
        if (v.fieldingCounts) {
            for (int line = 1; line <= pass.bowlersPerTeam(); ++line) {
                const BowlingLine& b = v.innings.bowling[static_cast<std::size_t>(line)];
                if (b.wickets < 1 || !holderAllowed(pass, b.bowler)) {
                    continue;
                }
                if (!m_bestInnings || b.wickets > m_bestWickets ||
                    (b.wickets == m_bestWickets && b.runsConceded < m_bestRuns)) {
                    m_bestWickets = b.wickets;
                    m_bestRuns = b.runsConceded;
                    m_bestInnings = Holder{0, b.bowler, NumText(b.wickets) + "-" + std::to_string(b.runsConceded)};
                }
            }
        }
    }

    void specialEvent(ReportPass& pass, const InningsView&, std::int32_t player, std::string_view event) override
    {
        if (event.substr(0, 3) == "Hat" && holderAllowed(pass, player)) {
            m_hatTricks.push_back(player);
        }
    }

    void rankPlayer(ReportPass& pass, std::int32_t p, const PlayerRecord&, const PlayerRow& row) override
    {
        const StatsRequest& r = pass.request();
        const std::int64_t qualifier = r.battingByInnings ? row.innings() : row[Dismissals];
        if (row[Runs] >= 1 && row[Runs] >= r.battingMinRuns && qualifier >= r.battingMinInnings) {
            const std::int64_t average = battingAverage(row);
            if (!m_battingAverage || static_cast<double>(average) > m_battingAverage->key) {
                m_battingAverage = Holder{static_cast<double>(average), p, trimmed(averageText(average))};
            }
        }
        if (row[Runs] > 0 && (!m_aggregate || static_cast<double>(row[Runs]) > m_aggregate->key)) {
            m_aggregate = Holder{static_cast<double>(row[Runs]), p, NumText(row[Runs])};
        }
        if (row[Wickets] >= 1 && row[Wickets] >= r.bowlingMinWickets) {
            const std::int64_t average = bowlingAverage(row);
            if (average < 99900 && (!m_bowlingAverage || static_cast<double>(average) < m_bowlingAverage->key)) {
                m_bowlingAverage = Holder{static_cast<double>(average), p, trimmed(averageText(average))};
            }
        }
        if (row[Wickets] >= 1 && (!m_wickets || row[Wickets] > m_mostWickets ||
                                  (row[Wickets] == m_mostWickets && row[RunsConceded] < m_mostWicketsRuns))) {
            m_mostWickets = row[Wickets];
            m_mostWicketsRuns = row[RunsConceded];
            m_wickets = Holder{0, p, NumText(row[Wickets])};
        }
        if (row[Catches] > 0 && (!m_catches || static_cast<double>(row[Catches]) > m_catches->key)) {
            m_catches = Holder{static_cast<double>(row[Catches]), p, NumText(row[Catches])};
        }
    }

    void finishReport(ReportPass& pass, ReportText& text) override
    {
        text.lines.clear();
        auto playerRow = [&](const char* label, const std::optional<Holder>& h, bool average) {
            std::string holder;
            if (h) {
                holder = cut(pass.workingSet().read<PlayerRecord>(h->entry).reportName.raw(), 18) +
                         FitText(pass.recordName(ClubName, pass.playerClub(h->entry)), 12);
            }
            text.lines.push_back(FitText(label, 26) + " " + FitText(holder, 35) + (average ? " " : "") +
                                 FitText(h ? h->figure : "", 8));
        };
        auto teamRow = [&](const char* label, const std::optional<Holder>& h) {
            std::string holder;
            if (h) {
                holder = FitText(pass.recordName(TeamName, h->entry), 17) + " " +
                         FitText(pass.recordName(ClubName, pass.teamClub(h->entry)), 12);
            }
            text.lines.push_back(FitText(label, 26) + " " + FitText(holder, 35) + FitText(h ? h->figure : "", 8));
        };
        playerRow("Best Batting Average", m_battingAverage, true);
        playerRow("Highest Score", m_highScore, false);
        playerRow("Best Batting Aggregate", m_aggregate, false);
        playerRow("Best Bowling Average", m_bowlingAverage, true);
        playerRow("Most Wickets", m_wickets, false);
        playerRow("Most Wickets in Innings", m_bestInnings, false);
        playerRow("Most Catches", m_catches, false);
        for (const std::int32_t p : m_hatTricks) {
            text.lines.push_back(FitText("Hat Trick", 27) +
                                 cut(pass.workingSet().read<PlayerRecord>(p).reportName.raw(), 17) + " " +
                                 cut(pass.recordName(ClubName, pass.playerClub(p)), 16) + " " + NumText(1));
        }
        teamRow("Highest Innings Score", m_highTotal);
        teamRow("Lowest Innings Score", m_lowTotal);
    }

private:
    struct Holder
    {
        double key = 0;
        std::int32_t entry = 0;
        std::string figure;
    };

    static std::string trimmed(const std::string& s) { return ltrimBlanks(s); }

    // Holders of the single-innings rows pass the rating filter and belong to the subject club.
    static bool holderAllowed(ReportPass& pass, std::int32_t player)
    {
        return pass.playerListed(player) &&
               (pass.request().subjectClub == 0 || pass.playerClub(player) == pass.request().subjectClub);
    }

    std::optional<Holder> m_battingAverage, m_highScore, m_aggregate, m_bowlingAverage, m_wickets, m_bestInnings,
        m_catches, m_highTotal, m_lowTotal;
    std::int64_t m_mostWickets = 0, m_mostWicketsRuns = 0;
    std::int64_t m_bestWickets = 0, m_bestRuns = 999;
    std::vector<std::int32_t> m_hatTricks;
};

} // namespace

std::unique_ptr<ReportProducer> makeTeamReport(int kind)
{
    switch (kind) {
    case TopInningsScores:
    case LowestInningsScores: return std::make_unique<TeamInningsReport>(kind);
    case MatchResults:
    case CompetitionPoints: return std::make_unique<ResultsReport>(kind);
    case HonoursSummary: return std::make_unique<HonoursReport>();
    default: return nullptr;
    }
}

} // namespace wickly::stats
