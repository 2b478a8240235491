#pragma once
// The player editor ("Players"): one player's names, date of birth, club, rating, active flag,
// picture address and historical career figures. Opened modally by the player list and by the
// scorecard window, for an existing player or empty for a new one; OK checks the input and writes
// one PlayerRecord.

#include "platform.h"
#include "working_set.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wickly {
struct AppState;
}

namespace wickly::masterdata {

// The text fields of the editor, in tab order.
enum class PlayerField
{
    FirstName,
    LastName,
    ReportName,
    DateOfBirth,
    Rating,
    PictureUrl,
    Matches,
    Innings,
    NotOuts,
    Runs,
    HighScore,
    Balls,
    Fifties,
    Hundreds,
    Wickets,
    RunsAgainst,
    Overs,
    Maidens,
    BestBowling,
    FiveWickets,
    TenWickets,
    Catches,
    RunOuts,
    Stumpings,
    FirstMatchYear,
    LastMatchYear,
};
inline constexpr int kPlayerFieldCount = 26;

struct PlayerFieldInfo
{
    const char* label; // as shown beside the field
    int limit;         // the most characters a new entry accepts
};
const PlayerFieldInfo& playerFieldInfo(PlayerField f);

// An entry of the club list: a live club's name and its record number.
struct PlayerClubEntry
{
    std::string name;
    std::int32_t record = 0;
};

// Windows-1252 text folded to lower case, for report names that compare without case.
std::string foldCase(std::string_view text);

class PlayerEditorModel : public WindowModel
{
public:
    // `player` is the record number of the player to edit, or 0 for a new player.
    PlayerEditorModel(AppState& app, Platform& platform, std::int32_t player);

    // ---- State shown by the view
    std::string caption = "Players";
    std::vector<PlayerClubEntry> clubs; // every live club, in record-number order
    int clubIndex = -1;                 // the selected club, -1 for none
    bool active = true;
    bool highScoreNotOut = false;
    // Where the input focus belongs after the last action, when it must move.
    std::optional<PlayerField> focus;
    bool done = false; // the editor has closed

    const std::string& text(PlayerField f) const { return m_text[static_cast<std::size_t>(f)]; }
    // The most characters the field takes: its limit, or more when an existing player's stored
    // value is longer, so that loading and saving a player never cuts what is stored.
    int limit(PlayerField f) const { return m_limit[static_cast<std::size_t>(f)]; }
    bool changed() const { return m_changed; }

    // ---- What the caller reads after the editor closed
    // The player's record number: the new record number after a new player was saved; 0 after
    // the editor was cancelled.
    std::int32_t currentPlayer() const { return m_player; }
    // The player's report name when the editor saved; empty when it was cancelled.
    const std::string& currentReportName() const { return m_reportName; }
    bool saved() const { return done && !m_reportName.empty(); }

    // The year the date of birth may not pass; the current year unless a test sets it.
    int thisYear;

    // ---- Actions
    // The user typed into a field; the text is cut at the field's limit.
    void setText(PlayerField f, std::string_view value);
    void activeToggled(bool checked);
    void highScoreNotOutToggled(bool checked);
    void clubChosen(int index);
    // The input focus left a field. Runs that field's check (date of birth, year of the first
    // match, picture address) or suggestion (last name). Returns false when a message was shown,
    // so that a click that moved the focus is not carried out.
    bool fieldLeft(PlayerField f);
    void okClicked();
    void cancelClicked();
    // The close box or Escape: true when the editor may close.
    bool closeRequested();
    void helpClicked();

private:
    void load();
    bool dateOfBirthLeft();
    void lastNameLeft();
    bool firstMatchYearLeft();
    bool pictureUrlLeft();
    bool refuse(const std::string& message, Icon icon, std::optional<PlayerField> field);
    // The numeric value of a field, when it fits a 16-bit (or, for the runs, 32-bit) record field.
    std::optional<std::int32_t> number(PlayerField f) const;
    PlayerRecord buildRecord(const PlayerRecord& base) const;
    std::string& textRef(PlayerField f) { return m_text[static_cast<std::size_t>(f)]; }

    AppState& m_app;
    Platform& m_platform;
    WorkingSet m_ws;
    std::int32_t m_player;
    std::string m_reportName;
    bool m_changed = false;
    std::array<std::string, kPlayerFieldCount> m_text{};
    // Stored match years outside the shown range (the fields stay empty for them), else 0.
    std::int16_t m_hiddenFirstYear = 0;
    std::int16_t m_hiddenLastYear = 0;
    std::array<int, kPlayerFieldCount> m_limit{};
};

} // namespace wickly::masterdata
