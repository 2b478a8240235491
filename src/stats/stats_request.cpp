#include "stats_request.h"

#include "fixed_text.h"
#include "formats.h"
#include "records.h"

#include <array>

namespace wickly::stats {

namespace {

constexpr const char* kPlayerHeadingStart = "    Name               Club    ";
constexpr const char* kTeamScoresHeading =
    "    Team               Club    Date      Opposition   Ground                     Runs";

// clang-format off
constexpr std::array<CatalogueEntry, kReportKindCount> kCatalogue{{
    {"Individual:Complete Stats", "", ""},
    {"Individual:Points Scores", "Top Points Scorers", "Mts Runs  Wkts Ct  St  RO  ARO M/M Points"},
    {"Individual:Longest Serving", "Longest Serving Players", "Mts Duration   Years"},
    {"Individual:Most Matches", "Most Matches Played", "Matches"},
    {"Individual:Youngest Players Today", "Youngest Players Today", "Mts DOB       Age"},
    {"Individual:Complete Summary", "Complete Player Summary", "Mts Inn NO HS   50 100 Avg   Runs  Ovs  RunsA BBowl  5I 10 Avg   Wkt Ct  St RO"},
    {"Batting:Top Run Aggregates", "Top Run Aggregates", "Mts Inn NO Ct  50s 100s HS   Avg    Runs"},
    {"Batting:Top Run Scores", "Top Run Scores", "Date      Opposition   Ground                     Runs"},
    {"Batting:Most Runs in Season", "Most Runs in a Season", "Season   Mts Runs"},
    {"Batting:Top Batting Averages", "", "Mts Inn NO  Runs  Avg"},
    {"Batting:Top Strike Rates", "", "Mts Inn NO  Runs  Balls S/Rate"},
    {"Batting:Partnerships by Wkt", "Partnerships by Wicket", ""},
    {"Batting:Top Partnerships", "Top Partnerships", "    Name               Name              Club    Date      Opposition   Ground                     Runs"},
    {"Batting:Most 100's", "Most 100's", "Mts Inn Avg    100's"},
    {"Batting:Most 50's", "Most 50's", "Mts Inn Avg    50's"},
    {"Batting:100's on Debut", "100 on Debut", "Date      Opposition   Ground                     Score"},
    {"Batting:100 in Both Innings", "Two Centuries in a Match", "Date      Opposition   Ground                     INN1 INN2"},
    {"Batting:Carrying the Bat", "Carrying the Bat", "Date      Opposition   Ground                     Score"},
    {"Batting:Most Ducks", "Most Ducks", "Mts Inn DI% Ducks"},
    {"Bowling:Top Wicket Takers", "Top Wicket Takers", "Mts Ov's Runs  5I 10M BBowl  Econ  Avg    Wkts"},
    {"Bowling:Best Bowling in an Innings", "Best Bowling in an Innings", "Date      Opposition   Ground                     Figures"},
    {"Bowling:Top Bowling Averages", "", "Mts Overs Maids Runs  Wkt's Avg"},
    {"Bowling:Most Wickets in a Season", "Most Wickets in a Season", "Season   Mts Wkt's"},
    {"Bowling:Top Economy Rates", "", "Mts Overs Maids Runs  Wkt's Econ"},
    {"Bowling:Top Strike Rates", "", "Mts Overs Maids Runs  Wkt's S/Rate"},
    {"Bowling:Hat Tricks", "Hat Tricks", "Date      Opposition   Ground                     HT's"},
    {"Bowling:Most 10 Wkt Matches", "Most 10 Wicket Matches", "Mts Overs Avg    10WM"},
    {"Bowling:Most 5 Wkt Innings", "Most 5 Wicket Innings", "Mts Overs Avg    5WI"},
    {"All-Rounders", "", "Mts Wkts  Runs"},
    {"Fielding:Top Catches", "Top Catches", "Mts Catches"},
    {"Fielding:Top Catches by Fieldsmen", "Top Catches by Fieldsmen", "Mts Catches"},
    {"Fielding:Most Catches in a Match", "Most Catches in a Match", "Date      Opposition   Ground                     Catches"},
    {"Fielding:Most Catches in a Season", "Most Catches in a Season", "Season   Mts Catches"},
    {"Fielding:Dropped Catches", "Most Dropped Catches", "Mts Caught Drop% Dropped"},
    {"Fielding:Top Runouts", "Top Runouts", "Mts Runouts"},
    {"Fielding:Top Wkt Keeping", "Top Wicket Keeping", "Mts Catch Stump Total"},
    {"Captains:Most Wins", "Captain's Results", "Caps NR/Dr Lost  WIN%   Wins"},
    {"Team:Top Innings Scores", "Highest Innings Scores", kTeamScoresHeading},
    {"Team:Lowest Innings Scores", "Lowest Completed Innings Scores", kTeamScoresHeading},
    {"Team:Match Results", "Match Results", "Team                 Opposition        Plyd Wo/r W1st Draw Tie  Loss NR Win%"},
    {"Honours Summary", "Honours Summary", "Statistic                  Name              Club             Figures"},
    {"Competition Points Table", "Competition Points", "Team                 Plyd Wo/r W1st Draw Tie  Loss NR   Points"},
    {"**Generate Web Pages**", "", ""},
}};
// clang-format on

// "yyyymmdd" back to "dd/mm/yyyy" (for the subtitle of a selection without matches).
std::string dateFromKey(const std::string& key)
{
    if (key.size() != 8) {
        return key;
    }
    return key.substr(6, 2) + "/" + key.substr(4, 2) + "/" + key.substr(0, 4);
}

} // namespace

const CatalogueEntry& catalogueEntry(int kind)
{
    return kCatalogue.at(static_cast<std::size_t>(kind));
}

std::string DateKey(std::string_view date)
{
    auto part = [&](std::size_t from, std::size_t n) {
        return from < date.size() ? std::string(date.substr(from, n)) : std::string();
    };
    return part(6, 4) + part(3, 2) + part(0, 2);
}

bool reportAvailable(int kind)
{
    return kind >= CompleteStats && kind <= GenerateWebPages;
}

bool MatchFilter::passesDate(const MatchRecord& match)
{
    // A deleted match ("00/00/0000") is no match at all, whatever the date range.
    if (!IsLiveMatch(match)) {
        return false;
    }
    const std::string date = match.datePlayed.str();
    const std::string key = DateKey(date);
    if (key < m_request.dateFrom || key > m_request.dateTo) {
        return false;
    }
    if (m_earliestKey.empty() || key < m_earliestKey) {
        m_earliestKey = key;
        m_earliest = date;
    }
    if (m_latestKey.empty() || key > m_latestKey) {
        m_latestKey = key;
        m_latest = date;
    }
    return true;
}

bool MatchFilter::passesRest(const MatchRecord& m, std::int32_t club1, std::int32_t club2) const
{
    const StatsRequest& r = m_request;
    if (r.matchType != 0 && r.matchType != m.matchType) {
        return false;
    }
    if (r.subject != 0 && r.subject != m.team1 && r.subject != m.team2) {
        return false;
    }
    if (r.vsClub != 0 && r.vsClub != club1 && r.vsClub != club2) {
        return false;
    }
    if (r.ground != 0 && r.ground != m.ground) {
        return false;
    }
    if (r.grade != 0 && r.grade != m.grade) {
        return false;
    }
    if (r.subjectClub != 0 && r.subjectClub != club1 && r.subjectClub != club2) {
        return false;
    }
    return true;
}

std::string ReportSubtitle(const StatsRequest& r, const MatchFilter& filter)
{
    auto name = [](const std::string& n) { return rtrimBlanks(n.substr(0, 40)); };
    std::string s = kMatchTypeTexts[(r.matchType >= 0 && r.matchType <= 4) ? r.matchType : 0];
    for (const std::string* chosen : {&r.gradeName, &r.teamName, &r.subjectClubName}) {
        if (!chosen->empty()) {
            s += ", " + name(*chosen);
        }
    }
    if (!r.vsClubName.empty()) {
        s += " Vs " + name(r.vsClubName);
    }
    if (!r.groundName.empty()) {
        s += " at " + name(r.groundName);
    }
    s += "\r\n";
    // Without a single match in the date range, the range asked for is shown.
    const std::string from = filter.earliest().empty() ? dateFromKey(r.dateFrom) : filter.earliest();
    const std::string to = filter.latest().empty() ? dateFromKey(r.dateTo) : filter.latest();
    s += MediumDate(from) + " to " + MediumDate(to);
    if (r.firstInningsOnly) {
        s += ", 1st Inns. Only";
    }
    return s;
}

std::string ReportTitle(const StatsRequest& r)
{
    const std::string batting = NumText(r.battingMinRuns) + "runs" + NumText(r.battingMinInnings) +
                                (r.battingByInnings ? "inn's" : "dismissals");
    const std::string bowling = NumText(r.bowlingMinWickets) + "wkts" + NumText(r.bowlingMinOvers) + "ov's";
    switch (r.reportKind) {
    case TopBattingAverages: return "Top Batting Averages min:" + batting;
    case TopBattingStrikeRates: return "Top Strike Rates min:" + batting;
    case TopBowlingAverages: return "Top Bowling Averages min:" + bowling;
    case TopEconomyRates: return "Top Economy Rates min:" + bowling;
    case TopBowlingStrikeRates: return "Top Strike Rates min:" + bowling;
    case AllRounders:
        return "All-Rounders min:" + NumText(r.allRoundMinRuns) + "runs" + NumText(r.allRoundMinWickets) + "wkts";
    default: return catalogueEntry(r.reportKind).title;
    }
}

std::string ReportHeading(int kind)
{
    const std::string own = catalogueEntry(kind).heading;
    switch (kind) {
    case TopPartnerships:
    case TopInningsScores:
    case LowestInningsScores:
    case HonoursSummary:
    case PartnershipsByWicket:
    case MatchResults:
    case CompetitionPoints: return own;
    default: return kPlayerHeadingStart + own;
    }
}

} // namespace wickly::stats
