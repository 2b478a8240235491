#pragma once
// The program-wide state every window reads: where the working files are, which container is
// open, whether there are unsaved changes, and the header of the open database.

#include "database_header.h"

#include <memory>
#include <string>

namespace wickly {

inline constexpr const char* kProgramVersion = "2.6d";
inline constexpr const char* kProgramWebAddress = "https://wickly.example.org";

struct RecordFileCache;

struct AppState
{
    std::string programVersion = kProgramVersion;
    // The current directory when the program started; the working files and the "web",
    // "database" and "backup" folders are under it.
    std::string startupFolder;
    // startupFolder + "/~tmp" while a database is loaded, empty while none is.
    std::string workingBase;
    // The container last opened or saved; empty for a new database not yet saved.
    std::string databaseFile;
    bool databaseChanged = false;
    DatabaseHeader header;
    // Set while a CachedReads lives (working_set.h): record reads are served from memory.
    std::shared_ptr<RecordFileCache> recordCache;

    // A database is loaded while its title is not blank.
    bool databaseLoaded() const;
    // The path prefix the working files get when a database is loaded.
    std::string workingBaseFor() const { return startupFolder + "/~tmp"; }
};

} // namespace wickly
