#pragma once
// A small two-club database with two matches for the statistics tests.
//
// Clubs: 1 "Alpha CC" (abbreviation "ALP"), 2 "Beta CC". Teams: 1 "Alpha XI" (club 1),
// 2 "Beta XI" (club 2). Ground 1 "Oval". Players: 1 Smith, 2 Jones, 5 White (Alpha); 3 Brown,
// 4 Green, 6 Black (Beta).
//
// Match 1, 10/05/2019, two days, Alpha XI bats first:
//   slot 1 (Alpha, all out): Smith 100*, Jones 50 c Brown b Green, White 0 b Green;
//          Green 10.3-0-40-2, Brown 10.5-1-23-0
//   slot 3 (Beta): Brown 0 c Jones b Smith, Green 50 st White b Smith;
//          Smith 10.4-0-10-5, Jones 10.5-1-40-6
//   slot 4 (Beta): Black 20*; Jones 10.0-0-20-4
// Match 2, 17/05/2019, one day, Beta XI bats first:
//   slot 1 (Beta): Green 50*, Brown 50 c Smith b Jones; Smith 10.5-2-23-6, Jones 10.3-0-40-0
//   slot 3 (Alpha): Smith 50 b Brown, Jones 0*; Brown 10.2-0-33-1

#include "database_fixture.h"
#include "json_io.h"

#include <fstream>
#include <initializer_list>
#include <sstream>

namespace wickly::test {

struct Bat
{
    std::int16_t player, howOut, runs, fieldsman = 0, bowler = 0, balls = 0;
};
struct Bowl
{
    std::int16_t player;
    float overs;
    std::int16_t maidens, runs, wickets;
};

inline std::int32_t addInnings(TestDatabase& db, std::initializer_list<Bat> bats, std::initializer_list<Bowl> bowls,
                               std::int16_t status = StatusNotGiven)
{
    InningsRecord in;
    int line = 1;
    for (const Bat& b : bats) {
        BattingLine& l = in.batting[static_cast<std::size_t>(line++)];
        l.batsman = b.player;
        l.howOut = b.howOut;
        l.runs = b.runs;
        l.fieldsman = b.fieldsman;
        l.bowler = b.bowler;
        l.ballsFaced = b.balls;
    }
    line = 1;
    for (const Bowl& b : bowls) {
        BowlingLine& l = in.bowling[static_cast<std::size_t>(line++)];
        l.bowler = b.player;
        l.overs = b.overs;
        l.maidens = b.maidens;
        l.runsConceded = b.runs;
        l.wickets = b.wickets;
    }
    in.status = status;
    const std::int32_t n = db.ws.AllocateInnings();
    db.ws.write(n, in);
    return n;
}

inline std::int32_t addMatch(TestDatabase& db, const std::string& date, std::int16_t type, std::int16_t team1,
                             std::int16_t team2, std::array<std::int32_t, 5> innings, std::int16_t ground = 1)
{
    MatchRecord m;
    m.matchType = type;
    m.team1 = team1;
    m.team2 = team2;
    m.grade = 1;
    m.datePlayed.assign(date);
    m.ground = ground;
    m.innings = innings;
    m.ballsPerOver = 6;
    m.roundLabel.assign("");
    m.umpires.assign("");
    m.comment.assign("");
    const std::int32_t n = db.ws.AllocateMatch();
    db.ws.write(n, m);
    return n;
}

// Clubs 1 "Alpha CC" ("ALP") and 2 "Beta CC", their teams 1 "Alpha XI" and 2 "Beta XI", ground 1
// "Oval" and grade 1 "First Grade".
inline void addClubsTeamsGroundAndGrade(TestDatabase& db)
{
    db.addClub("Alpha CC", "ALP");
    db.addClub("Beta CC");
    db.addTeam("Alpha XI", 1);
    db.addTeam("Beta XI", 2);
    db.addNamed<GroundRecord>("Oval");
    db.addNamed<GradeRecord>("First Grade");
}

// The database described above.
class StatsFixture
{
public:
    StatsFixture()
    {
        addClubsTeamsGroundAndGrade(db);
        db.addPlayer("Smith", 1);
        db.addPlayer("Jones", 1);
        db.addPlayer("Brown", 2);
        db.addPlayer("Green", 2);
        db.addPlayer("White", 1);
        db.addPlayer("Black", 2);
        const std::int32_t m1s1 =
            addInnings(db, {{1, NotOut, 100, 0, 0, 80}, {2, Caught, 50, 3, 4, 40}, {5, Bowled, 0, 0, 4, 3}},
                       {{4, 10.3F, 0, 40, 2}, {3, 10.5F, 1, 23, 0}}, AllOut);
        const std::int32_t m1s3 = addInnings(db, {{3, Caught, 0, 2, 1}, {4, Stumped, 50, 5, 1}},
                                             {{1, 10.4F, 0, 10, 5}, {2, 10.5F, 1, 40, 6}});
        const std::int32_t m1s4 = addInnings(db, {{6, NotOut, 20}}, {{2, 10.0F, 0, 20, 4}});
        addMatch(db, "10/05/2019", TwoDayMatch, 1, 2, {0, m1s1, 0, m1s3, m1s4});
        const std::int32_t m2s1 =
            addInnings(db, {{4, NotOut, 50}, {3, Caught, 50, 1, 2}}, {{1, 10.5F, 2, 23, 6}, {2, 10.3F, 0, 40, 0}});
        const std::int32_t m2s3 = addInnings(db, {{1, Bowled, 50, 0, 3}, {2, NotOut, 0}}, {{3, 10.2F, 0, 33, 1}});
        addMatch(db, "17/05/2019", OneDayMatch, 2, 1, {0, m2s1, 0, m2s3, 0});
    }

    TestDatabase db;
};

} // namespace wickly::test
