#include "match_form.h"

#include "formats.h"
#include "innings_summary.h"
#include "lookups.h"
#include "record_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace wickly::matches {

const std::array<const char*, 4> MatchForm::kMatchTypes = {"1-day Match", "2-day Match", "4-day Match", "5-day Match"};

// ---- EntryList ----------------------------------------------------------------------------------

std::int32_t EntryList::selectedRecord() const
{
    if (selected < 0 || selected >= static_cast<int>(entries.size())) {
        return 0;
    }
    return entries[static_cast<std::size_t>(selected)].record;
}

bool EntryList::selectRecord(std::int32_t record)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].record == record) {
            selected = static_cast<int>(i);
            return true;
        }
    }
    selected = -1;
    return false;
}

void EntryList::clear()
{
    entries.clear();
    selected = -1;
}

namespace {

// A choice from a list: the index when it names an entry, else -1.
int validIndex(int index, std::size_t size)
{
    return index >= 0 && static_cast<std::size_t>(index) < size ? index : -1;
}

} // namespace

std::string BonusText(std::int16_t hundredths)
{
    const int value = hundredths;
    const int magnitude = std::abs(value);
    std::string text = (value < 0 ? "-" : "") + std::to_string(magnitude / 100);
    const int fraction = magnitude % 100;
    if (fraction % 10 != 0) {
        text += "." + std::string(fraction < 10 ? "0" : "") + std::to_string(fraction);
    } else if (fraction != 0) {
        text += "." + std::to_string(fraction / 10);
    }
    return text;
}

// ---- Opening ------------------------------------------------------------------------------------

namespace {

// The named records of a list file in record order; deleted ones and, for grounds, those
// without a name are left out.
template <class R> std::vector<Entry> namedRecords(const WorkingSet& ws)
{
    std::vector<Entry> entries;
    RecordReader reader(ws, R::kind);
    const std::int32_t count = ws.count(R::kind);
    for (std::int32_t n = 1; n <= count; ++n) {
        const std::string name = reader.read<R>(n).name.raw();
        if (isDeletedName(name) || (R::kind == RecordKind::Ground && isBlankText(name))) {
            continue;
        }
        entries.push_back({rtrimBlanks(name), n});
    }
    return entries;
}

std::vector<FormPlayer> formPlayers(const WorkingSet& ws)
{
    const std::int32_t count = ws.count(RecordKind::Player);
    std::vector<FormPlayer> players(static_cast<std::size_t>(std::max(count, 0)) + 1);
    RecordReader reader(ws, RecordKind::Player);
    PlayerRecord p;
    for (std::int32_t n = 1; n <= count; ++n) {
        reader.readInto(n, p);
        FormPlayer& f = players[static_cast<std::size_t>(n)];
        f.entry = {FitText(PlayerListName(p), 50), n};
        f.club = p.club;
        f.deleted = isDeletedName(p.reportName.raw());
        f.active = p.active > 0;
    }
    return players;
}

} // namespace

FormSource FormSource::read(const WorkingSet& ws)
{
    FormSource source;
    source.teams = namedRecords<TeamRecord>(ws);
    source.grounds = namedRecords<GroundRecord>(ws);
    source.grades = namedRecords<GradeRecord>(ws);
    source.players = formPlayers(ws);
    return source;
}

MatchForm::MatchForm(AppState& app, std::int32_t match, const FormSource* source)
    : m_app(app), m_ws(app), m_source(source), m_match(match)
{
    const DatabaseOptions& o = m_app.header.options;
    ballsPerOver = std::to_string(o.ballsPerOver);
    runsPerWide = std::to_string(o.runsPerWide);
    runsPerNoBall = std::to_string(o.runsPerNoBall);
    resultsEnabled = false;

    teams[0].team.entries = source ? source->teams : namedRecords<TeamRecord>(m_ws);
    teams[1].team.entries = teams[0].team.entries;
    grounds.entries = source ? source->grounds : namedRecords<GroundRecord>(m_ws);
    grades.entries = source ? source->grades : namedRecords<GradeRecord>(m_ws);

    if (m_match > 0) {
        LoadMatch();
    }
    changed = false;
    ComputeInningsSummary();
}

void MatchForm::LoadMatch()
{
    const MatchRecord m = m_ws.read<MatchRecord>(m_match);
    matchTypeChosen(m.matchType >= 1 && m.matchType <= 4 ? m.matchType - 1 : -1);
    if (m.ground > 0) {
        grounds.selectRecord(m.ground);
    }
    if (m.grade > 0) {
        grades.selectRecord(m.grade);
    }
    datePlayed = m.datePlayed.str();
    roundLabel = m.roundLabel.str();
    umpires = m.umpires.str();
    comment = m.comment.str();
    runsPerNoBall = std::to_string(m.runsPerNoBall);
    runsPerWide = std::to_string(m.runsPerWide);
    ballsPerOver = std::to_string(m.ballsPerOver);
    extrasAgainstBowlers = m.extrasAgainstBowlers != 0;
    teams[1].wonToss = m.team2WonToss != 0;
    teams[0].wonToss = !teams[1].wonToss;

    const std::int32_t teamCount = m_ws.count(RecordKind::Team);
    const std::array<std::int16_t, 2> storedTeams{m.team1, m.team2};
    for (int g = 0; g < 2; ++g) {
        const std::int16_t team = storedTeams[static_cast<std::size_t>(g)];
        if (team >= 1 && team <= teamCount) {
            EntryList& list = teams[static_cast<std::size_t>(g)].team;
            if (list.selectRecord(team)) {
                teamChosen(g, list.selected);
            }
        }
    }

    selectPlayer(teams[0].captain, m.captain1);
    selectPlayer(teams[1].captain, m.captain2);
    selectPlayer(teams[0].keeper, m.keeper1);
    selectPlayer(teams[1].keeper, m.keeper2);
    selectPlayer(manOfMatch, m.manOfMatch);

    if (m.result < static_cast<int>(results.size())) {
        result = m.result >= 0 ? m.result : -1;
    }
    for (std::size_t slot = 1; slot <= 4; ++slot) {
        innings[slot] = m.innings[slot];
    }
    teams[0].bonusPoints = BonusText(m.bonusPoints1);
    teams[1].bonusPoints = BonusText(m.bonusPoints2);
    followOnEnforced = m.followOnEnforced == 1;
}

// ---- Lists of players ---------------------------------------------------------------------------

Entry MatchForm::playerEntry(std::int32_t player) const
{
    if (m_source && player < static_cast<std::int32_t>(m_source->players.size())) {
        return m_source->players[static_cast<std::size_t>(player)].entry;
    }
    return {FitText(PlayerListName(m_ws.read<PlayerRecord>(player)), 50), player};
}

void MatchForm::selectPlayer(EntryList& list, std::int32_t player)
{
    if (player < 1 || player > m_ws.count(RecordKind::Player)) {
        return;
    }
    // A stored player who is not offered any more (an inactive one) is added back, so that
    // saving the match keeps him.
    if (!list.selectRecord(player)) {
        list.entries.push_back(playerEntry(player));
        list.selected = static_cast<int>(list.entries.size()) - 1;
    }
}

void MatchForm::fillPlayerLists(int group)
{
    TeamGroup& g = teams[static_cast<std::size_t>(group)];
    const std::int32_t thisTeam = g.team.selectedRecord();
    if (thisTeam == 0) {
        g.playersVisible = false;
        return;
    }
    const std::int16_t thisClub = TeamClub(m_ws, thisTeam);
    const std::int32_t otherTeam = teams[static_cast<std::size_t>(1 - group)].team.selectedRecord();
    // The other team's club, when a team is chosen there.
    const bool hasOther = otherTeam > 0;
    const std::int16_t otherClub = hasOther ? TeamClub(m_ws, otherTeam) : 0;
    const std::int16_t allow = m_app.header.options.allowPlayersClub;

    if (allow == 0 || allow == thisClub || (hasOther && allow == otherClub)) {
        const bool editing = m_match > 0;
        std::vector<FormPlayer> read;
        if (!m_source) {
            read = formPlayers(m_ws);
        }
        const std::vector<FormPlayer>& players = m_source ? m_source->players : read;
        for (std::size_t n = 1; n < players.size(); ++n) {
            const FormPlayer& p = players[n];
            if (p.deleted || !(p.active || editing)) {
                continue;
            }
            if (p.club == thisClub) {
                g.captain.entries.push_back(p.entry);
                g.keeper.entries.push_back(p.entry);
            }
            if (p.club == thisClub || (hasOther && p.club == otherClub)) {
                manOfMatch.entries.push_back(p.entry);
            }
        }
    }
    g.playersVisible = allow == 0 || allow == thisClub;
}

// ---- Reactions ----------------------------------------------------------------------------------

std::string MatchForm::teamName(int group) const
{
    const EntryList& list = teams[static_cast<std::size_t>(group)].team;
    if (list.selected < 0 || list.selected >= static_cast<int>(list.entries.size())) {
        return {};
    }
    return rtrimBlanks(std::string_view(list.entries[static_cast<std::size_t>(list.selected)].text).substr(0, 40));
}

std::array<std::int16_t, 2> MatchForm::teamClubs() const
{
    const std::int32_t t1 = teams[0].team.selectedRecord();
    const std::int32_t t2 = teams[1].team.selectedRecord();
    if (t1 == 0 || t2 == 0) {
        return {0, 0};
    }
    return {TeamClub(m_ws, t1), TeamClub(m_ws, t2)};
}

std::string MatchForm::resultText() const
{
    return result >= 0 && result < static_cast<int>(results.size()) ? results[static_cast<std::size_t>(result)]
                                                                    : std::string();
}

void MatchForm::update_matchresults()
{
    if (teams[0].team.selected < 0 || teams[1].team.selected < 0) {
        resultsEnabled = false;
        return;
    }
    resultsEnabled = true;
    results.clear();
    result = -1;
    std::string a = teamName(0);
    std::string b = teamName(1);
    if (a.empty()) {
        a = "Team A";
    }
    if (b.empty()) {
        b = "Team B";
    }
    results.push_back("No result");
    if (oneDay()) {
        results.insert(results.end(), {a + " Win", b + " Win", "Match Tied", "Match Drawn"});
    } else {
        results.insert(results.end(), {a + " Win Outright", b + " Win Outright", a + " Win 1st Innings",
                                       b + " Win 1st Innings", "Match Drawn", "Match Tied"});
    }
}

void MatchForm::matchTypeChosen(int index)
{
    matchType = validIndex(index, kMatchTypes.size());
    innings2Enabled = !oneDay();
    update_matchresults();
    changed = true;
    ComputeInningsSummary();
}

void MatchForm::teamChosen(int group, int index)
{
    if (group < 0 || group > 1) {
        return;
    }
    TeamGroup& g = teams[static_cast<std::size_t>(group)];
    g.team.selected = validIndex(index, g.team.entries.size());
    g.captain.clear();
    g.keeper.clear();
    manOfMatch.clear();
    update_matchresults();
    fillPlayerLists(group);
    changed = true;
    ComputeInningsSummary();
}

void MatchForm::groundChosen(int index)
{
    grounds.selected = validIndex(index, grounds.entries.size());
    changed = true;
}

void MatchForm::gradeChosen(int index)
{
    grades.selected = validIndex(index, grades.entries.size());
    changed = true;
}

void MatchForm::captainChosen(int group, int index)
{
    if (group == 0 || group == 1) {
        EntryList& list = teams[static_cast<std::size_t>(group)].captain;
        list.selected = validIndex(index, list.entries.size());
        changed = true;
    }
}

void MatchForm::keeperChosen(int group, int index)
{
    if (group == 0 || group == 1) {
        EntryList& list = teams[static_cast<std::size_t>(group)].keeper;
        list.selected = validIndex(index, list.entries.size());
        changed = true;
    }
}

void MatchForm::manOfMatchChosen(int index)
{
    manOfMatch.selected = validIndex(index, manOfMatch.entries.size());
    changed = true;
}

void MatchForm::resultChosen(int index)
{
    result = validIndex(index, results.size());
    changed = true;
    ComputeInningsSummary();
}

void MatchForm::tossChosen(int group)
{
    if (group == 0 || group == 1) {
        teams[static_cast<std::size_t>(group)].wonToss = true;
        teams[static_cast<std::size_t>(1 - group)].wonToss = false;
        changed = true;
    }
}

void MatchForm::followOnToggled(bool checked)
{
    followOnEnforced = checked;
    changed = true;
    ComputeInningsSummary();
}

void MatchForm::extrasAgainstBowlersToggled(bool checked)
{
    extrasAgainstBowlers = checked;
    changed = true;
    ComputeInningsSummary();
}

std::string& MatchForm::fieldText(FormField field)
{
    switch (field) {
    case FormField::Date: return datePlayed;
    case FormField::Round: return roundLabel;
    case FormField::Umpires: return umpires;
    case FormField::Comment: return comment;
    case FormField::BallsPerOver: return ballsPerOver;
    case FormField::RunsPerWide: return runsPerWide;
    case FormField::RunsPerNoBall: return runsPerNoBall;
    case FormField::Bonus1: return teams[0].bonusPoints;
    case FormField::Bonus2: return teams[1].bonusPoints;
    }
    return datePlayed;
}

void MatchForm::fieldEdited(FormField field, const std::string& text)
{
    // Every field is part of the saved match, so any edit is a change that closing must not drop.
    fieldText(field) = text;
    changed = true;
}

// ---- Summary and record ------------------------------------------------------------------------

namespace {

// A scoring number for the summary: the typed number, or 0 when it is far outside any sensible
// value (OK refuses those before anything is stored).
double scoringNumber(const std::string& text)
{
    const double v = FormNumber(text);
    return v >= 0 && v <= 255 ? v : 0;
}

} // namespace

void MatchForm::ComputeInningsSummary()
{
    SummaryInput in;
    in.matchType = matchType;
    const std::array<std::int16_t, 2> clubs = teamClubs();
    in.club1 = clubs[0];
    in.club2 = clubs[1];
    in.innings = innings;
    in.result = result;
    in.followOnEnforced = followOnEnforced;
    in.extrasAgainstBowlers = extrasAgainstBowlers;
    in.ballsPerOver = static_cast<int>(scoringNumber(ballsPerOver));
    in.runsPerWide = scoringNumber(runsPerWide);
    in.runsPerNoBall = scoringNumber(runsPerNoBall);

    const SummaryOutput out = matches::ComputeInningsSummary(m_ws, in);
    for (std::size_t slot = 1; slot <= 4; ++slot) {
        if (out.lines[slot]) {
            summaryLines[slot] = *out.lines[slot];
        }
    }
    if (out.followOnEnabled) {
        followOnEnabled = *out.followOnEnabled;
    }
    margin = out.margin;
}

MatchRecord MatchForm::buildRecord() const
{
    const auto hundredths = [](const std::string& text) {
        const double v = RoundHalfEven(ValText(text) * 100.0);
        return static_cast<std::int16_t>(v >= -32768 && v <= 32767 ? v : 0);
    };
    const auto byte = [](const std::string& text) {
        const double v = FormNumber(text);
        return static_cast<std::uint8_t>(v >= 0 && v <= 255 ? v : 0);
    };
    const auto number = [](std::int32_t record) { return static_cast<std::int16_t>(record); };

    MatchRecord m; // every field zero
    m.matchType = static_cast<std::int16_t>(matchType + 1);
    m.team1 = number(teams[0].team.selectedRecord());
    m.team2 = number(teams[1].team.selectedRecord());
    m.grade = number(grades.selectedRecord());
    m.ground = number(grounds.selectedRecord());
    m.datePlayed.assign(datePlayed);
    m.roundLabel.assign(roundLabel);
    m.umpires.assign(umpires);
    m.comment.assign(comment);
    m.result = static_cast<std::int16_t>(result);
    m.captain1 = number(teams[0].captain.selectedRecord());
    m.captain2 = number(teams[1].captain.selectedRecord());
    m.keeper1 = number(teams[0].keeper.selectedRecord());
    m.keeper2 = number(teams[1].keeper.selectedRecord());
    m.manOfMatch = number(manOfMatch.selectedRecord());
    m.bonusPoints1 = hundredths(teams[0].bonusPoints);
    m.bonusPoints2 = hundredths(teams[1].bonusPoints);
    m.followOnEnforced = followOnEnforced ? 1 : 0;
    m.team2WonToss = teams[1].wonToss ? -1 : 0;
    m.runsPerNoBall = byte(runsPerNoBall);
    m.runsPerWide = byte(runsPerWide);
    m.ballsPerOver = byte(ballsPerOver);
    m.extrasAgainstBowlers = extrasAgainstBowlers ? 1 : 0;
    for (std::size_t slot = 1; slot <= 4; ++slot) {
        m.innings[slot] = innings[slot];
    }
    return m;
}

} // namespace wickly::matches
