#include "page_blocks.h"
#include "text_encoding.h"

#include "database_header.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace wickly::web {
namespace {

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class PageBlocks : public ::testing::Test
{
protected:
    PageBlocks()
    {
        options.webForeColour = 0x000080; // red 0x80
        options.webBackColour = 0xFFFFFF;
        options.webLinkColour = 0xFF0000; // blue
        options.webSelectedLinkColour = 0xC000C0;
        web.productWebAddress = "https://example.test";
        web.today = [] { return std::string("05/01/2002"); };
    }

    std::string head(const std::string& title, const std::string& subtitle)
    {
        TextFile out;
        WritePageHead(out, web, title, subtitle);
        return out.text();
    }
    std::string foot()
    {
        TextFile out;
        WritePageFoot(out, web);
        return out.text();
    }

    DatabaseOptions options;
    WebContext web{options};
};

TEST(HtmlColour, WritesRedGreenBlueFromTheStoredBlueGreenRed)
{
    const struct
    {
        std::uint32_t stored;
        const char* html;
    } cases[] = {
        {0x000000, "#000000"}, {0xFFFFFF, "#FFFFFF"},   {0x0000FF, "#FF0000"},
        {0xFF0000, "#0000FF"}, {0x00CCFF, "#FFCC00"},   {0x123456, "#563412"},
        {0x00000A, "#0A0000"}, {0x80000005, "#050000"}, // a high byte is not a colour
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.html);
        EXPECT_EQ(HtmlColour(c.stored), c.html);
    }
}

TEST(HtmlEscaping, EscapesMarkupCharactersAndQuotesOnlyInAttributes)
{
    EXPECT_EQ(HtmlText("Smith & Sons <b>\"x\"</b>"), "Smith & Sons &lt;b&gt;\"x\"&lt;/b&gt;");
    EXPECT_EQ(HtmlAttribute("a.php?x=1&y=\"2\""), "a.php?x=1&y=&quot;2&quot;");
    // "&" becomes an entity only where a browser would read a character reference.
    // clang-format off
    const struct { const char* text; const char* html; } rows[] = {
        {"c&b Jones", "c&b Jones"}, {"R&D", "R&D"}, {"a & b", "a & b"}, {"x&", "x&"},
        {"&lt;", "&amp;lt;"}, {"&#60;", "&amp;#60;"}, {"&copy 2019", "&amp;copy 2019"},
        {"&brvbarx", "&amp;brvbarx"}, {"&b=2", "&b=2"}, {"&name;", "&amp;name;"},
    };
    // clang-format on
    for (const auto& r : rows) {
        EXPECT_EQ(HtmlText(r.text), r.html) << r.text;
    }
}

TEST_F(PageBlocks, HeadWithoutExtrasIsTheFixedFrame)
{
    EXPECT_EQ(head("Top Run Aggregates", "All grades"),
              test::crlfLines({
                  "<html>",
                  "<head>",
                  "<! Produced by Wickly, https://example.test !>",
                  "<title>Top Run Aggregates</title>",
                  "<meta http-equiv=\"expires\" content=\"0\">",
                  "</head>",
                  "<body BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\" VLINK=\"#C000C0\" ALINK=\"#C000C0\" TEXT=\"#800000\">",
                  "<table cellpadding=10 cellspacing=1 border=0>",
                  "<tr bgcolor=\"#800000\"><td align=center><strong><font size=5 face=Arial color=white>"
                  "Top Run Aggregates</font></strong></td></tr>",
                  "<tr bgcolor=\"#800000\"><td align=center><strong><font size=3 face=Arial color=white>"
                  "All grades</font></strong></td></tr>",
                  "</table>",
              }));
}

TEST_F(PageBlocks, HeadPutsTheBackgroundBeforeTheColoursAndLeavesOutAnEmptySubtitle)
{
    options.webBackgroundUrl.assign("img/bg.gif");
    const std::string page = head("T", "");
    EXPECT_TRUE(contains(page, "\r\n<body BACKGROUND=\"img/bg.gif\" BGCOLOR=\"#FFFFFF\" LINK="));
    EXPECT_FALSE(contains(page, "size=3"));
    EXPECT_TRUE(contains(page, "</strong></td></tr>\r\n</table>\r\n"));
}

TEST_F(PageBlocks, BlankOrZeroBackgroundCountsAsAbsent)
{
    options.webBackgroundUrl.assign("   "); // blanks only
    EXPECT_TRUE(contains(head("T", ""), "<body BGCOLOR="));
    options.webBackgroundUrl = {};
    options.webBackgroundUrl.bytes()[1] = 'x'; // first character zero
    EXPECT_TRUE(contains(head("T", ""), "<body BGCOLOR="));
}

TEST_F(PageBlocks, HeadCopiesTheHeaderFileLinesAfterTheBodyAndSkipsAMissingOne)
{
    test::TempFolder folder;
    const std::string file = folder.file("header.htm");
    // Mixed line ends are read as lines and written with CR LF; the user's HTML is not escaped.
    test::writeBytes(file, {'<', 'h', 'r', '>', '\r', '\n', 'A', ' ', '&', ' ', 'B', '\n', '\n', 'e', 'n', 'd'});
    options.webHeaderFile.assign(file);
    EXPECT_TRUE(contains(head("T", ""), "TEXT=\"#800000\">\r\n<hr>\r\nA & B\r\n\r\nend\r\n<table cellpadding"));

    options.webHeaderFile.assign(folder.file("missing.htm"));
    EXPECT_TRUE(contains(head("T", ""), "TEXT=\"#800000\">\r\n<table cellpadding"));

    // A path with accented letters, stored as the configuration dialog stores it (Windows-1252).
    const std::string accented = folder.file("\xC3\x89quipe.htm"); // "Équipe.htm"
    test::writeBytes(accented, {'<', 'h', 'r', '>'});
    options.webHeaderFile.assign(utf8ToCp1252(accented).value());
    EXPECT_TRUE(contains(head("T", ""), "TEXT=\"#800000\">\r\n<hr>\r\n<table cellpadding"));
}

TEST_F(PageBlocks, BannerCellsFollowThePicturesAndAreUsedOnlyOnce)
{
    const std::string bannerOpen = "<tr bgcolor=\"#800000\"><td align=center>\r\n"
                                   "<table border=0 cellspacing=10 cellpadding=5><tr bgcolor=white>\r\n";
    const std::string bannerClose = "</td></tr></table></tr>\r\n";
    const std::string logo2Linked = "<td align=center><a href=\"http://blues\" target=\"_top\"><img src=\"blues.gif\" "
                                    "HSPACE border=0></a></td>\r\n";

    // A picture takes the first cell and suppresses the first logo and its link.
    web.pageImages = {"me.jpg", "reds.gif", "http://reds", "blues.gif", "http://blues"};
    std::string page = head("T", "");
    EXPECT_TRUE(
        contains(page, bannerOpen + "<td align=center><img src=\"me.jpg\"></td>\r\n" + logo2Linked + bannerClose));
    EXPECT_FALSE(contains(page, "reds"));
    EXPECT_TRUE(web.pageImages.empty());

    // The next page has no banner at all.
    EXPECT_FALSE(contains(head("T", ""), "cellspacing=10"));

    // Two logos, the first without a link.
    web.pageImages = {"", "reds.gif", "", "blues.gif", "http://blues"};
    EXPECT_TRUE(contains(head("T", ""), bannerOpen +
                                            "<td align=center><img src=\"reds.gif\" HSPACE border=0></td>\r\n" +
                                            logo2Linked + bannerClose));
}

TEST_F(PageBlocks, DatabaseTextsAreEscapedAndConfiguredHtmlIsNot)
{
    web.pageImages.logo2 = "x.gif\" onerror=\"alert(1)";
    options.webCopyrightText.assign("<i>(c) Reds & Co</i>");
    options.webAuthorName.assign("Ann <Scorer>");
    options.webAuthorEmail.assign("ann@reds.test");
    const std::string page = head("Smith & Sons <script>", "v <Blues>");
    EXPECT_TRUE(contains(page, "<title>Smith & Sons &lt;script&gt;</title>"));
    EXPECT_TRUE(contains(page, "color=white>Smith & Sons &lt;script&gt;</font>"));
    EXPECT_TRUE(contains(page, "color=white>v &lt;Blues&gt;</font>"));
    EXPECT_TRUE(contains(page, "<img src=\"x.gif&quot; onerror=&quot;alert(1)\" HSPACE border=0>"));
    const std::string pageFoot = foot();
    EXPECT_TRUE(contains(pageFoot, "\r\n<i>(c) Reds & Co</i> \r\n"));
    EXPECT_TRUE(contains(pageFoot, ">Ann &lt;Scorer&gt;</a>"));
}

TEST_F(PageBlocks, FootVariesWithCommentAndAuthor)
{
    const std::string open = "<p><font size=\"1\" face=\"Arial\">\r\n";
    const std::string close = "</font></p>\r\n<p>&nbsp;</p></font>\r\n";
    const std::string updated = "Last updated 05-Jan-02.\r\n";
    const std::string sendTo =
        "Send comments to <a href=\"mailto:ann@reds.test\">Ann Scorer</a> about this web page.\r\n";
    const struct
    {
        const char* name;
        const char* comment;
        const char* author;
        const char* email;
        std::string expected;
    } cases[] = {
        {"everything", "(c) Reds", "Ann Scorer", "ann@reds.test", open + "(c) Reds \r\n" + updated + sendTo + close},
        {"nothing", "", "", "", open + updated + close},
        {"no e-mail", "", "Ann Scorer", "", open + updated + close},
        {"no author", "", "", "ann@reds.test", open + updated + close},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        options.webCopyrightText.assign(c.comment);
        options.webAuthorName.assign(c.author);
        options.webAuthorEmail.assign(c.email);
        EXPECT_EQ(foot(), c.expected);
    }
}

TEST(SiteTitle, EscapesTheNamesAndBreaksBeforeTheGrade)
{
    EXPECT_EQ(SiteTitle("Reds & Blues CC   ", "", false), "Reds & Blues CC Statistics");
    EXPECT_EQ(SiteTitle("", "", false), "Statistics");
    EXPECT_EQ(SiteTitle("Reds", "A <Grade>                                 tail", true),
              "Reds Statistics<br>A &lt;Grade&gt;");
}

TEST_F(PageBlocks, HomePageIsAFramesetOfTheMenuAndTheSummary)
{
    options.webFilePrefix.assign("abc");
    TextFile out;
    WriteHomePage(out, web, "Reds \"A\" Statistics<br>B", "3");
    EXPECT_EQ(out.text(),
              test::crlfLines({
                  "<html>",
                  "<head>",
                  "   <meta name=\"GENERATOR\" content=\"Wickly\">",
                  "   <title>Reds \"A\" Statistics<br>B</title>",
                  "   <meta name=\"DESCRIPTION\" content=\"Reds &quot;A&quot; Statistics<br>B\">",
                  "   <meta name=\"KEYWORDS\" content=\"cricket statistics,Reds &quot;A&quot; Statistics<br>B\">",
                  "</head>",
                  "<frameset border=\"no\" frameborder=\"0\" framespacing=\"0\" cols=\"165,*\">",
                  "   <frame src=\"abc3fr.htm\" name=\"menu\" noresize marginwidth=\"5\" marginheight=\"5\" "
                  "scrolling=\"auto\">",
                  "   <frame src=\"abc3r40.htm\" name=\"intro\" noresize marginwidth=\"10\" marginheight=\"5\" "
                  "scrolling=\"AUTO\">",
                  "   <noframes>",
                  "      <p>Your browser does not support frames.  Click <a href=\"abc3nf.htm\">here</a> to view the "
                  "no frames version.</p>",
                  "   </noframes>",
                  "</frameset>",
                  "</html>",
              }));
}

// The whole menu with every page included, no home address and no target.
TEST_F(PageBlocks, MenuListsEveryReportPageInCatalogueGroups)
{
    options.webFilePrefix.assign("ab ");
    TextFile out;
    WriteMenuPage(out, web, "Reds Statistics", "", "", SiteRun{});
    const std::string top = "<tr bgcolor=\"#FFCC00\"><td><font size=\"1\" face=\"Verdana\"><a href=";
    const std::string table = "<table width=139 cellpadding=2 cellspacing=0 border=0 bgcolor=\"#FFFF99\">"
                              "<tr bgcolor=\"#FFCC00\">";
    const auto section = [&](const std::string& name) {
        return table + "<td><font size=\"1\" face=\"Verdana\"><b>" + name + "</b></font></td></tr>";
    };
    const auto entry = [](int n, const std::string& text) {
        return "<tr><td><font size=1 face=Verdana><a href=\"abr" + std::to_string(n) + ".htm\">" + text +
               "</font></td></tr>";
    };
    EXPECT_EQ(out.text(),
              test::crlfLines({
                  "<html>",
                  "<head>",
                  "<! Produced by Wickly, https://example.test !>",
                  "<title>Reds Statistics</title>",
                  "</head>",
                  "<body BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\" VLINK=\"#C000C0\" ALINK=\"#C000C0\" TEXT=\"#800000\">",
                  "<font face=\"Arial, Helvetica, sans-serif\">",
                  "<table width=139 cellspacing=0 cellpadding=10 border=0>",
                  "<tr bgcolor=\"#800000\"><td><b><font size=4 face=Arial color=white>Reds Statistics</font></b>"
                  "</td></tr>",
                  "</table>",
                  table,
                  top + "\"abr40.htm\"><b>Statistics Summary</b></font></td></tr>",
                  top + "\"abplay.htm\"><b>List of Players</b></font></td></tr>",
                  top + "\"abma.htm\"><b>List of Matches</strong></font></td></tr>",
                  "</table>",
                  section("Batting"),
                  entry(6, "Top Run Aggregrates"),
                  entry(7, "Top Run Scores"),
                  entry(9, "Top Batting Averages"),
                  entry(10, "Top Strike Rates"),
                  entry(8, "Most Runs in Season"),
                  entry(11, "Partnerships by Wkt"),
                  entry(12, "Top Partnerships"),
                  entry(13, "Most Innings of 100"),
                  entry(14, "Most Innings of 50"),
                  entry(15, "100's on Debut"),
                  entry(16, "100 in Both Inn's"),
                  entry(17, "Carrying the Bat"),
                  entry(18, "Most Ducks"),
                  "</table>",
                  section("Bowling"),
                  entry(19, "Top Wicket Takers"),
                  entry(20, "Best Bowling in an Inn's"),
                  entry(21, "Top Bowling Averages"),
                  entry(23, "Top Econ Rates"),
                  entry(24, "Top Strike Rates"),
                  entry(22, "Most Wkts in Season"),
                  entry(25, "Hat Tricks"),
                  entry(26, "Most 10 Wicket Mt's"),
                  entry(27, "Most 5 Wicket Innings"),
                  "</table>",
                  section("Individual"),
                  entry(5, "Complete Stats"),
                  entry(28, "Top All-Rounders"),
                  entry(35, "Top Wicket Keeping"),
                  entry(29, "Top Catches"),
                  entry(30, "Top Catches by Field"),
                  entry(31, "Most Catches in Match"),
                  entry(34, "Top Run-outs"),
                  entry(33, "Most Dropped Catches"),
                  entry(32, "Most Catches in Season"),
                  entry(2, "Longest Served Players"),
                  entry(4, "Youngest Players"),
                  entry(3, "Most Matches Played"),
                  entry(36, "Captaincy"),
                  entry(1, "Top Points Scorers"),
                  "</table>",
                  section("Team"),
                  entry(37, "Highest Innings Scores"),
                  entry(38, "Lowest Innings Scores"),
                  entry(39, "Team Result Summary"),
                  "</table>",
                  "&nbsp;</body>",
                  "</html>",
              }));
}

TEST_F(PageBlocks, MenuEntriesFollowTheWebOptionsAndTheRun)
{
    options.webFilePrefix.assign("ab");
    options.webHomeUrl.assign("http://reds.test/?a=1&b=2");
    SiteRun run;
    // Every optional page left out (a set bit clears a box), except the ladder.
    run.pages = WebPageChoices::fromFlags(0xFF & ~4, 0xFF);
    run.perGrade = true;
    run.oneGradeChosen = true;
    TextFile out;
    WriteMenuPage(out, web, "T", "7", " target=\"intro\"", run);
    const std::string& page = out.text();

    // The home entry always opens in the whole window; the grade list has no grade part.
    EXPECT_TRUE(contains(page, "<a href=\"http://reds.test/?a=1&b=2\" target=\"_top\"><b>Return Home</b>"));
    EXPECT_TRUE(contains(page, "<a href=\"ab7r40.htm\" target=\"intro\"><b>Statistics Summary</b>"));
    EXPECT_TRUE(contains(page, "<a href=\"abgrade.htm\" target=\"intro\"><b>Other Grades</strong>"));
    EXPECT_TRUE(contains(page, "<a href=\"ab7r41.htm\" target=\"intro\">Team Points Ladder</font></td></tr>\r\n"));
    for (const char* gone :
         {"play.htm", "ma.htm", "r10.", "r8.", "r15.", "r16.", "r18.", "r22.", "r34.", "r33.", "r32.", "r4.", "r1."}) {
        SCOPED_TRACE(gone);
        EXPECT_FALSE(contains(page, gone));
    }
    EXPECT_TRUE(contains(page, "\"ab7r24.htm\""));

    // The ladder needs both its option and a run started with one grade.
    run.oneGradeChosen = false;
    TextFile without;
    WriteMenuPage(without, web, "T", "7", "", run);
    EXPECT_FALSE(contains(without.text(), "r41."));
}

TEST(WebPageChoices, ASetBitLeavesItsPageOut)
{
    const WebPageChoices all = WebPageChoices::fromFlags(0, 0);
    EXPECT_TRUE(all.players && all.matches && all.ladder && all.showDucks && all.includeStrikeRates);
    const WebPageChoices some = WebPageChoices::fromFlags(2 | 128, 1 | 64);
    EXPECT_TRUE(some.players);
    EXPECT_FALSE(some.matches);
    EXPECT_FALSE(some.hundredOnDebut);
    EXPECT_FALSE(some.batStrikeRate);
    EXPECT_TRUE(some.pCharts);
    EXPECT_FALSE(some.showDucks);
    EXPECT_TRUE(some.includeStrikeRates);
}

} // namespace
} // namespace wickly::web
