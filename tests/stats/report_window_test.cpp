#include "report_files.h"
#include "report_print.h"
#include "report_window_model.h"

#include "database_header.h"
#include "scripted_platform.h"
#include "temp_folder.h"
#include "text_file.h"
#include "web_context.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace wickly::stats {
namespace {

std::string asText(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// A ranked report: the heading begins with a space (an untitled rank column), columns start at
// 5 (Name), 21 (Club) and 28 (Runs).
const char* const kHeading = "    Name            Club   Runs";
ReportText rankedReport()
{
    ReportText r;
    r.title = "Top Run Aggregates";
    r.subtitle = "All grades";
    r.heading = kHeading;
    r.lines = {
        " 1  A Smith         Reds   512",
        " 2  B & Jones       <Blues> 64",
        " 3  C Brown",
    };
    return r;
}

// The head and foot of a page with every web setting empty and all colours black.
const std::string kPlainHead = test::crlfLines({
    "<html>",
    "<head>",
    "<! Produced by Wickly, https://example.test !>",
    "<title>Top Run Aggregates</title>",
    "<meta http-equiv=\"expires\" content=\"0\">",
    "</head>",
    "<body BGCOLOR=\"#000000\" LINK=\"#000000\" VLINK=\"#000000\" ALINK=\"#000000\" TEXT=\"#000000\">",
    "<table cellpadding=10 cellspacing=1 border=0>",
    "<tr bgcolor=\"#000000\"><td align=center><strong><font size=5 face=Arial color=white>Top Run Aggregates"
    "</font></strong></td></tr>",
    "<tr bgcolor=\"#000000\"><td align=center><strong><font size=3 face=Arial color=white>All grades"
    "</font></strong></td></tr>",
    "</table>",
});
const std::string kPlainFoot = test::crlfLines({
    "<p><font size=\"1\" face=\"Arial\">",
    "Last updated 05-Jan-02.",
    "</font></p>",
    "<p>&nbsp;</p></font>",
    "</body>",
    "</html>",
});

class ReportFiles : public ::testing::Test
{
protected:
    ReportFiles()
    {
        web.productWebAddress = "https://example.test";
        web.today = [] { return std::string("05/01/2002"); };
    }

    std::string write(const ReportText& report, ReportFileFormat format)
    {
        web::TextFile out;
        const Status s = WriteReportFile(out, report, format, web);
        EXPECT_TRUE(s.ok());
        return out.text();
    }

    // The site generator's link rule for a few known players.
    void generateSiteLinking(std::set<std::string> players)
    {
        web.siteGenerationActive = true;
        web.playerLink = [players](std::string_view name) -> std::string {
            std::string n(name);
            n.erase(n.find_last_not_of(' ') + 1);
            return players.count(n) ? "<a href=\"p" + n.substr(0, 1) + ".htm\">" + n + "</a>" : "";
        };
    }

    DatabaseOptions options;
    web::WebContext web{options};
};

TEST(HeadingColumns, CutsRowsAtTheHeadingsColumnStarts)
{
    const struct
    {
        const char* name;
        const char* heading;
        const char* row;
        std::vector<std::string> cells;
    } cases[] = {
        {"text before the first column is dropped", "  Ab  Cd", "1 xy  uv", {"xy", "uv"}},
        {"leading spaces stay, trailing go", "Ab  Cd  ", " x   y  ", {" x", " y"}},
        {"last cell runs past the heading", "Ab Cd", "12 3456789", {"12", "3456789"}},
        {"row shorter than the last column", "Ab    Cd", "xy", {"xy", ""}},
        {"row shorter than a middle column", "Ab  Cd  Ef", "x", {"x", "", ""}},
        {"empty row", "Ab  Cd", "", {"", ""}},
        {"one-character last title starts no column", "Ab  Cd Z", "12  34 56789", {"12", "34 56789"}},
        {"one-character heading", "Z", "abc  ", {"abc"}},
        {"spaces only: the whole row", "   ", "  a b  ", {"  a b"}},
        {"empty heading: the whole row", "", "a b", {"a b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HeadingColumns(c.heading).cut(c.row), c.cells);
    }
    EXPECT_EQ(HeadingColumns(kHeading).starts(), (std::vector<std::size_t>{5, 21, 28}));
}

TEST_F(ReportFiles, TextIsTheFourPartsLineByLine)
{
    ReportText r = rankedReport();
    r.lines = {" 1  A & B", ""};
    const std::string expected = test::crlfLines({"Top Run Aggregates", "All grades", "", kHeading, " 1  A & B", ""});
    EXPECT_EQ(write(r, ReportFileFormat::Text), expected);
    EXPECT_EQ(ReportCopyText(r), expected);
}

TEST_F(ReportFiles, CsvQuotesEveryCellOfTheHeadingAndTheLines)
{
    ReportText r = rankedReport();
    r.lines.push_back(" 4  D \"Doc\" Grey    Reds   1");
    EXPECT_EQ(write(r, ReportFileFormat::Csv), test::crlfLines({
                                                   "\"Name\",\"Club\",\"Runs\"",
                                                   "\"A Smith\",\"Reds\",\"512\"",
                                                   "\"B & Jones\",\"<Blues>\",\" 64\"",
                                                   "\"C Brown\",\"\",\"\"",
                                                   "\"D \"\"Doc\"\" Grey\",\"Reds\",\"1\"",
                                               }));
    r.lines.clear();
    EXPECT_EQ(write(r, ReportFileFormat::Csv), test::crlfLines({"\"Name\",\"Club\",\"Runs\""}));
}

TEST_F(ReportFiles, CsvOfAScorecardIsRefusedWithoutWriting)
{
    ReportText r;
    r.heading = "Match played at Oval";
    web::TextFile out;
    const Status s = WriteReportFile(out, r, ReportFileFormat::Csv, web);
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.message(), "This report cannot be saved as a CSV file");
    EXPECT_EQ(out.text(), "");
}

TEST_F(ReportFiles, HtmlTableHasARankColumnAndAlternatingRows)
{
    const std::string td = "      <td><font size=2 face=Arial>";
    const std::string th = "      <td bgcolor=\"#FFCC00\"><font size=2 face=Arial>";
    const std::string even = "   <tr bgcolor=\"#FFFF99\">";
    const std::string odd = "   <tr bgcolor=\"#FFFFCC\">";
    EXPECT_EQ(write(rankedReport(), ReportFileFormat::Html),
              kPlainHead +
                  test::crlfLines({
                      "<font face=\"Arial, Helvetica, sans-serif\" size=2>",
                      "<table border=0 cellpadding=3>",
                      even,
                      th + "#</font></td>",
                      th + "<strong>Name</strong></font></td>",
                      th + "<strong>Club</strong></font></td>",
                      th + "<strong>Runs</strong></font></td>",
                      "   </tr>",
                      odd,
                      td + " 1</font></td>",
                      td + "A Smith</font></td>",
                      td + "Reds</font></td>",
                      td + "512</font></td>",
                      "   </tr>",
                      even,
                      td + " 2</font></td>",
                      td + "B & Jones</font></td>",
                      td + "&lt;Blues&gt;</font></td>",
                      td + " 64</font></td>",
                      "   </tr>",
                      odd,
                      td + " 3</font></td>",
                      td + "C Brown</font></td>",
                      td + "</font></td>",
                      td + "</font></td>",
                      "   </tr>",
                      "</table></font>",
                  }) +
                  kPlainFoot);
}

TEST_F(ReportFiles, HtmlTableWithoutRankColumnOrLines)
{
    ReportText r = rankedReport();
    r.heading = "Team      Runs";
    r.lines.clear();
    const std::string page = write(r, ReportFileFormat::Html);
    const std::string th = "      <td bgcolor=\"#FFCC00\"><font size=2 face=Arial>";
    EXPECT_NE(page.find(test::crlfLines({
                            "<table border=0 cellpadding=3>",
                            "   <tr bgcolor=\"#FFFF99\">",
                            th + "<strong>Team</strong></font></td>",
                            th + "<strong>Runs</strong></font></td>",
                            "   </tr>",
                            "</table></font>",
                        }) +
                        kPlainFoot),
              std::string::npos);
}

TEST_F(ReportFiles, NamesAreLinkedOnlyUnderTheFirstTwoNameTitlesDuringSiteGeneration)
{
    ReportText r;
    r.title = "Captaincy";
    // Columns at 5 (Name), 12 (Name), 19 (a title holding the third "Name") and 30 (the fourth "Name").
    r.heading = "    Name   Name   Team/Name  Name";
    r.lines = {" 1  Ann    Bob    Ann        Bob"};
    generateSiteLinking({"Ann", "Bob"});
    const std::string page = write(r, ReportFileFormat::Html);
    const std::string td = "      <td><font size=2 face=Arial>";
    EXPECT_NE(page.find(td + "<a href=\"pA.htm\">Ann</a></font></td>\r\n" + td +
                        "<a href=\"pB.htm\">Bob</a></font></td>\r\n" + td + "Ann</font></td>\r\n" + td +
                        "Bob</font></td>\r\n"),
              std::string::npos);
    // The generator writes the foot after its own content.
    EXPECT_EQ(page.substr(page.size() - 17), "</table></font>\r\n");

    // Outside site generation there are no links, whatever rule is installed.
    web.siteGenerationActive = false;
    EXPECT_EQ(write(r, ReportFileFormat::Html).find("<a href"), std::string::npos);
}

TEST_F(ReportFiles, FreeFormBodyKeepsTheTextWithBannersAndNameLinks)
{
    ReportText r;
    r.title = "Reds v Blues";
    r.subtitle = "";
    r.heading = "Match at <Oval>";
    r.lines = {
        "REDS 1st Innings",
        "    Ann               c Bob b Cy        12",
        "    Dan & Eve         not out            3",
        "",
        "    Total   15",
        "#9  short",
        "b",
    };
    generateSiteLinking({"Ann"});
    const std::string banner = "<table border=0 width=500 bgcolor=#ffcc00><tr><td>";
    const std::string page = write(r, ReportFileFormat::Html);
    const std::string body = page.substr(page.find("<pre>"));
    EXPECT_EQ(body, test::crlfLines({
                        "<pre>",
                        banner + "<strong>Match at &lt;Oval&gt;</strong></td></tr></table>",
                        banner + "<b>REDS 1st Innings</b></td></tr></table>" +
                            "    <a href=\"pA.htm\">Ann</a>               c Bob b Cy        12",
                        "    Dan & Eve         not out            3",
                        "",
                        "    Total   15",
                        "#9  short",
                        banner + "<b>b</b></td></tr></table></pre>",
                    }));

    // A player's complete statistics ("Club:") is free-form as well, and gets the page foot
    // when saved from the window.
    web.siteGenerationActive = false;
    r.heading = "Club: Reds   ";
    r.lines = {"    Ann               Matches 4"};
    const std::string saved = write(r, ReportFileFormat::Html);
    EXPECT_NE(saved.find("<pre>\r\n" + banner + "<strong>Club: Reds   </strong></td></tr></table>\r\n" +
                         "    Ann               Matches 4\r\n</pre>\r\n" + kPlainFoot.substr(0, 20)),
              std::string::npos);
    EXPECT_EQ(saved.substr(saved.size() - 18), "</body>\r\n</html>\r\n");
}

// ---- The window

class ReportWindow : public ::testing::Test
{
protected:
    ReportWindow()
    {
        web.today = [] { return std::string("05/01/2002"); };
        model.report = rankedReport();
    }

    test::ScriptedPlatform platform;
    test::TempFolder folder;
    DatabaseOptions options;
    web::WebContext web{options};
    ReportWindowModel model{platform, web};
};

TEST_F(ReportWindow, CopySetsTheClipboardToTheWholeReport)
{
    model.copyClicked();
    EXPECT_EQ(platform.clipboard, "Top Run Aggregates\r\nAll grades\r\n\r\n" + std::string(kHeading) +
                                      "\r\n 1  A Smith         Reds   512\r\n 2  B & Jones       <Blues> 64\r\n"
                                      " 3  C Brown\r\n");
}

TEST_F(ReportWindow, FontChoiceSetsScreenAndPrintSizes)
{
    EXPECT_EQ(model.linesPointSize(), 9.0);
    model.smallFontChosen();
    EXPECT_EQ(model.linesPointSize(), 7.7);
    EXPECT_EQ(BuildReportPrintout(model.report, 15840, false).pages[0].items[3].pointSize, 9.0);
    model.largeFontChosen();
    EXPECT_EQ(model.linesPointSize(), 9.0);
    EXPECT_EQ(BuildReportPrintout(model.report, 15840, true).pages[0].items[3].pointSize, 11.0);
}

TEST_F(ReportWindow, EachSaveAsksWithItsFilterAndWritesTheFile)
{
    const struct
    {
        ReportFileFormat format;
        const char* filter;
        const char* name;
    } cases[] = {
        {ReportFileFormat::Text, "Text Files (*.txt)|*.txt", "r.txt"},
        {ReportFileFormat::Csv, "CSV Files (*.csv)|*.csv", "r.csv"},
        {ReportFileFormat::Html, "HTML Files (*.htm)|*.htm;*.html", "r.htm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        platform.saveDialogs.clear();
        platform.messages.clear();
        platform.fileAnswers.push_back(folder.file("r")); // no extension typed
        model.saveClicked(c.format);
        ASSERT_EQ(platform.saveDialogs.size(), 1u);
        EXPECT_EQ(platform.saveDialogs[0].title, "Save Report");
        EXPECT_EQ(platform.saveDialogs[0].filter, c.filter);
        EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{"Report has been saved"});
        EXPECT_EQ(platform.messages[0].icon, Icon::None);
        web::TextFile expected;
        ASSERT_TRUE(WriteReportFile(expected, model.report, c.format, web).ok());
        EXPECT_EQ(asText(test::readBytes(folder.file(c.name))), expected.text());
        EXPECT_EQ(platform.busyDepth, 0);
    }
    EXPECT_EQ(platform.busyCalls, 3);
}

TEST(ReportFileName, AddsTheFormatsExtensionOnlyToANameWithoutADot)
{
    const struct
    {
        const char* chosen;
        ReportFileFormat format;
        const char* path;
    } cases[] = {
        {"/tmp/r", ReportFileFormat::Text, "/tmp/r.txt"},
        {"/tmp/r", ReportFileFormat::Html, "/tmp/r.htm"},
        {"/tmp/r.doc", ReportFileFormat::Csv, "/tmp/r.doc"},
        {"/tmp/r.", ReportFileFormat::Csv, "/tmp/r."},
        {"/home/j.smith/r", ReportFileFormat::Csv, "/home/j.smith/r.csv"},
        {"C:\\my.docs\\r", ReportFileFormat::Text, "C:\\my.docs\\r.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        EXPECT_EQ(ReportFileName(c.chosen, c.format), c.path);
    }
}

TEST_F(ReportWindow, CancelOrAnEmptyNameWritesNothingAndSaysNothing)
{
    platform.fileAnswers = {std::nullopt, std::string()};
    model.textSaveClicked();
    model.htmlSaveClicked();
    EXPECT_EQ(platform.saveDialogs.size(), 2u);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.busyDepth, 0);
}

TEST_F(ReportWindow, CsvOfAScorecardIsRefusedBeforeTheDialog)
{
    model.report.heading = "Match played at Oval";
    model.csvSaveClicked();
    EXPECT_TRUE(platform.saveDialogs.empty());
    ASSERT_EQ(platform.messageTexts(), std::vector<std::string>{"Cannot save this as CSV"});
    EXPECT_EQ(platform.messages[0].icon, Icon::None);
}

TEST_F(ReportWindow, AFileThatCannotBeWrittenIsReportedNotClaimedSaved)
{
    const std::string path = folder.file("no-such-folder/r.txt");
    platform.fileAnswers.push_back(path);
    model.textSaveClicked();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].icon, Icon::Error);
    EXPECT_NE(platform.messages[0].text.find(path), std::string::npos);
    EXPECT_FALSE(test::fileExists(path));
    EXPECT_EQ(platform.busyDepth, 0);
}

TEST_F(ReportWindow, CloseMarksTheWindowClosed)
{
    model.closeClicked();
    EXPECT_TRUE(model.closed);
}

// ---- Printing

std::vector<std::string> texts(const PrintPage& page)
{
    std::vector<std::string> out;
    for (const PrintItem& item : page.items) {
        out.push_back(item.text);
    }
    return out;
}

ReportText numberedReport(int count)
{
    ReportText r;
    r.title = "T";
    r.subtitle = "S";
    r.heading = "H";
    for (int i = 1; i <= count; ++i) {
        r.lines.push_back("line " + std::to_string(i));
    }
    return r;
}

TEST(ReportPrint, LinesPerPageComeFromThePrintableHeight)
{
    EXPECT_EQ(PrintLinesPerPage(15840), 55); // (15840 - 1800) / 255 = 55.06
    EXPECT_EQ(PrintLinesPerPage(2055), 1);
    EXPECT_EQ(PrintLinesPerPage(2054), 0);
}

TEST(ReportPrint, PagesHoldTheLinesLeftAfterTheSevenOfTheHeader)
{
    // 55 lines per page less 7 for the header: 48 report lines a page.
    const struct
    {
        int lines;
        std::vector<std::size_t> perPage;
    } cases[] = {
        {0, {0}}, {1, {1}}, {48, {48}}, {49, {48, 1}}, {100, {48, 48, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        const PrintDocument doc = BuildReportPrintout(numberedReport(c.lines), 15840, true);
        ASSERT_EQ(doc.pages.size(), c.perPage.size());
        int next = 1;
        for (std::size_t p = 0; p < doc.pages.size(); ++p) {
            std::vector<std::string> expected{"T", "S", "", "H"};
            for (std::size_t i = 0; i < c.perPage[p]; ++i) {
                expected.push_back("line " + std::to_string(next++));
            }
            expected.push_back(PrintFooterNotice());
            EXPECT_EQ(texts(doc.pages[p]), expected);
        }
    }
}

TEST(ReportPrint, HeaderFontsMarginsAndFooterPosition)
{
    const PrintDocument doc = BuildReportPrintout(numberedReport(1), 15840, false);
    EXPECT_EQ(doc.fontFamily, "Courier New");
    EXPECT_EQ(doc.leftMarginTwips, 900);
    EXPECT_EQ(doc.topMarginTwips, 900);
    const std::vector<PrintItem>& items = doc.pages.at(0).items;
    ASSERT_EQ(items.size(), 6u);
    const struct
    {
        double size;
        bool bold;
    } expected[] = {{20, true}, {14, true}, {9, true}, {9, true}, {9, false}, {8, false}};
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].pointSize, expected[i].size);
        EXPECT_EQ(items[i].bold, expected[i].bold);
    }
    // H - 2.5 M below the margin origin, measured by the platform from the printable area's top.
    EXPECT_EQ(items[5].moveToTwips, 900 + 15840 - 2250);
    EXPECT_EQ(items[4].moveToTwips, -1);
    EXPECT_FALSE(PrintFooterNotice().empty());
}

TEST(ReportPrint, EachLineOfTheSubtitleIsPrintedOnItsOwn)
{
    // A report's subtitle breaks with CR LF, a scorecard's with a lone CR.
    for (const char* subtitle : {"All Matches, IPL\r\n23-Mar-19 to 12-May-19", "All Matches, IPL\r23-Mar-19 to 12-May-19"}) {
        ReportText r = numberedReport(1);
        r.subtitle = subtitle;
        const PrintDocument doc = BuildReportPrintout(r, 15840, true);
        ASSERT_EQ(doc.pages.size(), 1u);
        EXPECT_EQ(texts(doc.pages[0]), (std::vector<std::string>{"T", "All Matches, IPL", "23-Mar-19 to 12-May-19", "",
                                                                 "H", "line 1", PrintFooterNotice()}));
        EXPECT_EQ(doc.pages[0].items[2].pointSize, 14);
        EXPECT_TRUE(doc.pages[0].items[2].bold);
    }
}

TEST(ReportPrint, ShortPaperStillPrintsEveryLineOncePerPage)
{
    const PrintDocument doc = BuildReportPrintout(numberedReport(3), 1800, true);
    ASSERT_EQ(doc.pages.size(), 3u);
    EXPECT_EQ(texts(doc.pages[2]), (std::vector<std::string>{"T", "S", "", "H", "line 3", PrintFooterNotice()}));
    EXPECT_EQ(doc.pages[2].items.back().moveToTwips, -1); // no room to move down
}

TEST_F(ReportWindow, PrintSendsTheLayoutToTheChosenPrinter)
{
    platform.printerPageHeight = 15840;
    model.smallFontChosen();
    model.printClicked();
    ASSERT_EQ(platform.printed.size(), 1u);
    EXPECT_EQ(platform.printed[0].pages.size(), 1u);
    EXPECT_EQ(platform.printed[0].pages[0].items[4].text, model.report.lines[0]);
    EXPECT_EQ(platform.printed[0].pages[0].items[4].pointSize, 9.0);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.busyCalls, 1);
    EXPECT_EQ(platform.busyDepth, 0);
}

TEST_F(ReportWindow, PrintProblemsAreReported)
{
    platform.printerPageHeight = std::nullopt;
    model.printClicked();
    EXPECT_TRUE(platform.printed.empty());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].icon, Icon::Error);

    struct FailingPrinter : test::ScriptedPlatform
    {
        bool printDocument(const PrintDocument&, std::string& message) override
        {
            message = "Out of paper.";
            return false;
        }
    } failing;
    ReportWindowModel window(failing, web);
    window.printClicked();
    ASSERT_EQ(failing.messages.size(), 1u);
    EXPECT_EQ(failing.messages[0].icon, Icon::Error);
    EXPECT_NE(failing.messages[0].text.find("Out of paper."), std::string::npos);
    EXPECT_EQ(failing.busyDepth, 0);
}

} // namespace
} // namespace wickly::stats
