// The special fielding events window: the events of one innings listed from the shared events
// file, events added in their 21-character form, deletions that keep the slot, and the refusals.

#include "database_fixture.h"
#include "formats.h"
#include "scripted_platform.h"
#include "special_events_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace wickly;
using namespace wickly::masterdata;
using namespace wickly::test;

namespace {

class SpecialEventsTest : public ::testing::Test, public TestDatabase
{
protected:
    SpecialEventsTest()
    {
        addClub("Easts");
        addClub("Wests");
    }

    // Players 1..n named "P1".."Pn", alternating between the two clubs.
    void addPlayers(int n)
    {
        for (int i = 1; i <= n; ++i) {
            addPlayer("P" + std::to_string(i), static_cast<std::int16_t>(1 + i % 2));
        }
    }

    std::string storedEvent(std::int32_t n) const
    {
        const std::vector<std::uint8_t> b = ws.readRaw(RecordKind::SpecialEvent, n);
        return std::string(b.begin(), b.end());
    }

    static std::vector<std::string> texts(const std::vector<SpecialEventsLine>& lines)
    {
        std::vector<std::string> out;
        for (const SpecialEventsLine& l : lines) {
            out.push_back(l.text);
        }
        return out;
    }

    // Selects the player list's entry for player `record`.
    static void choosePlayer(SpecialEventsModel& m, std::int32_t record)
    {
        for (std::size_t i = 0; i < m.players.size(); ++i) {
            if (m.players[i].record == record) {
                m.playerChosen(static_cast<int>(i));
                return;
            }
        }
        FAIL() << "player " << record << " is not offered";
    }

    ScriptedPlatform ui;
};

TEST_F(SpecialEventsTest, AddStoresTheEventInItsTwentyOneCharacterForm)
{
    addPlayers(12);
    struct Case
    {
        std::int32_t innings;
        std::int32_t player;
        FieldingEventKind kind;
        const char* stored;
    };
    const Case cases[] = {
        {7, 12, FieldingEventKind::HatTrick, " 7    12  Hat Trick  "},
        {12, 3, FieldingEventKind::DroppedCatch, " 12   3   Drop Catch "},
    };
    std::int32_t record = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        app.databaseChanged = false;
        SpecialEventsModel m(app, ui, c.innings);
        ASSERT_TRUE(m.events.empty());
        choosePlayer(m, c.player);
        m.eventKindChosen(c.kind);
        m.addClicked();

        ++record;
        EXPECT_EQ(storedEvent(record), c.stored);
        EXPECT_EQ(ws.count(RecordKind::SpecialEvent), record);
        EXPECT_TRUE(app.databaseChanged);
        // The new event is listed at once (its position is record - 1), with no line selected.
        const std::string event = std::string(c.stored).substr(10);
        ASSERT_EQ(texts(m.events), std::vector<std::string>{FitText("P" + std::to_string(c.player), 30) + "  " + event +
                                                            "       " + FitText(NumText(record - 1), 5)});
        EXPECT_EQ(m.events[0].record, record);
        EXPECT_FALSE(m.deleteEnabled());
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SpecialEventsTest, ListsOnlyTheLiveEventsOfItsInnings)
{
    addPlayers(3);
    ws.append(makeSpecialEvent(7, 2, kDropCatch)); // record 1: position 0
    ws.append(makeSpecialEvent(8, 3, kHatTrick));  // another innings of the same file
    ws.append(makeSpecialEvent(7, 3, kHatTrick));
    ws.deleteSpecialEvent(3); // blank, and reads as innings 0
    ws.append(makeSpecialEvent(0, 1, kDropCatch));
    ws.append(makeSpecialEvent(7, 1, kHatTrick)); // record 5: position 4

    SpecialEventsModel m(app, ui, 7);
    EXPECT_EQ(texts(m.events), (std::vector<std::string>{
                                   "P2                              Drop Catch         -   ",
                                   "P1                              Hat Trick          4   ",
                               }));
    EXPECT_EQ(m.events[0].record, 1);
    EXPECT_EQ(m.events[1].record, 5);

    // An innings without a record number owns nothing: neither the deleted records nor events
    // stored against innings 0 are listed.
    SpecialEventsModel none(app, ui, 0);
    EXPECT_TRUE(none.events.empty());
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(SpecialEventsTest, OffersEveryLivePlayerInRecordOrder)
{
    addPlayer("J Smith", 1, "Smith", "John");
    addPlayer("Gone", 2, "Gone");
    addPlayer("Solo", 2);                    // no last name: the report name
    addPlayer("#Hidden", 1, "Hidden");       // a live name beginning with "#" is left out here
    addPlayer("Other Club", 0, "Zed", "Al"); // of neither team's club
    ws.deletePlayer(2);

    SpecialEventsModel m(app, ui, 1);
    EXPECT_EQ(texts(m.players), (std::vector<std::string>{
                                    FitText("Smith, John", 50) + " 1",
                                    FitText("Solo", 50) + " 3",
                                    FitText("Zed, Al", 50) + " 5",
                                }));
    EXPECT_EQ(m.players[2].record, 5);
    EXPECT_EQ(m.selectedPlayer, -1);
    EXPECT_EQ(m.eventKind, FieldingEventKind::None);
}

TEST_F(SpecialEventsTest, DeleteBlanksTheSlotAndWaitsForANewClick)
{
    addPlayers(2);
    ws.append(makeSpecialEvent(7, 1, kDropCatch));
    ws.append(makeSpecialEvent(7, 2, kHatTrick));
    SpecialEventsModel m(app, ui, 7);
    EXPECT_FALSE(m.deleteEnabled());
    m.deleteClicked(); // nothing clicked yet
    EXPECT_EQ(m.events.size(), 2u);

    app.databaseChanged = false;
    m.eventSelected(0);
    ASSERT_TRUE(m.deleteEnabled());
    m.deleteClicked();
    EXPECT_EQ(storedEvent(1), std::string(21, ' '));
    EXPECT_EQ(ws.count(RecordKind::SpecialEvent), 2);
    EXPECT_TRUE(app.databaseChanged);
    ASSERT_EQ(m.events.size(), 1u);
    EXPECT_EQ(m.events[0].record, 2);
    EXPECT_EQ(m.selectedEvent, -1);
    EXPECT_FALSE(m.deleteEnabled());

    // A second Delete without a new click deletes nothing.
    m.deleteClicked();
    EXPECT_EQ(storedEvent(2), " 7    2   Hat Trick  ");
    EXPECT_EQ(m.events.size(), 1u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SpecialEventsTest, DeleteActsOnTheRecordNotOnItsCutPositionText)
{
    // Position 10000 does not fit the 5-character column and shows as " 1000", the position of
    // record 1001, which belongs to another innings here.
    addPlayers(2);
    ws.setCount(RecordKind::SpecialEvent, 10001);
    ws.write(1001, makeSpecialEvent(8, 1, kDropCatch));
    ws.write(10001, makeSpecialEvent(7, 2, kHatTrick));
    SpecialEventsModel m(app, ui, 7);
    ASSERT_EQ(m.events.size(), 1u);
    EXPECT_EQ(m.events[0].text.substr(50), " 1000");

    m.eventSelected(0);
    m.deleteClicked();
    EXPECT_EQ(storedEvent(10001), std::string(21, ' '));
    EXPECT_EQ(storedEvent(1001), " 8    1   Drop Catch ");
    EXPECT_TRUE(m.events.empty());
}

TEST_F(SpecialEventsTest, AddRefusesWithoutWritingAnything)
{
    addPlayers(2);
    // Player 10000 cannot be written in the 5-character player column.
    ws.setCount(RecordKind::Player, 10000);
    PlayerRecord far;
    far.reportName.assign("Far");
    ws.write(10000, far);

    struct Case
    {
        const char* name;
        std::int32_t innings;
        std::int32_t player; // 0: none chosen
        FieldingEventKind kind;
        const char* message;
        Icon icon;
    };
    const Case cases[] = {
        {"no player", 7, 0, FieldingEventKind::HatTrick, "Please select a player first", Icon::None},
        {"no kind", 7, 1, FieldingEventKind::None, "Please choose Dropped Catch or Hat Trick first", Icon::None},
        {"innings without a record", 0, 1, FieldingEventKind::DroppedCatch,
         "Fielding events can only be recorded for an innings that has been given its record number.", Icon::Error},
        {"innings past the column", 10000, 1, FieldingEventKind::DroppedCatch,
         "Fielding events can only be recorded for innings numbered up to 9999. This innings is number 10000.",
         Icon::Error},
        {"player past the column", 7, 10000, FieldingEventKind::DroppedCatch,
         "Fielding events can only be recorded for players numbered up to 9999. This player is number 10000.",
         Icon::Error},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        app.databaseChanged = false;
        SpecialEventsModel m(app, ui, c.innings);
        if (c.player > 0) {
            choosePlayer(m, c.player);
        }
        m.eventKindChosen(c.kind);
        m.addClicked();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_EQ(ui.messages[0].icon, c.icon);
        EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
        EXPECT_EQ(ws.count(RecordKind::SpecialEvent), 0);
        EXPECT_FALSE(app.databaseChanged);
        EXPECT_TRUE(m.events.empty());
    }
}

TEST_F(SpecialEventsTest, AFailedWriteIsReportedAndCountsNothing)
{
    addPlayers(1);
    SpecialEventsModel m(app, ui, 7);
    // A folder where the events file belongs: the file cannot be written.
    std::filesystem::create_directory(ws.filePath(RecordKind::SpecialEvent));
    choosePlayer(m, 1);
    m.eventKindChosen(FieldingEventKind::DroppedCatch);
    m.addClicked();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("The fielding event could not be added.\n\n", 0), 0u);
    EXPECT_EQ(ui.messages[0].icon, Icon::Error);
    EXPECT_EQ(ws.count(RecordKind::SpecialEvent), 0);
    EXPECT_TRUE(m.events.empty());
}

} // namespace
