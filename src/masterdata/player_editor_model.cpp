#include "player_editor_model.h"

#include "app_state.h"
#include "formats.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <limits>

namespace wickly::masterdata {

namespace {

constexpr int kHelpContext = 300; // the player editor's page of the help file

constexpr std::array<PlayerFieldInfo, kPlayerFieldCount> kFields{{
    {"First Name", 25},
    {"Last Name", 25},
    {"Report Name", 18},
    {"Date of Birth", 10},
    {"Rating (1-5)", 1},
    {"Picture URL", 50},
    {"Matches", 10},
    {"Innings", 10},
    {"Not Outs", 10},
    {"Runs", 10},
    {"High Score", 10},
    // Five digits rather than two, so that a career of more than 99 balls faced can be entered.
    {"Balls", 5},
    {"Fifties", 3},
    {"Hundreds", 3},
    {"Wickets", 10},
    {"Runs Agst", 10},
    {"Overs", 10},
    {"Maidens", 10},
    {"Best Bowling", 6},
    {"5WI", 3},
    {"10WM", 3},
    {"Catches", 10},
    {"Runouts", 10},
    {"Stumpings", 10},
    {"Year of 1st Match", 4},
    {"Year of Last Match", 4},
}};

// The 16-bit historical figures and the fields that show them. The runs (32-bit) and the best
// bowling (two numbers in one field) are handled on their own.
struct HistoryField
{
    PlayerField field;
    std::int16_t PlayerHistory::*member;
};
constexpr std::array<HistoryField, 16> kHistory16{{
    {PlayerField::Matches, &PlayerHistory::matches},
    {PlayerField::Innings, &PlayerHistory::innings},
    {PlayerField::NotOuts, &PlayerHistory::notOuts},
    {PlayerField::HighScore, &PlayerHistory::highScore},
    {PlayerField::Balls, &PlayerHistory::ballsFaced},
    {PlayerField::Fifties, &PlayerHistory::fifties},
    {PlayerField::Hundreds, &PlayerHistory::hundreds},
    {PlayerField::Wickets, &PlayerHistory::wickets},
    {PlayerField::RunsAgainst, &PlayerHistory::runsAgainst},
    {PlayerField::Overs, &PlayerHistory::overs},
    {PlayerField::Maidens, &PlayerHistory::maidens},
    {PlayerField::FiveWickets, &PlayerHistory::fiveWicketInnings},
    {PlayerField::TenWickets, &PlayerHistory::tenWicketMatches},
    {PlayerField::Catches, &PlayerHistory::catches},
    {PlayerField::RunOuts, &PlayerHistory::runOuts},
    {PlayerField::Stumpings, &PlayerHistory::stumpings},
}};

constexpr std::size_t index(PlayerField f)
{
    return static_cast<std::size_t>(f);
}

int currentYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

// A typed number as a whole number, when it lies within [low, high].
std::optional<std::int32_t> wholeNumber(std::string_view text, double low, double high)
{
    const double v = FormNumber(text);
    if (!std::isfinite(v) || v < low || v > high) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(v);
}

std::optional<std::int32_t> number16(std::string_view text)
{
    return wholeNumber(text, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
}

// The best bowling text "wickets/runs": the slash must come after the first character and
// before the last, else both are 0.
struct BestBowling
{
    std::string_view wickets;
    std::string_view runs;
};
BestBowling splitBestBowling(std::string_view text)
{
    const std::size_t slash = text.find('/', 1);
    if (text.size() < 3 || slash == std::string_view::npos || slash + 1 >= text.size()) {
        return {};
    }
    return {text.substr(0, slash), text.substr(slash + 1)};
}

std::string trimBoth(std::string_view s)
{
    return ltrimBlanks(rtrimBlanks(s));
}

// Date of birth "dd/mm/yyyy": ten characters, a day from 1 to 31, a month from 1 to 12 and a
// year from 1800 to this year. The separators are not checked.
bool validDateOfBirth(std::string_view s, int thisYear)
{
    if (s.size() != 10) {
        return false;
    }
    const double day = ValText(s.substr(0, 2));
    const double month = ValText(s.substr(3, 2));
    const double year = ValText(s.substr(6, 4));
    return day >= 1 && day <= 31 && month >= 1 && month <= 12 && year >= 1800 && year <= thisYear;
}

} // namespace

const PlayerFieldInfo& playerFieldInfo(PlayerField f)
{
    return kFields[index(f)];
}

std::string foldCase(std::string_view text)
{
    std::string out(text);
    for (char& ch : out) {
        const auto c = static_cast<unsigned char>(ch);
        unsigned char lower = c;
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
            lower = static_cast<unsigned char>(c + 0x20);
        } else if (c == 0x8A || c == 0x8C || c == 0x8E) { // S, OE and Z with caron or ligature
            lower = static_cast<unsigned char>(c + 0x10);
        } else if (c == 0x9F) { // Y with diaeresis
            lower = 0xFF;
        }
        ch = static_cast<char>(lower);
    }
    return out;
}

PlayerEditorModel::PlayerEditorModel(AppState& app, Platform& platform, std::int32_t player)
    : thisYear(currentYear()), m_app(app), m_platform(platform), m_ws(app), m_player(player)
{
    load();
}

void PlayerEditorModel::load()
{
    const std::int32_t clubCount = m_ws.count(RecordKind::Club);
    for (std::int32_t i = 1; i <= clubCount; ++i) {
        const ClubRecord c = m_ws.read<ClubRecord>(i);
        if (!isDeletedName(c.name.raw())) {
            clubs.push_back({c.name.str(), i});
        }
    }
    m_reportName.clear();
    for (std::size_t i = 0; i < kPlayerFieldCount; ++i) {
        m_limit[i] = kFields[i].limit;
    }

    if (m_player < 1 || m_player > m_ws.count(RecordKind::Player)) {
        // A new player: the historical figures start at 0.
        m_player = 0;
        for (const HistoryField& h : kHistory16) {
            textRef(h.field) = "0";
        }
        textRef(PlayerField::Runs) = "0";
        textRef(PlayerField::BestBowling) = "0/0";
        m_changed = false;
        return;
    }

    const PlayerRecord p = m_ws.read<PlayerRecord>(m_player);
    m_reportName = p.reportName.str();
    textRef(PlayerField::FirstName) = p.firstName.str();
    textRef(PlayerField::LastName) = p.lastName.str();
    textRef(PlayerField::ReportName) = p.reportName.str();
    textRef(PlayerField::DateOfBirth) = p.dateOfBirth.str();
    textRef(PlayerField::Rating) = std::to_string(p.rating);
    textRef(PlayerField::PictureUrl) = p.pictureUrl.str();
    for (const HistoryField& h : kHistory16) {
        textRef(h.field) = std::to_string(p.history.*h.member);
    }
    textRef(PlayerField::Runs) = std::to_string(p.history.runs);
    textRef(PlayerField::BestBowling) =
        std::to_string(p.history.bestBowlingWickets) + "/" + std::to_string(p.history.bestBowlingRuns);
    const auto year = [](std::int16_t y) { return y >= 1851 && y <= 2099 ? std::to_string(y) : std::string(); };
    textRef(PlayerField::FirstMatchYear) = year(p.firstMatchYear);
    textRef(PlayerField::LastMatchYear) = year(p.lastMatchYear);
    // A stored year the fields do not show is kept unless something is typed in its place.
    m_hiddenFirstYear = year(p.firstMatchYear).empty() ? p.firstMatchYear : std::int16_t{0};
    m_hiddenLastYear = year(p.lastMatchYear).empty() ? p.lastMatchYear : std::int16_t{0};
    active = p.active == 1;
    highScoreNotOut = p.history.highScoreNotOut == 1;
    for (std::size_t i = 0; i < clubs.size(); ++i) {
        if (clubs[i].record == p.club) {
            clubIndex = static_cast<int>(i);
        }
    }
    // A stored value longer than the field's limit (a report name of up to 30 characters from an
    // imported or converted database) is shown and saved whole.
    for (std::size_t i = 0; i < kPlayerFieldCount; ++i) {
        m_limit[i] = std::max(m_limit[i], static_cast<int>(m_text[i].size()));
    }
    m_changed = false;
}

void PlayerEditorModel::setText(PlayerField f, std::string_view value)
{
    const std::string cut(value.substr(0, static_cast<std::size_t>(limit(f))));
    if (cut != text(f)) {
        textRef(f) = cut;
        m_changed = true;
    }
}

void PlayerEditorModel::activeToggled(bool checked)
{
    if (checked != active) {
        active = checked;
        m_changed = true;
    }
}

void PlayerEditorModel::highScoreNotOutToggled(bool checked)
{
    if (checked != highScoreNotOut) {
        highScoreNotOut = checked;
        m_changed = true;
    }
}

void PlayerEditorModel::clubChosen(int index)
{
    if (index < -1 || index >= static_cast<int>(clubs.size())) {
        return;
    }
    if (index != clubIndex) {
        clubIndex = index;
        m_changed = true;
    }
}

bool PlayerEditorModel::fieldLeft(PlayerField f)
{
    focus.reset();
    switch (f) {
    case PlayerField::DateOfBirth: return dateOfBirthLeft();
    case PlayerField::LastName: lastNameLeft(); return true;
    case PlayerField::FirstMatchYear: return firstMatchYearLeft();
    case PlayerField::PictureUrl: return pictureUrlLeft();
    default: return true;
    }
}

bool PlayerEditorModel::dateOfBirthLeft()
{
    const std::string dob = rtrimBlanks(text(PlayerField::DateOfBirth));
    if (dob.empty() || validDateOfBirth(dob, thisYear)) {
        return true;
    }
    if (m_platform.message("Incorrect Date Format", Buttons::OkCancel, Icon::Error, 0, "Error") == Button::Cancel) {
        setText(PlayerField::DateOfBirth, "");
    } else {
        focus = PlayerField::DateOfBirth;
    }
    return false;
}

void PlayerEditorModel::lastNameLeft()
{
    if (!isBlankText(text(PlayerField::ReportName))) {
        return;
    }
    const std::string last = rtrimBlanks(text(PlayerField::LastName));
    const std::string first = text(PlayerField::FirstName);
    std::string suggestion = isBlankText(first) ? last : std::string(1, first[0]) + " " + last;
    setText(PlayerField::ReportName, suggestion.substr(0, 18));
}

bool PlayerEditorModel::firstMatchYearLeft()
{
    if (FormNumber(text(PlayerField::FirstMatchYear)) >= 1850) {
        return true;
    }
    if (m_platform.message("Year must be greater than 1850", Buttons::OkCancel, Icon::Error, 0, "Date Error") ==
        Button::Cancel) {
        setText(PlayerField::FirstMatchYear, "");
    } else {
        focus = PlayerField::FirstMatchYear;
    }
    return false;
}

bool PlayerEditorModel::pictureUrlLeft()
{
    const std::string url = rtrimBlanks(text(PlayerField::PictureUrl));
    if (url.size() <= 2) {
        return true;
    }
    const std::string ending = foldCase(url.substr(url.size() - 3));
    if (ending == "jpg" || ending == "gif") {
        return true;
    }
    return refuse("The Picture URL must end with a .gif or .jpg", Icon::Warning, PlayerField::PictureUrl);
}

bool PlayerEditorModel::refuse(const std::string& message, Icon icon, std::optional<PlayerField> field)
{
    m_platform.message(message, Buttons::Ok, icon);
    focus = field;
    return false;
}

std::optional<std::int32_t> PlayerEditorModel::number(PlayerField f) const
{
    if (f == PlayerField::Runs) {
        return wholeNumber(text(f), std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    }
    return number16(text(f));
}

PlayerRecord PlayerEditorModel::buildRecord(const PlayerRecord& base) const
{
    const auto num16 = [this](PlayerField f) { return static_cast<std::int16_t>(number(f).value_or(0)); };
    PlayerRecord p = base;
    p.firstName.assign(rtrimBlanks(text(PlayerField::FirstName)));
    p.lastName.assign(rtrimBlanks(text(PlayerField::LastName)));
    p.reportName.assign(text(PlayerField::ReportName));
    p.dateOfBirth.assign(text(PlayerField::DateOfBirth));
    p.active = active ? 1 : 0;
    p.rating = num16(PlayerField::Rating);
    p.club = static_cast<std::int16_t>(clubs[static_cast<std::size_t>(clubIndex)].record);
    p.pictureUrl.assign(rtrimBlanks(text(PlayerField::PictureUrl)));
    for (const HistoryField& h : kHistory16) {
        p.history.*h.member = num16(h.field);
    }
    p.history.runs = number(PlayerField::Runs).value_or(0);
    p.history.highScoreNotOut = highScoreNotOut ? 1 : 0;
    const BestBowling best = splitBestBowling(text(PlayerField::BestBowling));
    p.history.bestBowlingWickets = static_cast<std::int16_t>(number16(best.wickets).value_or(0));
    p.history.bestBowlingRuns = static_cast<std::int16_t>(number16(best.runs).value_or(0));
    const auto matchYear = [&](PlayerField f, std::int16_t hidden) {
        return hidden != 0 && isBlankText(text(f)) ? hidden : num16(f);
    };
    p.firstMatchYear = matchYear(PlayerField::FirstMatchYear, m_hiddenFirstYear);
    p.lastMatchYear = matchYear(PlayerField::LastMatchYear, m_hiddenLastYear);
    return p;
}

void PlayerEditorModel::okClicked()
{
    focus.reset();
    const std::string& typedName = text(PlayerField::ReportName);
    if (isBlankText(typedName)) {
        refuse("A report name needs to be entered", Icon::Warning, PlayerField::ReportName);
        return;
    }
    // A report name that begins with the deleted mark would make the player vanish from the
    // player list, or, typed as "#", delete the player as soon as it is saved.
    if (typedName[0] == DELETED_MARK[0]) {
        refuse("A report name cannot begin with \"#\"", Icon::Error, PlayerField::ReportName);
        return;
    }
    if (isBlankText(text(PlayerField::LastName))) {
        refuse("A last name needs to be entered", Icon::Warning, PlayerField::LastName);
        return;
    }
    if (clubIndex < 0 || clubIndex >= static_cast<int>(clubs.size())) {
        refuse("A club must be assigned to this player", Icon::Warning, std::nullopt);
        return;
    }

    const std::string wanted = foldCase(trimBoth(typedName));
    std::int32_t firstDeleted = 0;
    bool duplicate = false;
    const std::int32_t players = m_ws.count(RecordKind::Player);
    for (std::int32_t i = 1; i <= players; ++i) {
        const PlayerRecord p = m_ws.read<PlayerRecord>(i);
        if (isDeletedName(p.reportName.raw())) {
            if (firstDeleted == 0) {
                firstDeleted = i;
            }
        } else if (i != m_player && foldCase(rtrimBlanks(p.reportName.raw())) == wanted) {
            duplicate = true;
        }
    }
    if (duplicate) {
        refuse("A player with that report name already exists", Icon::Error, PlayerField::ReportName);
        return;
    }

    // The record fields are 16-bit (the runs 32-bit): a number that does not fit is refused rather
    // than stored wrapped round.
    for (std::size_t i = index(PlayerField::Rating); i < kPlayerFieldCount; ++i) {
        const auto f = static_cast<PlayerField>(i);
        if (f == PlayerField::PictureUrl) {
            continue;
        }
        if (f == PlayerField::BestBowling) {
            const BestBowling best = splitBestBowling(text(f));
            if (!number16(best.wickets) || !number16(best.runs)) {
                refuse("The figures in \"Best Bowling\" are too large to be stored: wickets and runs must each be "
                       "between -32768 and 32767.",
                       Icon::Error, f);
                return;
            }
        } else if (!number(f)) {
            const bool runs = f == PlayerField::Runs;
            refuse(std::string("The number in \"") + kFields[i].label + "\" is too large to be stored: it must be " +
                       (runs ? "between -2147483648 and 2147483647." : "between -32768 and 32767."),
                   Icon::Error, f);
            return;
        }
    }

    const bool isNew = m_player == 0;
    std::int32_t n = m_player;
    bool grew = false;
    try {
        const PlayerRecord base = isNew ? PlayerRecord{} : m_ws.read<PlayerRecord>(n);
        if (isNew) {
            n = firstDeleted;
            if (n == 0) {
                n = m_ws.grow(RecordKind::Player);
                grew = true;
            }
        }
        m_ws.write(n, buildRecord(base));
    } catch (const StorageError& e) {
        if (grew) {
            m_ws.setCount(RecordKind::Player, n - 1); // the new slot was never written
        }
        m_platform.message(std::string("The player could not be saved.\n\n") + e.what(), Buttons::Ok, Icon::Error);
        return;
    }

    m_player = n;
    m_reportName = rtrimBlanks(typedName);
    m_changed = false;
    m_app.databaseChanged = true;
    done = true;
}

void PlayerEditorModel::cancelClicked()
{
    closeRequested();
}

bool PlayerEditorModel::closeRequested()
{
    if (done) {
        return true;
    }
    if (m_changed &&
        m_platform.message("Changes will not be saved", Buttons::OkCancel, Icon::Warning, 1) == Button::Cancel) {
        return false; // the editor stays open on the same player
    }
    m_reportName.clear();
    m_player = 0;
    done = true;
    return true;
}

void PlayerEditorModel::helpClicked()
{
    m_platform.showHelp(kHelpContext);
}

} // namespace wickly::masterdata
