// The player editor: loading and saving a player, the checks on leaving fields, OK's checks in
// their order, the reuse of deleted slots and the closing check.

#include "database_fixture.h"
#include "player_editor_model.h"
#include "scripted_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace wickly;
using namespace wickly::masterdata;
using namespace wickly::test;

namespace {

using F = PlayerField;

class PlayerEditorTest : public ::testing::Test, public TestDatabase
{
protected:
    PlayerEditorTest()
    {
        addClub("Easts");
        addClub("Wests");
        app.databaseChanged = false;
    }

    // A new player with the fields OK requires.
    void fillRequired(PlayerEditorModel& e, const std::string& report = "J Smith")
    {
        e.setText(F::FirstName, "John");
        e.setText(F::LastName, "Smith");
        e.setText(F::ReportName, report);
        e.clubChosen(1); // Wests
    }

    void deletePlayerSlot(std::int32_t n)
    {
        PlayerRecord p = ws.read<PlayerRecord>(n);
        p.reportName.assign(DELETED_MARK);
        ws.write(n, p);
    }

    ScriptedPlatform ui;
};

TEST_F(PlayerEditorTest, NewPlayerIsWrittenFieldByField)
{
    PlayerEditorModel e(app, ui, 0);
    EXPECT_EQ(e.caption, "Players");
    ASSERT_EQ(e.clubs.size(), 2u);
    EXPECT_EQ(e.clubIndex, -1);
    EXPECT_TRUE(e.active);
    EXPECT_EQ(e.text(F::Balls), "0");
    EXPECT_EQ(e.text(F::BestBowling), "0/0");
    EXPECT_EQ(e.text(F::FirstMatchYear), "");
    EXPECT_FALSE(e.changed());

    e.setText(F::FirstName, "John  ");
    e.setText(F::LastName, "Smith ");
    e.setText(F::ReportName, "J Smith");
    e.setText(F::DateOfBirth, "05/06/1980");
    e.setText(F::Rating, "4");
    e.clubChosen(1);
    e.activeToggled(false);
    e.setText(F::PictureUrl, "pics/smith.jpg  ");
    const std::vector<std::pair<F, const char*>> figures{
        {F::Matches, "120"},      {F::Innings, "110"},     {F::NotOuts, "12"},          {F::Runs, "2500.5"},
        {F::HighScore, "134"},    {F::Balls, "1234567"},   {F::Fifties, "15"},          {F::Hundreds, "3"},
        {F::Wickets, "40"},       {F::RunsAgainst, "900"}, {F::Overs, "300"},           {F::Maidens, "25"},
        {F::BestBowling, "5/23"}, {F::FiveWickets, "2"},   {F::TenWickets, "1"},        {F::Catches, "33"},
        {F::RunOuts, "4"},        {F::Stumpings, "7"},     {F::FirstMatchYear, "1998"}, {F::LastMatchYear, "2009"},
    };
    for (const auto& [f, t] : figures) {
        e.setText(f, t);
    }
    e.highScoreNotOutToggled(true);
    EXPECT_EQ(e.text(F::Balls), "12345"); // five digits, not two
    EXPECT_TRUE(e.changed());

    e.okClicked();
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    EXPECT_TRUE(e.done);
    EXPECT_TRUE(e.saved());
    EXPECT_EQ(e.currentPlayer(), 1);
    EXPECT_EQ(e.currentReportName(), "J Smith");
    EXPECT_EQ(ws.count(RecordKind::Player), 1);
    EXPECT_TRUE(app.databaseChanged);

    const PlayerRecord p = ws.read<PlayerRecord>(1);
    EXPECT_EQ(p.firstName.raw(), std::string("John") + std::string(21, ' '));
    EXPECT_EQ(p.lastName.str(), "Smith");
    EXPECT_EQ(p.reportName.str(), "J Smith");
    EXPECT_EQ(p.dateOfBirth.str(), "05/06/1980");
    EXPECT_EQ(p.rating, 4);
    EXPECT_EQ(p.club, 2);
    EXPECT_EQ(p.active, 0);
    EXPECT_EQ(p.pictureUrl.str(), "pics/smith.jpg");
    const PlayerHistory& h = p.history;
    EXPECT_EQ(h.matches, 120);
    EXPECT_EQ(h.innings, 110);
    EXPECT_EQ(h.notOuts, 12);
    EXPECT_EQ(h.runs, 2500); // halves to even
    EXPECT_EQ(h.highScore, 134);
    EXPECT_EQ(h.highScoreNotOut, 1);
    EXPECT_EQ(h.ballsFaced, 12345);
    EXPECT_EQ(h.fifties, 15);
    EXPECT_EQ(h.hundreds, 3);
    EXPECT_EQ(h.wickets, 40);
    EXPECT_EQ(h.runsAgainst, 900);
    EXPECT_EQ(h.overs, 300);
    EXPECT_EQ(h.maidens, 25);
    EXPECT_EQ(h.bestBowlingWickets, 5);
    EXPECT_EQ(h.bestBowlingRuns, 23);
    EXPECT_EQ(h.fiveWicketInnings, 2);
    EXPECT_EQ(h.tenWicketMatches, 1);
    EXPECT_EQ(h.catches, 33);
    EXPECT_EQ(h.runOuts, 4);
    EXPECT_EQ(h.stumpings, 7);
    EXPECT_EQ(p.firstMatchYear, 1998);
    EXPECT_EQ(p.lastMatchYear, 2009);
}

TEST_F(PlayerEditorTest, ExistingPlayerIsShownAndSavedUnchanged)
{
    PlayerRecord p;
    p.reportName.assign("Alexander Long-Surname J"); // 24 characters, past the typed limit of 18
    p.dateOfBirth.assign("01/02/1970");
    p.club = 2;
    p.active = 1;
    p.rating = 3;
    p.lastName.assign("Long-Surname");
    p.firstName.assign("Alexander");
    p.firstMatchYear = 1850; // not a known year: shown empty
    p.lastMatchYear = 1851;
    p.pictureUrl.assign("a.gif");
    p.history = {1, 2, 3, 70000, 5, 1, 7, 8, 9, 10, 11, 4, 13, 14, 15, 16, 17, 18, 19, 20};
    const std::int32_t n = ws.addPlayer(p);
    const PlayerRecord stored = ws.read<PlayerRecord>(n);

    PlayerEditorModel e(app, ui, n);
    EXPECT_EQ(e.text(F::ReportName), "Alexander Long-Surname J");
    EXPECT_EQ(e.currentReportName(), "Alexander Long-Surname J");
    EXPECT_EQ(e.text(F::FirstName), "Alexander");
    EXPECT_EQ(e.text(F::Runs), "70000");
    EXPECT_EQ(e.text(F::BestBowling), "4/13");
    EXPECT_EQ(e.text(F::FirstMatchYear), "");
    EXPECT_EQ(e.text(F::LastMatchYear), "1851");
    EXPECT_EQ(e.clubIndex, 1);
    EXPECT_TRUE(e.highScoreNotOut);
    EXPECT_FALSE(e.changed());

    e.okClicked();
    ASSERT_TRUE(e.done);
    EXPECT_EQ(e.currentPlayer(), n);
    // The year the window did not show is kept: every stored byte is as it was.
    EXPECT_EQ(ws.read<PlayerRecord>(n), stored);
    EXPECT_EQ(ws.count(RecordKind::Player), 1);

    // A year typed where none was shown replaces it.
    PlayerEditorModel typed(app, ui, n);
    typed.setText(F::FirstMatchYear, "1990");
    typed.okClicked();
    ASSERT_TRUE(typed.done);
    EXPECT_EQ(ws.read<PlayerRecord>(n).firstMatchYear, 1990);
}

TEST_F(PlayerEditorTest, BestBowlingNeedsASlashBetweenTwoNumbers)
{
    const std::vector<std::tuple<const char*, int, int>> cases{
        {"5/23", 5, 23}, {"10/100", 10, 100}, {"/23", 0, 0}, {"5/", 0, 0}, {"523", 0, 0}, {"", 0, 0}, {"x/7", 0, 7},
    };
    for (const auto& [typed, wickets, runs] : cases) {
        PlayerEditorModel e(app, ui, 0);
        fillRequired(e, std::string("Bowler ") + typed);
        e.setText(F::BestBowling, typed);
        e.okClicked();
        ASSERT_TRUE(e.done) << typed;
        const PlayerRecord p = ws.read<PlayerRecord>(e.currentPlayer());
        EXPECT_EQ(p.history.bestBowlingWickets, wickets) << typed;
        EXPECT_EQ(p.history.bestBowlingRuns, runs) << typed;
    }
}

// Each case leaves one thing missing or wrong; the first failing check's message is the only one
// shown and nothing is written.
TEST_F(PlayerEditorTest, OkChecksRunInOrderAndWriteNothing)
{
    addPlayer("J Smith", 1, "Smith", "John");
    addPlayer("Deleted", 1);
    deletePlayerSlot(2);
    struct Case
    {
        const char* report;
        const char* last;
        int club;
        const char* message;
        Icon icon;
    };
    const std::vector<Case> cases{
        {"", "", -1, "A report name needs to be entered", Icon::Warning},
        {"   ", "Jones", 0, "A report name needs to be entered", Icon::Warning},
        {"#Jones", "Jones", 0, "A report name cannot begin with \"#\"", Icon::Error},
        {"P Jones", "", -1, "A last name needs to be entered", Icon::Warning},
        {"P Jones", "Jones", -1, "A club must be assigned to this player", Icon::Warning},
        {"j smith", "Smith", 0, "A player with that report name already exists", Icon::Error},
        {"  J SMITH ", "Smith", 0, "A player with that report name already exists", Icon::Error},
    };
    for (const Case& c : cases) {
        ui.messages.clear();
        PlayerEditorModel e(app, ui, 0);
        e.setText(F::ReportName, c.report);
        e.setText(F::LastName, c.last);
        e.clubChosen(c.club);
        e.okClicked();
        ASSERT_EQ(ui.messages.size(), 1u) << c.report;
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_EQ(ui.messages[0].icon, c.icon) << c.message;
        EXPECT_FALSE(e.done);
        EXPECT_EQ(ws.count(RecordKind::Player), 2);
        EXPECT_EQ(ws.read<PlayerRecord>(2).reportName.str(), "#");
    }
}

TEST_F(PlayerEditorTest, DuplicateCheckSkipsThePlayerBeingEdited)
{
    const std::int32_t n = addPlayer("J Smith", 1, "Smith", "John");
    PlayerEditorModel e(app, ui, n);
    e.setText(F::ReportName, "J SMITH");
    e.okClicked();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(e.done);
    EXPECT_EQ(ws.read<PlayerRecord>(n).reportName.str(), "J SMITH");
}

TEST_F(PlayerEditorTest, NewPlayerTakesTheFirstDeletedSlot)
{
    for (int i = 1; i <= 9; ++i) {
        addPlayer("Player " + std::to_string(i), 1, "Last");
    }
    deletePlayerSlot(6);
    deletePlayerSlot(4);
    PlayerEditorModel e(app, ui, 0);
    fillRequired(e);
    e.okClicked();
    EXPECT_EQ(e.currentPlayer(), 4);
    EXPECT_EQ(ws.count(RecordKind::Player), 9);
    EXPECT_EQ(ws.read<PlayerRecord>(4).reportName.str(), "J Smith");
    EXPECT_EQ(ws.read<PlayerRecord>(6).reportName.str(), "#");

    PlayerEditorModel second(app, ui, 0);
    fillRequired(second, "Second");
    second.okClicked();
    EXPECT_EQ(second.currentPlayer(), 6);

    PlayerEditorModel third(app, ui, 0);
    fillRequired(third, "Third");
    third.okClicked();
    EXPECT_EQ(third.currentPlayer(), 10);
    EXPECT_EQ(ws.count(RecordKind::Player), 10);
}

// Record fields are 16-bit (runs 32-bit): a number that does not fit is refused, never wrapped.
TEST_F(PlayerEditorTest, NumbersThatDoNotFitTheRecordAreRefused)
{
    const std::vector<std::pair<F, const char*>> refused{
        {F::Balls, "40000"}, {F::Matches, "99999"},      {F::Runs, "3000000000"},
        {F::Wickets, "1e9"}, {F::FirstMatchYear, "1E9"}, {F::Overs, "-40000"},
    };
    for (const auto& [f, typed] : refused) {
        ui.messages.clear();
        PlayerEditorModel e(app, ui, 0);
        fillRequired(e);
        e.setText(f, typed);
        e.okClicked();
        ASSERT_EQ(ui.messages.size(), 1u) << typed;
        EXPECT_NE(ui.messages[0].text.find(playerFieldInfo(f).label), std::string::npos) << ui.messages[0].text;
        EXPECT_EQ(ui.messages[0].icon, Icon::Error);
        EXPECT_EQ(e.focus, f);
        EXPECT_FALSE(e.done);
    }
    EXPECT_EQ(ws.count(RecordKind::Player), 0);

    PlayerEditorModel e(app, ui, 0);
    fillRequired(e, "Big Hitter");
    e.setText(F::Runs, "100000");
    e.setText(F::Balls, "32767");
    e.okClicked();
    ASSERT_TRUE(e.done);
    EXPECT_EQ(ws.read<PlayerRecord>(e.currentPlayer()).history.runs, 100000);
    EXPECT_EQ(ws.read<PlayerRecord>(e.currentPlayer()).history.ballsFaced, 32767);
}

TEST_F(PlayerEditorTest, DateOfBirthCheck)
{
    const std::string nextYear = std::to_string(PlayerEditorModel(app, ui, 0).thisYear + 1);
    const std::vector<std::pair<std::string, bool>> cases{
        {"31/02/1990", true},  {"01-12-1800", true},  {"", true},
        {"1/2/1990", false},   {"00/02/1990", false}, {"32/01/1990", false},
        {"01/13/1990", false}, {"01/01/1799", false}, {"01/01/" + nextYear, false},
    };
    for (const auto& [date, valid] : cases) {
        ui.messages.clear();
        ui.buttonAnswers = {Button::Ok};
        PlayerEditorModel e(app, ui, 0);
        e.setText(F::DateOfBirth, date);
        EXPECT_EQ(e.fieldLeft(F::DateOfBirth), valid) << date;
        if (valid) {
            EXPECT_TRUE(ui.messages.empty()) << date;
            continue;
        }
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Incorrect Date Format");
        EXPECT_EQ(ui.messages[0].title, "Error");
        EXPECT_EQ(ui.messages[0].icon, Icon::Error);
        EXPECT_EQ(ui.messages[0].buttons, Buttons::OkCancel);
        // OK: back into the field with the text kept.
        EXPECT_EQ(e.focus, F::DateOfBirth);
        EXPECT_EQ(e.text(F::DateOfBirth), date);
    }

    ui.buttonAnswers = {Button::Cancel};
    PlayerEditorModel e(app, ui, 0);
    e.setText(F::DateOfBirth, "1/2/1990");
    EXPECT_FALSE(e.fieldLeft(F::DateOfBirth));
    EXPECT_EQ(e.text(F::DateOfBirth), ""); // Cancel empties the field
    EXPECT_FALSE(e.focus.has_value());
}

TEST_F(PlayerEditorTest, ReportNameSuggestion)
{
    const std::vector<std::tuple<const char*, const char*, const char*, const char*>> cases{
        // first name, last name, report name before, report name after
        {"John", "Smith", "", "J Smith"},
        {"", "Smith", "", "Smith"},
        {"Bob", "Abcdefghijklmnopqrst", "", "B Abcdefghijklmnop"}, // cut to 18
        {"John", "Smith", "Smithy", "Smithy"},
        {"John", "", "", "J "},
    };
    for (const auto& [first, last, before, after] : cases) {
        PlayerEditorModel e(app, ui, 0);
        e.setText(F::FirstName, first);
        e.setText(F::LastName, last);
        e.setText(F::ReportName, before);
        EXPECT_TRUE(e.fieldLeft(F::LastName));
        EXPECT_EQ(e.text(F::ReportName), after) << last;
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PlayerEditorTest, YearOfFirstMatchCheck)
{
    for (const char* year : {"1850", "2001"}) {
        PlayerEditorModel e(app, ui, 0);
        e.setText(F::FirstMatchYear, year);
        EXPECT_TRUE(e.fieldLeft(F::FirstMatchYear)) << year;
    }
    EXPECT_TRUE(ui.messages.empty());

    ui.buttonAnswers = {Button::Ok, Button::Cancel};
    PlayerEditorModel e(app, ui, 0);
    e.setText(F::FirstMatchYear, "1849");
    EXPECT_FALSE(e.fieldLeft(F::FirstMatchYear));
    EXPECT_EQ(e.focus, F::FirstMatchYear);
    EXPECT_EQ(e.text(F::FirstMatchYear), "1849");
    e.setText(F::FirstMatchYear, ""); // an empty field counts as 0
    EXPECT_FALSE(e.fieldLeft(F::FirstMatchYear));
    EXPECT_FALSE(e.focus.has_value());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Year must be greater than 1850");
    EXPECT_EQ(ui.messages[1].title, "Date Error");
    EXPECT_EQ(ui.messages[1].icon, Icon::Error);
    EXPECT_EQ(e.text(F::FirstMatchYear), "");
    e.setText(F::LastMatchYear, "12");
    EXPECT_TRUE(e.fieldLeft(F::LastMatchYear)); // the last year is not checked
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(PlayerEditorTest, PictureAddressMustEndInGifOrJpg)
{
    const std::vector<std::pair<const char*, bool>> cases{
        {"face.png", false}, {"face.jpeg", false}, {"face.GIF", true}, {"x.jpg", true}, {"ab", true}, {"", true},
    };
    for (const auto& [url, accepted] : cases) {
        ui.messages.clear();
        PlayerEditorModel e(app, ui, 0);
        e.setText(F::PictureUrl, url);
        EXPECT_EQ(e.fieldLeft(F::PictureUrl), accepted) << url;
        if (!accepted) {
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, "The Picture URL must end with a .gif or .jpg");
            EXPECT_EQ(ui.messages[0].icon, Icon::Warning);
            EXPECT_EQ(e.focus, F::PictureUrl);
        }
    }
}

TEST_F(PlayerEditorTest, CancelWithoutChangesClosesAtOnce)
{
    const std::int32_t n = addPlayer("J Smith", 1, "Smith", "John");
    PlayerEditorModel e(app, ui, n);
    e.cancelClicked();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(e.done);
    EXPECT_FALSE(e.saved());
    EXPECT_EQ(e.currentPlayer(), 0);
    EXPECT_EQ(e.currentReportName(), "");
}

TEST_F(PlayerEditorTest, ClosingCheckAfterAChange)
{
    const std::int32_t n = addPlayer("J Smith", 1, "Smith", "John");
    const PlayerRecord before = ws.read<PlayerRecord>(n);

    // OK in the question: closes without writing.
    ui.buttonAnswers = {Button::Ok};
    PlayerEditorModel discarded(app, ui, n);
    discarded.clubChosen(1);
    EXPECT_TRUE(discarded.closeRequested());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Changes will not be saved");
    EXPECT_EQ(ui.messages[0].icon, Icon::Warning);
    EXPECT_EQ(ui.messages[0].buttons, Buttons::OkCancel);
    EXPECT_FALSE(discarded.saved());
    EXPECT_EQ(discarded.currentReportName(), "");
    EXPECT_EQ(ws.read<PlayerRecord>(n), before);

    // Cancel in the question keeps the editor open on the same player; a later OK still tells the
    // caller that the player was saved.
    ui.buttonAnswers = {Button::Cancel};
    PlayerEditorModel kept(app, ui, n);
    kept.clubChosen(1);
    kept.cancelClicked();
    EXPECT_FALSE(kept.done);
    EXPECT_EQ(kept.currentPlayer(), n);
    kept.okClicked();
    EXPECT_TRUE(kept.done);
    EXPECT_TRUE(kept.saved());
    EXPECT_EQ(kept.currentReportName(), "J Smith");
    EXPECT_EQ(ws.read<PlayerRecord>(n).club, 2);
}

TEST_F(PlayerEditorTest, HelpOpensThePlayerEditorPage)
{
    PlayerEditorModel e(app, ui, 0);
    e.helpClicked();
    EXPECT_EQ(ui.helpContexts, std::vector<int>{300});
}

} // namespace
