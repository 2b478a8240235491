// The configuration dialog's model: filling the controls from the options, writing them back on
// OK (and only on OK), the refusals of values that cannot be stored, and the dialog's buttons.

#include "config_model.h"

#include "database_fixture.h"
#include "scripted_platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

#include <array>
#include <filesystem>
#include <functional>

using namespace wickly;
using namespace wickly::config;
using wickly::test::ScriptedPlatform;
using wickly::test::TestDatabase;

namespace {

class ConfigTest : public ::testing::Test
{
protected:
    ConfigModel open()
    {
        ConfigModel m(db.app, platform);
        m.fallbackEditors.clear(); // independent of the environment the tests run in
        return m;
    }
    DatabaseOptions& options() { return db.app.header.options; }

    TestDatabase db;
    ScriptedPlatform platform;
};

TEST_F(ConfigTest, OpeningShowsTheOptionsOfANewDatabase)
{
    platform.settings["Options/Show Tips at Startup"] = "0";
    const ConfigModel m = open();
    EXPECT_EQ(m.caption, "Setup");
    EXPECT_EQ(m.currentPage, PageUserAndDatabase);
    EXPECT_EQ(m.values.databaseTitle, "no title");
    ASSERT_EQ(m.teamSizeEntries.size(), 8u);
    EXPECT_EQ(m.teamSizeEntries.front(), "7");
    EXPECT_EQ(m.teamSizeEntries.back(), "14");
    EXPECT_EQ(m.teamSizeEntries[static_cast<std::size_t>(m.values.batsmenIndex)], "11");
    EXPECT_EQ(m.teamSizeEntries[static_cast<std::size_t>(m.values.bowlersIndex)], "11");
    EXPECT_EQ(m.values.runsPerNoBall, "1");
    EXPECT_EQ(m.values.runsPerWide, "1");
    EXPECT_EQ(m.values.ballsPerOver, "6");
    EXPECT_FALSE(m.values.seasonTwoYears);
    EXPECT_TRUE(m.values.bowlingRunsFirst);
    EXPECT_TRUE(m.values.includeBallsFaced);
    EXPECT_TRUE(m.values.includeFoursSixes);
    EXPECT_FALSE(m.showTips);
    EXPECT_EQ(m.values.competitionPoints[0], "0");
    EXPECT_EQ(m.values.individualPoints[6], "0");
    EXPECT_EQ(m.values.colours, (std::array<std::uint32_t, 4>{0, 0x00FFFFFF, 0x00FF0000, 0x00C000C0}));
    EXPECT_FALSE(m.values.chartSizeLarge);
    EXPECT_FALSE(m.editHeaderFileEnabled());
    ASSERT_EQ(m.allowPlayersEntries.size(), 1u);
    EXPECT_EQ(m.allowPlayersEntries[0].text, ".all clubs.");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ConfigTest, OkWithoutChangesKeepsEveryStoredByte)
{
    // Values the controls cannot show exactly: a float with more digits than the box shows, a
    // flag stored as 1 rather than -1, a check box byte of 2, a text that was never assigned.
    options().individualPoints[1] = 1.2345678f;
    options().competitionPoints[2] = 3;
    options().seasonTwoYears = 1;
    options().scorecardBallsFaced = 2;
    options().chartSizeLarge = 7;
    options().webCopyrightText.assign("(c) Club\r\nAll rights");
    const DatabaseOptions before = options();

    ConfigModel m = open();
    EXPECT_EQ(m.values.competitionPoints[2], ".3");
    EXPECT_EQ(m.values.copyrightText, "(c) Club\nAll rights");
    ASSERT_TRUE(m.okClicked());
    EXPECT_TRUE(m.closed);
    EXPECT_TRUE(options() == before);
    EXPECT_EQ(options().webHomeUrl.raw(), std::string(100, '\0'));
    EXPECT_FALSE(db.app.databaseChanged);
}

TEST_F(ConfigTest, OkWritesEveryControl)
{
    const std::int32_t club = db.addClub("Ashby");
    db.app.databaseChanged = false;
    ConfigModel m = open();
    ConfigValues& v = m.values;
    v.databaseTitle = "  Ashby CC 2024  ";
    v.allowPlayersIndex = 1;
    v.batsmenIndex = 7; // "14"
    v.bowlersIndex = 0; // "7"
    v.runsPerNoBall = "2";
    v.runsPerWide = "2.5"; // halves to even
    v.ballsPerOver = "8";
    v.seasonTwoYears = true;
    v.bowlingRunsFirst = false;
    v.includeBallsFaced = false;
    v.includeFoursSixes = false;
    v.competitionPoints[0] = "6";
    v.competitionPoints[11] = "1.5";
    v.individualPoints[0] = ".1";
    v.individualPoints[6] = "5";
    v.filePrefix = "abcd"; // cut to 3
    v.authorName = "Pat Smith";
    v.authorEmail = "pat@example.org";
    v.homeUrl = "http://ashby.example.org";
    v.copyrightText = "Line 1\nLine 2";
    v.headerFile = "head.htm";
    v.backgroundUrl = "bg.gif";
    v.colours = {0x00010203, 0x00040506, 0x00070809, 0x000A0B0C};
    v.chartSizeLarge = true;
    ASSERT_TRUE(m.okClicked());
    EXPECT_TRUE(m.accepted);
    EXPECT_TRUE(db.app.databaseChanged);

    const DatabaseOptions& o = options();
    EXPECT_EQ(o.databaseTitle.str(), "Ashby CC 2024");
    EXPECT_EQ(o.allowPlayersClub, club);
    EXPECT_EQ(o.batsmenPerTeam, 14);
    EXPECT_EQ(o.bowlersPerTeam, 7);
    EXPECT_EQ(o.runsPerNoBall, 2);
    EXPECT_EQ(o.runsPerWide, 2);
    EXPECT_EQ(o.ballsPerOver, 8);
    EXPECT_EQ(o.seasonTwoYears, -1);
    EXPECT_EQ(o.bowlingRunsFirst, 0);
    EXPECT_EQ(o.scorecardBallsFaced, 0);
    EXPECT_EQ(o.scorecardFoursSixes, 0);
    EXPECT_EQ(o.competitionPoints[0], 60);
    EXPECT_EQ(o.competitionPoints[11], 15);
    EXPECT_EQ(o.individualPoints[0], 0.1f);
    EXPECT_EQ(o.individualPoints[6], 5.0f);
    EXPECT_EQ(o.webFilePrefix.raw(), "abc");
    EXPECT_EQ(o.webAuthorName.str(), "Pat Smith");
    EXPECT_EQ(o.webAuthorEmail.str(), "pat@example.org");
    EXPECT_EQ(o.webHomeUrl.str(), "http://ashby.example.org");
    EXPECT_EQ(o.webCopyrightText.str(), "Line 1\r\nLine 2");
    EXPECT_EQ(o.webHeaderFile.str(), "head.htm");
    EXPECT_EQ(o.webBackgroundUrl.str(), "bg.gif");
    EXPECT_EQ(o.webForeColour, 0x00010203u);
    EXPECT_EQ(o.webBackColour, 0x00040506u);
    EXPECT_EQ(o.webLinkColour, 0x00070809u);
    EXPECT_EQ(o.webSelectedLinkColour, 0x000A0B0Cu);
    EXPECT_EQ(o.chartSizeLarge, 255);

    // Unchecking and choosing the other options writes their stored "off" values.
    ConfigModel again = open();
    EXPECT_EQ(again.values.competitionPoints[11], "1.5");
    EXPECT_EQ(again.values.copyrightText, "Line 1\nLine 2");
    again.values.seasonTwoYears = false;
    again.values.bowlingRunsFirst = true;
    again.values.includeBallsFaced = true;
    again.values.chartSizeLarge = false;
    ASSERT_TRUE(again.okClicked());
    EXPECT_EQ(o.seasonTwoYears, 0);
    EXPECT_EQ(o.bowlingRunsFirst, -1);
    EXPECT_EQ(o.scorecardBallsFaced, 1);
    EXPECT_EQ(o.chartSizeLarge, 0);
}

TEST_F(ConfigTest, CompetitionPointsAreStoredInTenthsWithHalvesToEven)
{
    struct Case
    {
        const char* typed;
        std::int16_t stored;
        const char* shownAgain;
    };
    // clang-format off
    const Case cases[] = {
        {"2.5",    25,    "2.5"},
        {"2.25",   22,    "2.2"},
        {"2.75",   28,    "2.8"},
        {"3",      30,    "3"},
        {"-1.5",   -15,   "-1.5"},
        {"0.05",   0,     "0"},
        {"4 pts",  40,    "4"},
        {"x",      0,     "0"},
        {"3276.7", 32767, "3276.7"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        options().competitionPoints[4] = 99;
        ConfigModel m = open();
        m.values.competitionPoints[4] = c.typed;
        ASSERT_TRUE(m.okClicked());
        EXPECT_EQ(options().competitionPoints[4], c.stored);
        EXPECT_EQ(open().values.competitionPoints[4], c.shownAgain);
    }
}

TEST_F(ConfigTest, ValuesThatDoNotFitAreRefusedAndChangeNothing)
{
    struct Case
    {
        const char* name;
        std::function<void(ConfigValues&)> edit;
        ConfigField field;
        int index;
        int page;
        const char* message;
    };
    const Case cases[] = {
        {"blank title", [](ConfigValues& v) { v.databaseTitle = "   "; }, ConfigField::DatabaseTitle, 0,
         PageUserAndDatabase, "The Database Title cannot be blank."},
        {"no ball above 16 bits", [](ConfigValues& v) { v.runsPerNoBall = "32768"; }, ConfigField::RunsPerNoBall, 0,
         PageUserAndDatabase, "Runs per No Ball must be between -32768 and 32767."},
        {"wide above a byte", [](ConfigValues& v) { v.runsPerWide = "256"; }, ConfigField::RunsPerWide, 0,
         PageUserAndDatabase, "Runs per Wide must be between 0 and 255."},
        {"negative wide", [](ConfigValues& v) { v.runsPerWide = "-1"; }, ConfigField::RunsPerWide, 0,
         PageUserAndDatabase, "Runs per Wide must be between 0 and 255."},
        {"over above a byte", [](ConfigValues& v) { v.ballsPerOver = "300"; }, ConfigField::BallsPerOver, 0,
         PageUserAndDatabase, "Balls Per Over must be between 1 and 255."},
        {"over of no balls", [](ConfigValues& v) { v.ballsPerOver = "abc"; }, ConfigField::BallsPerOver, 0,
         PageUserAndDatabase, "Balls Per Over must be between 1 and 255."},
        {"points above 16 bits", [](ConfigValues& v) { v.competitionPoints[10] = "3276.8"; },
         ConfigField::CompetitionPoint, 10, PagePoints,
         "The Competition Points for \"Outright Defeat\" must be between -3276.8 and 3276.7."},
        {"points above a float", [](ConfigValues& v) { v.individualPoints[3] = "1E39"; }, ConfigField::IndividualPoint,
         3, PagePoints, "The Individual Points for \"Runouts\" are too large to be stored."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.messages.clear();
        const DatabaseOptions before = options();
        ConfigModel m = open();
        m.currentPage = PageHtml;
        m.values.filePrefix = "new"; // a valid change made before the refused one
        c.edit(m.values);
        EXPECT_FALSE(m.okClicked());
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, c.message);
        EXPECT_EQ(platform.messages[0].icon, Icon::Error);
        EXPECT_FALSE(m.closed);
        EXPECT_EQ(m.focusField, c.field);
        EXPECT_EQ(m.focusIndex, c.index);
        EXPECT_EQ(m.currentPage, c.page);
        EXPECT_TRUE(options() == before);
        EXPECT_FALSE(db.app.databaseChanged);
    }
}

TEST_F(ConfigTest, RangeLimitsAreAccepted)
{
    ConfigModel m = open();
    m.values.runsPerNoBall = "-32768";
    m.values.runsPerWide = "255";
    m.values.ballsPerOver = "1";
    m.values.competitionPoints[0] = "-3276.8";
    ASSERT_TRUE(m.okClicked());
    EXPECT_EQ(options().runsPerNoBall, -32768);
    EXPECT_EQ(options().runsPerWide, 255);
    EXPECT_EQ(options().ballsPerOver, 1);
    EXPECT_EQ(options().competitionPoints[0], -32768);
}

TEST_F(ConfigTest, AllowPlayersListsLiveClubsByRecordNumber)
{
    db.addClub("Ashby");
    db.addClub("Barton");
    db.addClub("Carlton");
    db.addClub("Dunmore");
    ASSERT_EQ(db.ws.deleteClub(1), ClubDeletion::Deleted);
    ASSERT_EQ(db.ws.deleteClub(2), ClubDeletion::Deleted);
    // Club 4 is now the third entry: its number is above the length of the list, yet it is the
    // club stored and stays chosen.
    options().allowPlayersClub = 4;
    db.app.databaseChanged = false;

    ConfigModel m = open();
    ASSERT_EQ(m.allowPlayersEntries.size(), 3u);
    EXPECT_EQ(m.allowPlayersEntries[0].text, ".all clubs.");
    EXPECT_EQ(m.allowPlayersEntries[0].club, 0);
    EXPECT_EQ(m.allowPlayersEntries[1].text, "Carlton only");
    EXPECT_EQ(m.allowPlayersEntries[1].club, 3);
    EXPECT_EQ(m.allowPlayersEntries[2].text, "Dunmore only");
    EXPECT_EQ(m.allowPlayersEntries[2].club, 4);
    EXPECT_EQ(m.values.allowPlayersIndex, 2);
    ASSERT_TRUE(m.okClicked());
    EXPECT_EQ(options().allowPlayersClub, 4);
    EXPECT_FALSE(db.app.databaseChanged);

    ConfigModel pick = open();
    pick.values.allowPlayersIndex = 1;
    ASSERT_TRUE(pick.okClicked());
    EXPECT_EQ(options().allowPlayersClub, 3);

    ConfigModel all = open();
    all.values.allowPlayersIndex = 0;
    ASSERT_TRUE(all.okClicked());
    EXPECT_EQ(options().allowPlayersClub, 0);
}

TEST_F(ConfigTest, ADeletedAllowedClubShowsAllClubsAndOnlyOkStoresIt)
{
    db.addClub("Ashby");
    db.addClub("Barton");
    db.addClub("Carlton");
    ASSERT_EQ(db.ws.deleteClub(2), ClubDeletion::Deleted);
    options().allowPlayersClub = 2;
    db.app.databaseChanged = false;

    ConfigModel cancelled = open();
    EXPECT_EQ(cancelled.values.allowPlayersIndex, 0);
    cancelled.cancelClicked();
    EXPECT_EQ(options().allowPlayersClub, 2);
    EXPECT_FALSE(db.app.databaseChanged);

    ConfigModel m = open();
    ASSERT_TRUE(m.okClicked());
    EXPECT_EQ(options().allowPlayersClub, 0);
    EXPECT_TRUE(db.app.databaseChanged);
}

TEST_F(ConfigTest, TeamSizeOutsideTheListIsKeptUnlessAnotherIsChosen)
{
    options().batsmenPerTeam = 20;
    ConfigModel m = open();
    EXPECT_EQ(m.values.batsmenIndex, -1);
    ASSERT_TRUE(m.okClicked());
    EXPECT_EQ(options().batsmenPerTeam, 20);

    ConfigModel again = open();
    again.values.batsmenIndex = 4;
    ASSERT_TRUE(again.okClicked());
    EXPECT_EQ(options().batsmenPerTeam, 11);
}

TEST_F(ConfigTest, CancelChangesNoOptionButTheTipsPreferenceIsSavedAtOnce)
{
    platform.settings["Options/Show Tips at Startup"] = "1";
    const DatabaseOptions before = options();
    ConfigModel m = open();
    EXPECT_TRUE(m.showTips);
    m.values.databaseTitle = "Another title";
    m.values.colours[ForeColour] = 0x00123456;
    m.showTipsClicked(false);
    EXPECT_EQ(platform.settings["Options/Show Tips at Startup"], "0");
    m.cancelClicked();
    EXPECT_TRUE(m.closed);
    EXPECT_FALSE(m.accepted);
    EXPECT_TRUE(options() == before);
    EXPECT_FALSE(db.app.databaseChanged);
    EXPECT_EQ(platform.settings["Options/Show Tips at Startup"], "0");

    open().showTipsClicked(true);
    EXPECT_EQ(platform.settings["Options/Show Tips at Startup"], "1");
}

TEST_F(ConfigTest, AuthorEmailWithoutAtIsWarnedAboutButSaved)
{
    for (const char* email : {"", "pat.example.org"}) {
        SCOPED_TRACE(email);
        platform.messages.clear();
        options().webAuthorEmail.assign("old@example.org");
        ConfigModel m = open();
        m.values.authorEmail = email;
        m.authorEmailLeft();
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, "The Author Email field should be in the form of name@ispname");
        EXPECT_EQ(platform.messages[0].icon, Icon::Warning);
        EXPECT_EQ(m.values.authorEmail, email);
        ASSERT_TRUE(m.okClicked());
        EXPECT_EQ(options().webAuthorEmail.str(), email);
    }
    platform.messages.clear();
    ConfigModel m = open();
    m.values.authorEmail = "pat@example.org";
    m.authorEmailLeft();
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ConfigTest, HeaderFileBrowseTakesTheChosenPath)
{
    ConfigModel m = open();
    m.values.headerFile = "old.htm";
    platform.fileAnswers = {std::nullopt, std::string(db.folder.file("head.htm"))};
    m.browseHeaderFileClicked(); // cancelled
    EXPECT_EQ(m.values.headerFile, "old.htm");
    ASSERT_EQ(platform.openDialogs.size(), 1u);
    EXPECT_EQ(platform.openDialogs[0].initialName, "old.htm");
    m.browseHeaderFileClicked();
    EXPECT_EQ(m.values.headerFile, db.folder.file("head.htm"));
    EXPECT_TRUE(m.editHeaderFileEnabled());

    // A path the field cannot hold would be stored cut, naming a file that is not there.
    const std::string longPath = "/" + std::string(160, 'a') + ".htm";
    platform.fileAnswers = {longPath};
    m.browseHeaderFileClicked();
    EXPECT_EQ(m.values.headerFile, db.folder.file("head.htm"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].icon, Icon::Error);
    EXPECT_NE(platform.messages[0].text.find("longer than 150 characters"), std::string::npos);
}

TEST_F(ConfigTest, EditOpensTheHeaderFileInTheDesktopsEditor)
{
    const std::string file = db.folder.file("head.htm");
    test::writeBytes(file, {'<', 'p', '>'});
    ConfigModel m = open();
    // No desktop text editor on the PATH for the first part.
    const char* oldPath = std::getenv("PATH");
    const std::string savedPath = oldPath != nullptr ? oldPath : "";
    test::TempFolder tools;
    ::setenv("PATH", tools.path().c_str(), 1);

    m.values.headerFile = "   ";
    m.editHeaderFileClicked();
    EXPECT_TRUE(platform.startedPrograms.empty());

    m.values.headerFile = file + "  ";
    m.editHeaderFileClicked();
    ASSERT_EQ(platform.startedPrograms.size(), 1u);
    EXPECT_EQ(platform.startedPrograms[0], (std::vector<std::string>{"xdg-open", file}));
    EXPECT_TRUE(platform.messages.empty());

    // Without a desktop opener the user's editors are tried, then the failure is reported.
    platform.startedPrograms.clear();
    platform.programsStart = false;
    m.fallbackEditors = {"gedit --new-window", "nano"};
    m.editHeaderFileClicked();
    EXPECT_EQ(platform.startedPrograms, (std::vector<std::vector<std::string>>{
                                            {"xdg-open", file}, {"gedit", "--new-window", file}, {"nano", file}}));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].icon, Icon::Error);
    EXPECT_NE(platform.messages[0].text.find("No text editor could be started"), std::string::npos);

    // A desktop text editor on the PATH comes first: xdg-open would show an HTML file in a browser.
    const std::string gedit = tools.file("gedit");
    test::writeBytes(gedit, {'#', '!'});
    ::chmod(gedit.c_str(), 0755);
    platform.startedPrograms.clear();
    platform.programsStart = true;
    m.editHeaderFileClicked();
    EXPECT_EQ(platform.startedPrograms, (std::vector<std::vector<std::string>>{{gedit, file}}));
    ::setenv("PATH", savedPath.c_str(), 1);
}

TEST_F(ConfigTest, EditOffersToCreateAMissingHeaderFile)
{
    const std::string file = db.folder.file("new-head.htm");
    ConfigModel m = open();
    m.values.headerFile = file;
    const char* oldPath = std::getenv("PATH");
    const std::string savedPath = oldPath != nullptr ? oldPath : "";
    test::TempFolder tools; // no desktop text editor on the PATH
    ::setenv("PATH", tools.path().c_str(), 1);

    platform.buttonAnswers = {Button::No};
    m.editHeaderFileClicked();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].buttons, Buttons::YesNo);
    EXPECT_FALSE(test::fileExists(file));
    EXPECT_TRUE(platform.startedPrograms.empty());

    platform.buttonAnswers = {Button::Yes};
    m.editHeaderFileClicked();
    EXPECT_TRUE(test::fileExists(file));
    EXPECT_EQ(platform.startedPrograms, (std::vector<std::vector<std::string>>{{"xdg-open", file}}));

    // A folder where the file should be is reported, nothing is started.
    platform.messages.clear();
    platform.startedPrograms.clear();
    m.values.headerFile = db.folder.path();
    m.editHeaderFileClicked();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].icon, Icon::Error);
    EXPECT_TRUE(platform.startedPrograms.empty());
    ::setenv("PATH", savedPath.c_str(), 1);
}

TEST_F(ConfigTest, ChangeColourStartsAtTheSwatchAndUpdatesThePreview)
{
    ConfigModel m = open();
    platform.colourAnswers = {0x00336699, std::nullopt};
    m.changeColourClicked(LinkColour);
    m.changeColourClicked(BackColour); // cancelled
    EXPECT_EQ(platform.colourDialogs, (std::vector<std::uint32_t>{0x00FF0000, 0x00FFFFFF}));
    EXPECT_EQ(m.values.colours[LinkColour], 0x00336699u);
    EXPECT_EQ(m.values.colours[BackColour], 0x00FFFFFFu);

    m.values.colours[ForeColour] = 0x00112233;
    m.values.colours[SelectedLinkColour] = 0x00445566;
    EXPECT_EQ(m.previewBackground(), 0x00FFFFFFu);
    const std::vector<PreviewSample> s = m.previewSamples();
    ASSERT_EQ(s.size(), 7u);
    EXPECT_EQ(s[0].text, " Heading");
    EXPECT_EQ(s[0].background, 0x00112233u);
    EXPECT_EQ(s[1].text, " Table Heading");
    EXPECT_EQ(s[1].foreground, 0x00112233u);
    EXPECT_EQ(s[1].background, 0x0001CCFFu);
    EXPECT_EQ(s[2].background, 0x00CCFFFFu);
    EXPECT_EQ(s[3].background, 0x0099FFFFu);
    EXPECT_EQ(s[4].text, " Linked Table Text ");
    EXPECT_EQ(s[4].foreground, 0x00336699u);
    EXPECT_EQ(s[5].text, " Selected Link Table Text ");
    EXPECT_EQ(s[5].foreground, 0x00445566u);
    EXPECT_EQ(s[6].text, " Footer text");
    EXPECT_EQ(s[6].foreground, 0x00112233u);
    EXPECT_EQ(s[6].background, 0x00FFFFFFu);

    // Nothing is stored until OK.
    EXPECT_EQ(options().webLinkColour, 0x00FF0000u);
    ASSERT_TRUE(m.okClicked());
    EXPECT_EQ(options().webLinkColour, 0x00336699u);
}

TEST_F(ConfigTest, CopyrightTextIsCutWhereItsStoredFormFillsTheField)
{
    ConfigModel m = open();
    // 247 characters and a line break (stored as two) fill 249; one more character fits, the
    // rest does not.
    const std::string text = std::string(247, 'c') + "\nXYZ";
    EXPECT_TRUE(m.copyrightEdited(text));
    EXPECT_EQ(m.values.copyrightText, std::string(247, 'c') + "\nX");
    EXPECT_FALSE(m.copyrightEdited("short\nline"));
    // A break that would need the last two places is not split.
    EXPECT_TRUE(m.copyrightEdited(std::string(249, 'c') + "\nX"));
    EXPECT_EQ(m.values.copyrightText, std::string(249, 'c'));

    EXPECT_EQ(storedCopyright("a\nb"), "a\r\nb");
    EXPECT_EQ(shownCopyright("a\r\nb\rc"), "a\nb\nc");
}

TEST_F(ConfigTest, HelpOpensTheDialogsPage)
{
    ConfigModel m = open();
    m.helpClicked();
    EXPECT_EQ(platform.helpContexts, (std::vector<int>{900}));
}

TEST_F(ConfigTest, UnreadableClubsLeaveTheAllowedClubAlone)
{
    db.addClub("Ashby");
    options().allowPlayersClub = 1;
    // A folder where the club file should be makes every read of it fail.
    std::filesystem::remove(db.ws.filePath(RecordKind::Club));
    std::filesystem::create_directory(db.ws.filePath(RecordKind::Club));
    db.app.databaseChanged = false;

    ConfigModel m = open();
    EXPECT_FALSE(m.allowPlayersEnabled);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].icon, Icon::Error);
    ASSERT_TRUE(m.okClicked());
    EXPECT_EQ(options().allowPlayersClub, 1);
    EXPECT_FALSE(db.app.databaseChanged);
}

} // namespace
