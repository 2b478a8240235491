#include "cli_commands.h"
#include "cli_run.h"

#include "records.h"

#include "temp_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifndef WICKLY_SAMPLE_JSON
#error "WICKLY_SAMPLE_JSON must name examples/sample.json"
#endif

namespace wickly {
namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

using Outcome = test::ToolOutcome;

// Runs each test in a working directory of its own and with TMPDIR pointing at a folder of its
// own, so that the tests can see every file the tool leaves behind.
class CliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_tmp = m_folder.file("tmp");
        m_work = m_folder.file("work");
        fs::create_directory(m_tmp);
        fs::create_directory(m_work);
        if (const char* old = std::getenv("TMPDIR")) {
            m_oldTmpDir = old;
        }
        ::setenv("TMPDIR", m_tmp.c_str(), 1);
        m_oldCwd = fs::current_path();
        fs::current_path(m_work);
    }

    void TearDown() override
    {
        fs::current_path(m_oldCwd);
        if (m_oldTmpDir) {
            ::setenv("TMPDIR", m_oldTmpDir->c_str(), 1);
        } else {
            ::unsetenv("TMPDIR");
        }
    }

    Outcome run(const std::vector<std::string>& args)
    {
        const Outcome o = test::runTool(args);
        EXPECT_TRUE(fs::is_empty(m_tmp)) << "the command left its private folder behind";
        return o;
    }

    std::set<std::string> workFiles() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_work)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    static void writeText(const std::string& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }

    test::TempFolder m_folder;
    std::string m_tmp;
    std::string m_work;
    fs::path m_oldCwd;
    std::optional<std::string> m_oldTmpDir;
};

Json readJson(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Json::parse(in);
}

TEST_F(CliTest, BuildThenDumpReproducesTheSample)
{
    // Working files of a desktop session in the current directory must survive the tool.
    const std::vector<std::uint8_t> decoy = {1, 2, 3, 4};
    test::writeBytes(m_work + "/~tmp.pla", decoy);

    const Outcome built = run({"build", WICKLY_SAMPLE_JSON, "out.wkd"});
    ASSERT_EQ(built.code, 0) << built.err;
    EXPECT_EQ(built.out, "");
    EXPECT_EQ(built.err, "");

    const Outcome dumped = run({"dump", "out.wkd"});
    ASSERT_EQ(dumped.code, 0) << dumped.err;
    EXPECT_EQ(dumped.err, "");
    const Json sample = readJson(WICKLY_SAMPLE_JSON);
    const Json db = Json::parse(dumped.out);

    EXPECT_EQ(db["header"]["options"]["databaseTitle"], "IPL 2019");
    EXPECT_EQ(db["header"]["options"]["ballsPerOver"], 6); // not in the sample: a new database's value
    EXPECT_EQ(db["header"]["version"], "2.6d");
    EXPECT_EQ(db["header"]["counts"]["matches"], 60);
    EXPECT_EQ(db["header"]["counts"]["players"], 161);
    EXPECT_EQ(db["matches"].size(), 60U);
    EXPECT_EQ(db["players"].size(), 161U);
    EXPECT_EQ(db["players"][0]["reportName"], sample["players"][0]["reportName"]);
    for (const auto& item : sample["innings"][0]["batting"][1].items()) {
        EXPECT_EQ(db["innings"][0]["batting"][1][item.key()], item.value()) << item.key();
    }
    for (const auto& item : sample["innings"][0]["bowling"][6].items()) {
        EXPECT_EQ(db["innings"][0]["bowling"][6][item.key()], item.value()) << item.key(); // overs 0.1
    }
    for (const auto& item : sample["matches"][59].items()) {
        EXPECT_EQ(db["matches"][59][item.key()], item.value()) << item.key();
    }

    EXPECT_EQ(test::readBytes(m_work + "/~tmp.pla"), decoy);
    EXPECT_EQ(workFiles(), (std::set<std::string>{"~tmp.pla", "out.wkd"}));

    // Building the dump again gives the same container, byte for byte.
    std::ofstream(m_work + "/dump.json", std::ios::binary) << dumped.out;
    const Outcome rebuilt = run({"build", "dump.json", "again.wkd"});
    ASSERT_EQ(rebuilt.code, 0) << rebuilt.err;
    EXPECT_EQ(test::readBytes(m_work + "/again.wkd"), test::readBytes(m_work + "/out.wkd"));
}

TEST_F(CliTest, ScorecardPrintsWhatTheReportWindowSaves)
{
    ASSERT_EQ(run({"build", WICKLY_SAMPLE_JSON, "out.wkd"}).code, 0);
    const Outcome text = run({"scorecard", "out.wkd", "1"});
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_TRUE(text.out.starts_with("Royal Challengers Bangalore Vs Chennai Super Kings\r\n"
                                     "1-day Match Played At MA Chidambaram Stadium, Chepauk, 23-Mar-19\rGrade : IPL\r\n"
                                     "\r\n"
                                     "Match Result: Chennai Super Kings Win by 7 wickets\r\n"))
        << text.out.substr(0, 300);
    EXPECT_NE(text.out.find("\r\n  Innings total: 70/10 All Out (Overs 17.1)\r\n"), std::string::npos);
    EXPECT_NE(text.out.find("c&b Harbhajan Singh"), std::string::npos);

    const Outcome summary = run({"scorecard", "out.wkd", "1", "--summary"});
    ASSERT_EQ(summary.code, 0);
    EXPECT_LT(summary.out.size(), text.out.size());
    EXPECT_EQ(summary.out.find("FOW"), std::string::npos);

    const Outcome html = run({"scorecard", "out.wkd", "1", "--format", "html"});
    ASSERT_EQ(html.code, 0) << html.err;
    EXPECT_TRUE(html.out.starts_with("<html>\r\n")) << html.out.substr(0, 100);
    EXPECT_TRUE(html.out.ends_with("</html>\r\n"));
    EXPECT_NE(html.out.find("c&b Harbhajan Singh"), std::string::npos);

    for (const char* bad : {"0", "61", "-3"}) {
        const Outcome o = run({"scorecard", "out.wkd", bad});
        EXPECT_EQ(o.code, 1) << bad;
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
        EXPECT_NE(o.err.find("no match"), std::string::npos) << o.err;
    }
    EXPECT_EQ(run({"scorecard", "out.wkd", "1", "--format", "pdf"}).code, 2);
}

TEST_F(CliTest, InfoPrintsTitleVersionAndCounts)
{
    ASSERT_EQ(run({"build", WICKLY_SAMPLE_JSON, "out.wkd"}).code, 0);
    const Outcome info = run({"info", "out.wkd"});
    EXPECT_EQ(info.code, 0);
    EXPECT_EQ(info.err, "");
    EXPECT_EQ(info.out, "Title: IPL 2019\n"
                        "Version: 2.6d\n"
                        "Clubs: 8\n"
                        "Grades: 1\n"
                        "Grounds: 9\n"
                        "Teams: 8\n"
                        "Players: 161\n"
                        "Aliases: 0\n"
                        "Special events: 0\n"
                        "Matches: 60\n"
                        "Innings: 120\n");
}

TEST_F(CliTest, TextsAreUtf8OnOutput)
{
    writeText("in.json", R"({"header": {"options": {"databaseTitle": "Zürich € XI"}}})");
    ASSERT_EQ(run({"build", "in.json", "out.wkd"}).code, 0);
    EXPECT_EQ(run({"info", "out.wkd"}).out.rfind("Title: Zürich € XI\n", 0), 0U);
    EXPECT_EQ(Json::parse(run({"dump", "out.wkd"}).out)["header"]["options"]["databaseTitle"], "Zürich € XI");
}

TEST_F(CliTest, FailuresPrintOneLineAndWriteNothing)
{
    writeText("malformed.json", R"({"clubs": [)");
    writeText("invalid.json", R"({"clubs": [{"nmae": "x"}]})");
    writeText("twice.json", R"({"clubs": [{"name": "A"}], "clubs": []})");
    writeText("nul.json", R"({"clubs": [{"name": "A\u0000"}]})");
    test::writeBytes("random.wkd", {0x5A, 0x01, 0xFF, 0x00, 0x13, 0x37, 0x80, 0x42, 0x07, 0xC3});
    test::writeBytes("existing.wkd", {9, 9, 9});

    struct Case
    {
        std::vector<std::string> args;
        std::string mentions; // a part of the message
    };
    const std::vector<Case> cases = {
        {{"build", "missing.json", "out.wkd"}, "missing.json"},
        {{"build", "malformed.json", "out.wkd"}, "malformed.json: malformed JSON: "},
        {{"build", "invalid.json", "out.wkd"}, "invalid.json: clubs[0].nmae: unknown field"},
        {{"build", "invalid.json", "existing.wkd"}, "clubs[0].nmae"},
        {{"build", "twice.json", "existing.wkd"}, "twice.json: clubs: field given twice"},
        {{"build", "nul.json", "existing.wkd"}, "nul.json: clubs[0].name: text holds a NUL character"},
        {{"build", WICKLY_SAMPLE_JSON, "no-such-folder/out.wkd"}, "no-such-folder/out.wkd"},
        {{"info", "missing.wkd"}, "missing.wkd"},
        {{"dump", "random.wkd"}, "random.wkd"},
        {{"info", "random.wkd"}, "random.wkd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        const Outcome o = run(c.args);
        EXPECT_EQ(o.code, 1);
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err.rfind("wickly-cli: ", 0), 0U) << o.err;
        EXPECT_NE(o.err.find(c.mentions), std::string::npos) << o.err;
        ASSERT_FALSE(o.err.empty());
        EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << "not exactly one line: " << o.err;
    }
    EXPECT_EQ(test::readBytes("existing.wkd"), (std::vector<std::uint8_t>{9, 9, 9}));
    EXPECT_EQ(workFiles(), (std::set<std::string>{"malformed.json", "invalid.json", "twice.json", "nul.json",
                                                  "random.wkd", "existing.wkd"}));
}

TEST_F(CliTest, UsageErrorsExitWithTwo)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"info"}, {"build", "in.json"}, {"info", "a.wkd", "b.wkd"}, {"frobnicate"}, {"--bogus"}}) {
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome o = run(args);
        EXPECT_EQ(o.code, 2);
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err.rfind("wickly-cli: ", 0), 0U) << o.err;
        EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;
    }

    // Without a command the help goes to the error stream.
    const Outcome bare = run({});
    EXPECT_EQ(bare.code, 2);
    EXPECT_EQ(bare.out, "");
    EXPECT_NE(bare.err.find("build"), std::string::npos);
}

TEST_F(CliTest, HelpListsTheCommands)
{
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.err, "");
    for (const char* command : {"info", "dump", "build"}) {
        EXPECT_NE(help.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    }
}

// Old databases are converted as start-up converts them, each message a line on the output.
TEST_F(CliTest, ConvertTurnsOldDatabasesIntoContainers)
{
    fs::create_directory(m_work + "/database");
    writeText(m_work + "/database/club.cfg",
              "1,0,1,0,0\r\n2.6d\r\n-1,0,0,0,12,11\r\n0,0,0,0,0,0,0,0\r\n\"Old Club\"\r\n\"\",\"\"\r\n");
    writeText(m_work + "/database/club.clu", "Old Club CC" + std::string(29, ' ') + "OCC\r\n");
    PlayerRecord p;
    p.reportName.assign("Smith J");
    p.club = 1;
    std::vector<std::uint8_t> player(192);
    encode(p, player);
    test::writeBytes(m_work + "/database/club.pla", player);
    TeamRecord t;
    t.name.assign("Old Club 1st XI");
    t.club = 1;
    std::vector<std::uint8_t> team(132);
    encode(t, team);
    test::writeBytes(m_work + "/database/club.te1", team);
    writeText(m_work + "/database/older.cfg", "0,0,0,0,0\r\n1.1\r\n");
    writeText(m_work + "/wickly.ini", "Noball=2\r\n");

    const Outcome converted = run({"convert", m_work});
    EXPECT_EQ(converted.code, 1) << "older was left as it is";
    EXPECT_EQ(converted.err, "");
    std::istringstream lines(converted.out);
    std::vector<std::string> printed;
    for (std::string line; std::getline(lines, line);) {
        printed.push_back(line);
    }
    ASSERT_EQ(printed.size(), 3U) << converted.out;
    EXPECT_EQ(printed[0], "Wickly has detected old database files.  They will now be converted.");
    EXPECT_NE(printed[1].find("\"older\" could not be converted: it was written by Wickly version 1.1"),
              std::string::npos)
        << printed[1];
    EXPECT_NE(printed[2].find("Not converted, their files are still in the DATABASE subdirectory: older."),
              std::string::npos)
        << printed[2];
    EXPECT_TRUE(test::fileExists(m_work + "/backup/club.pla"));
    EXPECT_FALSE(test::fileExists(m_work + "/database/club.cfg"));
    EXPECT_TRUE(test::fileExists(m_work + "/database/older.cfg"));
    EXPECT_TRUE(test::fileExists(m_work + "/wickly.ini")) << "older still needs it";

    const Outcome dumped = run({"dump", m_work + "/database/club.wkd"});
    ASSERT_EQ(dumped.code, 0) << dumped.err;
    const Json db = Json::parse(dumped.out);
    EXPECT_EQ(db["header"]["options"]["databaseTitle"], "Old Club");
    EXPECT_EQ(db["header"]["options"]["batsmenPerTeam"], 12);
    EXPECT_EQ(db["header"]["options"]["runsPerNoBall"], 2);
    EXPECT_EQ(db["clubs"][0]["name"], "Old Club CC");
    EXPECT_EQ(db["players"][0]["reportName"], "Smith J");
    EXPECT_EQ(db["teams"][0]["name"], "Old Club 1st XI");

    // Once nothing waits, wickly.ini goes; a folder without old databases converts nothing.
    fs::remove(m_work + "/database/older.cfg");
    writeText(m_work + "/database/empty.cfg", "");
    EXPECT_EQ(run({"convert", m_work}).code, 0);
    EXPECT_TRUE(test::fileExists(m_work + "/database/empty.wkd"));
    EXPECT_FALSE(test::fileExists(m_work + "/wickly.ini"));
    const Outcome nothing = run({"convert", m_work});
    EXPECT_EQ(nothing.code, 0);
    EXPECT_EQ(nothing.out, "No old databases in \"" + m_work + "/database\".\n");
    EXPECT_EQ(run({"convert", m_work + "/missing"}).code, 1);
}

} // namespace
} // namespace wickly
