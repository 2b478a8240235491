// Record-number lookups.

#include "database_fixture.h"
#include "lookups.h"

#include <gtest/gtest.h>

using namespace wickly;
using namespace wickly::test;

namespace {

class LookupsTest : public ::testing::Test, public TestDatabase
{
protected:
    void SetUp() override
    {
        addClub("Northern Districts", "NDCC");
        addClub("Southern Cross");
        addClub("Gone", "G");
        addClub("Last");
        addNamed<GradeRecord>("A Grade", "A");
        addNamed<GradeRecord>("B Grade");
        addNamed<GroundRecord>("Oval", "OV");
        addNamed<GroundRecord>(" Oval");
        addNamed<GroundRecord>("Oval");
        for (int i = 1; i <= 10; ++i) {
            addTeam("Team " + std::to_string(i), static_cast<std::int16_t>(i % 2 + 1));
        }
        addPlayer("J Smith", 1, "Smith", "John");
        addPlayer("K Jones", 1);
    }
};

} // namespace

TEST_F(LookupsTest, RecordNameByKind)
{
    ASSERT_EQ(ws.deleteClub(3), ClubDeletion::Deleted);
    // clang-format off
    const struct { int kind; int number; const char* expected; } rows[] = {
        {ClubName, 1, "Northern Districts"}, {ClubAbbreviation, 1, "NDCC"},
        {ClubAbbreviation, 3, "#"},          {GradeName, 1, "A Grade"},
        {GradeAbbreviation, 1, "A"},         {GradeAbbreviation, 2, "B Grade"},
        {GroundName, 1, "Oval"},             {GroundAbbreviation, 1, "OV"},
        {GroundAbbreviation, 2, " Oval"},    {TeamName, 10, "Team 10"},
        {PlayerReportName, 2, "K Jones"},    {ClubName, 0, ""},
        {TeamName, -1, ""},                  {TeamName, 99, "####"},
        {7, 1, "####"},                      {PlayerReportName, 3, "####"},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.kind) + "/" + std::to_string(r.number));
        EXPECT_EQ(RecordName(ws, r.kind, r.number), r.expected);
    }
}

TEST_F(LookupsTest, TeamClubs)
{
    EXPECT_EQ(TeamClub(ws, 1), 2);
    EXPECT_EQ(TeamClub(ws, 2), 1);
    EXPECT_EQ(TeamClub(ws, 0), 0);
    EXPECT_EQ(TeamClub(ws, 11), 0);
    EXPECT_EQ(TeamClubs(ws, 2, 0), std::make_pair(std::int16_t{1}, std::int16_t{0}));
    EXPECT_EQ(TeamClubs(ws, -1, 3), std::make_pair(std::int16_t{0}, std::int16_t{2}));
}

TEST_F(LookupsTest, GroundByNameComparesWithoutTrailingBlanksOnly)
{
    EXPECT_EQ(GroundByName(ws, "Oval   "), 1);
    EXPECT_EQ(GroundByName(ws, " Oval"), 2);
    EXPECT_EQ(GroundByName(ws, "oval"), 0);
    EXPECT_EQ(GroundByName(ws, "Park"), 0);
}

TEST_F(LookupsTest, PlayerListName)
{
    EXPECT_EQ(PlayerListName(ws.read<PlayerRecord>(1)), "Smith, John");
    EXPECT_EQ(PlayerListName(ws.read<PlayerRecord>(2)), "K Jones");
    PlayerRecord noFirst;
    noFirst.reportName.assign("X");
    noFirst.lastName.assign("Brown");
    noFirst.firstName.assign("");
    EXPECT_EQ(PlayerListName(noFirst), "Brown,");
    ws.deletePlayer(1);
    EXPECT_EQ(PlayerListName(ws.read<PlayerRecord>(1)), "");
}
