// A player's complete statistics sheet: totals over the selected matches (in match record
// order, as the ranked reports), the labelled lines, the players who dismissed him most and
// whom he dismissed most, and his centuries, ducks, five-wicket innings and ten-wicket matches
// in date order. One pass of the engine reads every included innings once, for one player or
// for a whole list of them.

#include "complete_statistics.h"

#include "database_header.h"
#include "fixed_text.h"
#include "formats.h"
#include "lookups.h"
#include "working_set.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace wickly::stats {

namespace {

bool isNotOutCode(int howOut)
{
    return howOut == NotOut || howOut == RetiredHurt || howOut == RetiredNotOut;
}

std::string dateOfKey(const std::string& key)
{
    return key.size() == 8 ? key.substr(6, 2) + "/" + key.substr(4, 2) + "/" + key.substr(0, 4) : key;
}

// A figure in hundredths as the sheet prints it: FormatAverage without its leading blanks.
std::string figure(std::int64_t hundredths)
{
    return ltrimBlanks(FormatAverage(HundredthsValue(hundredths)));
}

// One player's sheet: his totals, the lists of his innings, and who dismissed him and whom he
// dismissed, filled line by line as the pass reads the innings.
class Sheet
{
public:
    Sheet(const WorkingSet& ws, const StatsRequest& request, std::int32_t player)
    {
        m_player = ws.read<PlayerRecord>(player);
        const int ballsPerOver = ws.header().options.ballsPerOver > 0 ? ws.header().options.ballsPerOver : 6;
        if (request.includeHistory) {
            const PlayerHistory& h = m_player.history;
            t.matches = h.matches;
            t.dismissals = h.innings - h.notOuts;
            t.notOuts = h.notOuts;
            t.runs = h.runs;
            t.highScore = h.highScore;
            t.highNotOut = h.highScoreNotOut != 0;
            t.hasHigh = h.innings > 0;
            t.catches = h.catches;
            t.runOuts = h.runOuts;
            t.stumpings = h.stumpings;
            t.fifties = h.fifties;
            t.hundreds = h.hundreds;
            t.wickets = h.wickets;
            t.fiveWickets = h.fiveWicketInnings;
            t.tenWickets = h.tenWicketMatches;
            t.runsConceded = h.runsAgainst;
            const std::int16_t overs = std::max<std::int16_t>(h.overs, 0);
            t.overs.add(static_cast<float>(overs), ballsPerOver);
            t.ballsBowled = static_cast<std::int64_t>(overs) * ballsPerOver;
            t.ballsFaced = h.ballsFaced;
            if (h.bestBowlingWickets != 0 || h.bestBowlingRuns != 0) {
                t.bestWickets = h.bestBowlingWickets;
                t.bestRuns = h.bestBowlingRuns;
                t.hasBest = true;
            }
        }
    }

    // True the first time the sheet is touched in the current match (so that the producer
    // lists it once for matchDone).
    bool touch()
    {
        if (m_inMatch) {
            return false;
        }
        m_inMatch = true;
        m_played = false;
        m_matchWickets = 0;
        m_matchRuns = 0;
        return true;
    }

    template <typename Place>
    void batted(const BattingLine& b, const InningsView& v, const std::string& dateKey, Place&& place)
    {
        t.ballsFaced += b.ballsFaced;
        m_played = true;
        if (b.howOut <= 0) {
            return;
        }
        const bool notOut = isNotOutCode(b.howOut);
        // The bowler credited with his wicket (retirements and run outs name no bowler of his).
        if (isWicket(b.howOut) && b.howOut != RunOut && b.bowler >= 1) {
            ++m_dismissedBy[b.bowler];
        }
        t.runs += b.runs;
        // The first innings sets the high score (so that a first 0 names its match too).
        if (!t.hasHigh || b.runs > t.highScore || (b.runs == t.highScore && !t.highNotOut && notOut)) {
            t.hasHigh = true;
            t.highScore = b.runs;
            t.highNotOut = notOut;
            t.highDate = v.match->match.datePlayed.str();
            t.highOpposition = v.fieldingTeam;
        }
        if (b.runs > 99) {
            ++t.hundreds;
            m_centuryItems.push_back(
                {dateKey, FitText(NumText(b.runs) + (notOut ? "*" : ""), 6) + place(v.fieldingTeam)});
        } else if (b.runs > 49) {
            ++t.fifties;
        }
        if (notOut) {
            ++t.notOuts;
        } else {
            ++t.dismissals;
            if (b.runs == 0) {
                ++t.ducks;
                m_duckItems.push_back({dateKey, "      " + place(v.fieldingTeam)});
            }
        }
    }

    // He took the wicket of `batsman` as bowler.
    void dismissed(std::int32_t batsman) { ++m_dismissed[batsman]; }

    // He is credited in the field for a line ended by `howOut`.
    void fielded(int howOut)
    {
        if (howOut == Caught || howOut == CaughtAndBowled) {
            ++t.catches;
        } else if (howOut == RunOut) {
            ++t.runOuts;
        } else if (howOut == Stumped) {
            ++t.stumpings;
        }
        m_played = true;
    }

    template <typename Place>
    void bowled(const BowlingLine& b, const InningsView& v, const std::string& dateKey, Place&& place)
    {
        t.runsConceded += b.runsConceded;
        t.overs.add(b.overs, v.match->ballsPerOver);
        const std::int64_t balls = OversBalls(b.overs, v.match->ballsPerOver);
        t.ballsBowled += balls;
        if (b.wickets > 4) {
            ++t.fiveWickets;
            m_fiveWicketItems.push_back(
                {dateKey, FitText(NumText(b.wickets) + "-" + std::to_string(b.runsConceded), 8) + place(v.battingTeam)});
        }
        m_matchWickets += b.wickets;
        m_matchRuns += b.runsConceded;
        m_matchOpposition = v.battingTeam;
        t.wickets += b.wickets;
        if ((balls > 0 || b.wickets > 0) &&
            (!t.hasBest || b.wickets > t.bestWickets || (b.wickets == t.bestWickets && b.runsConceded < t.bestRuns))) {
            t.bestWickets = b.wickets;
            t.bestRuns = b.runsConceded;
            t.hasBest = true;
            t.bestDate = v.match->match.datePlayed.str();
            t.bestOpposition = v.battingTeam;
        }
        m_played = true;
    }

    void matchDone(ReportPass& pass, const MatchView& mv)
    {
        m_inMatch = false;
        if (m_matchWickets >= 10) {
            ++t.tenWickets;
            const MatchRecord& m = mv.match;
            m_tenWicketItems.push_back(
                {DateKey(m.datePlayed.str()), FitText(NumText(m_matchWickets) + "-" + std::to_string(m_matchRuns), 8) +
                                                  "Vs " + FitText(pass.recordName(TeamName, m_matchOpposition), 14) +
                                                  " " + FitText(pass.recordName(GroundName, m.ground), 22) + " " +
                                                  MediumDate(m.datePlayed.str())});
        }
        if (m_played) {
            ++t.matches;
        }
    }

    // The finished sheet. `text` comes with the pass's title, subtitle and heading; `earliest`
    // and `latest` are the date keys of the first and last match of the selection.
    CompleteStatistics finish(ReportPass& pass, ReportText text, const StatsRequest& r, const std::string& earliest,
                              const std::string& latest)
    {
        CompleteStatistics result;
        const WorkingSet& ws = pass.workingSet();
        const std::int32_t clubs = ws.count(RecordKind::Club);
        const bool hasClub = m_player.club >= 1 && m_player.club <= clubs;
        result.matches = t.matches;
        result.wickets = t.wickets;
        result.clubName = pass.recordName(ClubName, m_player.club);
        result.pageImages.picture = rtrimBlanks(m_player.pictureUrl.raw());
        if (hasClub) {
            const ClubRecord club = ws.read<ClubRecord>(m_player.club);
            result.pageImages.logo2 = rtrimBlanks(club.logoUrl.raw());
            result.pageImages.link2 = rtrimBlanks(club.clubUrl.raw());
        }

        std::string title = rtrimBlanks(m_player.firstName.raw()) + " " + m_player.lastName.raw();
        title = ltrimBlanks(rtrimBlanks(title));
        text.title = title.empty() ? rtrimBlanks(m_player.reportName.raw()) : title;
        text.heading = "Club: " + result.clubName;
        const std::string birth = rtrimBlanks(m_player.dateOfBirth.raw());
        if (ValText(birth) > 0) {
            text.heading += ", Born " + MediumDate(birth);
        }
        // Each further part of the filters starts a line of its own (CR LF, as every line break
        // of a report file).
        auto listText = [](const std::string& name) { return rtrimBlanks(name.substr(0, 40)); };
        text.subtitle = kMatchTypeTexts[(r.matchType >= 0 && r.matchType <= 4) ? r.matchType : 0];
        if (r.grade > 0) {
            text.subtitle += ", " + listText(r.gradeName);
        }
        if (r.vsClub > 0) {
            text.subtitle += "\r\nVs " + listText(r.vsClubName);
        }
        if (r.ground > 0) {
            text.subtitle += (r.vsClub != 0 ? " " : "\r\n") + std::string("at ") + listText(r.groundName);
        }
        text.subtitle += "\r\n" + MediumDate(dateOfKey(earliest)) + " to " + MediumDate(dateOfKey(latest));

        std::vector<std::string>& l = text.lines;
        l.clear();
        l.push_back(" Matches     " + NumText(t.matches));
        l.push_back(" Catches     " + NumText(t.catches));
        l.push_back(" Runouts     " + NumText(t.runOuts));
        if (t.stumpings > 0) {
            l.push_back(" Stumpings   " + NumText(t.stumpings));
        }
        l.push_back("");
        l.push_back("Batting");
        l.push_back(" Total Runs  " + NumText(t.runs) + "      50s:" + NumText(t.fifties) +
                    "  100s:" + NumText(t.hundreds));
        const std::int64_t innings = t.dismissals + t.notOuts;
        l.push_back(" Innings     " + NumText(innings));
        l.push_back(" Not Outs    " + NumText(t.notOuts));
        auto versus = [&](std::int32_t team, const std::string& date) {
            const std::int32_t club = team > 0 ? pass.teamClub(team) : 0;
            if (club < 1 || club > clubs) {
                return std::string();
            }
            return "Vs " + pass.recordName(ClubName, club) + " " +
                   SeasonOf(date, ws.header().options.seasonTwoYears != 0);
        };
        if (innings > 0) {
            l.push_back(" Average      " + figure(CutHundredths(std::max<std::int64_t>(t.runs, 0),
                                                                std::max<std::int64_t>(t.dismissals, 1))));
            if (r.showStrikeRates && t.ballsFaced > 0) {
                l.push_back(" Strike Rate  " +
                            figure(CutHundredths(std::max<std::int64_t>(t.runs, 0) * 100, t.ballsFaced)));
            }
            l.push_back(" High Score  " + NumText(t.highScore) + (t.highNotOut ? "*" : "") + " " +
                        versus(t.highOpposition, t.highDate));
            if (r.showDucks) {
                l.push_back(" Ducks       " + NumText(t.ducks));
            }
        }
        const bool namesShown = ws.header().options.allowPlayersClub < 1;
        if (namesShown) {
            if (const std::string most = mostOften(pass, m_dismissedBy); !most.empty()) {
                l.push_back(" Out most by  " + most);
            }
        }
        l.push_back("");
        l.push_back("Bowling");
        l.push_back(" Wickets     " + NumText(t.wickets) + "       5W/I:" + NumText(t.fiveWickets) +
                    "  10W/M:" + NumText(t.tenWickets));
        l.push_back(" Runs        " + NumText(t.runsConceded));
        l.push_back(" Overs       " + NumText(t.overs.overs));
        if (!t.overs.isZero()) {
            const std::int64_t runs = std::max<std::int64_t>(t.runsConceded, 0);
            l.push_back(" Average      " + figure(t.wickets > 0 ? CutHundredths(runs, t.wickets) : 0));
            l.push_back(" Economy Rate " + figure(EconomyHundredths(runs, t.overs, pass.ballsPerOver())));
            if (t.wickets > 0) {
                l.push_back(" Strike Rate  " +
                            figure(CutHundredths(std::max<std::int64_t>(t.ballsBowled, 0), t.wickets)));
            }
            // No spell with overs or a wicket (overs from history only): no best figures.
            l.push_back(" Best Bowling" + NumText(t.bestWickets) + "-" + std::to_string(t.hasBest ? t.bestRuns : 0) +
                        " " + versus(t.bestOpposition, t.bestDate));
            if (namesShown) {
                if (const std::string most = mostOften(pass, m_dismissed); !most.empty()) {
                    l.push_back(" Out most     " + most);
                }
            }
        }

        if (t.hundreds >= 1 || t.fiveWickets >= 1 || t.tenWickets >= 1 || t.ducks >= 1) {
            auto list = [&](bool shown, const char* listTitle, std::vector<Item>& items) {
                if (!shown) {
                    return;
                }
                l.push_back("");
                l.push_back(listTitle);
                // The statistics window's match list: date order, matches of one day in record order.
                std::stable_sort(items.begin(), items.end(),
                                 [](const Item& a, const Item& b) { return a.date < b.date; });
                for (const Item& item : items) {
                    l.push_back(item.text);
                }
            };
            list(t.hundreds > 0, "Centuries", m_centuryItems);
            list(r.showDucks && t.ducks > 0, "Ducks", m_duckItems);
            list(t.fiveWickets > 0, "Five Wickets in an Innings", m_fiveWicketItems);
            list(t.tenWickets > 0, "Ten Wickets in a Match", m_tenWicketItems);
        }
        result.text = std::move(text);
        return result;
    }

private:
    struct Totals
    {
        std::int64_t matches = 0, catches = 0, runOuts = 0, stumpings = 0;
        std::int64_t runs = 0, dismissals = 0, notOuts = 0, ballsFaced = 0, fifties = 0, hundreds = 0, ducks = 0;
        std::int64_t highScore = 0;
        bool highNotOut = false;
        bool hasHigh = false;
        std::string highDate;
        std::int32_t highOpposition = 0;
        std::int64_t wickets = 0, runsConceded = 0, ballsBowled = 0, fiveWickets = 0, tenWickets = 0;
        OversSum overs;
        std::int64_t bestWickets = 0, bestRuns = 999;
        bool hasBest = false;
        std::string bestDate;
        std::int32_t bestOpposition = 0;
    };
    struct Item
    {
        std::string date; // year-month-day
        std::string text;
    };
    // Dismissals by player record number (a player meets few others, so a map, not a table).
    using Counts = std::unordered_map<std::int32_t, std::int64_t>;

    // The players with the highest count (at least 1), in record order: "Name(3) ". Numbers
    // beyond the player file name no one.
    static std::string mostOften(ReportPass& pass, const Counts& counts)
    {
        std::int64_t best = 0;
        std::vector<std::int32_t> players;
        for (const auto& [player, count] : counts) {
            if (!pass.validPlayer(player) || count < best) {
                continue;
            }
            if (count > best) {
                best = count;
                players.clear();
            }
            players.push_back(player);
        }
        std::sort(players.begin(), players.end());
        std::string text;
        for (const std::int32_t p : players) {
            text += pass.recordName(PlayerReportName, p) + "(" + std::to_string(best) + ") ";
        }
        return text;
    }

    PlayerRecord m_player;
    Totals t;
    Counts m_dismissedBy, m_dismissed;
    std::vector<Item> m_centuryItems, m_duckItems, m_fiveWicketItems, m_tenWicketItems;
    bool m_inMatch = false;
    bool m_played = false;
    std::int64_t m_matchWickets = 0, m_matchRuns = 0;
    std::int32_t m_matchOpposition = 0;
};

// The sheets of a list of players, filled in one pass over the matches: each line of an innings
// goes to the sheets of the players it names.
class CompleteStatsProducer : public ReportProducer
{
public:
    CompleteStatsProducer(const WorkingSet& ws, const StatsRequest& request, const std::vector<std::int32_t>& players)
        : m_request(request)
    {
        m_sheetOf.assign(static_cast<std::size_t>(ws.count(RecordKind::Player)) + 1, -1);
        m_sheets.reserve(players.size());
        for (const std::int32_t p : players) {
            std::int32_t& sheet = m_sheetOf[static_cast<std::size_t>(p)];
            if (sheet < 0) {
                sheet = static_cast<std::int32_t>(m_sheets.size());
                m_sheets.emplace_back(ws, request, p);
            }
        }
    }

    bool selectsSides() const override { return true; } // the subject club is tested per line
    bool readsFiguresOnly() const override { return true; }

    void matchStarted(ReportPass&, const MatchView& mv) override
    {
        const std::int32_t vs = m_request.vsClub;
        m_skip = vs > 0 && mv.club1 != vs && mv.club2 != vs;
        if (m_skip) {
            return;
        }
        const std::string key = DateKey(mv.match.datePlayed.str());
        m_earliest = std::min(m_earliest, key);
        m_latest = std::max(m_latest, key);
    }

    void inningsRead(ReportPass& pass, const InningsView& v) override
    {
        if (m_skip) {
            return;
        }
        const MatchRecord& m = v.match->match;
        const std::string dateKey = DateKey(m.datePlayed.str());
        auto place = [&](std::int32_t opposition) {
            return "Vs " + FitText(pass.recordName(TeamName, opposition), 14) + " " +
                   FitText(pass.recordName(GroundName, m.ground), 22) + " " + MediumDate(m.datePlayed.str());
        };
        for (int line = 1; line <= pass.batsmenPerTeam(); ++line) {
            const BattingLine& b = v.innings.batting[static_cast<std::size_t>(line)];
            if (v.battingCounts) {
                if (Sheet* batsman = sheet(b.batsman)) {
                    batsman->batted(b, v, dateKey, place);
                }
            }
            if (!v.fieldingCounts) {
                continue;
            }
            // A wicket of the bowler's (the bowler field of a run out names a fielder, and
            // retirements are no dismissals).
            if (isWicket(b.howOut) && b.howOut != RunOut && pass.validPlayer(b.batsman)) {
                if (Sheet* bowler = sheet(b.bowler)) {
                    bowler->dismissed(b.batsman);
                }
            }
            // The fielder's credit, and the bowler's for a caught and bowled or a run out he
            // took himself; one credit when both name the same player.
            if (Sheet* fielder = sheet(b.fieldsman)) {
                fielder->fielded(b.howOut);
            }
            if ((b.howOut == CaughtAndBowled || b.howOut == RunOut) && b.bowler != b.fieldsman) {
                if (Sheet* bowler = sheet(b.bowler)) {
                    bowler->fielded(b.howOut);
                }
            }
        }
        if (!v.fieldingCounts) {
            return;
        }
        for (int line = 1; line <= pass.bowlersPerTeam(); ++line) {
            const BowlingLine& b = v.innings.bowling[static_cast<std::size_t>(line)];
            if (Sheet* bowler = sheet(b.bowler)) {
                bowler->bowled(b, v, dateKey, place);
            }
        }
    }

    void matchDone(ReportPass& pass, const MatchView& mv) override
    {
        if (m_skip) {
            return;
        }
        for (const std::int32_t s : m_touched) {
            m_sheets[static_cast<std::size_t>(s)].matchDone(pass, mv);
        }
        m_touched.clear();
    }

    void finishReport(ReportPass& pass, ReportText& text) override
    {
        results.reserve(m_sheets.size());
        for (Sheet& s : m_sheets) {
            results.push_back(s.finish(pass, text, m_request, m_earliest, m_latest));
        }
    }

    // The finished sheet of player `player` (one of those asked for).
    const CompleteStatistics& resultOf(std::int32_t player) const
    {
        return results[static_cast<std::size_t>(m_sheetOf[static_cast<std::size_t>(player)])];
    }

private:
    // The sheet of player record number `player`, touched for the current match; nullptr when he
    // is not asked for (or the number is no player's).
    Sheet* sheet(std::int32_t player)
    {
        if (player < 1 || static_cast<std::size_t>(player) >= m_sheetOf.size()) {
            return nullptr;
        }
        const std::int32_t s = m_sheetOf[static_cast<std::size_t>(player)];
        if (s < 0) {
            return nullptr;
        }
        Sheet& found = m_sheets[static_cast<std::size_t>(s)];
        if (found.touch()) {
            m_touched.push_back(s);
        }
        return &found;
    }

    const StatsRequest& m_request;
    std::vector<std::int32_t> m_sheetOf; // sheet index by player record number; -1 for none
    std::vector<Sheet> m_sheets;
    std::vector<std::int32_t> m_touched; // sheets touched in the current match
    std::vector<CompleteStatistics> results;
    bool m_skip = false;
    std::string m_earliest = "21000101", m_latest = "18000101";
};

} // namespace

std::vector<CompleteStatistics> ProcessINN(const WorkingSet& ws, const StatsRequest& request,
                                           const std::vector<std::int32_t>& players, ProgressFn progress)
{
    for (const std::int32_t p : players) {
        if (p < 1 || p > ws.count(RecordKind::Player)) {
            throw std::invalid_argument("no player " + std::to_string(p));
        }
    }
    // The sheets have no subject team: a player's lines count under the club tests alone.
    StatsRequest r = request;
    r.reportKind = CompleteStats;
    r.subject = 0;
    r.player = players.empty() ? 0 : players.front();
    CompleteStatsProducer producer(ws, r, players);
    ReportPass pass(ws, r, std::move(progress));
    (void)pass.run(producer);
    std::vector<CompleteStatistics> all;
    all.reserve(players.size());
    for (const std::int32_t p : players) {
        all.push_back(producer.resultOf(p));
    }
    return all;
}

CompleteStatistics ProcessINN(const WorkingSet& ws, const StatsRequest& request, ProgressFn progress)
{
    return std::move(ProcessINN(ws, request, {request.player}, std::move(progress)).front());
}

} // namespace wickly::stats
