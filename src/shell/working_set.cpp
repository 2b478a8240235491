#include "working_set.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace wickly {

namespace {

std::string describeErrno(const std::string& what, const std::string& path)
{
    return what + " \"" + path + "\": " + std::strerror(errno);
}

// Closes a file descriptor when it goes out of scope.
struct Fd
{
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// A working file whole; a file not made yet reads as empty.
std::vector<std::uint8_t> readWholeFile(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (f.fd < 0) {
        if (errno == ENOENT) {
            return bytes;
        }
        throw StorageError(describeErrno("Cannot read the working file", path));
    }
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            bytes.resize(std::max<std::size_t>(bytes.size() * 2, 64 * 1024));
        }
        const ssize_t got = ::read(f.fd, bytes.data() + done, bytes.size() - done);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw StorageError(describeErrno("Cannot read the working file", path));
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

template <class R> R deletedNamedRecord()
{
    R r; // every field zero bytes
    r.name.assign(DELETED_MARK);
    return r;
}

} // namespace

StagedWorkingFiles::StagedWorkingFiles(const AppState& app)
    : m_app(app), m_base(baseFor(app.startupFolder)), m_target(app.workingBaseFor())
{
    for (int k = 0; k < kRecordKindCount; ++k) {
        const std::string path = m_base + kindInfo(static_cast<RecordKind>(k)).extension;
        Fd f{::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)};
        if (f.fd < 0) {
            throw StorageError(describeErrno("Cannot create the working file", path));
        }
    }
}

StagedWorkingFiles::~StagedWorkingFiles()
{
    if (!m_committed) {
        for (int k = m_replaced; k < kRecordKindCount; ++k) {
            ::unlink((m_base + kindInfo(static_cast<RecordKind>(k)).extension).c_str());
        }
    }
}

Status StagedWorkingFiles::commit()
{
    if (m_app.recordCache) {
        *m_app.recordCache = RecordFileCache{};
    }
    for (int k = m_replaced; k < kRecordKindCount; ++k) {
        const char* extension = kindInfo(static_cast<RecordKind>(k)).extension;
        const std::string from = m_base + extension;
        if (::rename(from.c_str(), (m_target + extension).c_str()) != 0) {
            return Error{describeErrno("Cannot replace the working file", m_target + extension)};
        }
        ++m_replaced;
    }
    m_committed = true;
    return Ok{};
}

CachedReads::CachedReads(AppState& app) : m_app(app), m_previous(app.recordCache)
{
    if (!m_app.recordCache) {
        m_app.recordCache = std::make_shared<RecordFileCache>();
    }
}

CachedReads::~CachedReads()
{
    m_app.recordCache = m_previous;
}

bool AppState::databaseLoaded() const
{
    return !header.options.databaseTitle.blank();
}

void WorkingSet::setCount(RecordKind kind, std::int32_t n)
{
    m_app.header.section(kind).count = n;
}

std::string WorkingSet::filePath(RecordKind kind) const
{
    return m_app.workingBase + kindInfo(kind).extension;
}

std::vector<std::uint8_t> WorkingSet::readRaw(RecordKind kind, std::int32_t n, bool mustExist) const
{
    const KindInfo& info = kindInfo(kind);
    std::vector<std::uint8_t> bytes(info.usedSize, 0);
    if (n < 1) {
        return bytes;
    }
    const std::string path = filePath(kind);
    if (m_app.recordCache && !mustExist) {
        std::optional<std::vector<std::uint8_t>>& file = m_app.recordCache->files[static_cast<std::size_t>(kind)];
        if (!file) {
            file = readWholeFile(path);
        }
        const std::size_t offset = static_cast<std::size_t>(n - 1) * info.slotSize;
        if (offset < file->size()) {
            std::copy_n(file->begin() + static_cast<std::ptrdiff_t>(offset),
                        std::min(bytes.size(), file->size() - offset), bytes.begin());
        }
        return bytes; // past the end: the rest stays zero
    }
    Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (f.fd < 0) {
        if (errno == ENOENT && !mustExist) {
            return bytes; // no file yet: nothing was ever written there
        }
        throw StorageError(describeErrno("Cannot read the working file", path));
    }
    const off_t offset = static_cast<off_t>(n - 1) * static_cast<off_t>(info.slotSize);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(f.fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw StorageError(describeErrno("Cannot read the working file", path));
        }
        if (got == 0) {
            if (mustExist) {
                throw StorageError("Record " + std::to_string(n) + " is missing from the working file \"" + path +
                                   "\"");
            }
            break; // past the end: the rest stays zero
        }
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

void WorkingSet::writeRaw(RecordKind kind, std::int32_t n, std::span<const std::uint8_t> bytes)
{
    const KindInfo& info = kindInfo(kind);
    if (n < 1 || bytes.size() != info.usedSize) {
        throw StorageError(std::string("Invalid write to record ") + std::to_string(n) + " of " + info.name);
    }
    const std::string path = filePath(kind);
    if (m_app.recordCache) {
        m_app.recordCache->files[static_cast<std::size_t>(kind)].reset();
    }
    Fd f{::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644)};
    if (f.fd < 0) {
        throw StorageError(describeErrno("Cannot write the working file", path));
    }
    const off_t offset = static_cast<off_t>(n - 1) * static_cast<off_t>(info.slotSize);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::pwrite(f.fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw StorageError(describeErrno("Cannot write the working file", path));
        }
        done += static_cast<std::size_t>(put);
    }
    if (::close(f.fd) != 0) {
        f.fd = -1;
        throw StorageError(describeErrno("Cannot write the working file", path));
    }
    f.fd = -1;
    m_app.databaseChanged = true;
}

std::int32_t WorkingSet::nextNumber(RecordKind kind) const
{
    const std::int32_t n = count(kind);
    if (n >= maxCount(kind)) {
        throw StorageError(std::string("The database cannot hold more ") + kindInfo(kind).name + " (at most " +
                           std::to_string(maxCount(kind)) + ").");
    }
    return n + 1;
}

std::int32_t WorkingSet::grow(RecordKind kind)
{
    const std::int32_t n = nextNumber(kind);
    setCount(kind, n);
    m_app.databaseChanged = true;
    return n;
}

void WorkingSet::requireCounted(RecordKind kind, std::int32_t n) const
{
    if (n < 1 || n > count(kind)) {
        throw StorageError(std::string("There is no record ") + std::to_string(n) + " of " + kindInfo(kind).name +
                           ".");
    }
}

std::int32_t WorkingSet::addPlayer(const PlayerRecord& p)
{
    const std::int32_t players = count(RecordKind::Player);
    for (std::int32_t i = 1; i <= players; ++i) {
        if (isDeletedName(read<PlayerRecord>(i).reportName.raw())) {
            write(i, p);
            return i;
        }
    }
    return append(p);
}

std::int32_t WorkingSet::addAlias(const AliasRecord& a)
{
    const std::int32_t aliases = count(RecordKind::Alias);
    for (std::int32_t i = 1; i <= aliases; ++i) {
        if (read<AliasRecord>(i).isFree()) {
            write(i, a);
            return i;
        }
    }
    return append(a);
}

void WorkingSet::dropCountIfLast(RecordKind kind, std::int32_t n)
{
    if (n == count(kind)) {
        setCount(kind, n - 1);
    }
}

ClubDeletion WorkingSet::deleteClub(std::int32_t n)
{
    requireCounted(RecordKind::Club, n);
    const std::int32_t teams = count(RecordKind::Team);
    for (std::int32_t i = 1; i <= teams; ++i) {
        if (read<TeamRecord>(i).club == n) {
            return ClubDeletion::UsedByTeam;
        }
    }
    const std::int32_t players = count(RecordKind::Player);
    for (std::int32_t i = 1; i <= players; ++i) {
        const PlayerRecord p = read<PlayerRecord>(i);
        if (!startsWithDeletedMark(p.reportName.raw()) && p.club == n) {
            return ClubDeletion::UsedByPlayer;
        }
    }
    write(n, deletedNamedRecord<ClubRecord>());
    dropCountIfLast(RecordKind::Club, n);
    return ClubDeletion::Deleted;
}

void WorkingSet::deleteGrade(std::int32_t n)
{
    requireCounted(RecordKind::Grade, n);
    write(n, deletedNamedRecord<GradeRecord>());
    const std::int32_t matches = count(RecordKind::Match);
    for (std::int32_t i = 1; i <= matches; ++i) {
        MatchRecord m = read<MatchRecord>(i);
        if (m.grade == n) {
            m.grade = 0;
            write(i, m);
        }
    }
    dropCountIfLast(RecordKind::Grade, n);
}

void WorkingSet::deleteGround(std::int32_t n)
{
    requireCounted(RecordKind::Ground, n);
    write(n, deletedNamedRecord<GroundRecord>());
    const std::int32_t matches = count(RecordKind::Match);
    for (std::int32_t i = 1; i <= matches; ++i) {
        MatchRecord m = read<MatchRecord>(i);
        if (m.ground == n) {
            m.ground = 0;
            write(i, m);
        }
    }
    dropCountIfLast(RecordKind::Ground, n);
}

void WorkingSet::deleteTeam(std::int32_t n)
{
    requireCounted(RecordKind::Team, n);
    write(n, deletedNamedRecord<TeamRecord>()); // club 0
    const std::int32_t matches = count(RecordKind::Match);
    for (std::int32_t i = 1; i <= matches; ++i) {
        MatchRecord m = read<MatchRecord>(i);
        if (m.team1 == n || m.team2 == n) {
            if (m.team1 == n) {
                m.team1 = 0;
            }
            if (m.team2 == n) {
                m.team2 = 0;
            }
            write(i, m);
        }
    }
    dropCountIfLast(RecordKind::Team, n);
}

void WorkingSet::deletePlayer(std::int32_t n)
{
    requireCounted(RecordKind::Player, n);
    PlayerRecord p = read<PlayerRecord>(n);
    p.reportName.assign(DELETED_MARK);
    write(n, p);

    // Clear every reference to the player in the scorecards.
    const std::int32_t innings = count(RecordKind::Innings);
    for (std::int32_t i = 1; i <= innings; ++i) {
        InningsRecord r = read<InningsRecord>(i);
        bool changed = false;
        auto clear = [&](std::int16_t& ref) {
            if (ref == n) {
                ref = 0;
                changed = true;
            }
        };
        for (int k = 1; k < InningsRecord::kLines; ++k) {
            clear(r.batting[k].batsman);
            clear(r.batting[k].fieldsman);
            clear(r.batting[k].bowler);
            clear(r.bowling[k].bowler);
        }
        if (changed) {
            write(i, r);
        }
    }

    // Drop every deleted player at the end of the file from the count.
    std::int32_t players = count(RecordKind::Player);
    while (players > 0 && startsWithDeletedMark(read<PlayerRecord>(players).reportName.raw())) {
        --players;
    }
    setCount(RecordKind::Player, players);
}

void WorkingSet::deleteAlias(std::int32_t n)
{
    requireCounted(RecordKind::Alias, n);
    if (n == count(RecordKind::Alias)) {
        setCount(RecordKind::Alias, n - 1);
        m_app.databaseChanged = true;
        return;
    }
    AliasRecord free; // names stay zero bytes
    free.kindCode.assign("");
    write(n, free);
}

void WorkingSet::deleteSpecialEvent(std::int32_t n)
{
    requireCounted(RecordKind::SpecialEvent, n);
    write(n, SpecialEvent{FixedText<21>::of("")});
}

std::int32_t WorkingSet::AllocateMatch()
{
    const std::int32_t matches = count(RecordKind::Match);
    for (std::int32_t i = 1; i <= matches; ++i) {
        if (read<MatchRecord>(i).datePlayed.raw().substr(6, 4) == "0000") {
            return i;
        }
    }
    return grow(RecordKind::Match);
}

std::int32_t WorkingSet::AllocateInnings()
{
    return grow(RecordKind::Innings);
}

void WorkingSet::DeleteMatch(std::int32_t n)
{
    requireCounted(RecordKind::Match, n);
    MatchRecord m;
    m.datePlayed.assign("00/00/0000");
    write(n, m);
}

void WorkingSet::DeleteAllMatches()
{
    setCount(RecordKind::Match, 0);
    setCount(RecordKind::Innings, 0);
    setCount(RecordKind::SpecialEvent, 0);
    m_app.databaseChanged = true;
}

} // namespace wickly
