#pragma once
// The match import: the matches of a match file added to the open database, every club, team,
// grade, ground and player resolved to a record of this database by exact name, then by an alias
// of its kind, then by asking (the name resolution window, or the command line's rule).
//
// Everything is resolved before anything is written, so "Abort" leaves the database untouched;
// the writing itself is undone when it fails part way (a full disk, a count at its limit).

#include "match_file.h"
#include "name_kind.h"
#include "result.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace wickly {
struct AppState;
class Platform;
} // namespace wickly

namespace wickly::exchange {

// A name the import could not resolve by itself.
struct NameQuestion
{
    NameKind kind = NameKind::Team;
    std::string name; // trailing blanks removed
    // The clubs of the match being imported (0 for a club that is new in this import); the
    // window offers the players of these two clubs.
    std::int16_t club1 = 0;
    std::int16_t club2 = 0;
};

struct NameAnswer
{
    enum class Action
    {
        Use,            // `record` (0: none)
        NewEntry,       // a new record carrying the file's name
        NewEntryForAll, // the same for this and every later unknown name of this import
        Abort,          // stop; nothing is imported
        Unresolved,     // leave it: the import is refused at the end with the list of such names
    };
    Action action = Action::Abort;
    std::int32_t record = 0;
    bool remember = false; // Use: keep the pairing as an alias for later imports
};

using AskName = std::function<NameAnswer(const NameQuestion&)>;

struct ImportSummary
{
    bool aborted = false;
    int matches = 0;
    int innings = 0;
    int specialEvents = 0;
    int aliases = 0;
    // New records by kind, indexed by NameKind (element 0 unused).
    std::array<int, 6> created{};
    // Names left unresolved ("Player \"J Smith\""), each once; nothing was written when any is.
    std::vector<std::string> unresolved;
};

// Imports `matches` into the open database. Nothing is written when the import is aborted or a
// name stays unresolved; an error (the database could not be written) undoes every write.
Result<ImportSummary> ImportMatches(AppState& app, const std::vector<FileMatch>& matches, const AskName& ask);

// The report shown at the end: "3 matches imported with 6 innings. New records: ...".
std::string summaryText(const ImportSummary& s);

// Tools > Import Matches: asks for a match file, reads it, resolves its names through the name
// resolution window and imports it, then reports what was added.
void ImportMatchFile(AppState& app, Platform& platform);

} // namespace wickly::exchange
