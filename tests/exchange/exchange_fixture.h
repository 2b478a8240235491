#pragma once
// A small database for the match exchange tests: clubs "Eastwood CC" (1) and "Westfield CC" (2),
// teams "Eastwood" (1) and "Westfield" (2), ground "Oval", grade "A Grade", players "E One" and
// "E Two" of Eastwood (1, 2) and "W One" and "W Two" of Westfield (3, 4). Matches are added by
// the tests; helpers read the whole state back for before-and-after comparisons.

#include "database_fixture.h"
#include "file_io.h"
#include "records.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace wickly::test {

class ExchangeFixture : public TestDatabase
{
public:
    // `reversed` adds the same master data in the opposite order, so that every record number
    // differs from the plain fixture's.
    explicit ExchangeFixture(bool reversed = false)
    {
        if (!reversed) {
            addClub("Eastwood CC");
            addClub("Westfield CC");
            addTeam("Eastwood", 1);
            addTeam("Westfield", 2);
            addNamed<GroundRecord>("Oval");
            addNamed<GradeRecord>("A Grade");
            addPlayer("E One", 1);
            addPlayer("E Two", 1);
            addPlayer("W One", 2);
            addPlayer("W Two", 2);
        } else {
            addClub("Westfield CC");
            addClub("Eastwood CC");
            addTeam("Westfield", 1);
            addTeam("Eastwood", 2);
            addNamed<GroundRecord>("Park");
            addNamed<GroundRecord>("Oval");
            addNamed<GradeRecord>("B Grade");
            addNamed<GradeRecord>("A Grade");
            addPlayer("W Two", 1);
            addPlayer("W One", 1);
            addPlayer("E Two", 2);
            addPlayer("E One", 2);
        }
    }

    // The one-day match of the export example: Eastwood v Westfield on 05/01/2002 with innings in
    // slots 1 and 3 and a special event in each. Returns the match number.
    std::int32_t addExampleMatch()
    {
        InningsRecord a;
        a.batting[1] = BattingLine{.batsman = 1, .howOut = Caught, .fieldsman = 3, .bowler = 4, .runs = 45,
                                   .fowScore = 60, .fowBatsman = 1, .ballsFaced = 70, .fours = 5, .sixes = 1};
        a.batting[2] = BattingLine{.batsman = 2, .howOut = NotOut, .runs = 12, .ballsFaced = 20};
        a.batting[4] = BattingLine{.batsman = 0, .howOut = NotOut}; // typed from the bowling side
        a.bowling[1] = BowlingLine{.bowler = 3, .wickets = 1, .runsConceded = 30, .maidens = 1, .overs = 7.4F};
        a.legByes = 2;
        a.byes = 1;
        a.wides = 3;
        a.oversTimesTen = 200;
        a.status = Closed;
        const std::int32_t first = ws.AllocateInnings();
        ws.write(first, a);

        InningsRecord b;
        b.batting[1] = BattingLine{.batsman = 3, .howOut = RunOut, .fieldsman = kSubstitute, .runs = 10};
        b.bowling[1] = BowlingLine{.bowler = 1, .runsConceded = 4, .overs = 0.5F};
        b.status = AllOut;
        const std::int32_t second = ws.AllocateInnings();
        ws.write(second, b);

        ws.append(makeSpecialEvent(second, 2, kDropCatch));
        ws.append(SpecialEvent{FixedText<21>::of("")}); // a deleted event
        ws.append(makeSpecialEvent(first, 4, kHatTrick));
        ws.append(makeSpecialEvent(99, 1, kDropCatch)); // another innings

        MatchRecord m;
        m.matchType = OneDayMatch;
        m.team1 = 1;
        m.team2 = 2;
        m.grade = 1;
        m.datePlayed.assign("05/01/2002");
        m.ground = 1;
        m.innings = {0, first, 0, second, 0};
        m.result = 2;
        m.captain1 = 1;
        m.captain2 = 3;
        m.keeper1 = 2;
        m.team2WonToss = -1;
        m.roundLabel.assign("R1");
        m.umpires.assign("Smith, Jones");
        m.comment.assign("Rain delay");
        m.manOfMatch = 3;
        m.runsPerNoBall = 1;
        m.runsPerWide = 2;
        m.ballsPerOver = 6;
        m.extrasAgainstBowlers = 1;
        const std::int32_t n = ws.AllocateMatch();
        ws.write(n, m);
        return n;
    }

    // A match of `type` with an innings of `runs` runs by player 1 in each given slot.
    std::int32_t addMatchWithSlots(std::int16_t type, std::array<bool, 5> slots, const std::string& date)
    {
        MatchRecord m;
        m.matchType = type;
        m.team1 = 1;
        m.team2 = 2;
        m.datePlayed.assign(date);
        m.umpires.assign("");
        m.comment.assign("");
        m.roundLabel.assign("");
        m.ballsPerOver = 6;
        for (int s = 1; s <= 4; ++s) {
            if (slots[static_cast<std::size_t>(s)]) {
                InningsRecord r;
                r.batting[1] = BattingLine{.batsman = 1, .howOut = NotOut, .runs = static_cast<std::int16_t>(s * 10)};
                const std::int32_t inn = ws.AllocateInnings();
                ws.write(inn, r);
                m.innings[static_cast<std::size_t>(s)] = inn;
            }
        }
        const std::int32_t n = ws.AllocateMatch();
        ws.write(n, m);
        return n;
    }
};

// Every working file's bytes (absent files as nothing) with the counts and the changed flag.
struct DatabaseState
{
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::vector<std::int32_t> counts;
    bool changed = false;
    bool operator==(const DatabaseState&) const = default;
};
DatabaseState stateOf(const TestDatabase& db);

// The lines of a file with CR LF ends, without their ends; fails the test on a bare LF.
std::vector<std::string> crlfSplit(const std::string& text);

// A match file with the record numbers of its references replaced by "N" (0, -1 and -2 stay),
// for comparing the exports of databases that number the same records differently.
std::string withoutRecordNumbers(const std::string& text);

// The whole text of a file.
std::string readText(const std::string& path);

} // namespace wickly::test
