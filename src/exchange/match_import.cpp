#include "match_import.h"

#include "app_state.h"
#include "file_io.h"
#include "name_resolution_model.h"
#include "platform.h"
#include "working_set.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>

namespace wickly::exchange {

std::string_view kindWord(NameKind kind)
{
    switch (kind) {
    case NameKind::Team: return "Team";
    case NameKind::Player: return "Player";
    case NameKind::Grade: return "Grade";
    case NameKind::Ground: return "Ground";
    case NameKind::Club: return "Club";
    }
    return "";
}

std::string_view aliasKindCode(NameKind kind)
{
    return kindWord(kind).substr(0, 3);
}

std::string foldCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

int nameWidth(NameKind kind)
{
    return kind == NameKind::Team || kind == NameKind::Player ? 30 : 40;
}

namespace {

struct AbortImport
{
};

// "Remember" keeps at most this many characters of the record's name in the alias.
constexpr std::size_t kAliasNameWidth = 30;

// A name as an alias stores it: cut to kAliasNameWidth, trailing blanks removed.
std::string aliasName(std::string name)
{
    if (name.size() > kAliasNameWidth) {
        name.resize(kAliasNameWidth);
    }
    return rtrimBlanks(name);
}

std::size_t kindIndex(NameKind k)
{
    return static_cast<std::size_t>(k);
}

// A resolved reference: a record of this database, or a record this import will create.
struct Ref
{
    std::int32_t record = 0;
    int pending = -1; // index into the new records, or -1
};

struct NewRecord
{
    NameKind kind = NameKind::Team;
    std::string name;
    Ref club; // teams and players: the club of the side they played for
};

struct IndexedRecord
{
    std::string name; // trailing blanks removed (players: lowered for the comparison)
    std::int32_t record = 0;
    std::int16_t club = 0;
};

struct PendingAlias
{
    NameKind kind = NameKind::Team;
    std::string alias;
    std::string name;
};

// Resolves the names of one import against an index of the database read once at the start,
// the records this import will create and the aliases it will store.
class Resolver
{
public:
    Resolver(const WorkingSet& ws, const AskName& ask) : m_ws(ws), m_ask(ask) { load(); }

    // The record for a reference of the file. `side` is the club of the side the record played
    // for (new teams and players get it); club1/club2 are the match's clubs for the question.
    Ref resolve(NameKind kind, const FileName& fn, Ref side, Ref club1, Ref club2, bool keepNegative = false);

    const std::vector<NewRecord>& created() const { return m_new; }
    const std::vector<PendingAlias>& aliases() const { return m_aliases; }
    const std::vector<std::string>& unresolved() const { return m_unresolved; }
    // How many of aliases() were stored before the import; the rest are to be stored.
    std::size_t storedAliasCount() const { return m_storedAliases; }

private:
    void load();
    // `cut`: a record's name is compared as an alias stores it, cut to kAliasNameWidth.
    std::optional<Ref> exact(NameKind kind, const std::string& name, Ref side, bool cut = false) const;
    std::optional<Ref> byAlias(NameKind kind, const std::string& name, Ref side) const;
    Ref create(NameKind kind, const std::string& name, Ref side);
    std::string storedName(NameKind kind, std::int32_t record) const;

    const WorkingSet& m_ws;
    const AskName& m_ask;
    std::array<std::vector<IndexedRecord>, 6> m_records;
    std::vector<PendingAlias> m_aliases;        // stored aliases first, then this import's
    std::size_t m_storedAliases = 0;
    std::vector<NewRecord> m_new;
    std::map<std::pair<NameKind, std::string>, Ref> m_chosen; // answers given in this import
    std::vector<std::string> m_unresolved;
    bool m_createAll = false;
};

void Resolver::load()
{
    const auto named = [&](NameKind k, RecordKind rk, auto tag) {
        using R = decltype(tag);
        for (std::int32_t i = 1; i <= m_ws.count(rk); ++i) {
            const R r = m_ws.template read<R>(i);
            if (!isDeletedName(r.name.raw())) {
                IndexedRecord e{r.name.str(), i, 0};
                if constexpr (std::is_same_v<R, TeamRecord>) {
                    e.club = r.club;
                }
                m_records[kindIndex(k)].push_back(std::move(e));
            }
        }
    };
    named(NameKind::Club, RecordKind::Club, ClubRecord{});
    named(NameKind::Grade, RecordKind::Grade, GradeRecord{});
    named(NameKind::Ground, RecordKind::Ground, GroundRecord{});
    named(NameKind::Team, RecordKind::Team, TeamRecord{});
    for (std::int32_t i = 1; i <= m_ws.count(RecordKind::Player); ++i) {
        const PlayerRecord p = m_ws.read<PlayerRecord>(i);
        if (!isDeletedName(p.reportName.raw())) {
            m_records[kindIndex(NameKind::Player)].push_back({foldCase(p.reportName.str()), i, p.club});
        }
    }
    for (std::int32_t i = 1; i <= m_ws.count(RecordKind::Alias); ++i) {
        const AliasRecord a = m_ws.read<AliasRecord>(i);
        if (a.isFree()) {
            continue;
        }
        for (const NameKind k : kNameKinds) {
            if (a.kindCode.str() == aliasKindCode(k)) {
                m_aliases.push_back({k, a.alias.str(), a.name.str()});
            }
        }
    }
    m_storedAliases = m_aliases.size();
}

std::optional<Ref> Resolver::exact(NameKind kind, const std::string& name, Ref side, bool cut) const
{
    const bool player = kind == NameKind::Player;
    const std::string key = player ? foldCase(name) : name;
    // An alias naming a long record holds only the start of its name; a name stored whole (the
    // alias field is wider) still finds its record.
    const auto same = [&](const std::string& recordName) {
        return recordName == key || (cut && aliasName(recordName) == key);
    };
    std::optional<Ref> found;
    for (const IndexedRecord& r : m_records[kindIndex(kind)]) {
        if (!same(r.name)) {
            continue;
        }
        if (kind != NameKind::Team) {
            return Ref{r.record, -1}; // the first record of that name
        }
        // Teams: the one of the side's club, else the last of that name.
        if (side.pending < 0 && side.record != 0 && r.club == side.record) {
            return Ref{r.record, -1};
        }
        found = Ref{r.record, -1};
    }
    if (found) {
        return found;
    }
    for (std::size_t i = 0; i < m_new.size(); ++i) {
        if (m_new[i].kind == kind && same(player ? foldCase(m_new[i].name) : m_new[i].name)) {
            return Ref{0, static_cast<int>(i)};
        }
    }
    return std::nullopt;
}

std::optional<Ref> Resolver::byAlias(NameKind kind, const std::string& name, Ref side) const
{
    for (const PendingAlias& a : m_aliases) {
        if (a.kind == kind && a.alias == name) {
            if (std::optional<Ref> r = exact(kind, rtrimBlanks(a.name), side, true)) {
                return r;
            }
        }
    }
    return std::nullopt;
}

Ref Resolver::create(NameKind kind, const std::string& name, Ref side)
{
    m_new.push_back({kind, name, side});
    return Ref{0, static_cast<int>(m_new.size() - 1)};
}

std::string Resolver::storedName(NameKind kind, std::int32_t record) const
{
    // A player's alias keeps his report name; the other kinds the record's name.
    for (const IndexedRecord& r : m_records[kindIndex(kind)]) {
        if (r.record == record) {
            if (kind == NameKind::Player) {
                return m_ws.read<PlayerRecord>(record).reportName.raw();
            }
            return r.name;
        }
    }
    return {};
}

Ref Resolver::resolve(NameKind kind, const FileName& fn, Ref side, Ref club1, Ref club2, bool keepNegative)
{
    if (!fn.names()) {
        // No record, a deleted one or one the other database did not hold: none here either.
        // A fieldsman keeps -1 (none named) and -2 (a substitute).
        return Ref{keepNegative && fn.number < 0 ? fn.number : 0, -1};
    }
    const std::string name = rtrimBlanks(fn.name);
    if (std::optional<Ref> r = exact(kind, name, side)) {
        return *r;
    }
    if (std::optional<Ref> r = byAlias(kind, name, side)) {
        return *r;
    }
    const auto chosen = m_chosen.find({kind, name});
    if (chosen != m_chosen.end()) {
        return chosen->second;
    }
    if (m_createAll) {
        return create(kind, name, side);
    }
    NameQuestion q;
    q.kind = kind;
    q.name = name;
    q.club1 = static_cast<std::int16_t>(club1.pending < 0 ? club1.record : 0);
    q.club2 = static_cast<std::int16_t>(club2.pending < 0 ? club2.record : 0);
    const NameAnswer a = m_ask(q);
    switch (a.action) {
    case NameAnswer::Action::Abort: throw AbortImport{};
    case NameAnswer::Action::NewEntryForAll: m_createAll = true; [[fallthrough]];
    case NameAnswer::Action::NewEntry: return create(kind, name, side);
    case NameAnswer::Action::Unresolved: {
        const std::string what = std::string(kindWord(kind)) + " \"" + name + "\"";
        if (std::find(m_unresolved.begin(), m_unresolved.end(), what) == m_unresolved.end()) {
            m_unresolved.push_back(what);
        }
        return m_chosen[{kind, name}] = Ref{0, -1};
    }
    case NameAnswer::Action::Use: break;
    }
    const Ref r{a.record > 0 ? a.record : 0, -1};
    m_chosen[{kind, name}] = r;
    if (a.remember && r.record > 0) {
        m_aliases.push_back({kind, name, aliasName(storedName(kind, r.record))});
    }
    return r;
}

// ---- Planning: every name of the file resolved ---------------------------------------------------

struct PlannedInnings
{
    const FileInnings* file = nullptr;
    int slot = 0;
    std::array<Ref, InningsRecord::kLines> batsman{}, fieldsman{}, bowler{}, bowling{};
    std::vector<Ref> specialPlayers;
};

struct PlannedMatch
{
    const FileMatch* file = nullptr;
    Ref ground, grade, team1, team2, captain1, captain2, keeper1, keeper2, manOfMatch;
    std::vector<PlannedInnings> innings;
};

PlannedMatch plan(Resolver& res, const FileMatch& m)
{
    PlannedMatch p;
    p.file = &m;
    const Ref none;
    p.ground = res.resolve(NameKind::Ground, m.ground, none, none, none);
    p.grade = res.resolve(NameKind::Grade, m.grade, none, none, none);
    const Ref club1 = res.resolve(NameKind::Club, m.club1, none, none, none);
    const Ref club2 = res.resolve(NameKind::Club, m.club2, none, none, none);
    p.team1 = res.resolve(NameKind::Team, m.team1, club1, club1, club2);
    p.team2 = res.resolve(NameKind::Team, m.team2, club2, club1, club2);
    const auto player = [&](const FileName& fn, Ref side, bool keepNegative = false) {
        return res.resolve(NameKind::Player, fn, side, club1, club2, keepNegative);
    };
    p.captain1 = player(m.captain1, club1);
    p.keeper1 = player(m.keeper1, club1);
    p.captain2 = player(m.captain2, club2);
    p.keeper2 = player(m.keeper2, club2);
    // The man of the match plays for the side whose lines name him.
    Ref momSide = club1;
    for (const FileInnings& fi : m.innings) {
        const int slot = slotOfLabel(fi.label);
        const bool team1Bats = slot == 1 || slot == 2;
        const Ref batting = team1Bats ? club1 : club2;
        const Ref fielding = team1Bats ? club2 : club1;
        PlannedInnings pi;
        pi.file = &fi;
        pi.slot = slot;
        for (std::size_t k = 1; k < InningsRecord::kLines; ++k) {
            const BattingLine& b = fi.record.batting[k];
            pi.batsman[k] = player({b.batsman, fi.batsmanName[k]}, batting);
            pi.fieldsman[k] = player({b.fieldsman, fi.fieldsmanName[k]}, fielding, true);
            pi.bowler[k] = player({b.bowler, fi.bowlerName[k]}, fielding);
            if (!fi.batsmanName[k].empty() && fi.batsmanName[k] == m.manOfMatch.name) {
                momSide = batting;
            }
        }
        for (std::size_t k = 1; k < InningsRecord::kLines; ++k) {
            pi.bowling[k] = player({fi.record.bowling[k].bowler, fi.bowlingName[k]}, fielding);
            if (!fi.bowlingName[k].empty() && fi.bowlingName[k] == m.manOfMatch.name) {
                momSide = fielding;
            }
        }
        for (const FileSpecial& s : fi.specials) {
            pi.specialPlayers.push_back(player(s.player, fielding));
        }
        p.innings.push_back(std::move(pi));
    }
    p.manOfMatch = player(m.manOfMatch, momSide);
    return p;
}

// ---- Writing, undone as a whole when it fails ----------------------------------------------------

// The working files and the header as they were before the import wrote anything.
class Snapshot
{
public:
    explicit Snapshot(WorkingSet& ws) : m_ws(ws), m_header(ws.header()), m_changed(ws.app().databaseChanged)
    {
        for (int k = 0; k < kRecordKindCount; ++k) {
            const std::string path = ws.filePath(static_cast<RecordKind>(k));
            Result<std::vector<std::uint8_t>> bytes = readFileBytes(path);
            if (bytes) {
                m_files.push_back({path, std::move(bytes.value())});
            } else if (std::filesystem::exists(path)) {
                throw StorageError("Cannot read the working file \"" + path + "\": " + bytes.message());
            } else {
                m_files.push_back({path, std::nullopt});
            }
        }
    }

    void restore()
    {
        for (const auto& [path, bytes] : m_files) {
            std::error_code ignored;
            if (!bytes) {
                std::filesystem::remove(path, ignored);
                continue;
            }
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
        }
        m_ws.header() = m_header;
        m_ws.app().databaseChanged = m_changed;
    }

private:
    WorkingSet& m_ws;
    DatabaseHeader m_header;
    bool m_changed;
    std::vector<std::pair<std::string, std::optional<std::vector<std::uint8_t>>>> m_files;
};

class Writer
{
public:
    Writer(WorkingSet& ws, const Resolver& res) : m_ws(ws), m_res(res) {}

    void createRecords(ImportSummary& s);
    void storeAliases(ImportSummary& s);
    void writeMatch(const PlannedMatch& p, ImportSummary& s);

private:
    std::int16_t number(Ref r) const
    {
        return static_cast<std::int16_t>(r.pending >= 0 ? m_created[static_cast<std::size_t>(r.pending)] : r.record);
    }
    std::int32_t allocateMatch();
    // A new grade or ground carrying `name`, with a blank abbreviation.
    template <class R> std::int32_t appendNamed(const std::string& name)
    {
        R r;
        r.name.assign(name);
        r.abbreviation.assign("");
        return m_ws.append(r);
    }

    WorkingSet& m_ws;
    const Resolver& m_res;
    std::vector<std::int32_t> m_created;
    std::vector<std::int32_t> m_freeMatches;
    bool m_matchesScanned = false;
};

void Writer::createRecords(ImportSummary& s)
{
    const std::vector<NewRecord>& wanted = m_res.created();
    m_created.assign(wanted.size(), 0);
    // Deleted player slots are taken first, lowest number first, as adding a player does.
    std::vector<std::int32_t> freePlayers;
    for (std::int32_t i = 1; i <= m_ws.count(RecordKind::Player); ++i) {
        if (isDeletedName(m_ws.read<PlayerRecord>(i).reportName.raw())) {
            freePlayers.push_back(i);
        }
    }
    std::size_t nextFreePlayer = 0;
    // Clubs before the teams and players that name them.
    for (const NameKind kind : {NameKind::Club, NameKind::Grade, NameKind::Ground, NameKind::Team, NameKind::Player}) {
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            const NewRecord& n = wanted[i];
            if (n.kind != kind) {
                continue;
            }
            std::int32_t record = 0;
            switch (kind) {
            case NameKind::Club: {
                ClubRecord c;
                c.name.assign(n.name);
                c.abbreviation.assign("");
                c.clubUrl.assign("");
                c.logoUrl.assign("");
                record = m_ws.append(c);
                break;
            }
            case NameKind::Grade: record = appendNamed<GradeRecord>(n.name); break;
            case NameKind::Ground: record = appendNamed<GroundRecord>(n.name); break;
            case NameKind::Team: {
                TeamRecord t;
                t.name.assign(n.name);
                t.club = number(n.club);
                record = m_ws.append(t);
                break;
            }
            case NameKind::Player: {
                PlayerRecord p;
                p.reportName.assign(n.name);
                p.dateOfBirth.assign("");
                p.club = number(n.club);
                p.active = 1;
                p.lastName.assign("");
                p.firstName.assign("");
                p.pictureUrl.assign("");
                if (nextFreePlayer < freePlayers.size()) {
                    record = freePlayers[nextFreePlayer++];
                    m_ws.write(record, p);
                } else {
                    record = m_ws.append(p);
                }
                break;
            }
            }
            m_created[i] = record;
            ++s.created[kindIndex(kind)];
        }
    }
}

void Writer::storeAliases(ImportSummary& s)
{
    const std::vector<PendingAlias>& all = m_res.aliases();
    for (std::size_t i = m_res.storedAliasCount(); i < all.size(); ++i) {
        AliasRecord a;
        a.kindCode.assign(aliasKindCode(all[i].kind));
        a.alias.assign(all[i].alias);
        a.name.assign(all[i].name);
        m_ws.addAlias(a);
        ++s.aliases;
    }
}

std::int32_t Writer::allocateMatch()
{
    // The free slots of deleted matches are found once and taken in order, as AllocateMatch does.
    if (!m_matchesScanned) {
        for (std::int32_t i = m_ws.count(RecordKind::Match); i >= 1; --i) {
            if (m_ws.read<MatchRecord>(i).datePlayed.raw().substr(6, 4) == "0000") {
                m_freeMatches.push_back(i);
            }
        }
        m_matchesScanned = true;
    }
    if (!m_freeMatches.empty()) {
        const std::int32_t n = m_freeMatches.back();
        m_freeMatches.pop_back();
        return n;
    }
    return m_ws.grow(RecordKind::Match);
}

void Writer::writeMatch(const PlannedMatch& p, ImportSummary& s)
{
    MatchRecord m = p.file->record;
    m.ground = number(p.ground);
    m.grade = number(p.grade);
    m.team1 = number(p.team1);
    m.team2 = number(p.team2);
    m.captain1 = number(p.captain1);
    m.captain2 = number(p.captain2);
    m.keeper1 = number(p.keeper1);
    m.keeper2 = number(p.keeper2);
    m.manOfMatch = number(p.manOfMatch);
    m.innings = {};
    for (const PlannedInnings& pi : p.innings) {
        InningsRecord r = pi.file->record;
        for (std::size_t k = 1; k < InningsRecord::kLines; ++k) {
            r.batting[k].batsman = number(pi.batsman[k]);
            r.batting[k].fieldsman = number(pi.fieldsman[k]);
            r.batting[k].bowler = number(pi.bowler[k]);
            r.bowling[k].bowler = number(pi.bowling[k]);
        }
        const std::int32_t n = m_ws.AllocateInnings();
        m_ws.write(n, r);
        m.innings[static_cast<std::size_t>(pi.slot)] = n;
        ++s.innings;
        for (std::size_t i = 0; i < pi.file->specials.size(); ++i) {
            const std::int32_t player = number(pi.specialPlayers[i]);
            if (n > kLargestSpecialEventNumber || player > kLargestSpecialEventNumber) {
                throw StorageError("The special event of line " + std::to_string(pi.file->specials[i].line) +
                                   " cannot be stored: its innings or player number is above " +
                                   std::to_string(kLargestSpecialEventNumber) + ".");
            }
            m_ws.append(makeSpecialEvent(n, player, pi.file->specials[i].event));
            ++s.specialEvents;
        }
    }
    m_ws.write(allocateMatch(), m);
    ++s.matches;
}

std::string plural(int n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

Result<ImportSummary> ImportMatches(AppState& app, const std::vector<FileMatch>& matches, const AskName& ask)
{
    WorkingSet ws(app);
    ImportSummary summary;
    std::vector<PlannedMatch> plans;
    std::optional<Resolver> resolver;
    try {
        resolver.emplace(ws, ask);
        for (const FileMatch& m : matches) {
            plans.push_back(plan(*resolver, m));
        }
    } catch (const AbortImport&) {
        summary.aborted = true;
        return summary;
    } catch (const StorageError& e) {
        return Error{e.what()};
    }
    summary.unresolved = resolver->unresolved();
    if (!summary.unresolved.empty()) {
        return summary;
    }

    std::optional<Snapshot> snapshot;
    try {
        snapshot.emplace(ws);
        Writer writer(ws, *resolver);
        writer.createRecords(summary);
        writer.storeAliases(summary);
        for (const PlannedMatch& p : plans) {
            writer.writeMatch(p, summary);
        }
    } catch (const std::exception& e) {
        if (snapshot) {
            snapshot->restore();
        }
        return Error{std::string(e.what()) + " Nothing has been imported."};
    }
    app.databaseChanged = true;
    return summary;
}

std::string summaryText(const ImportSummary& s)
{
    std::string text = plural(s.matches, "match", "matches") + " imported with " +
                       plural(s.innings, "innings", "innings") + ".";
    std::vector<std::string> created;
    const std::pair<NameKind, std::pair<const char*, const char*>> words[] = {
        {NameKind::Club, {"club", "clubs"}},       {NameKind::Team, {"team", "teams"}},
        {NameKind::Grade, {"grade", "grades"}},    {NameKind::Ground, {"ground", "grounds"}},
        {NameKind::Player, {"player", "players"}},
    };
    for (const auto& [kind, w] : words) {
        if (s.created[kindIndex(kind)] > 0) {
            created.push_back(plural(s.created[kindIndex(kind)], w.first, w.second));
        }
    }
    text += "\nNew records: ";
    if (created.empty()) {
        text += "none";
    }
    for (std::size_t i = 0; i < created.size(); ++i) {
        text += (i > 0 ? ", " : "") + created[i];
    }
    text += ".";
    if (s.specialEvents > 0) {
        text += "\n" + plural(s.specialEvents, "special fielding event", "special fielding events") + " added.";
    }
    if (s.aliases > 0) {
        text += "\n" + plural(s.aliases, "alias", "aliases") + " remembered for later imports.";
    }
    return text;
}

void ImportMatchFile(AppState& app, Platform& platform)
{
    FileDialogRequest request;
    request.title = "Import Matches";
    request.filter = "Match Files (*.MXP)|*.mxp|All Files (*.*)|*.*";
    request.defaultExtension = ".mxp";
    const std::optional<std::string> path = platform.openFileDialog(request);
    if (!path || path->empty()) {
        return;
    }
    std::vector<FileMatch> matches;
    {
        BusyPointer busy(platform);
        const Result<std::vector<std::uint8_t>> bytes = readFileBytes(*path);
        if (!bytes) {
            platform.message("The file \"" + *path + "\" could not be read: " + bytes.message(), Buttons::Ok,
                             Icon::Error);
            return;
        }
        const std::string_view text(reinterpret_cast<const char*>(bytes.value().data()), bytes.value().size());
        Result<std::vector<FileMatch>> read = ReadMatchFile(text);
        if (!read) {
            platform.message("The file \"" + *path + "\" cannot be imported. " + read.message() +
                                 "\nNothing has been imported.",
                             Buttons::Ok, Icon::Error);
            return;
        }
        matches = std::move(read.value());
    }
    if (matches.empty()) {
        platform.message("The file \"" + *path + "\" holds no matches.", Buttons::Ok, Icon::Information);
        return;
    }
    // The busy pointer shows while the import works, and gives way while a question is open.
    const AskName ask = [&](const NameQuestion& q) {
        platform.setBusy(false);
        NameResolutionModel window(app, platform, q);
        platform.showModal(window);
        platform.setBusy(true);
        return window.answer();
    };
    std::optional<Result<ImportSummary>> outcome;
    {
        BusyPointer busy(platform);
        outcome.emplace(ImportMatches(app, matches, ask));
    }
    const Result<ImportSummary>& done = *outcome;
    if (!done) {
        platform.message(done.message(), Buttons::Ok, Icon::Error);
        return;
    }
    if (done.value().aborted) {
        platform.message("Import aborted. Nothing has been imported.", Buttons::Ok, Icon::Information);
        return;
    }
    platform.message(summaryText(done.value()), Buttons::Ok, Icon::Information);
}

} // namespace wickly::exchange
