#include "scorecard_import_model.h"

#include "app_state.h"
#include "file_io.h"
#include "name_kind.h"
#include "name_resolution_model.h"
#include "records.h"
#include "working_set.h"

#include <algorithm>

namespace wickly::exchange {

namespace {

constexpr std::int32_t kAborted = -99;
// New players of an import are numbered from here downwards until they are created.
constexpr std::int32_t kFirstPendingPlayer = -100;

// The words of a line, with the captain's and keeper's marks of printed cards taken off.
std::vector<std::string> words(std::string_view line)
{
    std::vector<std::string> out;
    std::string word;
    const auto flush = [&] {
        // "*" and the dagger (Windows-1252 0x86, or its UTF-8 form) mark captains and keepers.
        while (!word.empty() && (word.front() == '*' || word.front() == '\x86')) {
            word.erase(0, 1);
        }
        while (!word.empty() && (word.back() == '*' || word.back() == '\x86')) {
            word.pop_back();
        }
        if (word.starts_with("\xE2\x80\xA0")) {
            word.erase(0, 3);
        }
        if (!word.empty() && word != "(c)" && word != "(wk)" && word != "(c)(wk)" && word != "(c&wk)") {
            out.push_back(word);
        }
        word.clear();
    };
    for (const char c : line) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            flush();
        } else {
            word.push_back(c);
        }
    }
    flush();
    return out;
}

bool isNumber(const std::string& w, bool allowPoint)
{
    if (w.empty()) {
        return false;
    }
    int points = 0;
    for (const char c : w) {
        if (c == '.' && allowPoint) {
            ++points;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return points <= 1 && w != ".";
}

std::string joined(const std::vector<std::string>& w, std::size_t from, std::size_t to)
{
    std::string out;
    for (std::size_t i = from; i < to && i < w.size(); ++i) {
        out += (out.empty() ? "" : " ") + w[i];
    }
    return out;
}

// The index of the first of words from..to-1 that is `word`, or `to` when none is.
std::size_t findWord(const std::vector<std::string>& w, std::size_t from, std::size_t to, const char* word)
{
    for (std::size_t i = from; i < to; ++i) {
        if (w[i] == word) {
            return i;
        }
    }
    return to;
}

// A fieldsman's name as a card gives it: "sub" or "sub (Name)" is a substitute.
void setFieldsman(ImportedBatting& b, std::string name)
{
    if (name.size() > 1 && name.front() == '(' && name.back() == ')') {
        name = name.substr(1, name.size() - 2);
    }
    if (foldCase(name) == "sub" || foldCase(name).starts_with("sub ") || foldCase(name).starts_with("sub(")) {
        b.substitute = true;
        return;
    }
    b.fieldsman = name;
}

// Reads the dismissal that starts at word i; false when no dismissal starts there.
bool readDismissal(const std::vector<std::string>& w, std::size_t i, std::size_t end, ImportedBatting& b)
{
    const auto at = [&](std::size_t k) { return k < end ? foldCase(w[k]) : std::string(); };
    const std::string first = w[i];
    if (first == "c" && at(i + 1) == "&" && at(i + 2) == "b") {
        b.howOut = CaughtAndBowled;
        b.bowler = joined(w, i + 3, end);
    } else if (first == "c&b") {
        b.howOut = CaughtAndBowled;
        b.bowler = joined(w, i + 1, end);
    } else if ((first == "c" || first == "st") && i + 1 < end) {
        const std::size_t bAt = findWord(w, i + 1, end, "b");
        b.howOut = first == "c" ? Caught : Stumped;
        setFieldsman(b, joined(w, i + 1, bAt));
        b.bowler = joined(w, bAt + 1, end);
    } else if (first == "b" && i + 1 < end) {
        b.howOut = Bowled;
        b.bowler = joined(w, i + 1, end);
    } else if ((first == "lbw" || first == "LBW") && at(i + 1) == "b") {
        b.howOut = Lbw;
        b.bowler = joined(w, i + 2, end);
    } else if (first == "run" && at(i + 1) == "out") {
        b.howOut = RunOut;
        std::string rest = joined(w, i + 2, end);
        if (rest.size() > 1 && rest.front() == '(' && rest.back() == ')') {
            rest = rest.substr(1, rest.size() - 2);
        }
        const std::size_t slash = rest.find('/');
        setFieldsman(b, rest.substr(0, slash));
        if (slash != std::string::npos) {
            b.bowler = rest.substr(slash + 1);
        }
    } else if (first == "not" && at(i + 1) == "out") {
        b.howOut = NotOut;
    } else if (first == "retired" && at(i + 1) == "hurt") {
        b.howOut = RetiredHurt;
    } else if (first == "retired" && at(i + 1) == "out") {
        b.howOut = RetiredOut;
    } else if (first == "retired" && at(i + 1) == "not" && at(i + 2) == "out") {
        b.howOut = RetiredNotOut;
    } else if (first == "hit" && at(i + 1) == "wicket") {
        b.howOut = HitWicket;
        b.bowler = at(i + 2) == "b" ? joined(w, i + 3, end) : std::string();
    } else if (first == "hit" && at(i + 1) == "the" && at(i + 2) == "ball" && at(i + 3) == "twice") {
        b.howOut = HitTwice;
        b.bowler = at(i + 4) == "b" ? joined(w, i + 5, end) : std::string();
    } else if (first == "handled" && at(i + 1) == "the" && at(i + 2) == "ball") {
        b.howOut = HandledBall;
    } else if (first == "obstructing" && at(i + 1) == "the" && at(i + 2) == "field") {
        b.howOut = ObstructingField;
    } else if (first == "timed" && at(i + 1) == "out") {
        b.howOut = TimedOut;
    } else if (first == "absent" && at(i + 1) == "hurt") {
        b.howOut = AbsentHurt;
    } else if (first == "absent" && at(i + 1) == "ill") {
        b.howOut = AbsentIll;
    } else if (first == "dnb" || (first == "did" && at(i + 1) == "not" && at(i + 2) == "bat")) {
        b.howOut = DidNotBat;
    } else {
        return false;
    }
    return true;
}

} // namespace

std::optional<ImportedBatting> parseBattingLine(std::string_view line)
{
    const std::vector<std::string> w = words(line);
    // The figures are the whole numbers at the end; decimals there (a strike rate) are skipped.
    std::size_t end = w.size();
    std::vector<std::string> figures;
    while (end > 1 && isNumber(w[end - 1], true)) {
        --end;
        if (isNumber(w[end], false)) {
            figures.insert(figures.begin(), w[end]);
        }
    }
    for (std::size_t i = 1; i < end; ++i) {
        ImportedBatting b;
        if (!readDismissal(w, i, end, b)) {
            continue;
        }
        b.batsman = joined(w, 0, i);
        const bool batted = b.howOut != DidNotBat && b.howOut != AbsentHurt && b.howOut != AbsentIll;
        if (batted && figures.empty()) {
            return std::nullopt;
        }
        std::string* columns[] = {&b.runs, &b.balls, &b.fours, &b.sixes};
        for (std::size_t k = 0; k < figures.size() && k < 4; ++k) {
            *columns[k] = figures[k];
        }
        return b;
    }
    return std::nullopt;
}

std::optional<ImportedBowling> parseBowlingLine(std::string_view line)
{
    const std::vector<std::string> w = words(line);
    std::size_t first = w.size();
    while (first > 1 && isNumber(w[first - 1], true)) {
        --first;
    }
    if (first == 0 || w.size() - first < 4 || !isNumber(w[first + 1], false) || !isNumber(w[first + 2], false) ||
        !isNumber(w[first + 3], false)) {
        return std::nullopt;
    }
    ImportedBowling b;
    b.bowler = joined(w, 0, first);
    b.overs = w[first];
    b.maidens = w[first + 1];
    b.runs = w[first + 2];
    b.wickets = w[first + 3];
    return b;
}

ScorecardImportModel::ScorecardImportModel(AppState& app, Platform& platform) : m_app(app), m_platform(platform)
{
}

void ScorecardImportModel::open(ScorecardImportMode m, std::int16_t battingClub, std::int16_t bowlingClub)
{
    mode = m;
    m_battingClub = battingClub;
    m_bowlingClub = bowlingClub;
    label = m == ScorecardImportMode::Batting ? "Select all lines containing the batsman scores for this innings:"
                                              : "Select all lines containing the bowling figures for this innings:";
    imported = false;
    visible = true;
}

void ScorecardImportModel::loadClicked()
{
    FileDialogRequest request;
    request.title = "Select Scorecard File";
    request.filter = "Text Files (*.TXT)|*.txt|All Files (*.*)|*.*";
    const std::optional<std::string> path = m_platform.openFileDialog(request);
    if (!path || path->empty()) {
        return;
    }
    const Result<std::vector<std::uint8_t>> bytes = readFileBytes(*path);
    if (!bytes) {
        m_platform.message("The file \"" + *path + "\" could not be read: " + bytes.message(), Buttons::Ok,
                           Icon::Error);
        return;
    }
    lines.clear();
    selection.clear();
    const std::string_view text(reinterpret_cast<const char*>(bytes.value().data()), bytes.value().size());
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        start = end == std::string_view::npos ? text.size() : end + 1;
    }
}

void ScorecardImportModel::selectionChanged(std::vector<int> indices)
{
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    std::erase_if(indices, [&](int i) { return i < 0 || i >= static_cast<int>(lines.size()); });
    selection = std::move(indices);
}

void ScorecardImportModel::helpClicked()
{
    m_platform.showHelp(kHelpScorecardImport);
}

std::int32_t ScorecardImportModel::resolvePlayer(const std::string& name, bool battingSide)
{
    if (name.empty()) {
        return 0;
    }
    const std::string key = foldCase(name);
    const std::int16_t side = battingSide ? m_battingClub : m_bowlingClub;
    // The same name on the other side is another player: each side's names are settled apart.
    for (const SettledName& settled : m_settled) {
        if (settled.club == side && settled.name == key) {
            return settled.number;
        }
    }
    const WorkingSet ws(m_app);
    std::vector<std::pair<PlayerRecord, std::int32_t>> players;
    for (std::int32_t i = 1; i <= ws.count(RecordKind::Player); ++i) {
        PlayerRecord p = ws.read<PlayerRecord>(i);
        if (!isDeletedName(p.reportName.raw())) {
            players.emplace_back(std::move(p), i);
        }
    }
    // The first player of that report name on the side, else the first of any club.
    const auto byReportName = [&](const std::string& wanted) -> std::int32_t {
        std::int32_t other = 0;
        for (const auto& [p, i] : players) {
            if (foldCase(p.reportName.str()) == foldCase(wanted)) {
                if (side == 0 || p.club == side) {
                    return i;
                }
                other = other == 0 ? i : other;
            }
        }
        return other;
    };
    std::int32_t found = byReportName(name);
    for (std::int32_t i = 1; found == 0 && i <= ws.count(RecordKind::Alias); ++i) {
        const AliasRecord a = ws.read<AliasRecord>(i);
        if (!a.isFree() && a.kindCode.str() == aliasKindCode(NameKind::Player) && a.alias.str() == name) {
            found = byReportName(a.name.str());
        }
    }
    if (found == 0) {
        // A card often names the fielder or bowler by surname: one player of the side whose
        // report name or last name ends with it.
        std::vector<std::int32_t> matches;
        for (const auto& [p, i] : players) {
            const std::string report = foldCase(p.reportName.str());
            const bool surname = foldCase(p.lastName.str()) == key ||
                                 (report.size() > key.size() && report.ends_with(" " + key));
            if (surname && (side == 0 || p.club == side)) {
                matches.push_back(i);
            }
        }
        if (matches.size() == 1) {
            found = matches.front();
        }
    }
    if (found == 0) {
        NameQuestion q;
        q.kind = NameKind::Player;
        q.name = name;
        q.club1 = m_battingClub;
        q.club2 = m_bowlingClub;
        NameResolutionModel window(m_app, m_platform, q);
        m_platform.showModal(window);
        const NameAnswer a = window.answer();
        switch (a.action) {
        case NameAnswer::Action::Abort:
        case NameAnswer::Action::Unresolved: return kAborted;
        case NameAnswer::Action::NewEntry:
        case NameAnswer::Action::NewEntryForAll:
            m_newPlayers.emplace_back(name, side);
            found = kFirstPendingPlayer - static_cast<std::int32_t>(m_newPlayers.size() - 1);
            break;
        case NameAnswer::Action::Use:
            found = a.record;
            if (a.remember && a.record > 0) {
                AliasRecord alias;
                alias.kindCode.assign(aliasKindCode(NameKind::Player));
                alias.alias.assign(name);
                alias.name.assign(ws.read<PlayerRecord>(a.record).reportName.raw());
                m_pendingAliases.push_back(alias);
            }
            break;
        }
    }
    m_settled.push_back({side, key, found});
    return found;
}

void ScorecardImportModel::importClicked()
{
    batting.clear();
    bowling.clear();
    m_settled.clear();
    m_newPlayers.clear();
    m_pendingAliases.clear();
    if (selection.empty()) {
        m_platform.message("Select the lines to import from the list first", Buttons::Ok, Icon::Error);
        return;
    }
    if (selection.size() > 14) {
        m_platform.message("An innings has at most 14 lines; " + std::to_string(selection.size()) +
                               " lines are selected.",
                           Buttons::Ok, Icon::Error);
        return;
    }
    // Every selected line must read, or nothing is imported.
    std::string unread;
    for (const int i : selection) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        if (mode == ScorecardImportMode::Batting) {
            if (std::optional<ImportedBatting> b = parseBattingLine(line)) {
                batting.push_back(std::move(*b));
                continue;
            }
        } else if (std::optional<ImportedBowling> b = parseBowlingLine(line)) {
            bowling.push_back(std::move(*b));
            continue;
        }
        unread += "\nLine " + std::to_string(i + 1) + ": " + line;
    }
    if (!unread.empty()) {
        batting.clear();
        bowling.clear();
        m_platform.message(std::string(mode == ScorecardImportMode::Batting
                                           ? "These lines are not a batsman's score (name, how out, runs):"
                                           : "These lines are not bowling figures (name, overs, maidens, runs, "
                                             "wickets):") +
                               unread,
                           Buttons::Ok, Icon::Error);
        return;
    }
    // Every name is settled before anything is written, so that "Abort" leaves nothing behind.
    const auto abort = [&] {
        batting.clear();
        bowling.clear();
    };
    for (ImportedBatting& b : batting) {
        b.batsmanNumber = resolvePlayer(b.batsman, true);
        b.fieldsmanNumber = b.substitute ? kSubstitute : resolvePlayer(b.fieldsman, false);
        b.bowlerNumber = resolvePlayer(b.bowler, false);
        if (b.batsmanNumber == kAborted || b.fieldsmanNumber == kAborted || b.bowlerNumber == kAborted) {
            return abort();
        }
    }
    for (ImportedBowling& b : bowling) {
        b.bowlerNumber = resolvePlayer(b.bowler, false);
        if (b.bowlerNumber == kAborted) {
            return abort();
        }
    }
    try {
        WorkingSet ws(m_app);
        std::vector<std::int32_t> created;
        for (const auto& [name, club] : m_newPlayers) {
            PlayerRecord p;
            p.reportName.assign(name);
            p.dateOfBirth.assign("");
            p.club = club;
            p.active = 1;
            p.lastName.assign("");
            p.firstName.assign("");
            p.pictureUrl.assign("");
            created.push_back(ws.addPlayer(p));
        }
        for (const AliasRecord& a : m_pendingAliases) {
            ws.addAlias(a);
        }
        const auto real = [&](std::int32_t& n) {
            if (n <= kFirstPendingPlayer) {
                n = created[static_cast<std::size_t>(kFirstPendingPlayer - n)];
            }
        };
        for (ImportedBatting& b : batting) {
            real(b.batsmanNumber);
            real(b.fieldsmanNumber);
            real(b.bowlerNumber);
        }
        for (ImportedBowling& b : bowling) {
            real(b.bowlerNumber);
        }
    } catch (const StorageError& e) {
        abort();
        m_platform.message(std::string("The new players could not be stored. ") + e.what(), Buttons::Ok,
                           Icon::Error);
        return;
    }
    imported = true;
    visible = false;
}

} // namespace wickly::exchange
