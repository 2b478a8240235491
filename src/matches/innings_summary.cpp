#include "innings_summary.h"

#include "formats.h"
#include "lines_per_team.h"
#include "records.h"
#include "working_set.h"

#include <algorithm>
#include <cstdlib>

namespace wickly::matches {

namespace {

const char* statusText(int status)
{
    switch (status) {
    case AllOut: return "All Out";
    case Closed: return "Closed";
    case Declared: return "Declared";
    case Abandoned: return "Abandoned";
    default: return "";
    }
}

// The figures of one innings as the summary counts them.
struct InningsFigures
{
    long long runs = 0;
    int wickets = 0;
    float overs = 0.0F;
};

InningsFigures countInnings(const InningsRecord& r, const SummaryInput& in, std::int16_t battingClub,
                            std::int16_t bowlingClub, const DatabaseOptions& o, std::int32_t players)
{
    const int nbat = BatsmenPerTeam(o);
    const int nbow = BowlersPerTeam(o);
    const int allow = o.allowPlayersClub;
    const auto isPlayer = [&](int n) { return n >= 1 && n <= players; };

    // The batting lines: named batsmen, and the unnamed lines of an opposition innings typed
    // from the bowling side.
    InningsFigures f;
    int runOuts = 0;
    for (int k = 1; k <= nbat; ++k) {
        const BattingLine& b = r.batting[static_cast<std::size_t>(k)];
        const bool counted =
            b.howOut > 0 && (isPlayer(b.batsman) || (b.batsman == 0 && allow == bowlingClub));
        if (!counted) {
            continue;
        }
        f.runs += b.runs;
        if (isWicket(b.howOut)) {
            ++f.wickets;
        }
        if (b.howOut == RunOut) {
            ++runOuts;
        }
    }

    // The bowling figures: overs carried at this match's balls per over.
    long long bowlerRuns = 0;
    int bowlerWickets = runOuts;
    for (int k = 1; k <= nbow; ++k) {
        const BowlingLine& b = r.bowling[static_cast<std::size_t>(k)];
        if (!isPlayer(b.bowler)) {
            continue;
        }
        // A match without balls per over counts its overs at 6, as the scorecard window does.
        f.overs = AddOvers(f.overs, b.overs, in.ballsPerOver >= 1 ? in.ballsPerOver : 6);
        bowlerRuns += b.runsConceded;
        bowlerWickets += b.wickets;
    }

    const double wideAndNoBallRuns = r.wides * in.runsPerWide + r.noBalls * in.runsPerNoBall;
    f.runs =
        static_cast<long long>(RoundHalfEven(static_cast<double>(f.runs) + r.byes + r.legByes + wideAndNoBallRuns));
    double bowlingSide = static_cast<double>(bowlerRuns) + r.byes + r.legByes;
    if (!in.extrasAgainstBowlers) {
        bowlingSide += wideAndNoBallRuns;
    }

    if (allow > 0) {
        if (allow == bowlingClub && allow != battingClub) {
            // The opposition's batting is known only through the bowling figures.
            f.runs = static_cast<long long>(RoundHalfEven(bowlingSide));
            f.wickets = bowlerWickets;
        } else if (allow == battingClub && allow != bowlingClub) {
            // Only the own side's batting is recorded: the overs typed for the innings.
            f.overs = static_cast<float>(r.oversTimesTen) / 10.0F;
        }
    }
    return f;
}

} // namespace

SummaryOutput ComputeInningsSummary(const WorkingSet& ws, const SummaryInput& in)
{
    const DatabaseOptions& o = ws.header().options;
    const std::int32_t players = ws.count(RecordKind::Player);
    const std::int32_t inningsCount = ws.count(RecordKind::Innings);
    const bool multiDay = in.matchType >= 1;
    // The follow-on box keeps its mark when the match is changed to a one-day match; it only
    // counts for a multi-day match, where a second innings can follow on.
    const bool followOn = in.followOnEnforced && multiDay;
    const int rc = in.result;
    const int nbat = BatsmenPerTeam(o);

    SummaryOutput out;
    long long s1 = 0;
    long long s2 = 0;
    int k1 = 0;
    int k2 = 0;
    int w2 = 0;
    long long t1 = 0;
    int lastWickets = 0;
    std::array<bool, 5> has{};

    for (int i = 1; i <= 4; ++i) {
        const std::int32_t n = in.innings[static_cast<std::size_t>(i)];
        // A number above the innings count names no innings.
        if (n < 1 || n > inningsCount) {
            continue;
        }
        has[static_cast<std::size_t>(i)] = true;
        const std::int16_t battingClub = i <= 2 ? in.club1 : in.club2;
        const std::int16_t bowlingClub = i <= 2 ? in.club2 : in.club1;
        const InningsRecord r = ws.read<InningsRecord>(n);
        const InningsFigures f = countInnings(r, in, battingClub, bowlingClub, o, players);

        out.lines[static_cast<std::size_t>(i)] =
            FormatWicketsRuns(f.wickets, static_cast<int>(f.runs), o.bowlingRunsFirst != 0).substr(1) + " " +
            statusText(r.status) + "\nOvers" + SingleNumText(f.overs);
        if (i == 1) {
            t1 = f.runs;
        }
        if (!multiDay) {
            out.followOnEnabled = false;
        } else if (i == 3) {
            out.followOnEnabled = f.runs < t1;
        }
        if (i == 1 || (i == 2 && rc < 3)) {
            s1 += f.runs;
            ++k1;
            if (i == 2) {
                w2 = f.wickets;
            }
        }
        if (i == 3 || (i == 4 && rc < 3)) {
            s2 += f.runs;
            ++k2;
        }
        lastWickets = f.wickets;
    }

    const int wickets = followOn ? w2 : lastWickets;
    const std::string phrase = k1 != k2 && multiDay ? " an Innings and" : "";
    int d = rc;
    if (in.matchType == 0) {
        if (d >= 3) {
            d = 0;
        }
    } else if (followOn && (d == 1 || d == 2)) {
        d = 3 - d;
    }
    const int wicketsInHand = (nbat - 1) - wickets;
    if (d == 2 && multiDay && !has[4]) {
        d = 1;
    }
    if (d == 2 && followOn && !has[2]) {
        d = 1;
    }
    if (d == 4 && multiDay) {
        d = 3;
    }
    if (d == 1 || d == 3) {
        out.margin = "by" + phrase + " " + std::to_string(std::llabs(s1 - s2)) + " runs";
    } else if (d == 2 || d == 4) {
        out.margin = "by" + phrase + " " + std::to_string(wicketsInHand) + " wickets";
    }
    return out;
}

} // namespace wickly::matches
