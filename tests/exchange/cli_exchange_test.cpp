// wickly-cli export and import, run in process.

#include "cli_commands.h"
#include "cli_run.h"
#include "container.h"
#include "exchange_fixture.h"
#include "match_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace wickly;
using namespace wickly::exchange;
using namespace wickly::test;

namespace {

using Outcome = ToolOutcome;

Outcome run(const std::vector<std::string>& args)
{
    return runTool(args);
}

class CliExchangeTest : public ::testing::Test
{
protected:
    CliExchangeTest()
    {
        ExchangeFixture db;
        m_first = db.addExampleMatch();
        m_second = db.addMatchWithSlots(TwoDayMatch, {false, true, true, true, false}, "01/01/2001");
        m_text = WriteMatchFile(db.ws, std::vector<std::int32_t>{m_second, m_first});
        m_database = m_folder.file("club.wkd");
        EXPECT_TRUE(saveContainerFile(db.app, m_database));
    }

    // A database holding nothing but its title.
    std::string emptyDatabase()
    {
        TestDatabase db;
        db.app.header.options.databaseTitle.assign("Empty");
        const std::string path = m_folder.file("empty.wkd");
        EXPECT_TRUE(saveContainerFile(db.app, path));
        return path;
    }

    TempFolder m_folder;
    std::int32_t m_first = 0;
    std::int32_t m_second = 0;
    std::string m_text;
    std::string m_database;
};

TEST_F(CliExchangeTest, ExportsAllLiveMatchesOrTheNamedOnes)
{
    const std::string out = m_folder.file("all.mxp");
    Outcome o = run({"export", m_database, out});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out, "2 matches exported to " + out + "\n");
    EXPECT_EQ(readText(out), m_text); // in date order

    o = run({"export", m_database, out, "--match", std::to_string(m_first)});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(crlfSplit(readText(out)).size(), 44U);

    o = run({"export", m_database, out, "--match", "9"});
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, "wickly-cli: there is no match 9 in \"" + m_database + "\"\n");
}

TEST_F(CliExchangeTest, ImportRefusesUnknownNamesUnlessToldToCreateThem)
{
    const std::string file = m_folder.file("club.mxp");
    writeBytes(file, std::vector<std::uint8_t>(m_text.begin(), m_text.end()));
    const std::string empty = emptyDatabase();
    const std::string result = m_folder.file("result.wkd");

    Outcome o = run({"import", empty, file, "-o", result});
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, "wickly-cli: 10 names of \"" + file + "\" match no record or alias of \"" + empty +
                         "\" (use --create-missing to add them); nothing was written:\n"
                         "  Club \"Eastwood CC\"\n  Club \"Westfield CC\"\n  Team \"Eastwood\"\n  Team \"Westfield\"\n"
                         "  Player \"E One\"\n  Ground \"Oval\"\n  Grade \"A Grade\"\n  Player \"E Two\"\n"
                         "  Player \"W One\"\n  Player \"W Two\"\n");
    EXPECT_FALSE(fileExists(result));

    o = run({"import", empty, file, "-o", result, "--create-missing"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out, "2 matches imported with 5 innings.\nNew records: 2 clubs, 2 teams, 1 grade, 1 ground, "
                     "4 players.\n2 special fielding events added.\n");
    o = run({"export", result, m_folder.file("again.mxp")});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(withoutRecordNumbers(readText(m_folder.file("again.mxp"))), withoutRecordNumbers(m_text));

    // Into the database the file came from, every name is known.
    o = run({"import", m_database, file, "-o", result});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out, "2 matches imported with 5 innings.\nNew records: none.\n2 special fielding events added.\n");
}

TEST_F(CliExchangeTest, AMalformedFileNamesItsLineAndWritesNothing)
{
    const std::string file = m_folder.file("bad.mxp");
    std::string text = m_text;
    text.replace(text.find("Batsman1="), 9, "Batsman0=");
    writeBytes(file, std::vector<std::uint8_t>(text.begin(), text.end()));
    const std::string result = m_folder.file("result.wkd");
    const Outcome o = run({"import", m_database, file, "-o", result, "--create-missing"});
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err.rfind("wickly-cli: " + file + ": Line 23: \"Batsman0=\" names line 0", 0), 0U) << o.err;
    EXPECT_FALSE(fileExists(result));
}

} // namespace
