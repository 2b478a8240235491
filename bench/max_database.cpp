#include "max_database.h"

#include "container.h"
#include "records.h"
#include "working_set.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace wickly::bench {

namespace {

// A small deterministic generator (xorshift), so every run measures the same database.
class Random
{
public:
    std::uint32_t next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

private:
    std::uint32_t m_state = 2463534242U;
};

// Writes `count` records of a kind into its working file in one go and sets the count.
template <class R, class Make> void writeAll(WorkingSet& ws, std::int32_t count, Make make)
{
    const KindInfo& info = kindInfo(R::kind);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count) * info.slotSize, 0);
    for (std::int32_t n = 1; n <= count; ++n) {
        const R r = make(n);
        encode(r,
               std::span<std::uint8_t>(bytes.data() + static_cast<std::size_t>(n - 1) * info.slotSize, info.usedSize));
    }
    std::ofstream out(ws.filePath(R::kind), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + ws.filePath(R::kind));
    }
    ws.setCount(R::kind, count);
}

} // namespace

AppState makeMaxDatabase(const std::string& folder, const MaxDatabaseSize& size)
{
    AppState app;
    app.startupFolder = folder;
    newDatabaseState(app);
    WorkingSet ws(app);
    Random random;
    const int teams = size.clubs * 2;

    writeAll<ClubRecord>(ws, size.clubs, [](std::int32_t n) {
        ClubRecord c;
        c.name.assign("Club " + std::to_string(n));
        c.abbreviation.assign("C" + std::to_string(n));
        c.clubUrl.assign("");
        c.logoUrl.assign("");
        return c;
    });
    writeAll<TeamRecord>(ws, teams, [](std::int32_t n) {
        TeamRecord t;
        t.name.assign("Team " + std::to_string(n));
        t.club = static_cast<std::int16_t>((n + 1) / 2);
        return t;
    });
    writeAll<GroundRecord>(ws, size.grounds, [](std::int32_t n) {
        GroundRecord g;
        g.name.assign("Ground " + std::to_string(n));
        return g;
    });
    writeAll<GradeRecord>(ws, size.grades, [](std::int32_t n) {
        GradeRecord g;
        g.name.assign("Grade " + std::to_string(n));
        return g;
    });
    writeAll<PlayerRecord>(ws, size.players, [&](std::int32_t n) {
        PlayerRecord p;
        p.reportName.assign("Player " + std::to_string(n));
        p.lastName.assign("Player");
        p.firstName.assign(std::to_string(n));
        p.club = static_cast<std::int16_t>((n - 1) % size.clubs + 1);
        p.active = 1;
        p.rating = static_cast<std::int16_t>(n % 6);
        p.dateOfBirth.assign("01/01/1990");
        p.pictureUrl.assign("");
        return p;
    });
    // Two innings per match (slots 1 and 3): as many innings as the match count allows twice.
    const std::int32_t innings = size.matches * 2;
    // Players play for their club's teams: a side's lines name players of the batting club,
    // fielders and bowlers players of the other club (as in a real database, where a team's
    // players recur from match to match).
    const std::int32_t perClub = size.players / size.clubs;
    auto playerOf = [&](int club) {
        return static_cast<std::int16_t>(random.below(perClub) * size.clubs + (club - 1) + 1);
    };
    std::int32_t inningsNumber = 0;
    writeAll<InningsRecord>(ws, innings, [&](std::int32_t) {
        ++inningsNumber;
        // The match and slot of this innings (see the match records below): slot 1 is batted
        // by team1, slot 3 by team2; team t belongs to club (t + 1) / 2.
        const std::int32_t match = (inningsNumber + 1) / 2;
        const int team1 = match % teams + 1, team2 = (match + 7) % teams + 1;
        const bool first = inningsNumber % 2 == 1;
        const int battingClub = ((first ? team1 : team2) + 1) / 2;
        const int fieldingClub = ((first ? team2 : team1) + 1) / 2;
        InningsRecord in;
        for (std::size_t line = 1; line <= 11; ++line) {
            BattingLine& b = in.batting[line];
            b.batsman = playerOf(battingClub);
            b.howOut = static_cast<std::int16_t>(random.below(16));
            if (b.howOut >= 2) {
                b.fieldsman = playerOf(fieldingClub);
                b.bowler = playerOf(fieldingClub);
            }
            b.runs = static_cast<std::int16_t>(random.below(random.below(8) == 0 ? 160 : 60));
            b.ballsFaced = static_cast<std::int16_t>(b.runs + random.below(30));
            BowlingLine& w = in.bowling[line];
            w.bowler = playerOf(fieldingClub);
            w.overs = static_cast<float>(random.below(10)) + static_cast<float>(random.below(6)) / 10.0F;
            w.runsConceded = static_cast<std::int16_t>(random.below(70));
            w.wickets = static_cast<std::int16_t>(random.below(random.below(10) == 0 ? 9 : 4));
            w.maidens = static_cast<std::int16_t>(random.below(3));
        }
        in.status = static_cast<std::int16_t>(random.below(5));
        return in;
    });
    writeAll<MatchRecord>(ws, size.matches, [&](std::int32_t n) {
        MatchRecord m;
        m.matchType = static_cast<std::int16_t>(n % 4 + 1);
        m.team1 = static_cast<std::int16_t>(n % teams + 1);
        m.team2 = static_cast<std::int16_t>((n + 7) % teams + 1);
        m.grade = static_cast<std::int16_t>(n % size.grades + 1);
        const int day = n % 28 + 1, month = (n / 28) % 12 + 1, year = 1950 + n / 336;
        char date[16];
        std::snprintf(date, sizeof date, "%02d/%02d/%04d", day, month, year);
        m.datePlayed.assign(date);
        m.ground = static_cast<std::int16_t>(n % size.grounds + 1);
        m.innings = {0, 2 * n - 1, 0, 2 * n, 0};
        m.ballsPerOver = 6;
        m.roundLabel.assign("");
        m.umpires.assign("");
        m.comment.assign("");
        return m;
    });
    return app;
}

} // namespace wickly::bench
