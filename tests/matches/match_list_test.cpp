// The match list: its rows, the column sort, the remembered row, View/NEW/Delete/Del All and the
// hand-over to the match details window; and the main window's Matches button that opens it.

#include "main_window_model.h"
#include "match_details_model.h"
#include "match_fixture.h"
#include "match_list_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace wickly;
using namespace wickly::matches;
using namespace wickly::test;

namespace {

class MatchListTest : public ::testing::Test, public MatchFixture
{
protected:
    std::vector<std::int32_t> shown(const MatchListModel& list) const
    {
        std::vector<std::int32_t> out;
        for (const MatchListRow& r : list.rows) {
            out.push_back(r.record);
        }
        return out;
    }
    std::int32_t selectedRecord(const MatchListModel& list) const
    {
        return list.selectedRow > 0 ? list.rows[static_cast<std::size_t>(list.selectedRow - 1)].record : 0;
    }
    // A match of teams `a` and `b` on `date`.
    std::int32_t addMatchOf(std::int16_t a, std::int16_t b, const std::string& date, std::int16_t type = 1,
                            std::int16_t ground = 1)
    {
        const std::int32_t n = addMatch(type, {0, 0, 0, 0}, 0, false, date);
        MatchRecord m = ws.read<MatchRecord>(n);
        m.team1 = a;
        m.team2 = b;
        m.ground = ground;
        ws.write(n, m);
        return n;
    }
};

TEST_F(MatchListTest, RowsShowLiveMatches)
{
    for (int i = 0; i < 11; ++i) {
        addMatchOf(1, 2, "01/02/2003");
    }
    addMatchOf(2, 3, "17/11/1999", 3, 2); // record 12
    addMatchOf(3, 1, "09/04/2010", 4, 0); // record 13, no ground
    ws.DeleteMatch(5);

    MatchListModel list(app, platform);
    EXPECT_EQ(platform.busyDepth, 0);
    EXPECT_GE(platform.busyCalls, 1);
    ASSERT_EQ(list.rows.size(), 12U);
    const std::vector<std::int32_t> records = shown(list);
    EXPECT_EQ(std::find(records.begin(), records.end(), 5), records.end());
    const MatchListRow& first = list.rows.front(); // sorted by "Match", ascending
    EXPECT_EQ(first.cells,
              (std::array<std::string, 5>{"Northern XI Vs Southern XI", "2003-02-01", "0001", " 1d ", "Oval"}));
    const auto row = [&](std::int32_t record) {
        for (const MatchListRow& r : list.rows) {
            if (r.record == record) {
                return r.cells;
            }
        }
        return std::array<std::string, 5>{};
    };
    EXPECT_EQ(row(12),
              (std::array<std::string, 5>{"Southern XI Vs Visitors XI", "1999-11-17", "0012", " 4d ", "Park"}));
    EXPECT_EQ(row(13), (std::array<std::string, 5>{"Visitors XI Vs Northern XI", "2010-04-09", "0013", " 5d ", ""}));
    EXPECT_EQ(row(2)[3], " 1d ");
    MatchRecord twoDay = ws.read<MatchRecord>(2);
    twoDay.matchType = 2;
    EXPECT_EQ(MatchListModel::rowFor(ws, 2, twoDay).cells[3], " 2d ");
    EXPECT_EQ(list.selectedRow, 1);
    EXPECT_EQ(list.rememberedRow, 0);
}

TEST_F(MatchListTest, HeadingClicksSortAndReverse)
{
    addMatchOf(2, 1, "05/06/2004"); // 1: "Southern XI Vs Northern XI"
    addMatchOf(1, 3, "01/01/2001"); // 2: "Northern XI Vs Visitors XI"
    addMatchOf(3, 2, "31/12/2002"); // 3: "Visitors XI Vs Southern XI"
    addMatchOf(1, 2, "01/01/2001"); // 4: "Northern XI Vs Southern XI"
    MatchListModel list(app, platform);
    EXPECT_EQ(list.sortColumn, 0);
    EXPECT_TRUE(list.sortAscending);
    EXPECT_EQ(shown(list), (std::vector<std::int32_t>{4, 2, 1, 3}));

    struct Click
    {
        int column;
        bool ascending;
        std::vector<std::int32_t> order;
    };
    // Every click reverses the direction, whichever column it is on; equal texts keep record order.
    const std::vector<Click> clicks = {
        {1, false, {1, 3, 2, 4}}, {1, true, {2, 4, 3, 1}},  {2, false, {4, 3, 2, 1}},
        {0, true, {4, 2, 1, 3}},  {0, false, {3, 1, 2, 4}},
    };
    for (const Click& c : clicks) {
        SCOPED_TRACE(c.column);
        list.headingClicked(c.column);
        EXPECT_EQ(list.sortColumn, c.column);
        EXPECT_EQ(list.sortAscending, c.ascending);
        EXPECT_EQ(shown(list), c.order);
    }

    // The selected match stays selected wherever the sort puts it, and a refresh keeps the sort.
    list.rowClicked(2); // record 1
    list.headingClicked(2);
    EXPECT_EQ(selectedRecord(list), 1);
    EXPECT_EQ(shown(list), (std::vector<std::int32_t>{1, 2, 3, 4}));
    list.updatedisplay();
    EXPECT_EQ(shown(list), (std::vector<std::int32_t>{1, 2, 3, 4}));
}

TEST_F(MatchListTest, DeletingKeepsTheRememberedPosition)
{
    for (const char* date : {"01/01/2001", "02/01/2001", "03/01/2001", "04/01/2001", "05/01/2001"}) {
        addMatchOf(1, 2, date);
    }
    MatchListModel list(app, platform);
    list.headingClicked(1); // by date, descending: records 5, 4, 3, 2, 1
    list.headingClicked(1); // ascending: 1..5
    list.rowClicked(3);
    EXPECT_EQ(list.rememberedRow, 3);
    app.databaseChanged = false;

    platform.buttonAnswers = {Button::No};
    list.deleteClicked();
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].text, "Are you sure that you want to delete this match?");
    EXPECT_EQ(platform.messages[0].icon, Icon::Question);
    EXPECT_EQ(platform.messages[0].buttons, Buttons::YesNo);
    EXPECT_EQ(platform.messages[0].defaultButton, 1); // No
    EXPECT_EQ(list.rows.size(), 5U);
    EXPECT_FALSE(app.databaseChanged);

    platform.buttonAnswers = {Button::Yes};
    list.deleteClicked();
    EXPECT_EQ(list.currentMatch, 3);
    EXPECT_FALSE(IsLiveMatch(ws.read<MatchRecord>(3)));
    EXPECT_TRUE(app.databaseChanged);
    EXPECT_EQ(shown(list), (std::vector<std::int32_t>{1, 2, 4, 5}));
    EXPECT_EQ(list.selectedRow, 3); // the row that moved into the deleted row's place
    EXPECT_EQ(selectedRecord(list), 4);

    // A remembered position past the end leaves the first row selected.
    list.rowClicked(4);
    platform.buttonAnswers = {Button::Yes};
    list.deleteClicked();
    EXPECT_EQ(shown(list), (std::vector<std::int32_t>{1, 2, 4}));
    EXPECT_EQ(list.selectedRow, 1);
    EXPECT_FALSE(list.closed);
}

TEST_F(MatchListTest, DeleteAllThenNewTakesRecordOne)
{
    addMatchOf(1, 2, "01/01/2001");
    addMatchOf(1, 2, "02/01/2001");
    addInnings(100, 3);
    MatchListModel list(app, platform);

    platform.buttonAnswers = {Button::No};
    list.deleteAllClicked();
    EXPECT_EQ(list.rows.size(), 2U);
    platform.buttonAnswers = {Button::Yes};
    list.deleteAllClicked();
    ASSERT_EQ(platform.messages.size(), 2U);
    EXPECT_EQ(platform.messages[1].text, "Are you sure that you want to delete all matches?");
    EXPECT_EQ(platform.messages[1].icon, Icon::Warning);
    EXPECT_EQ(platform.messages[1].defaultButton, 1);
    EXPECT_TRUE(list.rows.empty());
    EXPECT_EQ(list.selectedRow, 0);
    EXPECT_EQ(ws.count(RecordKind::Innings), 0);

    platform.onModal = [](WindowModel& w) {
        auto* details = dynamic_cast<MatchDetailsModel*>(&w);
        ASSERT_NE(details, nullptr);
        EXPECT_EQ(details->currentMatch(), 0);
        details->matchTypeChosen(0);
        details->teamChosen(0, 0);
        details->teamChosen(1, 2);
        details->fieldEdited(FormField::Date, "07/07/2007");
        details->okClicked();
    };
    list.newClicked();
    EXPECT_EQ(list.currentMatch, 0);
    ASSERT_EQ(platform.replacedWindows.size(), 1U);
    EXPECT_EQ(platform.replacedWindows[0].second, &list);
    // The list is refreshed with the saved match, stored in record 1.
    EXPECT_EQ(shown(list), std::vector<std::int32_t>{1});
    EXPECT_EQ(list.rows[0].cells[0], "Northern XI Vs Visitors XI");
    EXPECT_EQ(ws.count(RecordKind::Match), 1);
    EXPECT_EQ(platform.busyDepth, 0);
}

TEST_F(MatchListTest, ViewOpensTheSelectedMatch)
{
    addMatchOf(2, 1, "05/06/2004");
    addMatchOf(1, 3, "01/01/2001");
    MatchListModel list(app, platform);
    std::vector<std::int32_t> opened;
    platform.onModal = [&](WindowModel& w) {
        auto* details = dynamic_cast<MatchDetailsModel*>(&w);
        ASSERT_NE(details, nullptr);
        opened.push_back(details->currentMatch());
        EXPECT_EQ(details->teamName(0), details->currentMatch() == 1 ? "Southern XI" : "Northern XI");
        details->cancelClicked();
    };
    list.viewClicked(); // the first row: record 2
    list.rowDoubleClicked(2);
    EXPECT_EQ(opened, (std::vector<std::int32_t>{2, 1}));
    EXPECT_EQ(list.currentMatch, 1);
    EXPECT_EQ(list.rememberedRow, 2);
    EXPECT_EQ(list.selectedRow, 2);
    EXPECT_EQ(platform.busyDepth, 0);
    EXPECT_FALSE(list.closed);
}

TEST_F(MatchListTest, EmptyListViewAndDeleteClose)
{
    addMatchOf(1, 2, "01/01/2001");
    ws.DeleteMatch(1);
    for (auto action : {&MatchListModel::viewClicked, &MatchListModel::deleteClicked}) {
        MatchListModel list(app, platform);
        EXPECT_TRUE(list.rows.empty());
        EXPECT_EQ(list.selectedRow, 0);
        list.rowClicked(1);
        EXPECT_EQ(list.rememberedRow, 0);
        (list.*action)();
        EXPECT_TRUE(list.closed);
    }
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.replacedWindows.empty());
}

TEST_F(MatchListTest, MatchesButtonOpensTheListInPlaceOfTheMainWindow)
{
    addMatchOf(1, 2, "01/01/2001");
    MainWindowModel main(app, platform);
    std::size_t rowsSeen = 0;
    platform.onModal = [&](WindowModel& w) {
        auto* list = dynamic_cast<MatchListModel*>(&w);
        ASSERT_NE(list, nullptr);
        rowsSeen = list->rows.size();
        list->closeClicked();
    };
    main.buttonClicked(MainButton::Matches);
    ASSERT_EQ(platform.replacedWindows.size(), 1U);
    EXPECT_EQ(platform.replacedWindows[0].second, &main);
    EXPECT_EQ(rowsSeen, 1U);
}

} // namespace
