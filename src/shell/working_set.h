#pragma once
// The working set: the open database's records, one random-access file of fixed-size slots per
// kind beside the program (workingBase + extension), with the counts in the in-memory header.
//
// Every read and write transfers one record: the file is opened, the record's used bytes are
// read or written at (n - 1) * slot, and the file is closed again, so the files always hold the
// latest state and Save only has to copy them. Every write sets databaseChanged.

#include "app_state.h"
#include "records.h"
#include "result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace wickly {

// A working file could not be read or written (missing folder, full disk), or a count would pass
// what its header field can hold.
class StorageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A complete new set of working files, built beside the working files of `app` under the base
// startupFolder + "/~tmp-new" and put in their place by renaming once every record is written.
// Until commit() the working files are untouched; files not committed are removed again.
class StagedWorkingFiles
{
public:
    // Creates an empty staged file for every kind (a leftover of an interrupted open is
    // replaced). Throws StorageError.
    explicit StagedWorkingFiles(const AppState& app);
    ~StagedWorkingFiles();
    StagedWorkingFiles(const StagedWorkingFiles&) = delete;
    StagedWorkingFiles& operator=(const StagedWorkingFiles&) = delete;

    // The working base to write the new records under.
    const std::string& base() const { return m_base; }
    // Renames every staged file over its working file. A failure before the first rename leaves
    // the old working files whole; replacedSome() tells whether a later one left a mixture.
    Status commit();
    bool replacedSome() const { return m_replaced > 0; }

    // The base of the staged files in `startupFolder`.
    static std::string baseFor(const std::string& startupFolder) { return startupFolder + "/~tmp-new"; }

private:
    const AppState& m_app;
    std::string m_base;
    std::string m_target;
    int m_replaced = 0;
    bool m_committed = false;
};

enum class ClubDeletion
{
    Deleted,
    UsedByTeam,   // a team record still names the club
    UsedByPlayer, // a live player still plays for the club
};

// The working files held whole in memory for record reads, each read on first use.
struct RecordFileCache
{
    std::array<std::optional<std::vector<std::uint8_t>>, kRecordKindCount> files;
};

// While one lives, the record reads of every WorkingSet of `app` are served from a copy of each
// working file, read whole on first use; a write drops the copy of its file, and replaced
// working files drop them all. For runs that read many scattered records and change nothing
// (the web site generator reads player, team and ground records for every page). Reads that
// require the record to exist (saving the database) still go to the file.
class CachedReads
{
public:
    explicit CachedReads(AppState& app);
    ~CachedReads();
    CachedReads(const CachedReads&) = delete;
    CachedReads& operator=(const CachedReads&) = delete;

private:
    AppState& m_app;
    std::shared_ptr<RecordFileCache> m_previous;
};

class WorkingSet
{
public:
    explicit WorkingSet(AppState& app) : m_app(app) {}

    AppState& app() { return m_app; }
    DatabaseHeader& header() { return m_app.header; }
    const DatabaseHeader& header() const { return m_app.header; }

    std::int32_t count(RecordKind kind) const { return m_app.header.count(kind); }
    void setCount(RecordKind kind, std::int32_t n);
    std::string filePath(RecordKind kind) const;

    // The used bytes of record n; a slot past the end of the file reads as zero bytes, unless
    // `mustExist` is set (Save), when a missing or short record is an error.
    std::vector<std::uint8_t> readRaw(RecordKind kind, std::int32_t n, bool mustExist = false) const;
    // Writes the used bytes of record n (exactly kindInfo(kind).usedSize of them).
    void writeRaw(RecordKind kind, std::int32_t n, std::span<const std::uint8_t> bytes);

    template <class R> R read(std::int32_t n) const
    {
        R r;
        const std::vector<std::uint8_t> b = readRaw(R::kind, n);
        decode(b, r);
        return r;
    }

    template <class R> void write(std::int32_t n, const R& r)
    {
        std::vector<std::uint8_t> b(kindInfo(R::kind).usedSize);
        encode(r, b);
        writeRaw(R::kind, n, b);
    }

    // ---- Adding
    // Clubs, grades, grounds, teams and special events always take count + 1.
    // The record is written before the count grows, so a failed write leaves nothing counted.
    template <class R> std::int32_t append(const R& r)
    {
        const std::int32_t n = nextNumber(R::kind);
        write(n, r);
        setCount(R::kind, n);
        return n;
    }
    // A player takes the slot of the first deleted player, else count + 1.
    std::int32_t addPlayer(const PlayerRecord& p);
    // The first free alias slot, else count + 1.
    std::int32_t addAlias(const AliasRecord& a);
    // Raises the count of a kind by one and returns the new record number.
    std::int32_t grow(RecordKind kind);
    // count + 1, or StorageError when the count is at its limit.
    std::int32_t nextNumber(RecordKind kind) const;

    // ---- Deleting (with the cascades that keep references valid)
    ClubDeletion deleteClub(std::int32_t n);
    void deleteGrade(std::int32_t n);
    void deleteGround(std::int32_t n);
    void deleteTeam(std::int32_t n);
    void deletePlayer(std::int32_t n);
    void deleteAlias(std::int32_t n);
    void deleteSpecialEvent(std::int32_t n);

    // ---- Matches and innings
    std::int32_t AllocateMatch();
    std::int32_t AllocateInnings();
    void DeleteMatch(std::int32_t n);
    void DeleteAllMatches();

private:
    void dropCountIfLast(RecordKind kind, std::int32_t n);
    // Deleting needs a counted record: anything else is an error, never a negative count.
    void requireCounted(RecordKind kind, std::int32_t n) const;

    AppState& m_app;
};

} // namespace wickly
