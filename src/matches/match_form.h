#pragma once
// The contents of the match details window ("Match Form") as plain data: every list with the
// record numbers behind its entries, the texts, the check boxes and options, the innings
// summaries and the margin, with the reactions that keep them consistent (choosing a match type
// or a team refills the dependent lists) and the loading of a stored match.
//
// It needs no window and no Platform, so the scorecard text and the web pages can load a match
// into a form that is never shown and read the result and margin from it. MatchDetailsModel adds
// the window's buttons, messages and field checks.

#include "app_state.h"
#include "records.h"
#include "working_set.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace wickly::matches {

// One entry of a list: the text shown and the record number behind it.
struct Entry
{
    std::string text;
    std::int32_t record = 0;
    bool operator==(const Entry&) const = default;
};

// A list of records with its chosen entry.
struct EntryList
{
    std::vector<Entry> entries;
    int selected = -1; // -1: nothing chosen

    // The record number of the chosen entry, 0 when nothing is chosen.
    std::int32_t selectedRecord() const;
    // Chooses the entry with this record number; false (and nothing chosen) when there is none.
    bool selectRecord(std::int32_t record);
    void clear();
};

// One batting team's group of controls ("1st Batting Team", "2nd Batting Team").
struct TeamGroup
{
    EntryList team;
    EntryList captain;
    EntryList keeper;
    bool playersVisible = true; // the captain and keeper lists and their captions
    bool wonToss = false;
    std::string bonusPoints = "0"; // "Bonus Comp. Points"
};

// A player as the form's player lists offer him.
struct FormPlayer
{
    Entry entry; // FitText(PlayerListName, 50) and the record number
    std::int16_t club = 0;
    bool deleted = false;
    bool active = false;
};

// What a form's lists are filled from, each file read in one pass: the named teams, grounds and
// grades in record order, and every player by record number (element 0 unused). A form opened
// on its own reads the files as it fills each list, so that it offers what the files hold at
// that moment; the web site generator reads them once for all its match pages, since nothing
// changes the database while it runs.
struct FormSource
{
    std::vector<Entry> teams, grounds, grades;
    std::vector<FormPlayer> players;

    // Throws StorageError when a working file cannot be read.
    static FormSource read(const WorkingSet& ws);
};

// The text fields of the form.
enum class FormField
{
    Date,
    Round,
    Umpires,
    Comment,
    BallsPerOver,
    RunsPerWide,
    RunsPerNoBall,
    Bonus1,
    Bonus2,
};

class MatchForm
{
public:
    // Opens the form for match `match` (0 for a new match): fills the lists and, for an existing
    // match, loads it. Reads the working set, or `source` when one is given (it must outlive the
    // form); throws StorageError when it cannot be read.
    MatchForm(AppState& app, std::int32_t match, const FormSource* source = nullptr);

    static constexpr const char* kCaption = "Match Form";
    static const std::array<const char*, 4> kMatchTypes;
    // Field widths of the stored texts.
    static constexpr std::size_t kDateLength = 10;
    static constexpr std::size_t kRoundLength = 5;
    static constexpr std::size_t kUmpiresLength = 30;
    static constexpr std::size_t kCommentLength = 50;

    // ---- State shown by the window
    int matchType = -1; // position in kMatchTypes, -1: none chosen
    std::string datePlayed;
    EntryList grounds;
    EntryList grades;
    std::string roundLabel;
    std::string umpires;
    EntryList manOfMatch;
    std::string comment;
    std::string ballsPerOver;
    std::string runsPerWide;
    std::string runsPerNoBall;
    bool extrasAgainstBowlers = true;
    std::array<TeamGroup, 2> teams;
    bool innings2Enabled = true; // both "Innings 2" buttons
    bool followOnEnforced = false;
    bool followOnEnabled = false;
    std::vector<std::string> results; // the "Match Result" list; the position is the result code
    int result = -1;
    bool resultsEnabled = false;
    std::string margin;
    // The summary line beside each innings button, by innings slot (element 0 unused): two lines,
    // runs and wickets with the status, then the overs.
    std::array<std::string, 5> summaryLines;
    // The innings record numbers by slot (element 0 unused); changed by the scorecard window.
    std::array<std::int32_t, 5> innings{};
    // Set by edits, cleared when the window opens and after a save.
    bool changed = false;

    std::int32_t currentMatch() const { return m_match; }
    bool oneDay() const { return matchType == 0; }
    bool multiDay() const { return matchType >= 1; }
    // The text of the chosen result, empty when none.
    std::string resultText() const;
    // The clubs of the two teams; both 0 when either team is not chosen.
    std::array<std::int16_t, 2> teamClubs() const;
    // The name of a group's team as the result list and the scorecard caption use it: the first
    // 40 characters without trailing blanks.
    std::string teamName(int group) const;

    // ---- Reactions to the user's choices (also run by LoadMatch)
    void matchTypeChosen(int index);
    // group 0 is the first batting team, 1 the second.
    void teamChosen(int group, int index);
    void groundChosen(int index);
    void gradeChosen(int index);
    void captainChosen(int group, int index);
    void keeperChosen(int group, int index);
    void manOfMatchChosen(int index);
    void resultChosen(int index);
    void tossChosen(int group);
    void followOnToggled(bool checked);
    void extrasAgainstBowlersToggled(bool checked);
    void fieldEdited(FormField field, const std::string& text);
    std::string& fieldText(FormField field);

    // Fills the form from match record currentMatch().
    void LoadMatch();
    // Recomputes the innings summaries, the margin and whether the follow-on box may be used.
    void ComputeInningsSummary();
    // The match record the form describes, built field by field from a record of zeros.
    MatchRecord buildRecord() const;

protected:
    void update_matchresults();
    void setMatch(std::int32_t match) { m_match = match; }

    AppState& m_app;
    WorkingSet m_ws;

private:
    void fillPlayerLists(int group);
    Entry playerEntry(std::int32_t player) const;
    void selectPlayer(EntryList& list, std::int32_t player);

    const FormSource* m_source;
    std::int32_t m_match;
};

// The bonus points as the form shows them: the stored hundredths as a number (250 -> "2.5").
std::string BonusText(std::int16_t hundredths);

} // namespace wickly::matches
