#pragma once
// The configuration dialog ("Setup"): the database's title, scoring rules, points tables and web
// settings, edited on three pages and written back into the open database's options on OK, plus
// the per-user "Show Tips at Startup" preference, which is saved as soon as it is clicked.

#include "platform.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace wickly {
struct AppState;
}

namespace wickly::config {

// Help page of the dialog.
inline constexpr int kConfigHelpContext = 900;

// The pages, in the order of their tabs.
enum ConfigPage : int
{
    PageUserAndDatabase = 0,
    PagePoints = 1,
    PageHtml = 2,
};
inline constexpr int kConfigPageCount = 3;

// The competition points shown, in the order of their boxes and of `competitionPoints`.
inline constexpr int kCompetitionPointCount = 12;
inline constexpr std::array<const char*, kCompetitionPointCount> kCompetitionPointLabels = {
    "Outright Win", "1st Innings Win", "Draw",
    "Tie",          "No Result",       "1 day Win",
    "1 day Tie",    "1 day No Result", "1st Innings Defeat",
    "1 day Loss",   "Outright Defeat", "1 day Draw",
};
// The individual points shown, in the order of their boxes and of `individualPoints`.
inline constexpr int kIndividualPointCount = 7;
inline constexpr std::array<const char*, kIndividualPointCount> kIndividualPointLabels = {
    "Run", "Wicket", "Catch", "Runouts", "Assisted Runout", "Stumping", "Man/the Match",
};

// The four web colours, in the order of their swatches.
enum WebColour : int
{
    ForeColour = 0,
    BackColour = 1,
    LinkColour = 2,
    SelectedLinkColour = 3,
};
inline constexpr int kWebColourCount = 4;

// The most characters each text can hold once stored.
inline constexpr int kTitleWidth = 40;
inline constexpr int kFilePrefixWidth = 3;
inline constexpr int kAuthorNameWidth = 100;
inline constexpr int kAuthorEmailWidth = 100;
inline constexpr int kHomeUrlWidth = 100;
inline constexpr int kCopyrightWidth = 250;
inline constexpr int kHeaderFileWidth = 150;
inline constexpr int kBackgroundUrlWidth = 100;

// The lowest and highest entries of the "Batsmen per team" and "Bowlers per team" lists.
inline constexpr int kFewestPerTeam = 7;
inline constexpr int kMostPerTeam = 14;

// The controls a refused OK puts the focus on.
enum class ConfigField
{
    None,
    DatabaseTitle,
    RunsPerNoBall,
    RunsPerWide,
    BallsPerOver,
    CompetitionPoint, // with focusIndex
    IndividualPoint,  // with focusIndex
};

// One entry of "Allow Players for" with the club number behind it (0 for ".all clubs.").
struct AllowPlayersEntry
{
    std::string text;
    std::int16_t club = 0;
};

// One line of the colour preview: a text drawn in one colour on another (0x00BBGGRR).
struct PreviewSample
{
    std::string text;
    std::uint32_t foreground = 0;
    std::uint32_t background = 0;
    bool bold = false;
    bool underline = false;
};

// What the user sees and edits in the controls; the texts are Windows-1252 bytes.
struct ConfigValues
{
    // Page "User and Database"
    std::string databaseTitle;
    int allowPlayersIndex = 0; // into ConfigModel::allowPlayersEntries
    int batsmenIndex = -1;     // into ConfigModel::teamSizeEntries; -1 when none is chosen
    int bowlersIndex = -1;
    std::string runsPerNoBall;
    std::string runsPerWide;
    std::string ballsPerOver;
    bool seasonTwoYears = false;   // "yyyy/yy" chosen, else "yyyy"
    bool bowlingRunsFirst = false; // "Runs/Wkts" chosen, else "Wkts/Runs"
    bool includeBallsFaced = false;
    bool includeFoursSixes = false;
    // Page "Points"
    std::array<std::string, kCompetitionPointCount> competitionPoints;
    std::array<std::string, kIndividualPointCount> individualPoints;
    // Page "HTML"
    std::string filePrefix;
    std::string authorName;
    std::string authorEmail;
    std::string homeUrl;
    std::string copyrightText; // lines separated by "\n"
    std::string headerFile;
    std::string backgroundUrl;
    std::array<std::uint32_t, kWebColourCount> colours{};
    bool chartSizeLarge = false;

    bool operator==(const ConfigValues&) const = default;
};

class ConfigModel : public WindowModel
{
public:
    // Fills every control from the open database's options and the club list.
    ConfigModel(AppState& app, Platform& platform);

    // ---- State shown by the view
    std::string caption = "Setup";
    int currentPage = PageUserAndDatabase;
    ConfigValues values;
    std::vector<AllowPlayersEntry> allowPlayersEntries;
    // False when the clubs could not be read: the list then only shows ".all clubs." and OK keeps
    // the stored choice.
    bool allowPlayersEnabled = true;
    std::vector<std::string> teamSizeEntries; // "7" to "14"
    bool showTips = true;
    // Where the focus goes after a refused OK (the page is switched to it as well).
    ConfigField focusField = ConfigField::None;
    int focusIndex = 0;
    bool closed = false;
    bool accepted = false;
    // Editors tried, in order, when the desktop's own opener cannot be started: each a command
    // line whose words are the program and its first arguments. Filled from $VISUAL and $EDITOR.
    std::vector<std::string> fallbackEditors;

    // "Edit" has something to open.
    bool editHeaderFileEnabled() const;
    // The colour behind the preview, and its sample lines from top to bottom.
    std::uint32_t previewBackground() const;
    std::vector<PreviewSample> previewSamples() const;

    // ---- Actions
    void tabChosen(int page);
    void showTipsClicked(bool checked);
    // Replaces the copyright text, cut so that it fits its field once stored; true when it was cut.
    bool copyrightEdited(const std::string& text);
    void authorEmailLeft();
    void browseHeaderFileClicked();
    void editHeaderFileClicked();
    void changeColourClicked(int colour);
    void helpClicked();
    // Checks every number and writes the options; false (with a message, nothing changed) when a
    // value cannot be stored.
    bool okClicked();
    void cancelClicked();

private:
    void fillClubs();
    bool refuse(ConfigField field, int index, int page, const std::string& message);
    bool startEditor(const std::string& path);

    AppState& m_app;
    Platform& m_platform;
    // The controls as they were filled, so that an untouched control keeps its stored bytes.
    ConfigValues m_shown;
};

// The copyright text as stored (lines joined by CR LF) and as shown (lines joined by "\n").
std::string storedCopyright(const std::string& shown);
std::string shownCopyright(const std::string& stored);

} // namespace wickly::config
