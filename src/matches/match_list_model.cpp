#include "match_list_model.h"

#include "app_state.h"
#include "lookups.h"
#include "match_details_model.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

namespace wickly::matches {

const std::array<const char*, 5> MatchListModel::kHeadings = {"Match", "Date", "ID", "Type", "Ground"};

namespace {

// Texts sort alphabetically without regard to case, as a list control's column sort does.
bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

MatchListModel::MatchListModel(AppState& app, Platform& platform) : m_app(app), m_platform(platform), m_ws(app)
{
    updatedisplay();
}

MatchListRow MatchListModel::rowFor(const WorkingSet& ws, std::int32_t record, const MatchRecord& m)
{
    MatchListRow row;
    row.record = record;
    row.cells[0] = RecordName(ws, TeamName, m.team1) + " Vs " + RecordName(ws, TeamName, m.team2);
    // yyyy-mm-dd, so that the text sorts by date.
    const std::string d = m.datePlayed.raw();
    row.cells[1] = d.substr(6, 4) + "-" + d.substr(3, 2) + "-" + d.substr(0, 2);
    char id[16];
    std::snprintf(id, sizeof id, "%04d", static_cast<int>(record));
    row.cells[2] = id;
    static const std::array<const char*, 4> kDays = {"1", "2", "4", "5"};
    row.cells[3] = std::string(" ") +
                   (m.matchType >= 1 && m.matchType <= 4 ? kDays[static_cast<std::size_t>(m.matchType - 1)] : "?") +
                   "d ";
    row.cells[4] = RecordName(ws, GroundName, m.ground);
    return row;
}

void MatchListModel::storageFailed(const StorageError& e)
{
    m_platform.message(std::string("The match file could not be read or written.\n") + e.what(), Buttons::Ok,
                       Icon::Error);
}

void MatchListModel::sortRows()
{
    const std::size_t c = static_cast<std::size_t>(sortColumn);
    // Rows with equal texts stay in record order, in either direction.
    std::sort(rows.begin(), rows.end(), [&](const MatchListRow& a, const MatchListRow& b) {
        if (lessIgnoringCase(a.cells[c], b.cells[c])) {
            return sortAscending;
        }
        if (lessIgnoringCase(b.cells[c], a.cells[c])) {
            return !sortAscending;
        }
        return a.record < b.record;
    });
}

void MatchListModel::updatedisplay()
{
    BusyPointer busy(m_platform);
    rows.clear();
    selectedRow = 0;
    try {
        const std::int32_t count = m_ws.count(RecordKind::Match);
        for (std::int32_t n = 1; n <= count; ++n) {
            const MatchRecord m = m_ws.read<MatchRecord>(n);
            if (IsLiveMatch(m)) {
                rows.push_back(rowFor(m_ws, n, m));
            }
        }
    } catch (const StorageError& e) {
        storageFailed(e);
    }
    sortRows();
    if (!rows.empty()) {
        selectedRow = 1;
        if (rememberedRow >= 1 && rememberedRow <= static_cast<int>(rows.size())) {
            selectedRow = rememberedRow;
        }
    }
}

void MatchListModel::rowClicked(int position)
{
    if (rows.empty()) {
        rememberedRow = 0;
        selectedRow = 0;
        return;
    }
    if (position >= 1 && position <= static_cast<int>(rows.size())) {
        selectedRow = position;
        rememberedRow = position;
    }
}

void MatchListModel::rowDoubleClicked(int position)
{
    rowClicked(position);
    viewClicked();
}

void MatchListModel::headingClicked(int column)
{
    if (column < 0 || column >= static_cast<int>(kHeadings.size())) {
        return;
    }
    sortColumn = column;
    sortAscending = !sortAscending;
    // The selected match stays selected wherever the sort puts it.
    const std::int32_t selected = selectedRow > 0 ? rows[static_cast<std::size_t>(selectedRow - 1)].record : 0;
    sortRows();
    for (std::size_t i = 0; i < rows.size() && selected > 0; ++i) {
        if (rows[i].record == selected) {
            selectedRow = static_cast<int>(i) + 1;
        }
    }
}

void MatchListModel::openDetails(std::int32_t match)
{
    std::unique_ptr<MatchDetailsModel> details;
    try {
        BusyPointer busy(m_platform);
        details = std::make_unique<MatchDetailsModel>(m_app, m_platform, match);
    } catch (const StorageError& e) {
        storageFailed(e);
        return;
    }
    m_platform.showInPlaceOf(*details, *this);
    updatedisplay();
}

void MatchListModel::viewClicked()
{
    if (selectedRow == 0) {
        closed = true;
        return;
    }
    currentMatch = rows[static_cast<std::size_t>(selectedRow - 1)].record;
    openDetails(currentMatch);
}

void MatchListModel::newClicked()
{
    currentMatch = 0;
    openDetails(0);
}

void MatchListModel::deleteClicked()
{
    if (selectedRow == 0) {
        closed = true;
        return;
    }
    currentMatch = rows[static_cast<std::size_t>(selectedRow - 1)].record;
    if (m_platform.message("Are you sure that you want to delete this match?", Buttons::YesNo, Icon::Question, 1) !=
            Button::Yes ||
        currentMatch <= 0) {
        return;
    }
    try {
        m_ws.DeleteMatch(currentMatch);
    } catch (const StorageError& e) {
        storageFailed(e);
        return;
    }
    m_app.databaseChanged = true;
    updatedisplay();
}

void MatchListModel::deleteAllClicked()
{
    if (m_platform.message("Are you sure that you want to delete all matches?", Buttons::YesNo, Icon::Warning, 1) !=
        Button::Yes) {
        return;
    }
    m_ws.DeleteAllMatches();
    m_app.databaseChanged = true;
    updatedisplay();
}

} // namespace wickly::matches
