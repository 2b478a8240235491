#pragma once
// Deleting a player everywhere. A deleted player's slot is taken by the next player added, so
// any reference left behind would pass his history to the newcomer: the deletion clears them all.

#include <cstdint>

namespace wickly {
class WorkingSet;
}

namespace wickly::masterdata {

// Marks player `player` deleted and clears every reference to him: the batsman, fieldsman and
// bowler numbers of every innings, his special fielding events (overwritten blank), and the
// captain, keeper and man-of-the-match numbers of every match. The players count then drops past
// deleted players at its end. Throws StorageError when the player is not counted (nothing
// changes then) or a working file cannot be read or written.
void DeletePlayerEverywhere(WorkingSet& ws, std::int32_t player);

} // namespace wickly::masterdata
