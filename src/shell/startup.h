#pragma once
// Start-up before the main window appears: the folders under the start-up folder, the old
// databases waiting for conversion, and the legacy settings file "wickly.ini".

#include <array>
#include <string>
#include <vector>

namespace wickly {

struct AppState;

// The values of "wickly.ini" that feed the conversion of old databases.
struct LegacySettings
{
    bool bowlingRunsFirst = false; // "Bowling"
    int runsPerNoBall = 1;         // "Noball", 1 unless the file gave 1 to 9
    std::array<int, 11> points{};  // "MPoints0" to "MPoints10", whole points
};

// Reads "wickly.ini" in `folder` (if present) and, when `remove` is set and the file could be
// read, deletes it. Without the file every value keeps its default.
LegacySettings readLegacySettings(const std::string& folder, bool remove = true);

struct StartupResult
{
    // Old-format databases ("*.cfg" in the "database" folder), by file name, sorted. Their
    // conversion needs the legacy settings, so "wickly.ini" is kept while any are waiting.
    std::vector<std::string> oldDatabases;
    LegacySettings legacy;
};

// The old-format databases waiting for conversion: the "*.cfg" files (any case) in the
// "database" folder under `startupFolder`, by file name, sorted. Empty without the folder.
std::vector<std::string> findOldDatabases(const std::string& startupFolder);

// The start-up steps up to the main window: the program version, the "web" folder, the start-up
// folder (the current directory), the list of old databases, the legacy settings, and no
// database loaded.
StartupResult prepareStartup(AppState& app, const std::string& currentFolder);

} // namespace wickly
