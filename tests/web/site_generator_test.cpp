// The web site generator on the statistics fixture: which files a run writes and in which
// order, the match selection, the chart pictures, refusals and write failures, escaping of
// hostile names, and the exact bytes of a list page.

#include "site_fixture.h"

#include "fixed_text.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <regex>

namespace wickly::test {
namespace {

using stats::StatisticsWindowModel;

std::string readText(const std::string& path)
{
    const std::vector<std::uint8_t> bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> folderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void append(std::vector<std::string>& to, const std::vector<std::string>& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

std::vector<std::string> reportPages(const std::string& pfx, bool ladder)
{
    std::vector<std::string> names;
    for (int n = 1; n <= (ladder ? 41 : 40); ++n) {
        names.push_back(pfx + "r" + std::to_string(n) + ".htm");
    }
    return names;
}

std::vector<std::string> framePages(const std::string& pfx)
{
    return {pfx + "home.htm", pfx + "nf.htm", pfx + "fr.htm"};
}

// Every fixture player has played; `bowlers` took wickets (all matches: players 1 to 4).
std::vector<std::string> playerPages(bool barCharts, bool pieCharts, std::vector<int> bowlers = {1, 2, 3, 4})
{
    std::vector<std::string> names;
    for (int p = 1; p <= 6; ++p) {
        const std::string file = "abc" + std::to_string(p);
        const bool bowled = std::find(bowlers.begin(), bowlers.end(), p) != bowlers.end();
        if (barCharts) {
            names.push_back(file + "t.jpg");
        }
        if (bowled && barCharts) {
            names.push_back(file + "w.jpg");
        }
        if (pieCharts) {
            names.push_back(file + "p.jpg");
        }
        if (bowled && pieCharts) {
            names.push_back(file + "q.jpg");
        }
        names.push_back(file + ".htm");
    }
    return names;
}

TEST(SiteGenerator, WritesTheFilesOfEachChoiceInOrder)
{
    struct Case
    {
        const char* name;
        std::function<void(StatisticsWindowModel&)> choose;
        std::function<std::vector<std::string>()> expected;
    };
    const auto all = [](bool bars, bool pies, bool match2) {
        std::vector<std::string> names = {"abcm1.htm"};
        if (match2) {
            names.push_back("abcm2.htm");
        }
        // Brown's only wicket is in the second match.
        append(names, match2 ? playerPages(bars, pies) : playerPages(bars, pies, {1, 2, 4}));
        append(names, {"abcma.htm", "abcplay.htm"});
        append(names, reportPages("abc", true));
        append(names, framePages("abc"));
        return names;
    };
    const Case cases[] = {
        {"every page", [](StatisticsWindowModel&) {}, [&] { return all(true, true, true); }},
        {"no players, no matches",
         [](StatisticsWindowModel& w) {
             w.webPageTicked(0, false);
             w.webPageTicked(1, false);
         },
         [] {
             std::vector<std::string> names = reportPages("abc", true);
             append(names, framePages("abc"));
             return names;
         }},
        {"players without charts",
         [](StatisticsWindowModel& w) {
             w.webPageTicked(6, false);
             w.webPageTicked(9, false);
         },
         [&] { return all(false, false, true); }},
        {"pie charts only", [](StatisticsWindowModel& w) { w.webPageTicked(6, false); },
         [&] { return all(false, true, true); }},
        {"bar charts only", [](StatisticsWindowModel& w) { w.webPageTicked(9, false); },
         [&] { return all(true, false, true); }},
        // The second match is outside the dates: it gets no page and no row.
        {"date range", [](StatisticsWindowModel& w) { w.boxEdited(stats::StatsBox::DateTo, "12/05/2019"); },
         [&] { return all(true, true, false); }},
        {"all grades: no ladder page", [](StatisticsWindowModel& w) { w.gradeChosen(0); },
         [&] {
             std::vector<std::string> names = {"abcm1.htm", "abcm2.htm"};
             append(names, playerPages(true, true));
             append(names, {"abcma.htm", "abcplay.htm"});
             append(names, reportPages("abc", false));
             append(names, framePages("abc"));
             return names;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SiteFixture f;
        StatisticsWindowModel& w = f.window();
        c.choose(w);
        const auto outcome = f.generate(w);
        ASSERT_TRUE(outcome) << outcome.message();
        EXPECT_EQ(outcome.value().files, c.expected());
        EXPECT_EQ(outcome.value().chartsLeftOut, 0);
        // Every page is on disk (the scripted platform draws no pictures).
        for (const std::string& name : outcome.value().files) {
            if (name.ends_with(".htm")) {
                EXPECT_TRUE(fileExists(f.webFolder() + "/" + name)) << name;
            }
        }
        for (const auto& e : f.platform.exportedCharts) {
            EXPECT_EQ(e.width, 350);
            EXPECT_EQ(e.height, 200);
            EXPECT_EQ(e.quality, 80);
        }
        ASSERT_FALSE(f.progress.empty());
        EXPECT_TRUE(std::is_sorted(f.progress.begin(), f.progress.end()));
        EXPECT_EQ(f.progress.back(), 100);
        EXPECT_EQ(w.selectedReport, stats::GenerateWebPages);
        EXPECT_NE(outcome.value().message.find("The home page for this database is abchome.htm"), std::string::npos);
    }
}

TEST(SiteGenerator, WritesOnePageSetPerGrade)
{
    SiteFixture f;
    f.db.addNamed<GradeRecord>("Second Grade", "2nd");
    MatchRecord m2 = f.db.ws.read<MatchRecord>(2);
    m2.grade = 2;
    f.db.ws.write(2, m2);
    f.db.app.header.options.chartSizeLarge = 1;

    StatisticsWindowModel& w = f.window();
    ASSERT_EQ(w.grades.selected, 0); // ".all grades." with two grades
    const auto outcome = f.generate(w);
    ASSERT_TRUE(outcome) << outcome.message();

    std::vector<std::string> expected = {"abcm1.htm", "abcm2.htm", "abcgrade.htm"};
    append(expected, playerPages(true, true));
    for (const std::string g : {"1", "2"}) {
        append(expected, {"abc" + g + "ma.htm", "abc" + g + "play.htm"});
        append(expected, reportPages("abc" + g, false));
        append(expected, framePages("abc" + g));
    }
    EXPECT_EQ(outcome.value().files, expected);
    EXPECT_EQ(f.platform.exportedCharts.front().width, 500);
    EXPECT_EQ(f.platform.exportedCharts.front().height, 300);

    // Each grade's list of matches holds its own match; both link to the shared match pages.
    const std::string list1 = readText(f.webFolder() + "/abc1ma.htm");
    const std::string list2 = readText(f.webFolder() + "/abc2ma.htm");
    EXPECT_NE(list1.find("\"abcm1.htm\""), std::string::npos);
    EXPECT_EQ(list1.find("\"abcm2.htm\""), std::string::npos);
    EXPECT_NE(list2.find("\"abcm2.htm\""), std::string::npos);
    EXPECT_NE(list2.find("<td><font size=2 face=Arial>2nd</font></td></tr>"), std::string::npos);
    EXPECT_NE(list2.find("<strong><font size=3 face=Arial color=white>Second Grade</font>"), std::string::npos);
    EXPECT_NE(readText(f.webFolder() + "/abc2fr.htm").find("\"abcgrade.htm\" target=\"intro\""), std::string::npos);
    EXPECT_NE(
        readText(f.webFolder() + "/abcgrade.htm").find("<a href=\"abc2home.htm\" target=\"_top\">Second Grade</a>"),
        std::string::npos);
    const std::string& message = outcome.value().message;
    EXPECT_NE(message.find("\nThe home page for First Grade is abc1home.htm\nThe home page for Second Grade is "
                           "abc2home.htm"),
              std::string::npos);
    EXPECT_EQ(w.grades.selected, 0);
}

TEST(SiteGenerator, PlayerPagesNameOnlyThePicturesWritten)
{
    SiteFixture f;
    StatisticsWindowModel& w = f.window();
    ASSERT_TRUE(f.generate(w));
    const std::string smith = readText(f.webFolder() + "/abc1.htm");
    const std::string white = readText(f.webFolder() + "/abc5.htm");
    EXPECT_NE(smith.find("Charts - Bowling"), std::string::npos);
    EXPECT_NE(smith.find("<p><img src=\"abc1w.jpg\"></p>\r\n<p><img src=\"abc1q.jpg\"></p>\r\n<p><font size=\"1\""),
              std::string::npos);
    // No wicket: no bowling pictures even though he is listed.
    EXPECT_NE(white.find("<p><img src=\"abc5t.jpg\"></p>\r\n<p><img src=\"abc5p.jpg\"></p>"), std::string::npos);
    EXPECT_EQ(white.find("Charts - Bowling"), std::string::npos);
    EXPECT_TRUE(white.ends_with("</body>\r\n</html>\r\n"));
    // Each picture is its chart: Jones batted twice and bowled three spells.
    int jones = 0;
    for (const auto& e : f.platform.exportedCharts) {
        SCOPED_TRACE(e.path);
        const char ending = e.path[e.path.size() - 5];
        EXPECT_EQ(e.chart.surface, ending == 't' || ending == 'w' ? ChartSurface::Bar : ChartSurface::Pie);
        if (e.path.ends_with("/abc2t.jpg")) {
            EXPECT_EQ(e.chart.bars.size(), 2U);
            ++jones;
        } else if (e.path.ends_with("/abc2w.jpg")) {
            EXPECT_EQ(e.chart.bars.size(), 3U);
            ++jones;
        }
    }
    EXPECT_EQ(jones, 2);

    // A platform that cannot draw charts: the pages name no picture and the message says so.
    SiteFixture g;
    g.platform.chartExportsSucceed = false;
    StatisticsWindowModel& w2 = g.window();
    const auto outcome = g.generate(w2);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome.value().chartsLeftOut, 20);
    EXPECT_NE(outcome.value().message.find("20 chart pictures could not be drawn"), std::string::npos);
    EXPECT_EQ(readText(g.webFolder() + "/abc1.htm").find("<img"), std::string::npos);
    EXPECT_EQ(readText(g.webFolder() + "/abc1.htm").find("Charts -"), std::string::npos);
}

TEST(SiteGenerator, RefusesAPrefixThatIsBlankOrNotAFileName)
{
    for (const char* prefix : {"", "   ", "../", "a/b", "a\\b"}) {
        SCOPED_TRACE(prefix);
        SiteFixture f;
        f.db.app.header.options.webFilePrefix.assign(prefix);
        StatisticsWindowModel& w = f.window();
        const auto outcome = f.generate(w);
        ASSERT_FALSE(outcome);
        if (rtrimBlanks(prefix).empty()) {
            EXPECT_EQ(outcome.message(), site::kNoPrefixMessage);
        } else {
            EXPECT_NE(outcome.message().find("cannot be part of a file name"), std::string::npos);
        }
        EXPECT_FALSE(std::filesystem::exists(f.webFolder()));
        EXPECT_TRUE(f.platform.exportedCharts.empty());
    }
}

TEST(SiteGenerator, StopsWithAClearMessageWhenAPageCannotBeWritten)
{
    SiteFixture f;
    std::filesystem::create_directories(f.webFolder() + "/abcr2.htm"); // no file can replace a folder
    StatisticsWindowModel& w = f.window();
    w.webPageTicked(0, false);
    w.webPageTicked(1, false);
    const auto outcome = f.generate(w);
    ASSERT_FALSE(outcome);
    EXPECT_NE(outcome.message().find("The web page \"abcr2.htm\" could not be written in " + f.webFolder()),
              std::string::npos);
    EXPECT_NE(outcome.message().find("Web generation has stopped"), std::string::npos);
    // The page before it is complete; nothing else, and no temporary file, is left.
    EXPECT_EQ(folderEntries(f.webFolder()), (std::vector<std::string>{"abcr1.htm", "abcr2.htm"}));
    EXPECT_TRUE(readText(f.webFolder() + "/abcr1.htm").ends_with("</html>\r\n"));
    EXPECT_EQ(w.selectedReport, stats::GenerateWebPages);

    // A web folder that cannot be made.
    SiteFixture g;
    writeBytes(g.webFolder(), {'x'});
    StatisticsWindowModel& w2 = g.window();
    const auto refused = g.generate(w2);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.message().find("The web folder " + g.webFolder() + " cannot be created"), std::string::npos);
}

// The pictures are drawn in one run, which may hand them to helper processes: the run ends with
// the player pages however they end, and a picture a helper could not write stops generation as
// a page that cannot be written does.
TEST(SiteGenerator, ChartPicturesAreOneRunThatReportsWhatCouldNotBeWritten)
{
    SiteFixture f;
    StatisticsWindowModel& w = f.window();
    const auto outcome = f.generate(w);
    ASSERT_TRUE(outcome) << outcome.message();
    EXPECT_EQ(f.platform.chartRunsBegun, 1);
    EXPECT_EQ(f.platform.chartRunsEnded, 1);
    EXPECT_EQ(f.platform.chartExportsInRun, static_cast<int>(f.platform.exportedCharts.size()));
    EXPECT_GT(f.platform.chartExportsInRun, 0);

    SiteFixture g;
    g.platform.chartRunFailures = {g.webFolder() + "/abc2w.jpg", g.webFolder() + "/abc3t.jpg"};
    StatisticsWindowModel& w2 = g.window();
    const auto failed = g.generate(w2);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.message(), "The chart picture \"abc2w.jpg\" could not be written in " + g.webFolder() +
                                    " (nor 1 more).\nWeb generation has stopped; the pages written so far do not "
                                    "make a complete site.");
    EXPECT_FALSE(fileExists(g.webFolder() + "/abchome.htm")); // no home page claims a whole site

    // A player page that cannot be written ends the run too.
    SiteFixture h;
    std::filesystem::create_directories(h.webFolder() + "/abc1.htm");
    StatisticsWindowModel& w3 = h.window();
    ASSERT_FALSE(h.generate(w3));
    EXPECT_EQ(h.platform.chartRunsBegun, 1);
    EXPECT_EQ(h.platform.chartRunsEnded, 1);
}

TEST(SiteGenerator, EscapesHostileNamesAndWritesOnlyInsideTheWebFolder)
{
    SiteFixture f;
    PlayerRecord smith = f.db.ws.read<PlayerRecord>(1);
    smith.reportName.assign("<script>");
    f.db.ws.write(1, smith);
    ClubRecord alpha = f.db.ws.read<ClubRecord>(1);
    alpha.name.assign("../x");
    alpha.logoUrl.assign("\"><script>");
    f.db.ws.write(1, alpha);
    TeamRecord team = f.db.ws.read<TeamRecord>(1);
    team.name.assign("<b>XI</b>");
    f.db.ws.write(1, team);
    GroundRecord ground = f.db.ws.read<GroundRecord>(1);
    ground.name.assign("../../Oval");
    f.db.ws.write(1, ground);
    f.db.app.header.options.databaseTitle.assign("<i>Club</i>");
    f.db.addNamed<GradeRecord>("<script>G"); // a second grade: one page set per grade

    StatisticsWindowModel& w = f.window();
    const auto outcome = f.generate(w);
    ASSERT_TRUE(outcome) << outcome.message();

    const std::regex fileName("abc(m?[0-9]+|[0-9]*(ma|play|r[0-9]+|home|nf|fr)|grade)\\.htm");
    for (const std::string& name : folderEntries(f.webFolder())) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(std::regex_match(name, fileName));
        const std::string page = readText(f.webFolder() + "/" + name);
        EXPECT_EQ(page.find("<script>"), std::string::npos);
        EXPECT_EQ(page.find("<b>XI"), std::string::npos);
        EXPECT_EQ(page.find("<i>"), std::string::npos);
    }
    // Nothing outside the web folder: the start-up folder holds the working files and "web" only.
    for (const std::string& name : folderEntries(f.db.folder.path())) {
        EXPECT_TRUE(name == "web" || name.starts_with("~tmp")) << name;
    }
    const std::string card = readText(f.webFolder() + "/abcm1.htm");
    EXPECT_NE(card.find("    <a href=\"abc1.htm\">&lt;script&gt;</a>"), std::string::npos);
    EXPECT_NE(card.find("<img src=\"&quot;&gt;&lt;script&gt;\" HSPACE border=0>"), std::string::npos);
    EXPECT_NE(readText(f.webFolder() + "/abc1ma.htm").find("&lt;b&gt;XI&lt;/b&gt; Vs Beta XI"), std::string::npos);
    EXPECT_NE(readText(f.webFolder() + "/abc1play.htm").find("../x</font>"), std::string::npos);
    EXPECT_NE(readText(f.webFolder() + "/abcgrade.htm").find(">&lt;script&gt;G</a>"), std::string::npos);
    EXPECT_NE(
        readText(f.webFolder() + "/abc2home.htm").find("<title>&lt;i&gt;Club&lt;/i&gt; Statistics<br>&lt;script&gt;G"),
        std::string::npos);
}

TEST(SiteGenerator, ListOfMatchesHasTheseExactBytes)
{
    SiteFixture f;
    StatisticsWindowModel& w = f.window();
    ASSERT_TRUE(f.generate(w));
    const std::string cell = "<td><font size=2 face=Arial>";
    const std::string expected = crlfLines({
        "<html>",
        "<head>",
        "<! Produced by Wickly, https://wickly.example.org !>",
        "<title>Club Matches</title>",
        "<meta http-equiv=\"expires\" content=\"0\">",
        "</head>",
        "<body BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\" VLINK=\"#00FF00\" ALINK=\"#00FF00\" TEXT=\"#FF0000\">",
        "<table cellpadding=10 cellspacing=1 border=0>",
        "<tr bgcolor=\"#FF0000\"><td align=center><strong><font size=5 face=Arial color=white>Club "
        "Matches</font></strong></td></tr>",
        "</table>",
        "<font face=\"Arial, Helvetica, sans-serif\">",
        "<table border=0 cellpadding=3>",
        "<tr bgcolor=\"#FFCC00\">",
        cell + "<b>Teams</b></font></td>" + cell + "<b>Date</b></font></td>" + cell + "<b>Type</b></font></td>" + cell +
            "<b>Played At</b></font></td>" + cell + "<b>Grade</b></font></td></tr>",
        "   <tr bgcolor=\"#FFFFCC\">",
        cell + "<a href=\"abcm1.htm\">Alpha XI Vs Beta XI</a></font></td>" + cell + "10-May-19</font></td>" + cell +
            "2-day</font></td>" + cell + "Oval</font></td>" + cell + "First Grade</font></td></tr>",
        "   <tr bgcolor=\"#FFFF99\">",
        cell + "<a href=\"abcm2.htm\">Beta XI Vs Alpha XI</a></font></td>" + cell + "17-May-19</font></td>" + cell +
            "1-day</font></td>" + cell + "Oval</font></td>" + cell + "First Grade</font></td></tr>",
        "</table></font>",
        "<p><font size=\"1\" face=\"Arial\">",
        "Last updated 01-Jun-20.",
        "</font></p>",
        "<p>&nbsp;</p></font>",
        "</body>",
        "</html>",
    });
    EXPECT_EQ(readText(f.webFolder() + "/abcma.htm"), expected);
    // The list of players links each name as the statistics window lists it, fitted to 50.
    const std::string players = readText(f.webFolder() + "/abcplay.htm");
    EXPECT_NE(players.find(cell + "<a href=\"abc1.htm\">Smith" + std::string(45, ' ') + "</a></font></td>\r\n"),
              std::string::npos)
        << players;
}

TEST(SiteGenerator, GenerateInTheStatisticsWindowRunsIntoTheWebFolder)
{
    SiteFixture f;
    StatisticsWindowModel& w = f.window();
    w.generateSite = [&](StatisticsWindowModel& window) { site::genweb(f.db.app, f.platform, window); };
    w.generateClicked();
    ASSERT_EQ(f.platform.messages.size(), 1U);
    EXPECT_TRUE(f.platform.messages[0].text.starts_with("Web Generation Complete. All files have been saved in the " +
                                                        f.webFolder() + " sub-directory as abc*.htm and abc*.jpg."));
    EXPECT_EQ(f.platform.messages[0].icon, Icon::None);
    EXPECT_TRUE(fileExists(f.webFolder() + "/abchome.htm"));
    EXPECT_EQ(f.platform.busyDepth, 0);
    EXPECT_EQ(w.progress, 0);

    // A blank prefix: the error box, nothing written.
    SiteFixture g;
    g.db.app.header.options.webFilePrefix.assign("");
    StatisticsWindowModel& w2 = g.window();
    w2.generateSite = [&](StatisticsWindowModel& window) { site::genweb(g.db.app, g.platform, window); };
    w2.generateClicked();
    ASSERT_EQ(g.platform.messages.size(), 1U);
    EXPECT_EQ(g.platform.messages[0].text, site::kNoPrefixMessage);
    EXPECT_EQ(g.platform.messages[0].icon, Icon::Error);
    EXPECT_FALSE(std::filesystem::exists(g.webFolder()));
}

} // namespace
} // namespace wickly::test
