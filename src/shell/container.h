#pragma once
// The database container (".wkd"): the header, zero bytes up to position 3000, then one section
// per record kind. New, Open, Save and Save As move the database between a container and the
// working set. Layout: docs/formats.md.

#include "records.h"
#include "result.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace wickly {

struct AppState;
struct DatabaseHeader;
class Platform;
class WorkingSet;

inline constexpr std::int32_t kFirstSectionPosition = 3000;

// The order in which Save writes the sections.
inline constexpr RecordKind kSaveOrder[] = {RecordKind::Player,       RecordKind::Innings, RecordKind::Match,
                                            RecordKind::Team,         RecordKind::Club,    RecordKind::Grade,
                                            RecordKind::Ground,       RecordKind::SpecialEvent, RecordKind::Alias};

// The largest container: its positions are 32-bit, so no byte may lie past position 2^31 - 1.
inline constexpr std::int64_t kLargestContainer = 2147483647;

// Record counts indexed by RecordKind, wide enough for any count a caller may hold.
using KindCounts = std::array<std::int64_t, kRecordKindCount>;

// Where Save puts each section (indexed by RecordKind) and how long the file is, for these counts.
struct ContainerLayout
{
    KindCounts positions{};
    std::int64_t length = 0;
};
ContainerLayout containerLayout(const KindCounts& counts);

// Why a database of these counts cannot be saved, or empty when it can: a count past its header
// field (32767; innings 2147483647), or a file longer than kLargestContainer. One line.
std::string containerLimitProblem(const KindCounts& counts);
KindCounts countsOf(const DatabaseHeader& header);

// ---- The format, free of any state --------------------------------------------------------------

// Reads and checks a container image: the header must be complete, no count negative, and every
// section must lie inside the file. `name` is used in the messages.
Result<DatabaseHeader> parseContainer(std::span<const std::uint8_t> file, const std::string& name);

// True when a program of version `programVersion` may open a container of version `fileVersion`
// (their leading numbers: "2.6d" is 2.6).
bool versionAccepted(const std::string& programVersion, const std::string& fileVersion);

// The message shown when a container comes from a newer version of the program.
std::string newerVersionMessage();

// Packs the working set into a container image and returns it; `header` receives the section
// positions written into it. The counts must pass containerLimitProblem().
std::vector<std::uint8_t> buildContainer(const WorkingSet& ws, DatabaseHeader& header);

// ---- Without dialogs (used by the commands below and by the command-line tool) ------------------

// Loads the container at `path` into the working set under app.startupFolder. The records go to
// new working files beside the old ones, which replace them only once complete: a file that
// cannot be read, is damaged, too large or from a newer version, and any failure while writing
// the new files, leaves the open database, the working files and databaseFile exactly as they
// were. Only should the final renames fail part way is nothing loaded afterwards (no title, no
// file name), so that no later Save writes a mixture.
Status loadContainerFile(AppState& app, const std::string& path);

// Writes the working set to `path` with writeFileAtomically (links followed, hard links updated
// in place, read-only files refused); on failure the old container is untouched. A database that
// does not fit the container, or no database at all, is refused before anything is written.
Status saveContainerFile(AppState& app, const std::string& path);

// Empties the working set logically: the header of a new database, every count 0.
void newDatabaseState(AppState& app);

// ---- The main window's commands -----------------------------------------------------------------
// Each returns true when it did its work. The caller repaints the main window afterwards.

bool ConfirmDiscard(AppState& app, Platform& platform);
bool NewDatabase(AppState& app, Platform& platform);
bool OpenDatabase(AppState& app, Platform& platform);
bool LoadContainer(AppState& app, Platform& platform, const std::string& path);
bool SaveDatabase(AppState& app, Platform& platform);
bool SaveDatabaseAs(AppState& app, Platform& platform);

} // namespace wickly
