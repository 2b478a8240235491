#pragma once
// A small two-club database for the match windows: clubs Northern (1), Southern (2) and
// Visitors (3); teams "Northern XI" (1, Northern), "Southern XI" (2, Southern) and "Visitors XI"
// (3, Visitors); players 1-3 of Northern (3 inactive), 4-5 of Southern, 6 of Visitors, and a
// deleted player 7 of Northern. Innings and matches are added by the tests.

#include "database_fixture.h"
#include "records.h"
#include "scripted_platform.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace wickly::test {

class MatchFixture : public TestDatabase
{
public:
    MatchFixture()
    {
        northern = addClub("Northern");
        southern = addClub("Southern");
        visitors = addClub("Visitors");
        addTeam("Northern XI", static_cast<std::int16_t>(northern));
        addTeam("Southern XI", static_cast<std::int16_t>(southern));
        addTeam("Visitors XI", static_cast<std::int16_t>(visitors));
        addNamed<GroundRecord>("Oval");
        addNamed<GroundRecord>("Park");
        addNamed<GradeRecord>("A Grade");
        addPlayer("N Smith", club(northern), "Smith", "Ned");
        addPlayer("N Jones", club(northern), "Jones", "Nick");
        const std::int32_t inactive = addPlayer("N Brown", club(northern), "Brown", "Neil");
        PlayerRecord p = ws.read<PlayerRecord>(inactive);
        p.active = 0;
        ws.write(inactive, p);
        addPlayer("S Green", club(southern), "Green", "Sam");
        addPlayer("S White", club(southern));
        addPlayer("V Black", club(visitors), "Black", "Vic");
        const std::int32_t deleted = addPlayer("N Gone", club(northern));
        PlayerRecord gone = ws.read<PlayerRecord>(deleted);
        gone.reportName.assign(DELETED_MARK);
        ws.write(deleted, gone);
    }

    static std::int16_t club(std::int32_t n) { return static_cast<std::int16_t>(n); }

    // An innings of `runs` for `wickets`: the runs on the first line, one bowled line per
    // wicket, then a not-out line.
    std::int32_t addInnings(int runs, int wickets, std::int16_t status = AllOut)
    {
        InningsRecord r;
        for (int k = 1; k <= wickets; ++k) {
            r.batting[static_cast<std::size_t>(k)] = BattingLine{.batsman = 1, .howOut = Bowled};
        }
        if (wickets < 10) {
            r.batting[static_cast<std::size_t>(wickets + 1)] = BattingLine{.batsman = 2, .howOut = NotOut};
        }
        r.batting[1].runs = static_cast<std::int16_t>(runs);
        r.status = status;
        const std::int32_t n = ws.AllocateInnings();
        ws.write(n, r);
        return n;
    }

    // A live match between teams 1 and 2 with the innings by slot (0 = none).
    std::int32_t addMatch(std::int16_t type, std::array<std::int32_t, 4> slots, std::int16_t result,
                          bool followOn = false, const std::string& date = "01/02/2003")
    {
        MatchRecord m;
        m.matchType = type;
        m.team1 = 1;
        m.team2 = 2;
        m.datePlayed.assign(date);
        m.roundLabel.assign("");
        m.umpires.assign("");
        m.comment.assign("");
        m.result = result;
        m.followOnEnforced = followOn ? 1 : 0;
        m.ballsPerOver = 6;
        m.runsPerWide = 1;
        m.runsPerNoBall = 1;
        m.extrasAgainstBowlers = 1;
        for (std::size_t i = 0; i < 4; ++i) {
            m.innings[i + 1] = slots[i];
        }
        const std::int32_t n = ws.AllocateMatch();
        ws.write(n, m);
        return n;
    }

    std::int32_t northern = 0;
    std::int32_t southern = 0;
    std::int32_t visitors = 0;
    ScriptedPlatform platform;
};

} // namespace wickly::test
