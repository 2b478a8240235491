// The main window's caption, enabled commands, button checks, closing prompt, tips and About.

#include "about_model.h"
#include "file_io.h"
#include "database_fixture.h"
#include "main_window_model.h"
#include "scripted_platform.h"
#include "tip_of_day_model.h"
#include "working_set_lock.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace wickly;
using namespace wickly::test;

namespace {

class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest()
    {
        app.startupFolder = folder.path();
    }

    TempFolder folder;
    AppState app;
    ScriptedPlatform platform;
};

bool allEnabled(const MainWindowModel& m)
{
    bool all = m.saveEnabled && m.saveAsEnabled && m.exportEnabled && m.importEnabled && m.aliasManagerEnabled;
    for (bool b : m.buttonEnabled) {
        all = all && b;
    }
    return all;
}

} // namespace

TEST_F(MainWindowTest, FreshStartHasNoDatabase)
{
    MainWindowModel m(app, platform);
    EXPECT_EQ(m.caption, "Wickly : ");
    for (bool b : m.buttonEnabled) {
        EXPECT_FALSE(b);
    }
    EXPECT_FALSE(m.saveEnabled || m.saveAsEnabled || m.exportEnabled || m.importEnabled || m.aliasManagerEnabled);
}

TEST_F(MainWindowTest, NewDatabaseEnablesEverything)
{
    MainWindowModel m(app, platform);
    m.newClicked();
    EXPECT_EQ(m.caption, "Wickly : no title");
    EXPECT_TRUE(allEnabled(m));
    EXPECT_TRUE(m.configMenuEnabled);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MainWindowTest, ButtonsCheckWhatTheirWindowsNeedInOrder)
{
    MainWindowModel m(app, platform);
    m.newClicked();
    WorkingSet ws(app);
    auto press = [&](MainButton b) {
        platform.messages.clear();
        m.buttonClicked(b);
        return platform.messages.empty() ? std::string() : platform.messages.back().text;
    };
    EXPECT_EQ(press(MainButton::Clubs), "");
    EXPECT_EQ(press(MainButton::Teams), "Enter a club first");
    EXPECT_EQ(platform.messages.back().icon, Icon::Error);
    EXPECT_EQ(press(MainButton::Players), "Enter a club first");
    EXPECT_EQ(press(MainButton::Matches), "Enter at least one club first");
    EXPECT_EQ(press(MainButton::Statistics), "Enter a club first");

    ClubRecord club;
    club.name.assign("A");
    ws.append(club);
    TeamRecord team;
    team.name.assign("A1");
    team.club = 1;
    ws.append(team);
    EXPECT_EQ(press(MainButton::Teams), "");
    EXPECT_EQ(press(MainButton::Matches), "Enter at least two teams first");
    EXPECT_EQ(press(MainButton::Statistics), "Enter some players first");
    ws.append(team);
    EXPECT_EQ(press(MainButton::Matches), "Enter some players first");
    PlayerRecord player;
    player.reportName.assign("P");
    player.club = 1;
    ws.addPlayer(player);
    EXPECT_EQ(press(MainButton::Statistics), "Enter a match first");
    EXPECT_EQ(press(MainButton::Matches), "");

}

TEST_F(MainWindowTest, DeletedClubsStillCount)
{
    MainWindowModel m(app, platform);
    m.newClicked();
    WorkingSet ws(app);
    ClubRecord club;
    club.name.assign("A");
    ws.append(club);
    ws.append(club);
    ASSERT_EQ(ws.deleteClub(1), ClubDeletion::Deleted);
    ASSERT_EQ(ws.deleteClub(2), ClubDeletion::Deleted);
    ASSERT_EQ(ws.count(RecordKind::Club), 1); // no live club, one counted slot
    m.buttonClicked(MainButton::Teams);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MainWindowTest, ClosingAsksOnlyWhenThereAreChanges)
{
    MainWindowModel m(app, platform);
    EXPECT_TRUE(m.closeRequested());
    EXPECT_TRUE(platform.messages.empty());

    m.newClicked();
    WorkingSet ws(app);
    ClubRecord club;
    club.name.assign("A");
    ws.append(club);

    platform.buttonAnswers = {Button::Cancel};
    EXPECT_FALSE(m.closeRequested());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Save changes to database?");
    EXPECT_EQ(platform.messages[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(platform.messages[0].icon, Icon::Warning);
    EXPECT_TRUE(app.databaseChanged);

    platform.buttonAnswers = {Button::No};
    EXPECT_TRUE(m.closeRequested());

    // Yes on a new database asks for a name; cancelling that keeps the program open.
    platform.buttonAnswers = {Button::Yes, Button::Yes};
    platform.fileAnswers = {std::nullopt, folder.file("saved.wkd")};
    EXPECT_FALSE(m.closeRequested());
    EXPECT_TRUE(m.closeRequested());
    EXPECT_TRUE(fileExists(folder.file("saved.wkd")));
    EXPECT_FALSE(app.databaseChanged);
}

TEST_F(MainWindowTest, CommandLinePathIsOpened)
{
    {
        TestDatabase other;
        other.app.header.options.databaseTitle.assign("Club Season");
        ASSERT_TRUE(saveContainerFile(other.app, folder.file("season.wkd")).ok());
    }
    MainWindowModel m(app, platform);
    m.openFromCommandLine(folder.file("season.wkd"));
    EXPECT_EQ(m.caption, "Wickly : Club Season");
    EXPECT_TRUE(allEnabled(m));

    AppState fresh;
    fresh.startupFolder = folder.path();
    MainWindowModel none(fresh, platform);
    none.openFromCommandLine(folder.file("missing.wkd"));
    EXPECT_EQ(none.caption, "Wickly : ");
    EXPECT_EQ(platform.messages.back().icon, Icon::Error);
}

TEST_F(MainWindowTest, HelpAndAbout)
{
    MainWindowModel m(app, platform);
    m.helpContentsClicked();
    EXPECT_EQ(platform.helpContexts, std::vector<int>{10});
    std::string version;
    platform.onModal = [&](WindowModel& w) {
        auto* about = dynamic_cast<AboutModel*>(&w);
        ASSERT_NE(about, nullptr);
        version = about->version;
    };
    m.aboutClicked();
    EXPECT_EQ(version, "Version 2.6d");
}

TEST(AboutModel, SystemInfoToolFoundOnThePathOrReported)
{
    TempFolder folder;
    const std::string tool = folder.file("hardinfo");
    std::ofstream(tool) << "#!/bin/sh\n";
    ::chmod(tool.c_str(), 0755);
    EXPECT_EQ(findOnPath("hardinfo", "/nonexistent:" + folder.path()), tool);
    EXPECT_EQ(findOnPath("hardinfo", "/nonexistent"), "");
    EXPECT_EQ(findOnPath("missing", folder.path()), "");

    const char* oldPath = std::getenv("PATH");
    const std::string saved = oldPath ? oldPath : "";
    ScriptedPlatform platform;
    AboutModel about(platform);
    ::setenv("PATH", folder.path().c_str(), 1);
    about.systemInfoClicked();
    ::setenv("PATH", "/nonexistent", 1);
    about.systemInfoClicked();
    ::setenv("PATH", saved.c_str(), 1);
    ASSERT_EQ(platform.startedPrograms.size(), 1u);
    EXPECT_EQ(platform.startedPrograms[0][0], tool);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("No system information tool"), std::string::npos);
}

TEST(TipOfDay, ShowsOneLineAtATimeAndKeepsTheSetting)
{
    TempFolder folder;
    std::ofstream(folder.file("tipofday.txt"), std::ios::binary) << "First tip\r\n\r\nSecond tip\r\nThird tip\r\n";
    ScriptedPlatform platform;
    TipOfDayModel tips(platform, folder.file("tipofday.txt"), 4);
    EXPECT_EQ(tips.tipCount(), 3u);
    EXPECT_EQ(tips.tip, "Second tip");
    tips.nextClicked();
    EXPECT_EQ(tips.tip, "Third tip");
    tips.nextClicked();
    EXPECT_EQ(tips.tip, "First tip");

    EXPECT_TRUE(tips.showAtStartup);
    EXPECT_TRUE(showTipsAtStartup(platform));
    tips.showAtStartupToggled(false);
    EXPECT_EQ(platform.settings["Options/Show Tips at Startup"], "0");
    EXPECT_FALSE(showTipsAtStartup(platform));
    TipOfDayModel again(platform, folder.file("tipofday.txt"), 0);
    EXPECT_FALSE(again.showAtStartup);

    TipOfDayModel missing(platform, folder.file("none.txt"), 0);
    EXPECT_NE(missing.tip.find("tipofday.txt"), std::string::npos);
    missing.nextClicked();
}

// A second program started in the same folder: another process holds the lock of the working
// files, so this one says so once and offers nothing that would write them.
TEST_F(MainWindowTest, ASecondProgramInTheFolderOffersNothingThatWrites)
{
    writeBytes(folder.file("~tmp.clu"), {7, 7}); // the first program's working file
    writeBytes(folder.file("other.wkd"), std::vector<std::uint8_t>(kHeaderSize, 0));
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        ::close(release[1]);
        const WorkingSetLock lock(folder.path());
        const char held = lock.state() == WorkingSetLockState::Held ? 'y' : 'n';
        char answer = 0;
        if (::write(ready[1], &held, 1) == 1) {
            [[maybe_unused]] const ssize_t r = ::read(release[0], &answer, 1); // until the parent closes it
        }
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(held, 'y');

    const WorkingSetLock lock(folder.path());
    EXPECT_EQ(lock.state(), WorkingSetLockState::InUse);
    MainWindowModel m(app, platform);
    m.workingSetInUse(folder.path());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("Another copy of Wickly is already running"), std::string::npos);
    EXPECT_EQ(platform.messages[0].icon, Icon::Error);

    platform.fileAnswers = {folder.file("other.wkd"), folder.file("other.wkd")};
    m.newClicked();
    m.openClicked();
    m.openFromCommandLine(folder.file("other.wkd"));
    m.buttonClicked(MainButton::Clubs);
    m.saveAsClicked();
    m.paint();
    EXPECT_FALSE(m.newEnabled || m.openEnabled || m.saveEnabled || m.saveAsEnabled || m.exportEnabled ||
                 m.importEnabled || m.aliasManagerEnabled || m.configMenuEnabled);
    for (bool b : m.buttonEnabled) {
        EXPECT_FALSE(b);
    }
    EXPECT_FALSE(app.databaseLoaded());
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.openDialogs.empty());
    EXPECT_TRUE(platform.saveDialogs.empty());
    EXPECT_EQ(readBytes(folder.file("~tmp.clu")), (std::vector<std::uint8_t>{7, 7}));
    EXPECT_TRUE(m.closeRequested());

    // Once the first program ends, the folder is free again.
    ::close(release[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(WorkingSetLock(folder.path()).state(), WorkingSetLockState::Held);
}
