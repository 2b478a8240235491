// wickly-cli report, run in process on the sample season (IPL 2019) and on 31 Test matches.

#include "cli_commands.h"
#include "cli_run.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#ifndef WICKLY_SAMPLE_JSON
#error "WICKLY_SAMPLE_JSON must name examples/sample.json"
#endif
#ifndef WICKLY_TESTS_JSON
#error "WICKLY_TESTS_JSON must name examples/tests.json"
#endif

namespace wickly {
namespace {

using Outcome = test::ToolOutcome;
using test::runTool;

class CliReportTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = new test::TempFolder;
        s_database = s_folder->file("sample.wkd");
        ASSERT_EQ(runTool({"build", WICKLY_SAMPLE_JSON, s_database}).code, 0);
    }
    static void TearDownTestSuite()
    {
        delete s_folder;
        s_folder = nullptr;
    }

    static test::TempFolder* s_folder;
    static std::string s_database;
};

test::TempFolder* CliReportTest::s_folder = nullptr;
std::string CliReportTest::s_database;

TEST_F(CliReportTest, TopRunScorersAsTheTextSaveWritesThem)
{
    const Outcome o = runTool({"report", s_database, "6", "--length", "5"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out.substr(0, o.out.find("  4.")),
              "Top Run Aggregates\r\n"
              "All Matches, IPL\r\n23-Mar-19 to 12-May-19\r\n"
              "\r\n"
              "    Name               Club    Mts Inn NO Ct  50s 100s HS   Avg    Runs\r\n"
              "  1.DA Warner          Sunrise 12  12  2  2   8   1    100* 69.20  692\r\n"
              "  2.KL Rahul           Kings X 14  14  3  7   6   1    100* 53.90  593\r\n"
              "  3.Q de Kock          Mumbai  16  16  1  17  4   -    81   35.26  529\r\n");
}

TEST_F(CliReportTest, TopWicketTakersAsCsv)
{
    const Outcome o = runTool({"report", s_database, "19", "--length", "5", "--format", "csv"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out,
              "\"Name\",\"Club\",\"Mts\",\"Ov's\",\"Runs\",\"5I\",\"10M\",\"BBowl\",\"Econ\",\"Avg\",\"Wkts\"\r\n"
              "\"Imran Tahir\",\"Chennai\",\"17\",\"64\",\"431\",\"-\",\"-\",\" 4-12\",\" 6.69\",\"16.57\",\"26\"\r\n"
              "\"K Rabada\",\"Delhi C\",\"12\",\"47\",\"368\",\"-\",\"-\",\" 4-21\",\" 7.82\",\"14.72\",\"25\"\r\n"
              "\"DL Chahar\",\"Chennai\",\"17\",\"64\",\"482\",\"-\",\"-\",\" 3-20\",\" 7.47\",\"21.90\",\"22\"\r\n"
              "\"S Gopal\",\"Rajasth\",\"14\",\"48\",\"347\",\"-\",\"-\",\" 3-12\",\" 7.22\",\"17.35\",\"20\"\r\n"
              "\"JJ Bumrah\",\"Mumbai\",\"16\",\"61\",\"409\",\"-\",\"-\",\" 3-20\",\" 6.63\",\"21.52\",\"19\"\r\n");
}

TEST_F(CliReportTest, FiltersNarrowTheSelection)
{
    // Up to 31 March only: the subtitle shows the dates of the matches covered.
    const Outcome o = runTool({"report", s_database, "6", "--to", "31/03/2019", "--length", "5"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_NE(o.out.find("All Matches, IPL\r\n23-Mar-19 to 31-Mar-19\r\n"), std::string::npos) << o.out;
    const Outcome html = runTool({"report", s_database, "20", "--length", "5", "--format", "html"});
    ASSERT_EQ(html.code, 0) << html.err;
    EXPECT_NE(html.out.find("<title>"), std::string::npos);
    EXPECT_NE(html.out.find("Best Bowling in an Innings"), std::string::npos);
}

TEST_F(CliReportTest, RefusalsAreOneLineAndNonZero)
{
    struct Case
    {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const std::string db = s_database;
    // clang-format off
    const Case cases[] = {
        {{"report", db, "42"}, 1, "use \"wickly-cli web DB\""},
        {{"report", db, "1"}, 1, "No Setup - Please setup the Point System in the SETUP form"},
        {{"report", db, "0"}, 1, "Select a player first"},
        {{"report", db, "0", "--player", "99999"}, 1, "there is no player 99999"},
        {{"report", db, "6", "--club", "99"}, 1, "there is no club 99"},
        {{"report", db, "6", "--grade", "7"}, 1, "there is no grade 7"},
        {{"report", db, "6", "--from", "1/1/2019"}, 1, "--from 1/1/2019: Incorrect Date Format"},
        {{"report", db, "6", "--length", "3"}, 1, "--length 3: Value must be between 5 and 3000 entries"},
        {{"report", db, "43"}, 2, "KIND"},
        {{"report", db, "6", "--type", "5"}, 2, "--type"},
        {{"report", db + ".missing", "6"}, 1, ".missing"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const Outcome o = runTool(c.args);
        EXPECT_EQ(o.code, c.code);
        EXPECT_TRUE(o.out.empty());
        EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
        EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;
    }
}

// The Test matches of examples/tests.json: each report family on real scorecards. The stands
// and totals below were checked against `wickly-cli scorecard` of their matches (Chennai and
// Mumbai 2016: 435 to 616 for the sixth wicket, 364 to 605 for the eighth; 759 for 7 declared).
class CliReportTestMatches : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = new test::TempFolder;
        s_database = s_folder->file("tests.wkd");
        ASSERT_EQ(runTool({"build", WICKLY_TESTS_JSON, s_database}).code, 0);
    }
    static void TearDownTestSuite()
    {
        delete s_folder;
        s_folder = nullptr;
    }

    static test::TempFolder* s_folder;
    static std::string s_database;
};

test::TempFolder* CliReportTestMatches::s_folder = nullptr;
std::string CliReportTestMatches::s_database;

TEST_F(CliReportTestMatches, EveryFamilyAgreesWithTheScorecards)
{
    struct Case
    {
        std::vector<std::string> args;
        std::vector<std::string> lines; // each a whole line of the output
    };
    const std::string db = s_database;
    // clang-format off
    const Case cases[] = {
        {{"report", db, "11"}, {
            " 1   283  S Dhawan          M Vijay           10-Jun-15 India   Bangladesh  Khan Shaheb Osman Ali Sta",
            " 6   181  R Ashwin          KK Nair           16-Dec-16 India   England     MA Chidambaram Stadium, C",
            " 8   241  J Yadav           V Kohli           08-Dec-16 India   England     Wankhede Stadium         "}},
        {{"report", db, "12", "--length", "5"}, {
            "  1.V Kohli            AM Rahane         India   08-Oct-16 New Zealand  Holkar Cricket Stadium     365",
            "  4.MEK Hussey         MJ Clarke         Austral 03-Jan-12 India        Sydney Cricket Ground      334*"}},
        {{"report", db, "37", "--length", "6"}, {
            "  1.India              India   16-Dec-16 England      MA Chidambaram Stadium, C  759-7 Declared",
            "  6.India              India   08-Dec-16 England      Wankhede Stadium           631-10 All Out"}},
        {{"report", db, "38", "--length", "5"}, {
            "  1.India              India   23-Feb-17 Australia    Maharashtra Cricket Assoc  105-10"}},
        {{"report", db, "29", "--length", "5"}, {"  1.MS Dhoni           India   17  38"}},
        {{"report", db, "39"}, {"India                England           9    5    -    2    -    2    -  55.55"}},
        {{"report", db, "41"}, {"India                31   16   0    8    0    7    0    0"}},
        {{"report", db, "40"}, {"Highest Score              MJ Clarke         Australia         329*   "}},
        {{"report", db, "0", "--player", "126"}, {
            "V Kohli", "Club: India", " Total Runs   1382      50s: 3  100s: 5",
            " 235  Vs England        Wankhede Stadium       08-Dec-16"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[2]);
        const Outcome o = runTool(c.args);
        ASSERT_EQ(o.code, 0) << o.err;
        for (const std::string& line : c.lines) {
            EXPECT_NE(("\r\n" + o.out).find("\r\n" + line + "\r\n"), std::string::npos) << line;
        }
    }
}

TEST_F(CliReportTest, HelpListsEveryOptionAndTheCatalogue)
{
    const Outcome o = runTool({"report", "--help"});
    EXPECT_EQ(o.code, 0);
    for (const char* option : {"--grade", "--type", "--vs", "--club", "--team", "--ground", "--rating", "--from",
                               "--to", "--length", "--first-innings", "--player", "--history", "--all-players",
                               "--format", "Batting:Top Run Aggregates", "Bowling:Hat Tricks"}) {
        EXPECT_NE(o.out.find(option), std::string::npos) << option;
    }
}

} // namespace
} // namespace wickly
