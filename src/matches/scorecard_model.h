#pragma once
// The scorecard window ("Scorecard"): one innings of a match typed in full. Three pages —
// "Batting" (the batting table with a row editor), "Fall of Wicket" and "Bowling" — and, always
// shown, the innings status, the innings overs, the extras and the running total. The window
// creates the innings record of an empty slot as soon as it opens; "OK" checks the innings for
// contradictions and writes it whole at that record number.
//
// A club that records only its own players in full names that club in the database option
// allowPlayersClub; the window then shows only what can be known of the other side.

#include "match_form.h"
#include "platform.h"
#include "records.h"
#include "scorecard_handover.h"
#include "working_set.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace wickly::matches {

// The most batting positions and bowling rows an innings record holds (lines 1..14).
inline constexpr int kScorecardLines = 14;
// Fall-of-wicket entries "FOW 1" to "FOW 13".
inline constexpr int kFallOfWicketEntries = 13;

// The how-out list in its order; the position is what the window keeps behind a row.
extern const std::array<const char*, 18> kHowOutEntries;
inline constexpr int kAbsentHurtPosition = 16;
inline constexpr int kAbsentIllPosition = 17;
// The status list: a blank entry, then the stored status codes 1..4.
extern const std::array<const char*, 5> kStatusEntries;

// The stored how-out code of a list position and back (16 <-> -1, 17 <-> -2). An unknown code
// reads as "dnb".
std::int16_t howOutCode(int position);
int howOutPosition(int code);

// Overs in overs.balls notation as the window shows them: 7.4 -> "7.4", 0.5 -> "0.5", 7 -> "7".
std::string oversText(float overs);

// One row of the batting table: the columns as shown and the numbers kept behind them.
struct BattingRow
{
    std::string batsman;
    std::string howOut = "dnb";
    std::string fieldsman;
    std::string bowler;
    std::string runs;  // "R"
    std::string balls; // "B"
    std::string fours; // "4's"
    std::string sixes; // "6's"
    std::int32_t batsmanNumber = 0;
    std::int32_t fieldsmanNumber = 0; // -2 for a substitute
    std::int32_t bowlerNumber = 0;    // the assisting fielder for a run out
    int howOutPosition = 0;           // position in kHowOutEntries
    // The stored balls faced, fours and sixes of a reopened innings. The window shows and saves
    // the columns only while their options ("Include Balls Faced", "Include 4's and 6's") are on;
    // while an option is off, saving writes these back, so switching it never erases figures.
    // They belong to the batsman the row held then (storedBatsman): another player chosen in the
    // row does not take them over.
    std::int16_t storedBalls = 0;
    std::int16_t storedFours = 0;
    std::int16_t storedSixes = 0;
    std::int32_t storedBatsman = 0;
};

struct BowlingRow
{
    EntryList bowler;    // a blank entry, then players
    std::string overs;   // "Ov", overs.balls notation
    std::string maidens; // "Ma"
    std::string runs;    // "Runs"
    std::string wickets; // "Wkts"
};

struct FallOfWicketEntry
{
    // A blank entry, then the "Batsman" texts of batting rows 1..nbat: the position in the list
    // is the batting position (record = position).
    EntryList batsman;
    std::string score;
};

// A line brought in from elsewhere (a scorecard read from a text file), with the players already
// resolved to record numbers and the figures as they would be typed.
struct TypedBattingLine
{
    std::int32_t batsman = 0;
    int howOutPosition = 0;         // position in kHowOutEntries
    std::int32_t fieldsman = 0;     // -2 for a substitute
    std::int32_t bowler = 0;        // the assisting fielder for a run out
    std::string runs, balls, fours, sixes;
};

struct TypedBowlingLine
{
    std::int32_t bowler = 0;
    std::string overs, maidens, runs, wickets;
};

enum class ListPlayers
{
    Active,
    All,
    Global,
};

enum class ScorecardPage
{
    Batting,
    FallOfWicket,
    Bowling,
};

// The fields of the row editor, in keyboard order.
enum class EditorField
{
    Batsman,
    HowOut,
    Fieldsman,
    Bowler,
    Runs,
    Balls,
    Fours,
    Sixes,
};

enum class BowlingField
{
    Overs,
    Maidens,
    Runs,
    Wickets,
};

enum class ExtrasField
{
    Byes,
    LegByes,
    Wides,
    NoBalls,
};

class ScorecardModel : public WindowModel
{
public:
    // Opens the window for innings slot values.slot of the match being edited: asks whether a
    // second innings should start with the first innings' players, creates the slot's innings
    // record when it has none (its number goes into handOver.innings), and fills the window.
    // When the working files cannot be read or written the user is told and `closed` is set.
    ScorecardModel(AppState& app, Platform& platform, const ScorecardHandOver& values);

    ScorecardHandOver handOver;

    // ---- State shown by the window
    std::string caption;
    int nbat = 11; // batting rows shown
    int nbow = 11; // bowling rows shown
    bool battingRecorded = true;
    bool fieldingRecorded = true;
    // allowPlayersClub is the bowling club and not the batting club: only the bowling figures
    // tell the batting side's score.
    bool oppositionInnings = false;
    bool bowlingPageVisible = true;
    bool fallOfWicketPageVisible = true;
    ScorecardPage page = ScorecardPage::Batting;

    // Batting table, by position 1..14 (element 0 unused), and the selected row (1..nbat).
    std::array<BattingRow, kScorecardLines + 1> batting{};
    int selectedRow = 1;

    // Row editor: the three player lists, the chosen how-out, what may be used. The number
    // fields show the selected row's columns.
    EntryList batsmanList;
    EntryList fieldsmanList; // also holds "sub" (record -2)
    EntryList bowlerList;
    int howOut = 0;
    bool fieldsmanVisible = false;
    bool bowlerVisible = false;
    std::string bowlerCaption = "Bowler"; // "Assisted By" for a run out with a fieldsman
    bool runsEnabled = false;
    bool ballsEnabled = false;
    bool boundariesEnabled = false; // fours and sixes
    ListPlayers listPlayers = ListPlayers::Active;

    // Bowling rows 1..14 (element 0 unused) and fall-of-wicket entries 1..13 (element 0 unused).
    std::array<BowlingRow, kScorecardLines + 1> bowling{};
    std::array<FallOfWicketEntry, kFallOfWicketEntries + 1> fallOfWickets{};
    std::string bowlersOvers = "0"; // the bowlers' overs total

    // Always shown.
    int status = -1; // position in kStatusEntries, -1 when none was chosen
    std::string overs;
    std::string byes;
    std::string legByes;
    std::string wides;
    std::string noBalls;

    bool closed = false; // the window has closed (or could not open); the view closes when it sees it
    bool saved = false;  // "OK" wrote the innings

    bool changed() const { return m_changed; }
    // The innings record number of the slot (0 only when the window could not open).
    std::int32_t inningsRecord() const;
    // The number of fall-of-wicket entries shown (nbat - 1).
    int fallOfWicketsShown() const { return nbat - 1; }
    const BattingRow& row() const { return batting[static_cast<std::size_t>(selectedRow)]; }

    // ---- Totals, worked out from what the window shows
    // Byes + leg byes + wides and no balls at the match's runs per wide and per no ball.
    double extras() const;
    double total() const;
    std::string extrasCaption() const; // "Extras 11"
    std::string totalText() const;

    // ---- Batting page
    // A click on a row of the table (1..nbat): the row editor shows it.
    void rowSelected(int position);
    void batsmanChosen(int index);
    void howOutChosen(int index);
    void fieldsmanChosen(int index);
    void bowlerChosen(int index);
    // Typing into "R", "B", "4's" or "6's" of the row editor.
    void numberEdited(EditorField field, const std::string& text);
    // The text of a number field of the selected row.
    const std::string& numberText(EditorField field) const;
    // The keyboard left the last field of the row editor: the next row is selected and loaded.
    // False on the last row, when the focus moves on as usual.
    bool nextRow();
    // Where the focus goes in a newly loaded row: the batsman list, or the how-out list when the
    // batsmen are not recorded.
    EditorField firstEditorField() const;
    void listPlayersChosen(ListPlayers which);
    void pageShown(ScorecardPage shown);

    // ---- Bowling page
    // The bowler list of a row is built again each time it is opened.
    void bowlerListOpened(int row);
    void bowlingBowlerChosen(int row, int index);
    void bowlingEdited(int row, BowlingField field, const std::string& text);
    std::string& bowlingText(int row, BowlingField field);
    // Leaving "Wkts": false after refusing a number of wickets above nbat (the focus stays).
    bool wicketsLeft(int row);
    // The row the Up or Down arrow moves to, wrapping between row 1 and row nbow.
    int bowlingRowAfter(int row, bool down) const;

    // ---- Fall of wicket page
    void fallOfWicketListOpened(int entry);
    void fallOfWicketChosen(int entry, int index);
    void fallOfWicketScoreEdited(int entry, const std::string& text);

    // ---- Lines brought in from elsewhere
    // Puts the lines into batting rows 1, 2, ... (bowling rows 1, 2, ...) as the user could have
    // typed them, up to the rows shown; a player the lists do not offer is added to them, as
    // when a stored innings names him. The first row is selected again afterwards.
    void typeBattingLines(const std::vector<TypedBattingLine>& lines);
    void typeBowlingLines(const std::vector<TypedBowlingLine>& lines);
    // Players were added elsewhere (a new player, an import): the lists are built again.
    void playersChanged();

    // ---- Always shown
    void statusChosen(int index);
    void oversEdited(const std::string& text);
    void extrasEdited(ExtrasField field, const std::string& text);
    std::string& extrasText(ExtrasField field);

    // ---- Buttons
    void newPlayerClicked();
    void fieldingEventsClicked();
    // For the scorecard text import that "Import" opens beside the window.
    AppState& app() { return m_app; }
    Platform& platform() { return m_platform; }
    void okClicked();
    void cancelClicked();
    // Any way of closing the window: true when it may close.
    bool closeRequested();

private:
    struct PlayerInfo
    {
        std::int32_t number = 0;
        std::int16_t club = 0;
        bool active = false;
        bool deleted = false;
        std::string entryText; // FitText(PlayerListName, 50)
    };

    // The player with this record number, or nothing when the number is not a counted player.
    const PlayerInfo* player(std::int32_t number) const;
    // The player's list name as the table shows it; empty for a deleted or unknown player.
    std::string playerName(std::int32_t number) const;

    void open();
    void loadPlayers();
    void fillFromRecord(const InningsRecord& r);
    Entry playerEntry(std::int32_t number) const;
    bool listsPlayer(const PlayerInfo& p, std::int16_t club) const;
    void fillEditorList(EntryList& list, std::int16_t club, bool withSubstitute);
    void fillEditorLists();
    void loadRow();
    void selectInList(EntryList& list, std::int32_t number);
    void applyVisibility();
    void fillBowlerList(int row);
    void fillFallOfWicketList(int entry);
    BattingRow& currentRow() { return batting[static_cast<std::size_t>(selectedRow)]; }
    void edited() { m_changed = true; }
    void recomputeBowlersOvers();

    // "OK": the checks in their order, then the save.
    bool errorsFound();
    bool storableNumbers();
    bool warningsAccepted();
    InningsRecord buildRecord() const;
    bool refuse(const std::string& text);
    void storageFailed(const char* what, const StorageError& e);

    AppState& m_app;
    Platform& m_platform;
    WorkingSet m_ws;
    std::vector<PlayerInfo> m_players; // every player record, in record order
    bool m_ready = false;
    bool m_changed = false;
};

} // namespace wickly::matches
