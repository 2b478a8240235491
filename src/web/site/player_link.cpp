#include "player_link.h"

#include "fixed_text.h"
#include "lines_per_team.h"
#include "page_blocks.h"
#include "records.h"
#include "working_set.h"

#include <algorithm>

namespace wickly::site {

namespace {

// The name as a player record holds it: the report name without trailing blanks (zero bytes of
// a never-assigned field count as blanks).
std::string storedName(const PlayerRecord& p)
{
    std::string name = p.reportName.raw();
    std::replace(name.begin(), name.end(), '\0', ' ');
    return rtrimBlanks(name);
}

// The name a line shows without its marks: trailing blanks, then a trailing "+", then a trailing
// "*"; and in front, blanks and the captain's or keeper's mark of a scorecard batting line.
std::string bareName(std::string_view name)
{
    std::string s = rtrimBlanks(name);
    if (!s.empty() && s.back() == '+') {
        s.pop_back();
    }
    if (!s.empty() && s.back() == '*') {
        s.pop_back();
    }
    std::size_t start = s.find_first_not_of(' ');
    if (start == std::string::npos) {
        return {};
    }
    if (s.compare(start, 2, "*+") == 0) {
        start += 2;
    } else if (s[start] == '*' || s[start] == '+') {
        start += 1;
    }
    start = s.find_first_not_of(' ', start);
    return start == std::string::npos ? std::string() : s.substr(start);
}

} // namespace

PlayerLinker::PlayerLinker(const WorkingSet& ws, std::string prefix, bool listActive, std::int32_t subjectClub)
    : m_ws(ws), m_prefix(std::move(prefix)), m_listActive(listActive), m_subjectClub(subjectClub)
{
    const std::int32_t count = ws.count(RecordKind::Player);
    m_players.resize(static_cast<std::size_t>(count) + 1);
    for (std::int32_t p = 1; p <= count; ++p) {
        const PlayerRecord record = ws.read<PlayerRecord>(p);
        Player& player = m_players[static_cast<std::size_t>(p)];
        player.name = storedName(record);
        player.club = record.club;
        player.active = record.active >= 1;
        m_byName.emplace(player.name, p); // keeps the first of a name
    }
}

void PlayerLinker::setHasPage(std::int32_t player, bool hasPage)
{
    if (player >= 1 && static_cast<std::size_t>(player) < m_players.size()) {
        m_players[static_cast<std::size_t>(player)].hasPage = hasPage;
    }
}

void PlayerLinker::setCurrentMatch(std::int32_t match)
{
    m_match.clear();
    m_hasMatch = match >= 1;
    if (match < 1 || match > m_ws.count(RecordKind::Match)) {
        return;
    }
    const MatchRecord record = m_ws.read<MatchRecord>(match);
    const int batsmen = matches::BatsmenPerTeam(m_ws.header().options);
    const int bowlers = matches::BowlersPerTeam(m_ws.header().options);
    const auto valid = [this](std::int32_t p) { return p >= 1 && static_cast<std::size_t>(p) < m_players.size(); };
    for (int slot = 1; slot <= 4; ++slot) {
        const std::int32_t number = record.innings[static_cast<std::size_t>(slot)];
        if (number < 1 || number > m_ws.count(RecordKind::Innings)) {
            continue;
        }
        const InningsRecord innings = m_ws.read<InningsRecord>(number);
        InningsPlayers players;
        for (int k = 1; k <= batsmen; ++k) {
            const std::int32_t p = innings.batting[static_cast<std::size_t>(k)].batsman;
            if (valid(p)) {
                players.batsmen.push_back(p);
            }
        }
        for (int k = 1; k <= bowlers; ++k) {
            const std::int32_t p = innings.bowling[static_cast<std::size_t>(k)].bowler;
            if (valid(p)) {
                players.bowlers.push_back(p);
            }
        }
        m_match.push_back(std::move(players));
    }
}

std::int32_t PlayerLinker::find(std::string_view name) const
{
    const std::string s = bareName(name);
    if (s.empty() || s == "#") {
        return 0;
    }
    if (!m_hasMatch) {
        const auto it = m_byName.find(s);
        return it == m_byName.end() ? 0 : it->second;
    }
    // The last entry of a list that matches counts; the bowlers only when no batsman did.
    const auto lastOf = [&](const std::vector<std::int32_t>& list) {
        std::int32_t found = 0;
        for (const std::int32_t p : list) {
            if (m_players[static_cast<std::size_t>(p)].name == s) {
                found = p;
            }
        }
        return found;
    };
    for (const InningsPlayers& innings : m_match) {
        std::int32_t found = lastOf(innings.batsmen);
        if (found == 0) {
            found = lastOf(innings.bowlers);
        }
        if (found != 0) {
            return found;
        }
    }
    return 0;
}

std::string PlayerLinker::operator()(std::string_view name) const
{
    const std::int32_t p = find(name);
    if (p == 0) {
        return {};
    }
    const Player& player = m_players[static_cast<std::size_t>(p)];
    if (!player.hasPage || (m_listActive && !player.active) || (m_subjectClub != 0 && player.club != m_subjectClub)) {
        return {};
    }
    return "<a href=\"" + web::HtmlAttribute(m_prefix) + std::to_string(p) + ".htm\">" +
           web::HtmlText(rtrimBlanks(name)) + "</a>";
}

} // namespace wickly::site
