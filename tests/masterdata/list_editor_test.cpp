// The list editor for clubs, grades, grounds and teams and its name and team dialogs: the lines it
// shows, what Add New, Edit Name, Delete and Close write, and what closing without Close leaves.

#include "list_editor_model.h"

#include "database_fixture.h"
#include "formats.h"
#include "scripted_platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace wickly;
using namespace wickly::masterdata;
using namespace wickly::test;

namespace {

std::string blanks(std::size_t n)
{
    return std::string(n, ' ');
}

std::string padded(const std::string& s, std::size_t width)
{
    std::string r = s;
    r.resize(width, ' ');
    return r;
}

// The record number a line carries in its last four characters.
int lineNumber(const ListLine& line)
{
    return static_cast<int>(ValText(line.text.substr(line.text.size() - 4)));
}

class ListEditorTest : public ::testing::Test, public TestDatabase
{
protected:
    std::unique_ptr<ListEditorModel> open(int kind) { return std::make_unique<ListEditorModel>(app, platform, kind); }

    // Plays the name dialog: fills the given fields and presses OK, or presses Cancel.
    void nameDialogAnswers(std::function<void(NameDialogModel&)> fill)
    {
        platform.onModal = [fill](WindowModel& w) {
            auto* d = dynamic_cast<NameDialogModel*>(&w);
            ASSERT_NE(d, nullptr);
            if (fill) {
                fill(*d);
                d->okClicked();
            } else {
                d->cancelClicked();
            }
        };
    }

    // Plays the team dialog: types the name, picks the club with that record number (0: none) and
    // presses OK, or presses Cancel when `cancel` is set.
    void teamDialogAnswers(const std::string& name, std::int32_t club, bool cancel = false)
    {
        platform.onModal = [=, this](WindowModel& w) {
            auto* d = dynamic_cast<TeamDialogModel*>(&w);
            ASSERT_NE(d, nullptr);
            seenTeamDialog.emplace(*d);
            if (cancel) {
                d->cancelClicked();
                return;
            }
            d->name = name;
            d->clubChosen(-1);
            for (std::size_t i = 0; i < d->clubs.size(); ++i) {
                if (d->clubs[i].record == club) {
                    d->clubChosen(static_cast<int>(i));
                }
            }
            d->okClicked();
            if (!d->done) {
                d->cancelClicked(); // the user gives up after the dialog's refusal
            }
        };
    }

    std::int32_t addMatch(std::int16_t team1, std::int16_t team2, std::int16_t grade, std::int16_t ground)
    {
        MatchRecord m;
        m.team1 = team1;
        m.team2 = team2;
        m.grade = grade;
        m.ground = ground;
        m.datePlayed.assign("01/05/2020");
        return ws.append(m);
    }

    std::int32_t count(RecordKind k) const { return ws.count(k); }

    ScriptedPlatform platform;
    std::optional<TeamDialogModel> seenTeamDialog;
};

} // namespace

// ---- The lines ----------------------------------------------------------------------------------

TEST_F(ListEditorTest, ClubLinesSkipDeletedClubsAndCarryTheirNumbers)
{
    for (const char* n : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"}) {
        addClub(n, "AB");
    }
    ClubRecord withUrls = ws.read<ClubRecord>(4);
    withUrls.clubUrl.assign("http://delta.example");
    withUrls.logoUrl.assign("http://delta.example/logo.gif");
    ws.write(4, withUrls);
    ws.deleteClub(3);
    // A club written without its URLs ever being assigned: the zero bytes show as blanks.
    ClubRecord bare;
    bare.name.assign("Zeta");
    ws.append(bare);

    auto editor = open(ClubsKind);
    EXPECT_EQ(editor->caption, "Editor");
    EXPECT_EQ(editor->heading, "Club Name" + blanks(32) + "Abbrev");
    ASSERT_EQ(editor->lines.size(), 5u);
    const std::vector<int> numbers{1, 2, 4, 5, 6};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        EXPECT_EQ(editor->lines[i].record, numbers[i]);
        EXPECT_EQ(lineNumber(editor->lines[i]), numbers[i]);
    }
    EXPECT_EQ(editor->lines[2].text, padded("Delta", 40) + " " + padded("AB", 7) + blanks(4) +
                                         padded("http://delta.example", 100) +
                                         padded("http://delta.example/logo.gif", 100) + blanks(30) + " 4");
    EXPECT_EQ(editor->lines[4].text,
              padded("Zeta", 40) + " " + blanks(7) + blanks(4) + blanks(200) + blanks(30) + " 6");
    EXPECT_FALSE(editor->changed());
    EXPECT_FALSE(editor->editEnabled());
}

TEST_F(ListEditorTest, GradeGroundAndTeamLines)
{
    addNamed<GradeRecord>("First Grade", "1st");
    addNamed<GroundRecord>("The Oval", "Oval");
    const std::int32_t club = addClub("Wanderers", "WAN");
    addTeam("Wanderers A", static_cast<std::int16_t>(club));

    auto grades = open(GradesKind);
    EXPECT_EQ(grades->heading, "Grade Name" + blanks(31) + "Abbrev");
    ASSERT_EQ(grades->lines.size(), 1u);
    EXPECT_EQ(grades->lines[0].text, padded("First Grade", 40) + " " + padded("1st", 7) + blanks(30) + " 1");

    auto grounds = open(GroundsKind);
    EXPECT_EQ(grounds->heading, "Ground Name" + blanks(30) + "Abbrev");
    ASSERT_EQ(grounds->lines.size(), 1u);
    EXPECT_EQ(grounds->lines[0].text, padded("The Oval", 40) + " " + padded("Oval", 7) + blanks(30) + " 1");

    auto teams = open(TeamsKind);
    EXPECT_EQ(teams->heading, "Team Name" + blanks(22) + "Club");
    ASSERT_EQ(teams->lines.size(), 1u);
    const std::string& line = teams->lines[0].text;
    EXPECT_EQ(line, padded("Wanderers A", 30) + " " + padded("Wanderers", 30) + " 1" + blanks(30) + " 1");
    EXPECT_EQ(ValText(line.substr(61, 4)), 1); // the club number at characters 62-65
}

// ---- Add New, Edit Name and Close ---------------------------------------------------------------

TEST_F(ListEditorTest, AddedClubIsCountedAtOnceAndWrittenByClose)
{
    addClub("Alpha");
    auto editor = open(ClubsKind);
    nameDialogAnswers([](NameDialogModel& d) {
        EXPECT_TRUE(d.urlsVisible);
        EXPECT_EQ(d.name, "");
        d.name = "  Beta CC";
        d.abbreviation = "0"; // fitted to width: stored as " -"
        d.clubUrl = "http://beta.example";
        d.logoUrl = "http://beta.example/b.JPG";
    });
    editor->addClicked();

    ASSERT_EQ(editor->lines.size(), 2u);
    EXPECT_EQ(editor->lines[1].record, 2);
    EXPECT_EQ(lineNumber(editor->lines[1]), 2);
    EXPECT_EQ(editor->selected, 1);
    EXPECT_EQ(count(RecordKind::Club), 2);
    EXPECT_TRUE(ws.read<ClubRecord>(2).name.blank()); // nothing written before Close

    editor->closeClicked();
    EXPECT_TRUE(editor->done);
    EXPECT_TRUE(app.databaseChanged);
    EXPECT_TRUE(platform.messages.empty());
    ClubRecord expected;
    expected.name.assign("Beta CC");
    expected.abbreviation.assign(" -");
    expected.clubUrl.assign("http://beta.example");
    expected.logoUrl.assign("http://beta.example/b.JPG");
    EXPECT_EQ(ws.read<ClubRecord>(2), expected); // the reserved field stays zero bytes
}

TEST_F(ListEditorTest, CancelledAddChangesNothingButStillAsksOnClosing)
{
    addNamed<GradeRecord>("First");
    auto editor = open(GradesKind);
    nameDialogAnswers(nullptr);
    editor->addClicked();
    EXPECT_EQ(editor->lines.size(), 1u);
    EXPECT_EQ(count(RecordKind::Grade), 1);
    EXPECT_TRUE(editor->changed());

    platform.buttonAnswers = {Button::Cancel};
    EXPECT_FALSE(editor->closeRequested());
    EXPECT_FALSE(editor->done);
    EXPECT_EQ(platform.messages.back().text, "Changes will be lost");
    EXPECT_EQ(platform.messages.back().buttons, Buttons::OkCancel);
    EXPECT_EQ(platform.messages.back().icon, Icon::Warning);
}

TEST_F(ListEditorTest, EditNameFillsTheDialogFromTheLineAndKeepsTheNumber)
{
    addClub("Alpha", "AL");
    ClubRecord c = ws.read<ClubRecord>(1);
    c.clubUrl.assign("http://alpha.example");
    c.logoUrl.assign("http://alpha.example/a.gif");
    ws.write(1, c);
    addClub("Beta", "BE");

    auto editor = open(ClubsKind);
    editor->lineSelected(0);
    nameDialogAnswers([](NameDialogModel& d) {
        EXPECT_EQ(d.name, "Alpha");
        EXPECT_EQ(d.abbreviation, "AL");
        EXPECT_EQ(d.clubUrl, "http://alpha.example");
        EXPECT_EQ(d.logoUrl, "http://alpha.example/a.gif");
        d.name = "Alpha United";
        d.logoUrl = "";
    });
    editor->editClicked();
    EXPECT_EQ(editor->lines[0].record, 1);
    EXPECT_EQ(lineNumber(editor->lines[0]), 1);
    EXPECT_EQ(ws.read<ClubRecord>(1).name.str(), "Alpha"); // renames wait for Close

    editor->closeClicked();
    const ClubRecord renamed = ws.read<ClubRecord>(1);
    EXPECT_EQ(renamed.name.str(), "Alpha United");
    EXPECT_EQ(renamed.abbreviation.str(), "AL");
    EXPECT_EQ(renamed.clubUrl.str(), "http://alpha.example");
    EXPECT_TRUE(renamed.logoUrl.blank());
    EXPECT_EQ(ws.read<ClubRecord>(2).name.str(), "Beta");
}

TEST_F(ListEditorTest, NameDialogForGradesHidesTheUrlsAndCancelKeepsTheLine)
{
    addNamed<GroundRecord>("Park", "PK");
    auto editor = open(GroundsKind);
    const std::string before = editor->lines[0].text;
    editor->lineSelected(0);
    platform.onModal = [](WindowModel& w) {
        auto& d = dynamic_cast<NameDialogModel&>(w);
        EXPECT_FALSE(d.urlsVisible);
        EXPECT_EQ(d.name, "Park");
        d.name = "Changed";
        d.cancelClicked();
    };
    editor->editClicked();
    EXPECT_EQ(editor->lines[0].text, before);
}

TEST_F(ListEditorTest, TeamAdditions)
{
    addClub("Alpha");
    addClub("Beta");
    auto editor = open(TeamsKind);

    // Cancel, and OK without a club, both abort with the same message.
    teamDialogAnswers("", 0, true);
    editor->addClicked();
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{"No club entered - Aborting!"});
    EXPECT_EQ(platform.messages.back().icon, Icon::Error);

    platform.messages.clear();
    teamDialogAnswers("Nobody's", 0);
    editor->addClicked();
    EXPECT_EQ(platform.messageTexts(),
              (std::vector<std::string>{"You must select a club for this team", "No club entered - Aborting!"}));

    // A club but no name adds nothing, silently.
    platform.messages.clear();
    teamDialogAnswers("", 2);
    editor->addClicked();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(editor->lines.empty());
    EXPECT_EQ(count(RecordKind::Team), 0);

    teamDialogAnswers("Beta Seconds", 2);
    editor->addClicked();
    ASSERT_EQ(editor->lines.size(), 1u);
    EXPECT_EQ(editor->lines[0].text, padded("Beta Seconds", 30) + " " + padded("Beta", 30) + " 2" + blanks(30) + " 1");
    EXPECT_EQ(count(RecordKind::Team), 1);

    editor->closeClicked();
    TeamRecord expected;
    expected.name.assign("Beta Seconds");
    expected.club = 2;
    EXPECT_EQ(ws.read<TeamRecord>(1), expected);
}

TEST_F(ListEditorTest, TeamEdits)
{
    addClub("Alpha");
    addClub("Beta");
    addTeam("Firsts", 1);
    auto editor = open(TeamsKind);
    const std::string before = editor->lines[0].text;
    editor->lineSelected(0);

    teamDialogAnswers("", 0, true);
    editor->editClicked();
    ASSERT_TRUE(seenTeamDialog);
    EXPECT_EQ(seenTeamDialog->caption, "Enter Team");
    EXPECT_EQ(seenTeamDialog->name, "Firsts");
    ASSERT_EQ(seenTeamDialog->selectedClub, 0);
    EXPECT_EQ(seenTeamDialog->clubs[0].text, padded("Alpha", 40) + blanks(60) + " 1");
    EXPECT_EQ(editor->lines[0].text, before);
    EXPECT_TRUE(platform.messages.empty());

    teamDialogAnswers("Firsts XI", 2);
    editor->editClicked();
    EXPECT_EQ(editor->lines[0].text, padded("Firsts XI", 30) + " " + padded("Beta", 30) + " 2" + blanks(10) + " 1");
    editor->closeClicked();
    EXPECT_EQ(ws.read<TeamRecord>(1).name.str(), "Firsts XI");
    EXPECT_EQ(ws.read<TeamRecord>(1).club, 2);
}

TEST_F(ListEditorTest, TeamWithoutClubCannotBeKeptByEdit)
{
    addClub("Alpha");
    TeamRecord orphan; // a live team without a club, as an old database may hold
    orphan.name.assign("Orphans");
    ws.append(orphan);
    auto editor = open(TeamsKind);
    editor->lineSelected(0);
    teamDialogAnswers("", 0, true);
    editor->editClicked();
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{"A club needs to be entered for this team"});
    EXPECT_EQ(platform.messages.back().icon, Icon::Warning);
}

TEST_F(ListEditorTest, TeamDialogSelectsTheClubByRecordNumberAfterDeletions)
{
    // Clubs 1 to 6 with 2, 3 and 4 deleted: three clubs are listed, and club 6 is the third.
    for (const char* n : {"A", "B", "C", "D", "E", "F"}) {
        addClub(n);
    }
    for (std::int32_t n : {2, 3, 4}) {
        ASSERT_EQ(ws.deleteClub(n), ClubDeletion::Deleted);
    }
    TeamDialogModel forSix(ws, platform, "Sixes", 6);
    ASSERT_EQ(forSix.clubs.size(), 3u);
    ASSERT_EQ(forSix.selectedClub, 2);
    EXPECT_EQ(forSix.clubs[2].record, 6);
    forSix.okClicked();
    EXPECT_TRUE(forSix.done);
    EXPECT_EQ(forSix.resultClub, 6);

    TeamDialogModel forFive(ws, platform, "Fives", 5);
    EXPECT_EQ(forFive.selectedClub, 1);
    TeamDialogModel forDeleted(ws, platform, "Gone", 3);
    EXPECT_EQ(forDeleted.selectedClub, -1);
    forDeleted.okClicked();
    EXPECT_FALSE(forDeleted.done);
    EXPECT_EQ(platform.messages.back().icon, Icon::Error);
}

// ---- Delete -------------------------------------------------------------------------------------

TEST_F(ListEditorTest, ClubDeletionRefusals)
{
    const std::int32_t used = addClub("Used by a team and a player");
    const std::int32_t playersOnly = addClub("Used by a player");
    const std::int32_t formerTeam = addClub("Its team was deleted");
    const std::int32_t formerPlayer = addClub("Its player was deleted");
    addTeam("Team", static_cast<std::int16_t>(used));
    addPlayer("Both", static_cast<std::int16_t>(used));
    addPlayer("Single", static_cast<std::int16_t>(playersOnly));
    ws.deleteTeam(addTeam("Gone", static_cast<std::int16_t>(formerTeam)));
    ws.deletePlayer(addPlayer("Left", static_cast<std::int16_t>(formerPlayer)));
    app.databaseChanged = false;

    const std::string teams = "There are teams that play for this club. You need to first change the club for these "
                              "teams before the club can be deleted.";
    const std::string players = "There are players that play for this club. You need to first change the club for "
                                "these players before the club can be deleted.";
    struct Case
    {
        std::int32_t club;
        std::string refusal; // empty: deleted
    };
    for (const Case& c :
         {Case{used, teams}, Case{playersOnly, players}, Case{formerTeam, ""}, Case{formerPlayer, ""}}) {
        SCOPED_TRACE(c.club);
        auto editor = open(ClubsKind);
        const std::size_t before = editor->lines.size();
        std::size_t index = 0;
        while (editor->lines[index].record != c.club) {
            ++index;
        }
        editor->lineSelected(static_cast<int>(index));
        platform.messages.clear();
        platform.buttonAnswers = {Button::Yes};
        editor->deleteClicked();
        ASSERT_GE(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, "Are you sure you want to delete this item?");
        EXPECT_EQ(platform.messages[0].buttons, Buttons::YesNo);
        if (c.refusal.empty()) {
            EXPECT_EQ(platform.messages.size(), 1u);
            EXPECT_EQ(editor->lines.size(), before - 1);
            EXPECT_TRUE(isDeletedName(ws.read<ClubRecord>(c.club).name.raw()));
        } else {
            ASSERT_EQ(platform.messages.size(), 2u);
            EXPECT_EQ(platform.messages[1].text, c.refusal);
            EXPECT_EQ(platform.messages[1].icon, Icon::Error);
            EXPECT_EQ(editor->lines.size(), before);
            EXPECT_FALSE(isDeletedName(ws.read<ClubRecord>(c.club).name.raw()));
        }
    }
    EXPECT_TRUE(app.databaseChanged);
}

TEST_F(ListEditorTest, AnsweringNoDeletesNothing)
{
    addNamed<GradeRecord>("Only");
    app.databaseChanged = false;
    auto editor = open(GradesKind);
    editor->lineSelected(0);
    platform.buttonAnswers = {Button::No};
    editor->deleteClicked();
    EXPECT_EQ(editor->lines.size(), 1u);
    EXPECT_EQ(ws.read<GradeRecord>(1).name.str(), "Only");
    EXPECT_FALSE(app.databaseChanged);
    EXPECT_TRUE(editor->changed());
}

TEST_F(ListEditorTest, DeletionsClearMatchReferencesAndDropTheCountForTheLast)
{
    for (const char* n : {"G1", "G2", "G3"}) {
        addNamed<GradeRecord>(n);
        addNamed<GroundRecord>(n);
    }
    addClub("Club");
    for (const char* n : {"T1", "T2", "T3"}) {
        addTeam(n, 1);
    }
    const std::int32_t a = addMatch(1, 2, 2, 3);
    const std::int32_t b = addMatch(2, 3, 1, 3);
    const std::int32_t c = addMatch(3, 1, 3, 1);

    const auto remove = [&](int kind, std::int32_t record) {
        auto editor = open(kind);
        for (std::size_t i = 0; i < editor->lines.size(); ++i) {
            if (editor->lines[i].record == record) {
                editor->lineSelected(static_cast<int>(i));
            }
        }
        platform.buttonAnswers = {Button::Yes};
        editor->deleteClicked();
        EXPECT_EQ(editor->selected, -1);
        return editor->lines.size();
    };

    EXPECT_EQ(remove(GradesKind, 2), 2u);
    EXPECT_EQ(ws.read<MatchRecord>(a).grade, 0);
    EXPECT_EQ(ws.read<MatchRecord>(b).grade, 1);
    EXPECT_EQ(ws.read<MatchRecord>(c).grade, 3);
    EXPECT_EQ(count(RecordKind::Grade), 3);

    EXPECT_EQ(remove(GroundsKind, 3), 2u);
    EXPECT_EQ(ws.read<MatchRecord>(a).ground, 0);
    EXPECT_EQ(ws.read<MatchRecord>(b).ground, 0);
    EXPECT_EQ(ws.read<MatchRecord>(c).ground, 1);
    EXPECT_EQ(count(RecordKind::Ground), 2);

    EXPECT_EQ(remove(TeamsKind, 3), 2u);
    EXPECT_EQ(ws.read<MatchRecord>(b).team1, 2);
    EXPECT_EQ(ws.read<MatchRecord>(b).team2, 0);
    EXPECT_EQ(ws.read<MatchRecord>(c).team1, 0);
    EXPECT_EQ(ws.read<MatchRecord>(c).team2, 1);
    EXPECT_EQ(ws.read<MatchRecord>(a).team1, 1);
    EXPECT_EQ(count(RecordKind::Team), 2);
    EXPECT_EQ(ws.read<TeamRecord>(3).club, 0);

    // Deleting the middle team leaves the count as it is.
    EXPECT_EQ(remove(TeamsKind, 1), 1u);
    EXPECT_EQ(count(RecordKind::Team), 2);
}

// ---- Closing without Close ----------------------------------------------------------------------

TEST_F(ListEditorTest, DiscardedAdditionsLeaveNoCountedRecords)
{
    for (const char* n : {"A", "B", "C", "D", "E"}) {
        addClub(n);
    }
    app.databaseChanged = false;
    auto editor = open(ClubsKind);
    nameDialogAnswers([](NameDialogModel& d) { d.name = "New"; });
    editor->addClicked(); // 6
    editor->addClicked(); // 7
    ASSERT_EQ(count(RecordKind::Club), 7);

    platform.buttonAnswers = {Button::Ok};
    EXPECT_TRUE(editor->closeRequested());
    EXPECT_TRUE(editor->done);
    EXPECT_EQ(count(RecordKind::Club), 5);
    EXPECT_FALSE(app.databaseChanged); // nothing reached the database

    // The numbers are taken again by the next addition, and no phantom lines appear.
    auto again = open(ClubsKind);
    EXPECT_EQ(again->lines.size(), 5u);
    again->addClicked();
    EXPECT_EQ(again->lines.back().record, 6);
    again->closeClicked();
    EXPECT_EQ(ws.read<ClubRecord>(6).name.str(), "New");
}

TEST_F(ListEditorTest, DiscardAfterAFailedCloseLeavesTheDatabaseChanged)
{
    // Close writes the lines one by one: when it fails part way, lines already written stay in
    // the working files, so discarding afterwards must not report the database as unchanged.
    for (const char* n : {"A", "B"}) {
        addClub(n);
    }
    app.databaseChanged = false;
    auto editor = open(ClubsKind);
    editor->lineSelected(0);
    nameDialogAnswers([](NameDialogModel& d) { d.name = "Renamed"; });
    editor->editClicked();
    const std::string file = ws.filePath(RecordKind::Club);
    std::filesystem::remove(file);
    std::filesystem::create_directory(file); // no record can be written there
    editor->closeClicked();
    EXPECT_FALSE(editor->done);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].icon, Icon::Error);

    platform.buttonAnswers = {Button::Ok};
    EXPECT_TRUE(editor->closeRequested());
    EXPECT_TRUE(app.databaseChanged);
}

TEST_F(ListEditorTest, DiscardAfterDeletionsKeepsTheDeletions)
{
    for (const char* n : {"A", "B", "C", "D", "E"}) {
        addNamed<GroundRecord>(n);
    }
    app.databaseChanged = false;
    auto editor = open(GroundsKind);
    nameDialogAnswers([](NameDialogModel& d) { d.name = "New"; });
    editor->addClicked(); // 6
    editor->addClicked(); // 7
    // Delete the added 6 (written as deleted; count stays 7) and the old 2.
    for (std::int32_t record : {6, 2}) {
        for (std::size_t i = 0; i < editor->lines.size(); ++i) {
            if (editor->lines[i].record == record) {
                editor->lineSelected(static_cast<int>(i));
            }
        }
        platform.buttonAnswers = {Button::Yes};
        editor->deleteClicked();
    }
    ASSERT_EQ(count(RecordKind::Ground), 7);

    platform.buttonAnswers = {Button::Ok};
    EXPECT_TRUE(editor->closeRequested());
    EXPECT_EQ(count(RecordKind::Ground), 5);
    EXPECT_TRUE(app.databaseChanged);
    EXPECT_TRUE(isDeletedName(ws.read<GroundRecord>(2).name.raw()));
    EXPECT_EQ(open(GroundsKind)->lines.size(), 4u);
}

TEST_F(ListEditorTest, ClosingUnchangedEditorAsksNothing)
{
    addClub("A");
    app.databaseChanged = false;
    auto editor = open(ClubsKind);
    EXPECT_TRUE(editor->closeRequested());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(app.databaseChanged);
}

TEST_F(ListEditorTest, NumbersAboveFourDigitsAreKeptWhole)
{
    // Club 10000's line ends in "0000"; the editor still renames club 10000, not a record 0.
    ws.setCount(RecordKind::Club, 9999);
    addClub("Far");
    auto editor = open(ClubsKind);
    editor->lineSelected(static_cast<int>(editor->lines.size()) - 1);
    ASSERT_EQ(editor->lines.back().record, 10000);
    nameDialogAnswers([](NameDialogModel& d) { d.name = "Farther"; });
    editor->editClicked();
    editor->closeClicked();
    EXPECT_EQ(ws.read<ClubRecord>(10000).name.str(), "Farther");
}

TEST_F(ListEditorTest, HelpOpensTheEditorsPage)
{
    auto editor = open(ClubsKind);
    editor->helpClicked();
    EXPECT_EQ(platform.helpContexts, std::vector<int>{400});
}

// ---- Name dialog checks -------------------------------------------------------------------------

TEST(NameDialogTest, LogoUrlEndings)
{
    struct Case
    {
        const char* url;
        bool accepted;
    };
    // clang-format off
    const Case cases[] = {
        {"",                          true},
        {"   ",                       true},
        {"a",                         true},  // too short to be checked
        {"ab",                        true},
        {"abc",                       false},
        {"http://x.org/logo.gif",     true},
        {"http://x.org/logo.GIF",     true},
        {"http://x.org/logo.Jpg",     true},
        {"http://x.org/logo.jpg  ",   true},  // trailing blanks are not part of the address
        {"http://x.org/logo.png",     false},
        {"http://x.org/logo.jpeg",    false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        ScriptedPlatform platform;
        NameDialogModel d(platform, true, "");
        d.name = "Club";
        d.logoUrl = c.url;
        EXPECT_EQ(d.logoUrlLeft(), c.accepted);
        // OK checks it too, so a refused address can never be stored.
        d.okClicked();
        EXPECT_EQ(d.done, c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(platform.messages.empty());
            EXPECT_EQ(d.exchange.size(), 252u);
        } else {
            EXPECT_EQ(platform.messageTexts(),
                      std::vector<std::string>(2, "The Logo URL must end with a .gif or .jpg"));
            EXPECT_EQ(platform.messages[0].icon, Icon::Warning);
            EXPECT_EQ(d.focus, NameDialogModel::Field::LogoUrl);
            EXPECT_TRUE(d.exchange.empty());
        }
    }
}

TEST(NameDialogTest, ExchangeTextIsFittedAndCancelEmptiesIt)
{
    ScriptedPlatform platform;
    NameDialogModel grade(platform, false, "");
    grade.name = "   A name longer than the forty characters a name can hold";
    grade.abbreviation = "0";
    grade.okClicked();
    EXPECT_EQ(grade.exchange, "A name longer than the forty characters " + std::string(" ") + " -     ");

    NameDialogModel empty(platform, false, "");
    empty.okClicked(); // an empty name is accepted
    EXPECT_EQ(empty.exchange, blanks(48));

    NameDialogModel cancelled(platform, true, padded("Old", 40));
    EXPECT_EQ(cancelled.name, "Old");
    cancelled.cancelClicked();
    EXPECT_TRUE(cancelled.done);
    EXPECT_TRUE(cancelled.exchange.empty());
}

// A name beginning with "#" would delete the entry without Delete's checks ("#": its teams would
// still point at the club) or hide it from this editor only ("#1 Club"): both dialogs refuse it.
TEST_F(ListEditorTest, NamesBeginningWithTheDeletedMarkAreRefused)
{
    const std::int32_t club = addClub("Easts");
    const std::int32_t team = addTeam("Easts XI", static_cast<std::int16_t>(club));
    for (const char* name : {"#", "#1 Club", "  #Hidden"}) {
        SCOPED_TRACE(name);
        platform.messages.clear();
        auto clubs = open(ClubsKind);
        clubs->lineSelected(0);
        bool closedByOk = true;
        platform.onModal = [&](WindowModel& w) {
            auto& d = dynamic_cast<NameDialogModel&>(w);
            d.name = name;
            d.okClicked();
            closedByOk = d.done;
            EXPECT_EQ(d.focus, NameDialogModel::Field::Name);
            d.cancelClicked(); // the user gives up after the refusal
        };
        clubs->editClicked();
        EXPECT_FALSE(closedByOk);
        EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{"A name cannot begin with \"#\""});
        EXPECT_EQ(platform.messages[0].icon, Icon::Error);
        clubs->addClicked(); // the same dialog for a new club: nothing is added
        EXPECT_EQ(clubs->lines.size(), 1u);
        clubs->closeClicked();
        EXPECT_EQ(ws.read<ClubRecord>(club).name.str(), "Easts");
        EXPECT_EQ(count(RecordKind::Club), 1);

        platform.messages.clear();
        auto teams = open(TeamsKind);
        teams->lineSelected(0);
        teamDialogAnswers(name, club);
        teams->editClicked();
        EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{"A team name cannot begin with \"#\""});
        teams->closeClicked();
        EXPECT_EQ(ws.read<TeamRecord>(team).name.str(), "Easts XI");
    }
}

// "Allow Players for" naming a club that is deleted falls back to every club.
TEST_F(ListEditorTest, DeletingTheAllowPlayersClubClearsTheOption)
{
    const std::int32_t easts = addClub("Easts");
    addClub("Wests");
    app.header.options.allowPlayersClub = static_cast<std::int16_t>(easts);
    auto editor = open(ClubsKind);
    editor->lineSelected(1); // another club: the option stays
    platform.buttonAnswers = {Button::Yes};
    editor->deleteClicked();
    EXPECT_EQ(app.header.options.allowPlayersClub, easts);

    editor->lineSelected(0);
    platform.buttonAnswers = {Button::Yes};
    editor->deleteClicked();
    EXPECT_TRUE(isDeletedName(ws.read<ClubRecord>(easts).name.raw()));
    EXPECT_EQ(app.header.options.allowPlayersClub, 0);
}
