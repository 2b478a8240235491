#pragma once
// The one-line summary of every innings of a match and the winning margin ("by 25 runs",
// "by an Innings and 12 runs", "by 5 wickets"), worked out from the stored innings and the
// current choices of the match details window. It reads the working set and nothing else, so the
// match details window, the scorecard text and the web pages all get the same figures.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace wickly {
class WorkingSet;
}

namespace wickly::matches {

// What the summary is worked out from: the window's current choices, not the saved match.
struct SummaryInput
{
    int matchType = -1;                    // position in the match type list: 0 one-day, 1..3 multi-day, -1 none
    std::int16_t club1 = 0;                // club of the first batting team; both 0 when either team is not chosen
    std::int16_t club2 = 0;                // club of the second batting team
    std::array<std::int32_t, 5> innings{}; // innings record numbers by slot, element 0 unused
    int result = -1;                       // position of the chosen result, -1 when none
    bool followOnEnforced = false;
    bool extrasAgainstBowlers = true;
    int ballsPerOver = 6;
    double runsPerWide = 1;
    double runsPerNoBall = 1;
};

struct SummaryOutput
{
    // The two-line summary of each slot that has an innings ("145/3 Declared\nOvers 45.3");
    // nothing for the other slots, whose lines are left as they were.
    std::array<std::optional<std::string>, 5> lines;
    // Whether "Follow-On Enforced" may be used; nothing when no innings decided it.
    std::optional<bool> followOnEnabled;
    // "by 25 runs", "by an Innings and 12 runs", "by 5 wickets", or empty.
    std::string margin;
};

// Reads the innings of the slots and works out their summaries and the margin, with the
// database's batsmen and bowlers per team, "Allow Players for" and run/wicket order.
SummaryOutput ComputeInningsSummary(const WorkingSet& ws, const SummaryInput& in);

} // namespace wickly::matches
