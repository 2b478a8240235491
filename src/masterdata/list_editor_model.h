#pragma once
// The list editor for clubs, grades, grounds and teams, with its two small dialogs: the name
// dialog (name, abbreviation and, for clubs, the two web addresses) and the team dialog (name and
// club).
//
// The editor shows one fixed-width line per live record. Additions and renames live only in the
// lines until Close writes every line back; a confirmed deletion is written at once.

#include "platform.h"
#include "working_set.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace wickly {
struct AppState;
}

namespace wickly::masterdata {

// What the main window opens the editor for.
enum ListEditorKind : int
{
    ClubsKind = 0,
    GradesKind = 1,
    GroundsKind = 2,
    TeamsKind = 3,
};

// One line of a list with the record numbers behind it. The text carries the record number in
// its last four characters as well; the model reads the numbers kept here, so that record and
// club numbers above 9999 are never misread from a cut text.
struct ListLine
{
    std::string text;
    std::int32_t record = 0;
    std::int32_t club = 0; // teams: the club the team plays for
};

// The name dialog for a club, grade or ground.
class NameDialogModel : public WindowModel
{
public:
    enum class Field
    {
        Name,
        Abbreviation,
        LogoUrl,
        ClubUrl,
    };

    // `exchange` is the line text to edit (name, abbreviation and, for clubs, the URLs at their
    // line positions), or empty for a new entry.
    NameDialogModel(Platform& platform, bool club, const std::string& exchange);

    // ---- State shown by the view
    std::string caption = "Editor";
    bool urlsVisible = false; // the Logo URL and Club URL fields and their labels
    std::string name;
    std::string abbreviation;
    std::string logoUrl;
    std::string clubUrl;
    Field focus = Field::Name; // where the input focus belongs after the last action
    bool done = false;         // the dialog has closed

    // ---- Result: the exchange text; empty when cancelled
    std::string exchange;

    // ---- Actions
    // The Logo URL field was left: false (after a warning) when the address is refused; the
    // focus then stays in the field.
    bool logoUrlLeft();
    void okClicked();
    void cancelClicked();

private:
    Platform& m_platform;
};

// The team dialog: the team's name and the club it plays for.
class TeamDialogModel : public WindowModel
{
public:
    TeamDialogModel(const WorkingSet& ws, Platform& platform, const std::string& teamName, std::int32_t club);

    // ---- State shown by the view
    std::string caption = "Enter Team";
    std::string name;
    std::vector<ListLine> clubs; // every live club: name + 60 blanks + record number
    int selectedClub = -1;
    bool done = false;

    // ---- Result: the values passed in, replaced by OK
    bool accepted = false;
    std::string resultName;
    std::int32_t resultClub = 0;

    // ---- Actions
    void clubChosen(int index);
    void okClicked();
    void cancelClicked();

private:
    Platform& m_platform;
};

// The list editor window ("Editor").
class ListEditorModel : public WindowModel
{
public:
    ListEditorModel(AppState& app, Platform& platform, int kind);

    // ---- State shown by the view
    std::string caption = "Editor";
    std::string heading;
    std::vector<ListLine> lines;
    int selected = -1;
    bool done = false; // the editor has closed

    int kind() const { return m_kind; }
    bool editEnabled() const { return selected >= 0 && selected < static_cast<int>(lines.size()); }
    bool deleteEnabled() const { return editEnabled(); }
    // Set by Add New, Edit Name and Delete (even when cancelled); cleared by Close.
    bool changed() const { return m_changed; }

    // ---- Actions
    void lineSelected(int index);
    void addClicked();
    // Also a double click on a line.
    void editClicked();
    void deleteClicked();
    void helpClicked();
    // The Close button: writes every line and closes.
    void closeClicked();
    // Any other way of closing (the close box, Escape): true when the editor may close. Unsaved
    // lines are discarded, and the record numbers taken by discarded additions are given back.
    bool closeRequested();

    // ---- Line texts (also used to fill the dialogs)
    static std::string clubLine(const ClubRecord& c, std::int32_t record);
    static std::string nameLine(const NameAbbreviationRecord& r, std::int32_t record);
    std::string teamLine(const std::string& name, std::int32_t club, std::int32_t record, int blanks) const;

private:
    void load();
    void addName();
    void addTeam();
    void editName(ListLine& line);
    void editTeam(ListLine& line);
    bool deleteRecord(std::int32_t record);
    void writeLines();
    void giveBackDiscardedAdditions();
    void storageFailed(const char* what, const StorageError& e);

    AppState& m_app;
    Platform& m_platform;
    WorkingSet m_ws;
    int m_kind;
    bool m_changed = false;
    bool m_changedAtOpen = false;   // databaseChanged when the editor opened
    bool m_wroteRecords = false;    // a deletion, or lines of a failed Close, may have been written
    std::set<std::int32_t> m_added; // record numbers taken by Add New in this editor
};

} // namespace wickly::masterdata
