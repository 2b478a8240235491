#pragma once
// How many batting and bowling lines of an innings a match counts: the database's "batsmen per
// team" and "bowlers per team". Every reader of an innings (the scorecard window, the innings
// summaries and margins, the scorecard text) takes them from here, so that one database never
// shows three different innings.

namespace wickly {
struct DatabaseOptions;
}

namespace wickly::matches {

// The option when it is 1..14 (the lines an innings record holds); anything else, which no
// database this program writes contains, counts as 11.
int BatsmenPerTeam(const DatabaseOptions& options);
int BowlersPerTeam(const DatabaseOptions& options);

} // namespace wickly::matches
