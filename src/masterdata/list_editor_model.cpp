#include "list_editor_model.h"

#include "app_state.h"
#include "formats.h"
#include "lookups.h"

#include <cctype>

namespace wickly::masterdata {

namespace {

constexpr int kHelpContext = 400;

// Positions of the fields in a line (0-based offsets and widths).
constexpr std::size_t kNameAt = 0, kNameWidth = 40;
constexpr std::size_t kAbbreviationAt = 41, kAbbreviationWidth = 7;
constexpr std::size_t kClubUrlAt = 52, kLogoUrlAt = 152, kUrlWidth = 100;
constexpr std::size_t kTeamNameWidth = 30;
constexpr std::size_t kClubExchangeLength = 252; // name, abbreviation, 4 blanks and the two URLs
constexpr std::size_t kNameExchangeLength = 48;  // name and abbreviation
// A club line shorter than this carries no URLs.
constexpr std::size_t kShortestLineWithUrls = 247;

const std::string kLineGap(30, ' ');       // before the record number
const std::string kEditedTeamGap(10, ' '); // before the record number of a team line built by Edit Name

// Pads with blanks or cuts a text to exactly `width` characters.
std::string pad(std::string_view text, std::size_t width)
{
    std::string s(text.substr(0, std::min(text.size(), width)));
    s.resize(width, ' ');
    return s;
}

// The characters of a line from `at`, at most `width` of them (fewer at the end of the line).
std::string field(const std::string& line, std::size_t at, std::size_t width)
{
    return at < line.size() ? line.substr(at, width) : std::string();
}

std::string trimBoth(std::string_view s)
{
    return rtrimBlanks(ltrimBlanks(s));
}

// A name whose first character, after any blanks, is the deleted mark. Stored, it would delete
// the entry without the checks and cascades of Delete ("#"), or hide it from this editor while
// the other windows still list it ("#1 Club"), so the dialogs refuse it.
bool beginsWithDeletedMark(std::string_view name)
{
    const std::string trimmed = ltrimBlanks(name);
    return !trimmed.empty() && trimmed.front() == DELETED_MARK.front();
}

// A stored web address; a field whose first byte is zero was never assigned and counts as blank.
template <std::size_t N> std::string storedUrl(const FixedText<N>& f)
{
    return f.bytes()[0] == 0 ? std::string() : f.str();
}

RecordKind recordKind(int kind)
{
    switch (kind) {
    case ClubsKind: return RecordKind::Club;
    case GradesKind: return RecordKind::Grade;
    case GroundsKind: return RecordKind::Ground;
    default: return RecordKind::Team;
    }
}

const char* headingOf(int kind)
{
    switch (kind) {
    case ClubsKind: return "Club Name                                Abbrev";
    case GradesKind: return "Grade Name                               Abbrev";
    case GroundsKind: return "Ground Name                              Abbrev";
    default: return "Team Name                      Club";
    }
}

template <class R> R nameRecordFromLine(const std::string& line)
{
    R r; // every other field zero bytes
    r.name.assign(field(line, kNameAt, kNameWidth));
    r.abbreviation.assign(field(line, kAbbreviationAt, kAbbreviationWidth));
    return r;
}

} // namespace

// ---- Name dialog --------------------------------------------------------------------------------

NameDialogModel::NameDialogModel(Platform& platform, bool club, const std::string& exchangeText)
    : urlsVisible(club), m_platform(platform)
{
    name = rtrimBlanks(field(exchangeText, kNameAt, kNameWidth));
    abbreviation = rtrimBlanks(field(exchangeText, kAbbreviationAt, kAbbreviationWidth));
    if (club) {
        clubUrl = rtrimBlanks(field(exchangeText, kClubUrlAt, kUrlWidth));
        logoUrl = rtrimBlanks(field(exchangeText, kLogoUrlAt, kUrlWidth));
    }
}

bool NameDialogModel::logoUrlLeft()
{
    // Blanks around the address are not part of it (they are not stored either).
    const std::string url = trimBoth(logoUrl);
    if (url.size() > 2) {
        std::string ending = url.substr(url.size() - 3);
        for (char& c : ending) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (ending != "jpg" && ending != "gif") {
            m_platform.message("The Logo URL must end with a .gif or .jpg", Buttons::Ok, Icon::Warning);
            focus = Field::LogoUrl;
            return false;
        }
    }
    return true;
}

void NameDialogModel::okClicked()
{
    // OK can be reached without leaving the Logo URL field (a click on OK, Enter), so the check
    // runs here too: a refused address is never stored.
    if (urlsVisible && !logoUrlLeft()) {
        return;
    }
    if (beginsWithDeletedMark(name)) {
        m_platform.message("A name cannot begin with \"#\"", Buttons::Ok, Icon::Error);
        focus = Field::Name;
        return;
    }
    exchange = FitText(ltrimBlanks(name), static_cast<int>(kNameWidth)) + " " +
               FitText(ltrimBlanks(abbreviation), static_cast<int>(kAbbreviationWidth));
    if (urlsVisible) {
        exchange += "    " + FitText(ltrimBlanks(clubUrl), static_cast<int>(kUrlWidth)) +
                    FitText(ltrimBlanks(logoUrl), static_cast<int>(kUrlWidth));
    }
    done = true;
}

void NameDialogModel::cancelClicked()
{
    exchange.clear();
    done = true;
}

// ---- Team dialog --------------------------------------------------------------------------------

TeamDialogModel::TeamDialogModel(const WorkingSet& ws, Platform& platform, const std::string& teamName,
                                 std::int32_t club)
    : name(teamName), resultName(teamName), resultClub(club), m_platform(platform)
{
    const std::int32_t count = ws.count(RecordKind::Club);
    for (std::int32_t i = 1; i <= count; ++i) {
        const ClubRecord c = ws.read<ClubRecord>(i);
        if (isDeletedName(c.name.raw())) {
            continue;
        }
        // The team's club is selected by its record number, wherever deletions have left it.
        if (club > 0 && i == club) {
            selectedClub = static_cast<int>(clubs.size());
        }
        clubs.push_back({pad(c.name.str(), kNameWidth) + std::string(60, ' ') + NumText(i), i, 0});
    }
}

void TeamDialogModel::clubChosen(int index)
{
    selectedClub = index >= 0 && index < static_cast<int>(clubs.size()) ? index : -1;
}

void TeamDialogModel::okClicked()
{
    const std::int32_t club =
        selectedClub >= 0 && selectedClub < static_cast<int>(clubs.size()) ? clubs[selectedClub].record : 0;
    if (club < 1) {
        m_platform.message("You must select a club for this team", Buttons::Ok, Icon::Error);
        return;
    }
    if (beginsWithDeletedMark(name)) {
        m_platform.message("A team name cannot begin with \"#\"", Buttons::Ok, Icon::Error);
        return;
    }
    resultName = name;
    resultClub = club;
    accepted = true;
    done = true;
}

void TeamDialogModel::cancelClicked()
{
    done = true;
}

// ---- List editor --------------------------------------------------------------------------------

ListEditorModel::ListEditorModel(AppState& app, Platform& platform, int kind)
    : m_app(app), m_platform(platform), m_ws(app), m_kind(kind >= ClubsKind && kind <= TeamsKind ? kind : ClubsKind),
      m_changedAtOpen(app.databaseChanged)
{
    heading = headingOf(m_kind);
    try {
        load();
    } catch (const StorageError& e) {
        storageFailed("The list could not be read completely", e);
    }
    m_changed = false;
}

std::string ListEditorModel::clubLine(const ClubRecord& c, std::int32_t record)
{
    return pad(c.name.str(), kNameWidth) + " " + pad(c.abbreviation.str(), kAbbreviationWidth) + "    " +
           pad(storedUrl(c.clubUrl), kUrlWidth) + pad(storedUrl(c.logoUrl), kUrlWidth) + kLineGap + NumText(record);
}

std::string ListEditorModel::nameLine(const NameAbbreviationRecord& r, std::int32_t record)
{
    return pad(r.name.str(), kNameWidth) + " " + pad(r.abbreviation.str(), kAbbreviationWidth) + kLineGap +
           NumText(record);
}

std::string ListEditorModel::teamLine(const std::string& teamName, std::int32_t club, std::int32_t record,
                                      int blanks) const
{
    return pad(teamName, kTeamNameWidth) + " " + FitText(RecordName(m_ws, ClubName, club), 30) + NumText(club) +
           std::string(static_cast<std::size_t>(blanks), ' ') + NumText(record);
}

void ListEditorModel::load()
{
    const std::int32_t count = m_ws.count(recordKind(m_kind));
    for (std::int32_t i = 1; i <= count; ++i) {
        switch (m_kind) {
        case ClubsKind: {
            const ClubRecord c = m_ws.read<ClubRecord>(i);
            if (!startsWithDeletedMark(c.name.raw())) {
                lines.push_back({clubLine(c, i), i, 0});
            }
            break;
        }
        case GradesKind:
        case GroundsKind: {
            // Grades and grounds share one layout.
            NameAbbreviationRecord r;
            if (m_kind == GradesKind) {
                r = m_ws.read<GradeRecord>(i);
            } else {
                r = m_ws.read<GroundRecord>(i);
            }
            if (!startsWithDeletedMark(r.name.raw())) {
                lines.push_back({nameLine(r, i), i, 0});
            }
            break;
        }
        default: {
            const TeamRecord t = m_ws.read<TeamRecord>(i);
            if (!startsWithDeletedMark(t.name.raw())) {
                lines.push_back({teamLine(t.name.str(), t.club, i, 30), i, t.club});
            }
            break;
        }
        }
    }
}

void ListEditorModel::storageFailed(const char* what, const StorageError& e)
{
    m_platform.message(std::string(what) + ": " + e.what(), Buttons::Ok, Icon::Error);
}

void ListEditorModel::lineSelected(int index)
{
    selected = index >= 0 && index < static_cast<int>(lines.size()) ? index : -1;
}

void ListEditorModel::addClicked()
{
    m_changed = true;
    try {
        if (m_kind == TeamsKind) {
            addTeam();
        } else {
            addName();
        }
    } catch (const StorageError& e) {
        storageFailed("The entry could not be added", e);
    }
}

void ListEditorModel::addName()
{
    NameDialogModel dialog(m_platform, m_kind == ClubsKind, std::string());
    m_platform.showModal(dialog);
    if (dialog.exchange.empty()) {
        return; // cancelled
    }
    const std::int32_t n = m_ws.grow(recordKind(m_kind));
    m_added.insert(n);
    lines.push_back({dialog.exchange + kLineGap + NumText(n), n, 0});
    selected = static_cast<int>(lines.size()) - 1;
}

void ListEditorModel::addTeam()
{
    TeamDialogModel dialog(m_ws, m_platform, std::string(), 0);
    m_platform.showModal(dialog);
    if (dialog.resultClub < 1) {
        m_platform.message("No club entered - Aborting!", Buttons::Ok, Icon::Error);
        return;
    }
    if (isBlankText(dialog.resultName)) {
        return;
    }
    const std::int32_t n = m_ws.grow(RecordKind::Team);
    m_added.insert(n);
    lines.push_back({teamLine(dialog.resultName, dialog.resultClub, n, 30), n, dialog.resultClub});
    selected = static_cast<int>(lines.size()) - 1;
}

void ListEditorModel::editClicked()
{
    if (!editEnabled()) {
        return;
    }
    m_changed = true;
    try {
        if (m_kind == TeamsKind) {
            editTeam(lines[static_cast<std::size_t>(selected)]);
        } else {
            editName(lines[static_cast<std::size_t>(selected)]);
        }
    } catch (const StorageError& e) {
        storageFailed("The entry could not be edited", e);
    }
}

void ListEditorModel::editName(ListLine& line)
{
    const bool club = m_kind == ClubsKind;
    NameDialogModel dialog(m_platform, club, field(line.text, 0, club ? kClubExchangeLength : kNameExchangeLength));
    m_platform.showModal(dialog);
    if (!dialog.exchange.empty()) {
        line.text = dialog.exchange + kLineGap + NumText(line.record);
    }
}

void ListEditorModel::editTeam(ListLine& line)
{
    TeamDialogModel dialog(m_ws, m_platform, rtrimBlanks(field(line.text, kNameAt, kTeamNameWidth)), line.club);
    m_platform.showModal(dialog);
    if (dialog.resultClub < 1) {
        m_platform.message("A club needs to be entered for this team", Buttons::Ok, Icon::Warning);
        return;
    }
    // Cancel leaves the line exactly as it was.
    if (!dialog.accepted || isBlankText(dialog.resultName)) {
        return;
    }
    line.text = teamLine(dialog.resultName, dialog.resultClub, line.record, static_cast<int>(kEditedTeamGap.size()));
    line.club = dialog.resultClub;
}

void ListEditorModel::deleteClicked()
{
    if (!deleteEnabled()) {
        return;
    }
    m_changed = true;
    // No is the default: Enter does not delete.
    if (m_platform.message("Are you sure you want to delete this item?", Buttons::YesNo, Icon::Warning, 1) !=
        Button::Yes) {
        return;
    }
    const auto index = static_cast<std::size_t>(selected);
    try {
        if (!deleteRecord(lines[index].record)) {
            return;
        }
    } catch (const StorageError& e) {
        storageFailed("The entry could not be deleted", e);
        return;
    }
    m_wroteRecords = true;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
    selected = -1;
    m_app.databaseChanged = true;
}

bool ListEditorModel::deleteRecord(std::int32_t record)
{
    switch (m_kind) {
    case ClubsKind:
        switch (m_ws.deleteClub(record)) {
        case ClubDeletion::UsedByTeam:
            m_platform.message("There are teams that play for this club. You need to first change the club for "
                               "these teams before the club can be deleted.",
                               Buttons::Ok, Icon::Error);
            return false;
        case ClubDeletion::UsedByPlayer:
            m_platform.message("There are players that play for this club. You need to first change the club for "
                               "these players before the club can be deleted.",
                               Buttons::Ok, Icon::Error);
            return false;
        case ClubDeletion::Deleted:
            // "Allow Players for" naming a deleted club would count as a club nobody plays for
            // (and as the next club added, should its number come back): it becomes all clubs.
            if (m_app.header.options.allowPlayersClub == record) {
                m_app.header.options.allowPlayersClub = 0;
            }
            return true;
        }
        return false;
    case GradesKind: m_ws.deleteGrade(record); return true;
    case GroundsKind: m_ws.deleteGround(record); return true;
    default: m_ws.deleteTeam(record); return true;
    }
}

void ListEditorModel::helpClicked()
{
    m_platform.showHelp(kHelpContext);
}

void ListEditorModel::writeLines()
{
    const std::int32_t count = m_ws.count(recordKind(m_kind));
    for (const ListLine& line : lines) {
        if (line.record < 1 || line.record > count) {
            continue;
        }
        switch (m_kind) {
        case ClubsKind: {
            ClubRecord c; // every other field zero bytes
            c.name.assign(field(line.text, kNameAt, kNameWidth));
            c.abbreviation.assign(field(line.text, kAbbreviationAt, kAbbreviationWidth));
            const bool urls = line.text.size() >= kShortestLineWithUrls;
            c.clubUrl.assign(urls ? field(line.text, kClubUrlAt, kUrlWidth) : std::string());
            c.logoUrl.assign(urls ? field(line.text, kLogoUrlAt, kUrlWidth) : std::string());
            m_ws.write(line.record, c);
            break;
        }
        case GradesKind: m_ws.write(line.record, nameRecordFromLine<GradeRecord>(line.text)); break;
        case GroundsKind: m_ws.write(line.record, nameRecordFromLine<GroundRecord>(line.text)); break;
        default: {
            TeamRecord t;
            t.name.assign(field(line.text, kNameAt, kTeamNameWidth));
            t.club = static_cast<std::int16_t>(line.club);
            m_ws.write(line.record, t);
            break;
        }
        }
    }
}

void ListEditorModel::closeClicked()
{
    try {
        writeLines();
    } catch (const StorageError& e) {
        // The editor stays open with every line, so that nothing typed is lost. Lines before the
        // failing one may have been written: the database counts as changed from now on.
        m_wroteRecords = true;
        m_app.databaseChanged = true;
        storageFailed("The changes could not be written", e);
        return;
    }
    m_added.clear();
    m_changed = false;
    m_app.databaseChanged = true;
    done = true;
}

bool ListEditorModel::closeRequested()
{
    if (m_changed) {
        // Cancel is the default: Enter keeps the editor and its changes.
        if (m_platform.message("Changes will be lost", Buttons::OkCancel, Icon::Warning, 1) != Button::Ok) {
            return false;
        }
        giveBackDiscardedAdditions();
    }
    done = true;
    return true;
}

void ListEditorModel::giveBackDiscardedAdditions()
{
    // Add New took count + 1 each time, so every record above the first addition still counted was
    // taken by this editor. None of the discarded ones was written: lower the count past them, so
    // that no counted record is left that holds nothing (or an earlier database's bytes).
    const RecordKind k = recordKind(m_kind);
    std::int32_t count = m_ws.count(k);
    while (count > 0 && m_added.contains(count)) {
        --count;
    }
    m_ws.setCount(k, count);
    m_added.clear();
    // Nothing of this editor reached the database unless a deletion was written.
    if (!m_wroteRecords) {
        m_app.databaseChanged = m_changedAtOpen;
    }
}

} // namespace wickly::masterdata
