#pragma once
// What the match details window hands to the scorecard window when an innings button is pressed.
// The scorecard window itself is ScorecardModel (scorecard_model.h).

#include <array>
#include <cstdint>
#include <string>

namespace wickly::matches {

struct ScorecardHandOver
{
    int slot = 0;         // innings slot 1..4: 1 and 2 the first batting team, 3 and 4 the second
    int ballsPerOver = 0; // "Balls Per Over" of the match window
    std::int16_t battingClub = 0;
    std::int16_t bowlingClub = 0;
    std::string battingTeam; // the batting team's name, for the window's caption
    // The match window's current extras rules, read by the scorecard's running total.
    double runsPerWide = 0;
    double runsPerNoBall = 0;
    bool extrasAgainstBowlers = true;
    // The match's innings numbers by slot (element 0 unused). The scorecard window sets the
    // slot's number when it creates the innings; the match window takes it back when it closes.
    std::array<std::int32_t, 5> innings{};
    bool operator==(const ScorecardHandOver&) const = default;
};

} // namespace wickly::matches
