#pragma once
// The scorecard import window ("Import Scorecard"): a text file of a scorecard loaded line by
// line, the lines of the batsmen's scores or of the bowling figures selected, and turned into
// rows for the scorecard window with every player resolved to a record of this database.
//
// The window stays open beside the scorecard window and is opened again for the batting or the
// bowling page. "Import" leaves its rows in `batting` or `bowling`; the scorecard window puts
// them into its rows 1, 2, ... as the user could have typed them.

#include "platform.h"
#include "records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wickly {
struct AppState;
}

namespace wickly::matches {
class ScorecardModel;
}

namespace wickly::exchange {

enum class ScorecardImportMode
{
    Batting = 0,
    Bowling = 1,
};

// A batsman's line as read from the text. Numbers stay texts, as they would be typed.
struct ImportedBatting
{
    std::string batsman;
    std::int16_t howOut = 0; // the stored how-out code (NotOut, Caught, ...)
    std::string fieldsman;   // empty when none is named
    bool substitute = false; // "sub" caught or ran him out
    std::string bowler;      // for a run out: the second fielder, if any
    std::string runs, balls, fours, sixes;
    // The players of this database, filled by the import (0: none).
    std::int32_t batsmanNumber = 0;
    std::int32_t fieldsmanNumber = 0; // -2 for a substitute
    std::int32_t bowlerNumber = 0;
};

struct ImportedBowling
{
    std::string bowler;
    std::string overs, maidens, runs, wickets;
    std::int32_t bowlerNumber = 0;
};

// Reads one line of a batting card: the batsman's name, how he was out and his figures, e.g.
// "V Kohli  c RA Jadeja b Harbhajan Singh  6 12 1 0" (runs, then balls, fours and sixes when
// given). Nothing when the line is not such a line.
std::optional<ImportedBatting> parseBattingLine(std::string_view line);
// Reads one line of bowling figures: the bowler's name, then overs, maidens, runs and wickets
// ("DL Chahar 4 0 17 0"); further numbers (economy, wides, no balls) are ignored.
std::optional<ImportedBowling> parseBowlingLine(std::string_view line);

class ScorecardImportModel : public WindowModel
{
public:
    ScorecardImportModel(AppState& app, Platform& platform);

    // Shows the window for the batting or the bowling page of an innings between these clubs;
    // lines loaded earlier stay.
    void open(ScorecardImportMode mode, std::int16_t battingClub, std::int16_t bowlingClub);

    // ---- State shown by the view
    std::string caption = "Import Scorecard";
    ScorecardImportMode mode = ScorecardImportMode::Batting;
    std::string label;
    std::vector<std::string> lines; // the file's lines, in file order
    std::vector<int> selection;     // indices into lines, ascending
    bool visible = false;

    // ---- The result of the last "Import", in the order of the lines
    std::vector<ImportedBatting> batting;
    std::vector<ImportedBowling> bowling;
    bool imported = false; // set by "Import", cleared by open()

    // ---- Actions
    void loadClicked();
    void selectionChanged(std::vector<int> indices);
    void importClicked();
    void cancelClicked() { visible = false; }
    void helpClicked();

private:
    // The player of a name on the side of `club`: report name, alias, a report name ending in the
    // name (a surname on a card), else the name resolution window. -99: the user aborted.
    std::int32_t resolvePlayer(const std::string& name, bool battingSide);

    AppState& m_app;
    Platform& m_platform;
    std::int16_t m_battingClub = 0;
    std::int16_t m_bowlingClub = 0;
    // A name settled during one import, for the side whose club is `club`.
    struct SettledName
    {
        std::int16_t club = 0;
        std::string name; // case folded
        std::int32_t number = 0;
    };
    // Names settled during one import, and the new players to create when it completes.
    std::vector<SettledName> m_settled;
    std::vector<std::pair<std::string, std::int16_t>> m_newPlayers;
    std::vector<AliasRecord> m_pendingAliases;
};

// Puts the rows of the last "Import" into the scorecard window's batting or bowling rows, as the
// user could have typed them; the player lists are built again first, since the import may have
// added players. Nothing happens when the last "Import" did not complete.
void applyImport(const ScorecardImportModel& import, matches::ScorecardModel& scorecard);

} // namespace wickly::exchange
