#pragma once
// The conversion of old databases: versions of the program before the container kept each
// database as loose files in the "database" folder (a ".cfg" settings file, text files of clubs,
// grades, grounds and aliases, and record files). Start-up turns each into a container beside
// them, copies the old files to "backup" and deletes them from "database". The old file set is
// described in docs/formats.md, "Old databases".

#include "result.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wickly {

class Platform;
struct AppState;
struct LegacySettings;
struct StartupResult;

// What an old ".cfg" file holds.
struct OldSettings
{
    std::int32_t players = 0;
    std::int32_t clubs = 0; // not used: the clubs file's lines are the count
    std::int32_t teams = 0;
    std::int32_t innings = 0;
    std::int32_t matches = 0;
    std::string version; // of the program that wrote the file
    std::int16_t includeHistory = 1;
    std::int16_t allowPlayersClub = 0;
    std::int16_t seasonTwoYears = 1;
    std::int16_t firstInningsOnly = 0;
    std::int16_t batsmenPerTeam = 11; // 7 to 14; anything else reads as 11
    std::int16_t bowlersPerTeam = 11;
    std::array<float, 8> individualPoints{};
    std::string databaseTitle = "no title";
};

// Reads a ".cfg" file's bytes. An empty file stands for the defaults above and the program's own
// version; in a longer one each item after the first line is read only while data remains, so
// the items it lacks keep those defaults too, the version included. A number that does not
// fit its field is an error.
Result<OldSettings> parseOldSettings(std::span<const std::uint8_t> bytes, std::string_view programVersion);

// True when an old database of `version` keeps its record files in the present layouts, the
// only ones this program can read: the version of this program (`programVersion`'s number).
bool oldVersionConvertible(std::string_view version, std::string_view programVersion);

// The outcome of a conversion run, for the caller and the tests.
struct ConversionReport
{
    std::vector<std::string> converted;  // database names
    std::vector<std::string> containers; // the container written for each, a file name in "database"
    std::vector<std::string> leftAlone;  // databases whose files stay in "database"
};

// Converts the old databases named by their ".cfg" file names (in "database" under
// `startupFolder`), showing the opening and closing messages and one message for each database
// that could not be converted. A database is converted completely or not at all: its old files
// leave "database" only after its container is written and they are copied to "backup"; on any
// failure they stay as they were and no container of it remains. An existing container is never
// replaced: the new one then takes a free name ("club (2).wkd").
ConversionReport convertOldDatabases(const std::string& startupFolder, const std::vector<std::string>& cfgNames,
                                     const std::string& programVersion, const LegacySettings& legacy,
                                     Platform& platform);

// Copies the old files of database `name` from "database" to "backup" without replacing any
// file there: when "backup" holds files of that name already, the copies take a free name
// ("club (2).cfg", ...). A file that does not exist is skipped. Any other failure removes the
// copies made, shows "Disk is full" or "Backup Error" with the error's number, and returns false.
bool backupOldFiles(const std::string& startupFolder, const std::string& name, Platform& platform);

enum class DeleteOutcome
{
    Deleted,      // every old file is gone (missing ones were skipped)
    NothingGone,  // the settings file could not be deleted, so nothing was
    PartlyDeleted // the settings file is gone, some record file is left
};

// Deletes the old files of database `name` from "database", the ".cfg" first: a database whose
// settings file is gone is never converted again. A file that does not exist is skipped; the
// first other failure stops with "File Delete Error" and the error's number.
DeleteOutcome deleteOldFiles(const std::string& startupFolder, const std::string& name, Platform& platform);

// Start-up step 6: converts the old databases that prepareStartup found, then deletes
// "wickly.ini" once no old database waits for its values. Runs before the main window is shown;
// does nothing when there are none. The working set and the open database are not touched.
ConversionReport convertAtStartup(const AppState& app, Platform& platform, const StartupResult& startup);

} // namespace wickly
