#pragma once
// The rule that turns a player's name in a generated page into a link to that player's page.
// Report lines and scorecards show names as fixed-width text, so the name is looked up: among the
// players of the match whose scorecard is being written, or else among all players.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace wickly {
class WorkingSet;
}

namespace wickly::site {

class PlayerLinker
{
public:
    // `prefix` is the file prefix of the site; `listActive` and `subjectClub` are the statistics
    // window's "Active" choice and report-subject club (0 for all clubs), whose players alone
    // are linked. Reads every player record once.
    PlayerLinker(const WorkingSet& ws, std::string prefix, bool listActive, std::int32_t subjectClub);

    // Only players whose page is written are linked, so a site never holds a link to a missing
    // page (no player pages at all when the "Players" pages are not made).
    void setHasPage(std::int32_t player, bool hasPage);

    // The match whose scorecard is being written (0: none). Names are then looked up among the
    // batsmen and bowlers of its innings, so a name shared by players of two clubs links to the
    // one who played in it.
    void setCurrentMatch(std::int32_t match);

    // "<a href="PREFIXn.htm">name</a>" for a name that finds a linked player, else empty. The
    // name shown is the one given, trailing blanks removed, escaped for HTML.
    std::string operator()(std::string_view name) const;

    // The player a name stands for, 0 for none: trailing blanks and a trailing "+" then "*" mark
    // are removed, and leading blanks with a captain's or keeper's mark ("*+", "*", "+") in front
    // of it, as scorecard lines put them.
    std::int32_t find(std::string_view name) const;

private:
    struct Player
    {
        std::string name; // report name without trailing blanks
        std::int16_t club = 0;
        bool active = false;
        bool hasPage = false;
    };

    const WorkingSet& m_ws;
    std::string m_prefix;
    bool m_listActive;
    std::int32_t m_subjectClub;
    std::vector<Player> m_players;                          // index = record number
    std::unordered_map<std::string, std::int32_t> m_byName; // first player of each name
    struct InningsPlayers
    {
        std::vector<std::int32_t> batsmen; // batting lines 1..batsmen per team, valid numbers only
        std::vector<std::int32_t> bowlers;
    };
    std::vector<InningsPlayers> m_match; // the current match's innings, in slot order
    // A current match is set: names are then looked up among its players only, even when none of
    // its innings could be read.
    bool m_hasMatch = false;
};

} // namespace wickly::site
