// The player list: the club/player tree, the active check marks, NEW/Edit through the player
// editor, and deleting with the scorecard cascade and the trimming of the players count.

#include "database_fixture.h"
#include "player_editor_model.h"
#include "player_list_model.h"
#include "scripted_platform.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace wickly;
using namespace wickly::masterdata;
using namespace wickly::test;

namespace {

class PlayerListTest : public ::testing::Test, public TestDatabase
{
protected:
    PlayerListTest()
    {
        for (const char* name : {"Easts", "Wests", "Norths", "Souths", "Central"}) {
            addClub(name);
        }
    }

    void deleteClubRecord(std::int32_t n)
    {
        ClubRecord c;
        c.name.assign(DELETED_MARK);
        ws.write(n, c);
    }

    static std::vector<std::string> keys(const std::vector<PlayerTreeNode>& nodes)
    {
        std::vector<std::string> out;
        for (const PlayerTreeNode& n : nodes) {
            out.push_back(n.key);
        }
        return out;
    }
    static std::vector<std::string> texts(const std::vector<PlayerTreeNode>& nodes)
    {
        std::vector<std::string> out;
        for (const PlayerTreeNode& n : nodes) {
            out.push_back(n.text);
        }
        return out;
    }

    // Plays the user in the player editor: `fill` types, then OK (or Cancel when `ok` is false).
    void playEditor(std::function<void(PlayerEditorModel&)> fill, bool ok = true)
    {
        ui.onModal = [fill, ok](WindowModel& w) {
            auto* e = dynamic_cast<PlayerEditorModel*>(&w);
            ASSERT_NE(e, nullptr);
            fill(*e);
            ok ? e->okClicked() : e->cancelClicked();
        };
    }

    ScriptedPlatform ui;
};

TEST_F(PlayerListTest, TreeGroupsLivePlayersUnderTheirClubs)
{
    deleteClubRecord(3);
    addPlayer("Z Brown", 2, "brown", "Zac");
    addPlayer("A Young", 2, "Young", "Al");
    addPlayer("Gone", 2, "Gone");
    addPlayer("Solo", 5); // no last name: the report name is shown
    addPlayer("B Adams", 2, "Adams", "Bob");
    ws.deletePlayer(3);
    PlayerRecord inactive = ws.read<PlayerRecord>(2);
    inactive.active = 0;
    ws.write(2, inactive);

    PlayerListModel list(app, ui);
    EXPECT_EQ(list.caption, "Player List");
    EXPECT_EQ(list.treeHint, "Checkbox shows 'Active' status");
    EXPECT_EQ(keys(list.clubs), (std::vector<std::string>{"C1", "C2", "C4", "C5"}));
    EXPECT_EQ(list.clubs[1].text, "Wests");
    // Sorted by the shown text without case, whatever the record numbers.
    EXPECT_EQ(texts(list.clubs[1].children), (std::vector<std::string>{"Adams, Bob", "brown, Zac", "Young, Al"}));
    EXPECT_EQ(keys(list.clubs[1].children), (std::vector<std::string>{"P5", "P1", "P2"}));
    EXPECT_TRUE(list.clubs[1].children[0].checked);
    EXPECT_FALSE(list.clubs[1].children[2].checked);
    EXPECT_EQ(texts(list.clubs[3].children), std::vector<std::string>{"Solo"});
}

TEST_F(PlayerListTest, ExpandedClubFollowsAllowPlayersFor)
{
    for (const auto& [allowed, expanded] : std::vector<std::pair<int, std::string>>{{0, "C1"}, {4, "C4"}}) {
        app.header.options.allowPlayersClub = static_cast<std::int16_t>(allowed);
        PlayerListModel list(app, ui);
        for (const PlayerTreeNode& club : list.clubs) {
            EXPECT_EQ(club.expanded, club.key == expanded) << allowed << " " << club.key;
        }
    }
}

// A live player whose club is not a live club (from an old database) stays reachable.
TEST_F(PlayerListTest, PlayerWithoutALiveClubIsListedUnderNoClub)
{
    addPlayer("Orphan", 0, "Orphan");
    PlayerListModel list(app, ui);
    ASSERT_EQ(list.clubs.back().key, "C0");
    EXPECT_EQ(list.clubs.back().text, "(No Club)");
    EXPECT_EQ(keys(list.clubs.back().children), std::vector<std::string>{"P1"});
}

TEST_F(PlayerListTest, CheckMarkWritesTheActiveFlag)
{
    addPlayer("J Smith", 1, "Smith", "John");
    PlayerListModel list(app, ui);
    app.databaseChanged = false;
    list.nodeChecked("P1", false);
    EXPECT_EQ(ws.read<PlayerRecord>(1).active, 0);
    EXPECT_TRUE(app.databaseChanged);
    EXPECT_FALSE(list.find("P1")->checked);
    list.nodeChecked("P1", true);
    EXPECT_EQ(ws.read<PlayerRecord>(1).active, 1);

    app.databaseChanged = false;
    list.nodeChecked("C1", true); // clubs have nothing to write
    EXPECT_FALSE(app.databaseChanged);
}

TEST_F(PlayerListTest, NewAddsTheSavedPlayerUnderItsClub)
{
    addPlayer("Z Zed", 4, "Zed", "Zak");
    PlayerListModel list(app, ui);

    playEditor([](PlayerEditorModel& e) { e.setText(PlayerField::ReportName, "x"); }, false);
    ui.buttonAnswers = {Button::Ok}; // "Changes will not be saved"
    list.newClicked();
    EXPECT_EQ(list.clubs[3].children.size(), 1u);

    playEditor([](PlayerEditorModel& e) {
        EXPECT_EQ(e.currentPlayer(), 0);
        e.setText(PlayerField::LastName, "Able");
        e.setText(PlayerField::FirstName, "Ann");
        e.fieldLeft(PlayerField::LastName);
        e.clubChosen(3); // Souths, club 4
    });
    list.newClicked();
    EXPECT_EQ(texts(list.clubs[3].children), (std::vector<std::string>{"Able, Ann", "Zed, Zak"}));
    EXPECT_EQ(list.selectedKey, "P2");
    EXPECT_TRUE(list.clubs[3].expanded);
}

TEST_F(PlayerListTest, EditMovesThePlayerToItsNewClub)
{
    addPlayer("J Smith", 1, "Smith", "John");
    PlayerListModel list(app, ui);

    list.nodeSelected("C1");
    list.editClicked(); // a club node: nothing happens
    EXPECT_TRUE(ui.modalWindows.empty());
    EXPECT_TRUE(ui.messages.empty());

    list.nodeSelected("P1");
    playEditor([](PlayerEditorModel& e) { e.clubChosen(1); }, false);
    ui.buttonAnswers = {Button::Ok};
    list.editClicked();
    EXPECT_EQ(keys(list.clubs[0].children), std::vector<std::string>{"P1"});

    playEditor([](PlayerEditorModel& e) {
        EXPECT_EQ(e.currentPlayer(), 1);
        e.setText(PlayerField::LastName, "Smythe");
        e.clubChosen(1); // Wests
    });
    list.editClicked();
    EXPECT_TRUE(list.clubs[0].children.empty());
    EXPECT_EQ(texts(list.clubs[1].children), std::vector<std::string>{"Smythe, John"});
    EXPECT_EQ(ws.read<PlayerRecord>(1).club, 2);
}

TEST_F(PlayerListTest, SelectionMessages)
{
    addPlayer("J Smith", 1, "Smith", "John");
    PlayerListModel list(app, ui);
    list.editClicked(); // nothing selected
    list.nodeSelected("C1");
    list.deleteClicked();
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string>{"You need to select a player to edit",
                                                           "You need to select a player to delete"}));
    EXPECT_TRUE(ui.modalWindows.empty());
    EXPECT_EQ(ws.read<PlayerRecord>(1).reportName.str(), "J Smith");
}

TEST_F(PlayerListTest, DeleteClearsTheScorecardsAndDropsTrailingDeletedPlayers)
{
    for (int i = 1; i <= 9; ++i) {
        addPlayer("Player " + std::to_string(i), 1, "Last " + std::to_string(i));
    }
    InningsRecord inn;
    inn.batting[1].batsman = 9;
    inn.batting[2].fieldsman = 9;
    inn.batting[2].bowler = 9;
    inn.batting[3].batsman = 3;
    inn.bowling[1].bowler = 9;
    ws.write(ws.AllocateInnings(), inn);

    PlayerListModel list(app, ui);
    list.nodeSelected("P8");
    ui.buttonAnswers = {Button::No};
    list.deleteClicked();
    EXPECT_EQ(ws.read<PlayerRecord>(8).reportName.str(), "Player 8");
    EXPECT_EQ(ui.messages.back().text, "Do you really want to delete this player?");
    EXPECT_EQ(ui.messages.back().icon, Icon::Question);
    EXPECT_EQ(ui.messages.back().buttons, Buttons::YesNo);

    ui.buttonAnswers = {Button::Yes};
    list.deleteClicked();
    EXPECT_EQ(ws.read<PlayerRecord>(8).reportName.str(), "#");
    EXPECT_EQ(ws.count(RecordKind::Player), 9);
    EXPECT_EQ(ui.messages.back().text, "That player has been deleted");
    EXPECT_EQ(ui.messages.back().icon, Icon::Information);
    EXPECT_EQ(list.find("P8"), nullptr);

    app.databaseChanged = false;
    list.nodeSelected("P9");
    ui.buttonAnswers = {Button::Yes};
    list.deleteClicked();
    EXPECT_TRUE(app.databaseChanged);
    EXPECT_EQ(ui.busyCalls, 2);
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_EQ(ws.count(RecordKind::Player), 7); // past player 8, deleted earlier
    const InningsRecord after = ws.read<InningsRecord>(1);
    EXPECT_EQ(after.batting[1].batsman, 0);
    EXPECT_EQ(after.batting[2].fieldsman, 0);
    EXPECT_EQ(after.batting[2].bowler, 0);
    EXPECT_EQ(after.bowling[1].bowler, 0);
    EXPECT_EQ(after.batting[3].batsman, 3);
    EXPECT_EQ(list.clubs[0].children.size(), 7u);
}

// The next player added takes a deleted player's slot, so nothing may still name that number:
// his special events go, and matches forget him as captain, keeper and man of the match.
TEST_F(PlayerListTest, ADeletedPlayersSlotPassesNoHistoryToTheNextPlayer)
{
    for (int i = 1; i <= 3; ++i) {
        addPlayer("Player " + std::to_string(i), 1, "Last " + std::to_string(i));
    }
    ws.append(makeSpecialEvent(1, 2, "Drop Catch "));
    ws.append(makeSpecialEvent(1, 3, "Hat Trick  "));
    ws.append(makeSpecialEvent(4, 2, "Hat Trick  "));
    MatchRecord first;
    first.datePlayed.assign("01/05/2020");
    first.captain1 = 2;
    first.keeper2 = 2;
    first.manOfMatch = 2;
    first.captain2 = 3;
    first.keeper1 = 1;
    MatchRecord second = first;
    second.captain1 = 1;
    second.keeper2 = 3;
    second.manOfMatch = 3;
    second.keeper1 = 2;
    ws.append(first);
    ws.append(second);

    PlayerListModel list(app, ui);
    list.nodeSelected("P2");
    ui.buttonAnswers = {Button::Yes};
    list.deleteClicked();

    EXPECT_EQ(ws.count(RecordKind::SpecialEvent), 3); // deleted events keep their slots
    EXPECT_TRUE(isBlankSpecialEvent(ws.read<SpecialEvent>(1)));
    EXPECT_EQ(ws.read<SpecialEvent>(2), makeSpecialEvent(1, 3, "Hat Trick  "));
    EXPECT_TRUE(isBlankSpecialEvent(ws.read<SpecialEvent>(3)));
    const MatchRecord a = ws.read<MatchRecord>(1);
    const MatchRecord b = ws.read<MatchRecord>(2);
    EXPECT_EQ(std::vector<int>({a.captain1, a.captain2, a.keeper1, a.keeper2, a.manOfMatch}),
              std::vector<int>({0, 3, 1, 0, 0}));
    EXPECT_EQ(std::vector<int>({b.captain1, b.captain2, b.keeper1, b.keeper2, b.manOfMatch}),
              std::vector<int>({1, 3, 0, 3, 3}));
    EXPECT_EQ(a.datePlayed.str(), "01/05/2020");

    // The newcomer in slot 2 has no history.
    EXPECT_EQ(addPlayer("Newcomer", 1, "New"), 2);
    for (std::int32_t e = 1; e <= ws.count(RecordKind::SpecialEvent); ++e) {
        const SpecialEvent event = ws.read<SpecialEvent>(e);
        EXPECT_TRUE(isBlankSpecialEvent(event) || specialEventPlayer(event) != 2) << e;
    }
}

// A count that still covers deleted players at its end is trimmed by Delete even when no player
// is selected.
TEST_F(PlayerListTest, DeleteWithoutAPlayerStillTrimsTheCount)
{
    addPlayer("A", 1, "A");
    addPlayer("B", 1, "B");
    PlayerRecord b = ws.read<PlayerRecord>(2);
    b.reportName.assign(DELETED_MARK);
    ws.write(2, b);
    PlayerListModel list(app, ui);
    list.deleteClicked();
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"You need to select a player to delete"});
    EXPECT_EQ(ws.count(RecordKind::Player), 1);
}

TEST_F(PlayerListTest, ClubNumbersSurviveDeletedClubs)
{
    deleteClubRecord(3);
    addPlayer("Five", 5, "Five");
    PlayerListModel list(app, ui);
    ASSERT_EQ(list.clubs.size(), 4u);
    EXPECT_EQ(list.clubs[3].key, "C5");
    EXPECT_EQ(list.clubs[3].text, "Central");
    EXPECT_EQ(keys(list.clubs[3].children), std::vector<std::string>{"P1"});

    // The editor's club list has the same gap: choosing its fourth entry assigns club 5.
    PlayerEditorModel e(app, ui, 1);
    EXPECT_EQ(e.clubIndex, 3);
    EXPECT_EQ(e.clubs[3].record, 5);
}

} // namespace
