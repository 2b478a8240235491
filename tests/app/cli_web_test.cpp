// wickly-cli web, run in process on the statistics fixture saved as a container.

#include "cli_commands.h"
#include "cli_run.h"

#include "../stats/stats_fixture.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace wickly::test {
namespace {

using Outcome = test::ToolOutcome;
using test::runTool;

// The fixture saved as "club.wkd" in its own folder, with the file prefix given.
std::string savedDatabase(StatsFixture& f, const std::string& prefix)
{
    f.db.app.header.options.webFilePrefix.assign(prefix);
    f.db.app.header.options.webPageFlags1 = 0;
    f.db.app.header.options.webPageFlags2 = 0;
    const std::string path = f.db.folder.file("club.wkd");
    EXPECT_TRUE(saveContainerFile(f.db.app, path));
    return path;
}

TEST(CliWeb, WritesTheSiteWithProgressAndTheCompletionMessage)
{
    StatsFixture f;
    const std::string db = savedDatabase(f, "wk");
    TempFolder out;
    const std::string web = out.file("site");
    const Outcome o = runTool({"web", db, "--out", web, "--to", "12/05/2019"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_TRUE(o.err.empty());
    EXPECT_NE(o.out.find("\rGenerating web pages: 100%\n"), std::string::npos);
    EXPECT_NE(o.out.find("Web Generation Complete. All files have been saved in the " + web +
                         " sub-directory as wk*.htm and wk*.jpg."),
              std::string::npos);
    EXPECT_NE(o.out.find("The home page for this database is wkhome.htm\n"), std::string::npos);
    // Without a chart drawing platform the pictures are left out, and the message says so.
    EXPECT_NE(o.out.find("chart pictures could not be drawn"), std::string::npos);
    EXPECT_TRUE(fileExists(web + "/wkhome.htm"));
    EXPECT_TRUE(fileExists(web + "/wkm1.htm"));
    EXPECT_FALSE(fileExists(web + "/wkm2.htm")); // after --to
    EXPECT_TRUE(fileExists(web + "/wkr41.htm")); // the only grade is chosen: the ladder page
}

TEST(CliWeb, RefusalsAreOneLineAndNonZero)
{
    StatsFixture f;
    const std::string db = savedDatabase(f, "wk");
    StatsFixture g;
    const std::string noPrefix = savedDatabase(g, "");
    TempFolder out;
    writeBytes(out.file("file"), {'x'});
    struct Case
    {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    // clang-format off
    const Case cases[] = {
        {{"web", noPrefix, "--out", out.file("a")}, 1, "The HTML file prefix has not been set up."},
        {{"web", db, "--out", out.file("file")}, 1, "cannot be created"},
        {{"web", db, "--out", out.file("b"), "--grade", "7"}, 1, "there is no grade 7"},
        {{"web", db, "--out", out.file("c"), "--from", "1/1/2019"}, 1, "--from 1/1/2019: Incorrect Date Format"},
        {{"web", db + ".missing"}, 1, ".missing"},
        {{"report", db, "42"}, 1, "use \"wickly-cli web DB\""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const Outcome o = runTool(c.args);
        EXPECT_EQ(o.code, c.code);
        EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
        EXPECT_EQ(o.err.find('\n'), o.err.size() - 1);
    }
    EXPECT_FALSE(std::filesystem::exists(out.file("a")));
    EXPECT_FALSE(std::filesystem::exists(out.file("b")));
}

} // namespace
} // namespace wickly::test
