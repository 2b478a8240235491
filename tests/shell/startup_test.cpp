// Start-up before the main window: folders, old databases and the legacy settings file.

#include "app_state.h"
#include "startup.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace wickly;
using namespace wickly::test;

namespace {

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

TEST(LegacySettings, ReadsKeysExactlyAndDeletesTheFile)
{
    TempFolder folder;
    writeText(folder.file("wickly.ini"), "Bowling=True\r\n"
                                         "Noball=2\r\n"
                                         "MPoints10=5\r\n"
                                         "MPoints1=3\r\n"
                                         "MPoints0=2.5\r\n"
                                         "MPoints3=3.5\n"
                                         "no equals sign\r\n"
                                         "mpoints4=9\r\n"
                                         "MPoints12=7\r\n");
    const LegacySettings s = readLegacySettings(folder.path());
    EXPECT_TRUE(s.bowlingRunsFirst);
    EXPECT_EQ(s.runsPerNoBall, 2);
    EXPECT_EQ(s.points[10], 5);
    EXPECT_EQ(s.points[1], 7); // MPoints12 also sets entry 1, after MPoints1
    EXPECT_EQ(s.points[0], 2); // rounded, halves to even
    EXPECT_EQ(s.points[3], 4);
    EXPECT_EQ(s.points[4], 0); // keys compare with their case
    EXPECT_FALSE(fileExists(folder.file("wickly.ini")));
}

TEST(LegacySettings, NoBallOutsideOneToNineBecomesOne)
{
    // clang-format off
    const struct { const char* text; bool bowling; int noBall; } rows[] = {
        {"Noball=0\r\n", false, 1}, {"Noball=10\r\n", false, 1}, {"Noball=9\r\n", false, 9},
        {"Bowling=0\r\nNoball=x\r\n", false, 1}, {"Bowling=-1\r\n", true, 1}, {"Bowling=FALSE\r\n", false, 1},
        {"Bowling=true\r\n", true, 1},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        TempFolder folder;
        writeText(folder.file("wickly.ini"), r.text);
        const LegacySettings s = readLegacySettings(folder.path());
        EXPECT_EQ(s.bowlingRunsFirst, r.bowling);
        EXPECT_EQ(s.runsPerNoBall, r.noBall);
    }
    TempFolder none;
    const LegacySettings s = readLegacySettings(none.path());
    EXPECT_FALSE(s.bowlingRunsFirst);
    EXPECT_EQ(s.runsPerNoBall, 1);
    EXPECT_EQ(s.points, (std::array<int, 11>{}));
}

TEST(Startup, PreparesFoldersAndFindsOldDatabases)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.file("database"));
    writeText(folder.file("database/club.cfg"), "");
    writeText(folder.file("database/OLD.CFG"), "");
    writeText(folder.file("database/club.pla"), "");
    writeText(folder.file("wickly.ini"), "Noball=3\r\n");
    AppState app;
    app.programVersion = "x";
    app.header.options.databaseTitle.assign("left over");
    app.workingBase = "left over";

    const StartupResult r = prepareStartup(app, folder.path());
    EXPECT_EQ(app.programVersion, "2.6d");
    EXPECT_EQ(app.startupFolder, folder.path());
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("web")));
    EXPECT_EQ(r.oldDatabases, (std::vector<std::string>{"OLD.CFG", "club.cfg"}));
    EXPECT_TRUE(fileExists(folder.file("database/club.cfg"))); // left as it is
    EXPECT_EQ(r.legacy.runsPerNoBall, 3);
    // The old databases still need the legacy settings: the file stays until they are converted.
    EXPECT_TRUE(fileExists(folder.file("wickly.ini")));
    EXPECT_FALSE(app.databaseLoaded());
    EXPECT_EQ(app.workingBase, "");

    // Without old databases the file is read once and deleted; the web folder is there already.
    std::filesystem::remove_all(folder.file("database"));
    const StartupResult again = prepareStartup(app, folder.path());
    EXPECT_EQ(again.legacy.runsPerNoBall, 3);
    EXPECT_FALSE(fileExists(folder.file("wickly.ini")));
    EXPECT_EQ(prepareStartup(app, folder.path()).legacy.runsPerNoBall, 1);
}
