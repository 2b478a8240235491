#include "convert.h"

#include "app_state.h"
#include "container.h"
#include "database_header.h"
#include "file_io.h"
#include "formats.h"
#include "platform.h"
#include "records.h"
#include "startup.h"
#include "text_encoding.h"
#include "working_set.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <new>
#include <optional>
#include <unistd.h>

namespace fs = std::filesystem;

namespace wickly {

namespace {

constexpr const char* kTitle = "Database Conversion";

// Every file an old database may have, in the order they are copied and deleted.
constexpr const char* kOldExtensions[] = {".cfg", ".clu", ".dic", ".gnd", ".gra", ".mat",
                                          ".pla", ".sco", ".spc", ".te1", ".tea"};

// A text in lower case: its ASCII letters, and the capitals of the Windows-1252 letters
// (U+00C0 to U+00DE but the multiplication sign, and Œ, Š, Ž, Ÿ) in the UTF-8 of a file name.
// Other bytes stay as they are.
std::string lowerName(const std::string& s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        const auto next = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0;
        if (c < 0x80) {
            out += static_cast<char>(std::tolower(c));
        } else if (c == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97) {
            out += static_cast<char>(c);
            out += static_cast<char>(next + 0x20);
            ++i;
        } else if (c == 0xC5 && (next == 0x92 || next == 0xA0 || next == 0xBD)) {
            out += static_cast<char>(c);
            out += static_cast<char>(next + 1);
            ++i;
        } else if (c == 0xC5 && next == 0xB8) {
            out += "\xC3\xBF"; // Ÿ becomes ÿ
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// A file-system name as message text (Windows-1252, like every text the platform shows).
std::string shown(const std::string& name)
{
    return utf8ToCp1252(name).value_or(name);
}

std::string inQuotes(const std::string& name)
{
    return "\"" + shown(name) + "\"";
}

// ---- The ".cfg" reader ----------------------------------------------------------------------------

// Reads the comma- or line-separated items of an old settings file the way the old program
// wrote and read them: texts may be quoted, numbers end at a blank, a comma or a line end, and
// the words #TRUE# and #FALSE# stand for -1 and 0.
class CfgReader
{
public:
    explicit CfgReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    // True while anything other than blanks and line ends remains.
    bool moreData() const
    {
        for (std::size_t i = m_pos; i < m_bytes.size(); ++i) {
            if (!isSpace(m_bytes[i]) && !isLineEnd(m_bytes[i])) {
                return true;
            }
        }
        return false;
    }

    double number()
    {
        skipWhile([](std::uint8_t c) { return isSpace(c) || isLineEnd(c); });
        std::string token;
        while (m_pos < m_bytes.size() && !isSpace(m_bytes[m_pos]) && !isLineEnd(m_bytes[m_pos]) &&
               m_bytes[m_pos] != ',') {
            token += static_cast<char>(m_bytes[m_pos++]);
        }
        endItem();
        const std::string word = lowerName(token);
        if (word == "#true#") {
            return -1;
        }
        if (word == "#false#" || word == "#null#") {
            return 0;
        }
        return ValText(token);
    }

    std::string text()
    {
        skipWhile(isSpace);
        std::string token;
        if (m_pos < m_bytes.size() && m_bytes[m_pos] == '"') {
            ++m_pos;
            while (m_pos < m_bytes.size() && m_bytes[m_pos] != '"') {
                token += static_cast<char>(m_bytes[m_pos++]);
            }
            ++m_pos; // the closing quote
            // Anything between the closing quote and the separator is not part of the item.
            skipWhile([](std::uint8_t c) { return c != ',' && !isLineEnd(c); });
        } else {
            while (m_pos < m_bytes.size() && m_bytes[m_pos] != ',' && !isLineEnd(m_bytes[m_pos])) {
                token += static_cast<char>(m_bytes[m_pos++]);
            }
            token = rtrimBlanks(token);
        }
        endItem();
        return token;
    }

    // The rest of the current line, whole.
    std::string line()
    {
        std::string token;
        while (m_pos < m_bytes.size() && !isLineEnd(m_bytes[m_pos])) {
            token += static_cast<char>(m_bytes[m_pos++]);
        }
        endLine();
        return token;
    }

private:
    static bool isSpace(std::uint8_t c) { return c == ' ' || c == '\t'; }
    static bool isLineEnd(std::uint8_t c) { return c == '\r' || c == '\n'; }

    template <class F> void skipWhile(F f)
    {
        while (m_pos < m_bytes.size() && f(m_bytes[m_pos])) {
            ++m_pos;
        }
    }

    // After an item: blanks, then a comma or a line end, which belongs to the item.
    void endItem()
    {
        skipWhile(isSpace);
        if (m_pos < m_bytes.size() && m_bytes[m_pos] == ',') {
            ++m_pos;
        } else {
            endLine();
        }
    }

    void endLine()
    {
        if (m_pos < m_bytes.size() && m_bytes[m_pos] == '\r') {
            ++m_pos;
        }
        if (m_pos < m_bytes.size() && m_bytes[m_pos] == '\n') {
            ++m_pos;
        }
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};

// A whole number of the settings file in the range of its field.
std::optional<std::int32_t> wholeNumber(double v, double lowest, double highest)
{
    const double r = RoundHalfEven(v);
    if (!(r >= lowest && r <= highest)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(r);
}

// ---- The files of one old database ----------------------------------------------------------------

// The old files of one database as they are named in "database". Names are matched without
// case, since the old program ran on a system that ignores it; an exact match is preferred.
class OldFiles
{
public:
    OldFiles(const fs::path& folder, const std::string& name) : m_name(name)
    {
        std::error_code ec;
        for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
            const std::string file = e.path().filename().string();
            for (const char* ext : kOldExtensions) {
                const std::string wanted = name + ext;
                if (lowerName(file) != lowerName(wanted)) {
                    continue;
                }
                auto [it, added] = m_paths.emplace(ext, e.path());
                if (!added && file == wanted) {
                    it->second = e.path();
                }
            }
        }
    }

    // The file with this extension, or nothing when the database has none.
    std::optional<fs::path> find(const std::string& ext) const
    {
        const auto it = m_paths.find(ext);
        return it == m_paths.end() ? std::nullopt : std::optional<fs::path>(it->second);
    }

    const std::string& name() const { return m_name; }

private:
    std::string m_name;
    std::map<std::string, fs::path> m_paths;
};

// The lines of an old text file: a line ends at CR LF, LF or CR; a last line without its end
// counts when it holds anything. A missing file has no lines.
Result<std::vector<std::string>> readOldLines(const OldFiles& files, const std::string& ext)
{
    std::vector<std::string> lines;
    const std::optional<fs::path> path = files.find(ext);
    if (!path) {
        return lines;
    }
    const Result<std::vector<std::uint8_t>> bytes = readFileBytes(path->string());
    if (!bytes) {
        return Error{"the file " + inQuotes(path->filename().string()) + " could not be read: " + bytes.message()};
    }
    const std::vector<std::uint8_t>& b = bytes.value();
    lines = SplitLines(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
    if (lines.size() > static_cast<std::size_t>(maxCount(RecordKind::Club))) {
        return Error{"the file " + inQuotes(path->filename().string()) + " holds more than " +
                     std::to_string(maxCount(RecordKind::Club)) + " lines"};
    }
    return lines;
}

// An alias line: the kind in characters 1-3, the alias from character 8 up to the first "=",
// the name after it. Lines shorter than 9 characters, and lines whose "=" is not after
// character 8 and before the end, are skipped.
std::optional<AliasRecord> aliasFromLine(const std::string& line)
{
    if (line.size() < 9) {
        return std::nullopt;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos || eq < 8 || eq + 1 >= line.size()) {
        return std::nullopt;
    }
    AliasRecord a;
    a.kindCode.assign(std::string_view(line).substr(0, 3));
    a.alias.assign(std::string_view(line).substr(7, eq - 7));
    a.name.assign(std::string_view(line).substr(eq + 1));
    return a;
}

// A temporary folder of its own, removed with everything in it.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::error_code ec;
        fs::path base = fs::temp_directory_path(ec);
        if (ec) {
            base = "/tmp";
        }
        std::string pattern = (base / "wickly-convert-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        } else {
            m_error = std::strerror(errno);
        }
    }
    ~ScratchFolder()
    {
        if (!m_path.empty()) {
            std::error_code ec;
            fs::remove_all(m_path, ec);
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return m_path; }
    const std::string& error() const { return m_error; }

private:
    std::string m_path;
    std::string m_error;
};

template <class R> R namedRecord(const std::string& line)
{
    R r;
    r.name.assign(std::string_view(line).substr(0, std::min<std::size_t>(line.size(), 40)));
    r.abbreviation.assign(line.size() > 40 ? std::string_view(line).substr(40, 7) : std::string_view());
    return r;
}

// The header of a converted database: a new database's values, with the settings file's and
// the legacy settings' on top. The two scorecard options, which old versions did not have, are
// left at 0 as the conversion has always left them.
DatabaseHeader convertedHeader(const OldSettings& cfg, const LegacySettings& legacy, const std::string& programVersion)
{
    DatabaseHeader h = newDatabaseHeader(programVersion);
    DatabaseOptions& o = h.options;
    o.scorecardFoursSixes = 0;
    o.scorecardBallsFaced = 0;
    o.includeHistory = cfg.includeHistory;
    o.allowPlayersClub = cfg.allowPlayersClub;
    o.seasonTwoYears = cfg.seasonTwoYears;
    o.firstInningsOnly = cfg.firstInningsOnly;
    o.batsmenPerTeam = cfg.batsmenPerTeam;
    o.bowlersPerTeam = cfg.bowlersPerTeam;
    std::copy(cfg.individualPoints.begin(), cfg.individualPoints.end(), o.individualPoints.begin());
    o.databaseTitle.assign(cfg.databaseTitle);
    o.runsPerNoBall = static_cast<std::int16_t>(legacy.runsPerNoBall);
    o.bowlingRunsFirst = legacy.bowlingRunsFirst ? -1 : 0;
    // The legacy file holds whole points; the header holds tenths of a point.
    for (std::size_t i = 0; i < legacy.points.size(); ++i) {
        o.competitionPoints[i] = static_cast<std::int16_t>(std::clamp(legacy.points[i] * 10, -32768, 32767));
    }
    return h;
}

// The record files of an old database, with the counts the settings file gives them (the
// special events have none: their file holds whole records only).
struct RecordFile
{
    RecordKind kind;
    const char* extension;
};
constexpr RecordFile kRecordFiles[] = {{RecordKind::Player, ".pla"},
                                       {RecordKind::Innings, ".sco"},
                                       {RecordKind::Match, ".mat"},
                                       {RecordKind::Team, ".te1"},
                                       {RecordKind::SpecialEvent, ".spc"}};

std::int32_t settingsCount(const OldSettings& cfg, RecordKind kind)
{
    switch (kind) {
    case RecordKind::Player: return cfg.players;
    case RecordKind::Innings: return cfg.innings;
    case RecordKind::Match: return cfg.matches;
    case RecordKind::Team: return cfg.teams;
    default: return 0;
    }
}

// Builds the container image of one old database, reading everything before anything is written.
Result<std::vector<std::uint8_t>> buildConvertedImage(const OldFiles& files, const OldSettings& cfg,
                                                      const LegacySettings& legacy, const std::string& programVersion)
{
    ScratchFolder scratch;
    if (scratch.path().empty()) {
        return Error{"a temporary folder could not be created: " + scratch.error()};
    }
    AppState state;
    state.workingBase = scratch.path() + "/~tmp";
    WorkingSet ws(state);
    DatabaseHeader& h = state.header;
    h = convertedHeader(cfg, legacy, programVersion);

    // Record files in the present layouts: their counted records must be there in full.
    for (const RecordFile& rf : kRecordFiles) {
        const KindInfo& info = kindInfo(rf.kind);
        const std::optional<fs::path> path = files.find(rf.extension);
        std::int32_t count = settingsCount(cfg, rf.kind);
        std::uintmax_t size = 0;
        if (path) {
            std::error_code ec;
            size = fs::file_size(*path, ec);
            if (ec) {
                return Error{"the file " + inQuotes(path->filename().string()) + " could not be read: " +
                             ec.message()};
            }
        }
        if (rf.kind == RecordKind::SpecialEvent) {
            if (size % info.slotSize != 0 || size / info.slotSize > static_cast<std::uintmax_t>(maxCount(rf.kind))) {
                return Error{"the special events file " + inQuotes(path->filename().string()) +
                             " does not hold whole records"};
            }
            count = static_cast<std::int32_t>(size / info.slotSize);
        }
        if (count == 0) {
            continue;
        }
        const std::uintmax_t needed =
            static_cast<std::uintmax_t>(count - 1) * info.slotSize + static_cast<std::uintmax_t>(info.usedSize);
        const std::string counted = std::to_string(count) + " " + info.name;
        if (!path) {
            return Error{std::string("its ") + info.name + " file " + inQuotes(files.name() + rf.extension) +
                         " is missing (its settings file counts " + counted + ")"};
        }
        if (size < needed) {
            return Error{std::string("its ") + info.name + " file " + inQuotes(path->filename().string()) +
                         " holds fewer than the " + counted + " its settings file counts"};
        }
        std::error_code ec;
        fs::copy_file(*path, ws.filePath(rf.kind), fs::copy_options::overwrite_existing, ec);
        if (ec) {
            return Error{"the file " + inQuotes(path->filename().string()) +
                         " could not be copied to a temporary folder for the conversion: " + ec.message()};
        }
        ws.setCount(rf.kind, count);
    }

    try {
        // Clubs, grades and grounds: one record per line, every line counts (record numbers are
        // what teams, players and matches refer to).
        const auto textKind = [&](const std::string& ext, auto record) -> Status {
            using R = decltype(record);
            Result<std::vector<std::string>> lines = readOldLines(files, ext);
            if (!lines) {
                return Error{lines.message()};
            }
            std::int32_t n = 0;
            for (const std::string& line : lines.value()) {
                ws.write(++n, namedRecord<R>(line));
            }
            ws.setCount(R::kind, n);
            return Ok{};
        };
        for (const Status& s : {textKind(".clu", ClubRecord{}), textKind(".gra", GradeRecord{}),
                                textKind(".gnd", GroundRecord{})}) {
            if (!s) {
                return Error{s.message()};
            }
        }
        Result<std::vector<std::string>> aliasLines = readOldLines(files, ".dic");
        if (!aliasLines) {
            return Error{aliasLines.message()};
        }
        std::int32_t aliases = 0;
        for (const std::string& line : aliasLines.value()) {
            if (const std::optional<AliasRecord> a = aliasFromLine(line)) {
                ws.write(++aliases, *a);
            }
        }
        ws.setCount(RecordKind::Alias, aliases);

        if (const std::string limit = containerLimitProblem(countsOf(h)); !limit.empty()) {
            return Error{limit};
        }
        return buildContainer(ws, h);
    } catch (const StorageError& e) {
        return Error{e.what()};
    } catch (const std::bad_alloc&) {
        return Error{"there is not enough memory to convert it"};
    }
}

// "club.wkd", or "club (2).wkd" and so on when that name is taken.
std::string freeContainerName(const fs::path& folder, const std::string& stem)
{
    std::error_code ec;
    std::string name = stem + ".wkd";
    for (int i = 2; fs::exists(fs::symlink_status(folder / name, ec)); ++i) {
        name = stem + " (" + std::to_string(i) + ").wkd";
    }
    return name;
}

// Makes a copy (or a folder's entries) durable before the original may be deleted.
std::error_code syncToDisk(const fs::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {errno, std::generic_category()};
    }
    std::error_code ec;
    if (::fsync(fd) != 0) {
        ec = {errno, std::generic_category()};
    }
    ::close(fd);
    return ec;
}

std::string closingMessage(const ConversionReport& r, const std::vector<std::string>& renamed)
{
    std::string text;
    if (r.converted.empty()) {
        text = "No old database was converted.";
    } else if (r.leftAlone.empty()) {
        text = "Conversion complete.  New files have been placed in the DATABASE subdirectory with .WKD extensions.  "
               "All old database files have been moved to the BACKUP subdirectory.";
    } else {
        text = "Conversion complete.  New files have been placed in the DATABASE subdirectory with .WKD extensions.  "
               "The old files of the converted databases have been moved to the BACKUP subdirectory.";
    }
    for (const std::string& line : renamed) {
        text += "  " + line;
    }
    if (!r.leftAlone.empty()) {
        std::string names;
        for (const std::string& n : r.leftAlone) {
            names += (names.empty() ? "" : ", ") + shown(n);
        }
        text += "  Not converted, their files are still in the DATABASE subdirectory: " + names + ".";
    }
    return text;
}

} // namespace

Result<OldSettings> parseOldSettings(std::span<const std::uint8_t> bytes, std::string_view programVersion)
{
    OldSettings s;
    // A file that ends before its version line names none: it is taken for this program's own,
    // as an empty file is.
    s.version = programVersion;
    if (bytes.empty()) {
        return s;
    }
    CfgReader in(bytes);
    const auto damaged = [](const std::string& what) { return Error{"its settings file has " + what}; };

    std::int32_t* counts[] = {&s.players, &s.clubs, &s.teams, &s.innings, &s.matches};
    for (std::int32_t* c : counts) {
        const double highest = c == &s.innings ? 2147483647.0 : maxCount(RecordKind::Player);
        const std::optional<std::int32_t> v = wholeNumber(in.number(), 0, highest);
        if (!v) {
            return damaged("a record count out of range");
        }
        *c = *v;
    }
    if (in.moreData()) {
        // The whole line; a version written in quotes is the text between them.
        s.version = ltrimBlanks(rtrimBlanks(in.line()));
        if (s.version.size() >= 2 && s.version.front() == '"' && s.version.back() == '"') {
            s.version = s.version.substr(1, s.version.size() - 2);
        }
    }
    std::int16_t* flags[] = {&s.includeHistory, &s.allowPlayersClub, &s.seasonTwoYears,
                             &s.firstInningsOnly, &s.batsmenPerTeam,  &s.bowlersPerTeam};
    for (std::int16_t* f : flags) {
        if (!in.moreData()) {
            break;
        }
        const std::optional<std::int32_t> v = wholeNumber(in.number(), -32768, 32767);
        if (!v) {
            return damaged("a setting out of range");
        }
        *f = static_cast<std::int16_t>(*v);
    }
    for (std::int16_t* players : {&s.batsmenPerTeam, &s.bowlersPerTeam}) {
        if (*players < 7 || *players > 14) {
            *players = 11;
        }
    }
    for (float& p : s.individualPoints) {
        if (!in.moreData()) {
            break;
        }
        const double v = in.number();
        if (!(std::fabs(v) <= 3.4e38)) {
            return damaged("a points value out of range");
        }
        p = static_cast<float>(v);
    }
    if (in.moreData()) {
        const std::string title = in.text();
        if (!isBlankText(title)) {
            s.databaseTitle = title;
        }
    }
    // Two more texts follow, which nothing uses.
    return s;
}

bool oldVersionConvertible(std::string_view version, std::string_view programVersion)
{
    return ValText(version) == ValText(programVersion);
}

bool backupOldFiles(const std::string& startupFolder, const std::string& name, Platform& platform)
{
    const fs::path database = fs::path(startupFolder) / "database";
    const fs::path backup = fs::path(startupFolder) / "backup";
    const OldFiles files(database, name);
    std::optional<std::string> failure;
    {
        BusyPointer busy(platform);
        std::error_code ec;
        fs::create_directory(backup, ec); // it may be there already; a real problem shows in the copies

        // Files of the same name already in "backup" (an earlier database of that name) stay: the
        // copies take the first free name instead.
        std::string stem = name;
        for (int i = 2;; ++i) {
            bool taken = false;
            for (const char* ext : kOldExtensions) {
                taken = taken || fs::exists(fs::symlink_status(backup / (stem + ext), ec));
            }
            if (!taken) {
                break;
            }
            stem = name + " (" + std::to_string(i) + ")";
        }

        std::vector<fs::path> made;
        for (const char* ext : kOldExtensions) {
            const std::optional<fs::path> from = files.find(ext);
            if (!from) {
                continue;
            }
            const std::string current = from->filename().string();
            const fs::path to = backup / (stem == name ? current : stem + current.substr(name.size()));
            fs::copy_file(*from, to, fs::copy_options::none, ec);
            if (!ec) {
                made.push_back(to);
                ec = syncToDisk(to);
            } else if (ec == std::errc::no_such_file_or_directory && !fs::exists(fs::symlink_status(*from, ec))) {
                ec.clear(); // gone meanwhile: nothing to keep
            }
            if (ec) {
                break;
            }
        }
        if (!ec && !made.empty()) {
            ec = syncToDisk(backup);
        }
        if (ec) {
            failure = ec == std::errc::no_space_on_device ? std::string("Disk is full")
                                                          : "Backup Error " + std::to_string(ec.value());
            for (const fs::path& p : made) {
                std::error_code ignored;
                fs::remove(p, ignored);
            }
        }
    }
    if (failure) {
        // The closing message names the databases whose files were left in "database".
        platform.message(*failure, Buttons::Ok, Icon::Error, 0, kTitle);
        return false;
    }
    return true;
}

DeleteOutcome deleteOldFiles(const std::string& startupFolder, const std::string& name, Platform& platform)
{
    const OldFiles files(fs::path(startupFolder) / "database", name);
    bool deletedAny = false;
    for (const char* ext : kOldExtensions) {
        const std::optional<fs::path> path = files.find(ext);
        if (!path) {
            continue;
        }
        std::error_code ec;
        fs::remove(*path, ec);
        if (ec && ec != std::errc::no_such_file_or_directory) {
            platform.message("File Delete Error " + std::to_string(ec.value()), Buttons::Ok, Icon::Error, 0, kTitle);
            return deletedAny ? DeleteOutcome::PartlyDeleted : DeleteOutcome::NothingGone;
        }
        deletedAny = true;
    }
    return DeleteOutcome::Deleted;
}

ConversionReport convertOldDatabases(const std::string& startupFolder, const std::vector<std::string>& cfgNames,
                                     const std::string& programVersion, const LegacySettings& legacy,
                                     Platform& platform)
{
    ConversionReport report;
    std::vector<std::string> renamed;
    platform.message("Wickly has detected old database files.  They will now be converted.", Buttons::Ok,
                     Icon::Information, 0, kTitle);
    const fs::path database = fs::path(startupFolder) / "database";

    for (const std::string& cfgName : cfgNames) {
        if (cfgName.size() < 5) {
            continue;
        }
        const std::string name = cfgName.substr(0, cfgName.size() - 4);
        const auto refuse = [&](const std::string& why) {
            platform.message("The old database " + inQuotes(name) + " could not be converted: " + why +
                                 ".  Its files have been left unchanged in the DATABASE subdirectory.",
                             Buttons::Ok, Icon::Error, 0, kTitle);
            report.leftAlone.push_back(name);
        };

        std::optional<std::string> problem;
        std::vector<std::uint8_t> image;
        {
            BusyPointer busy(platform);
            const Result<std::vector<std::uint8_t>> cfgBytes = readFileBytes((database / cfgName).string());
            Result<OldSettings> cfg = cfgBytes ? parseOldSettings(cfgBytes.value(), programVersion)
                                               : Result<OldSettings>(Error{"its settings file could not be read: " +
                                                                           cfgBytes.message()});
            if (!cfg) {
                problem = cfg.message();
            } else if (!oldVersionConvertible(cfg.value().version, programVersion)) {
                const std::string& v = cfg.value().version;
                problem = "it was written by " +
                          (isBlankText(v) ? std::string("a version of Wickly that its settings file does not name")
                                          : "Wickly version " + shown(v)) +
                          ", whose record files this version cannot read (it reads those of version " +
                          programVersion + " only)";
            } else {
                Result<std::vector<std::uint8_t>> built =
                    buildConvertedImage(OldFiles(database, name), cfg.value(), legacy, programVersion);
                if (built) {
                    image = std::move(built.value());
                } else {
                    problem = built.message();
                }
            }
        }
        if (problem) {
            refuse(*problem);
            continue;
        }

        const std::string container = freeContainerName(database, lowerName(name));
        const fs::path containerPath = database / container;
        {
            BusyPointer busy(platform);
            const Status written = writeFileAtomically(containerPath.string(), image);
            if (!written) {
                problem = "its container " + inQuotes(container) + " could not be written: " + written.message();
            }
        }
        if (problem) {
            refuse(*problem);
            continue;
        }
        // The container goes again when its old files cannot leave "database" safely, so that
        // the next start converts the database afresh instead of holding two copies of it.
        std::error_code ec;
        if (!backupOldFiles(startupFolder, name, platform)) {
            fs::remove(containerPath, ec);
            report.leftAlone.push_back(name);
            continue;
        }
        const DeleteOutcome deleted = deleteOldFiles(startupFolder, name, platform);
        if (deleted == DeleteOutcome::NothingGone) {
            fs::remove(containerPath, ec);
            report.leftAlone.push_back(name);
            continue;
        }
        report.converted.push_back(name);
        report.containers.push_back(container);
        if (container != lowerName(name) + ".wkd") {
            renamed.push_back("The database " + inQuotes(name) + " has been saved as " + inQuotes(container) +
                              " because " + inQuotes(lowerName(name) + ".wkd") + " already exists.");
        }
    }

    platform.message(closingMessage(report, renamed), Buttons::Ok, Icon::Information, 0, kTitle);
    return report;
}

ConversionReport convertAtStartup(const AppState& app, Platform& platform, const StartupResult& startup)
{
    if (startup.oldDatabases.empty()) {
        return {};
    }
    ConversionReport report =
        convertOldDatabases(app.startupFolder, startup.oldDatabases, app.programVersion, startup.legacy, platform);
    // "wickly.ini" only feeds the conversion: it goes once no old database waits for it.
    if (findOldDatabases(app.startupFolder).empty()) {
        (void)readLegacySettings(app.startupFolder, true);
    }
    return report;
}

} // namespace wickly
