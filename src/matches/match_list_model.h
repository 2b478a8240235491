#pragma once
// The match list: one row per live match with its teams, date, record number, length and
// ground, kept sorted by a column chosen by clicking its heading, with View, NEW, Delete,
// Del All and Close. It stands in for the main window while open, and the match details window
// stands in for it in turn.

#include "platform.h"
#include "working_set.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace wickly {
struct AppState;
}

namespace wickly::matches {

struct MatchListRow
{
    // "Match", "Date", "ID", "Type", "Ground".
    std::array<std::string, 5> cells;
    std::int32_t record = 0; // the match record number, also shown in "ID"
};

class MatchListModel : public WindowModel
{
public:
    MatchListModel(AppState& app, Platform& platform);

    static const std::array<const char*, 5> kHeadings;

    // ---- State shown by the view
    std::string caption = "Matches";
    std::vector<MatchListRow> rows; // in the order shown
    int selectedRow = 0;            // 1-based position of the selected row, 0: none
    int sortColumn = 0;             // 0-based column the rows are sorted by
    bool sortAscending = true;
    // The position of the row the user last clicked, 0 when none or the list was empty.
    int rememberedRow = 0;
    // The match the details window was last opened for (0: a new match).
    std::int32_t currentMatch = 0;
    bool closed = false; // the window has closed; the view closes when it sees it

    // ---- Actions
    // Rebuilds the rows from the match file (the window's updatedisplay).
    void updatedisplay();
    // position is 1-based.
    void rowClicked(int position);
    void rowDoubleClicked(int position);
    // column is 0-based.
    void headingClicked(int column);
    void viewClicked();
    void newClicked();
    void deleteClicked();
    void deleteAllClicked();
    void closeClicked() { closed = true; }

    // The texts of a match's row.
    static MatchListRow rowFor(const WorkingSet& ws, std::int32_t record, const MatchRecord& m);

private:
    void sortRows();
    void openDetails(std::int32_t match);
    void storageFailed(const StorageError& e);

    AppState& m_app;
    Platform& m_platform;
    WorkingSet m_ws;
};

} // namespace wickly::matches
