// PlayerLink: which names link to which player's page.

#include "../stats/stats_fixture.h"

#include "player_link.h"

#include <gtest/gtest.h>

namespace wickly::test {
namespace {

class PlayerLinkTest : public ::testing::Test
{
protected:
    PlayerLinkTest()
    {
        // Player 7: a second "Smith", of Beta CC, who plays only in match 3.
        f.db.addPlayer("Smith", 2);
        PlayerRecord white = f.db.ws.read<PlayerRecord>(5);
        white.active = 0;
        f.db.ws.write(5, white);
        f.db.addPlayer("<b>Bold</b>", 1);
        const std::int32_t innings = addInnings(f.db, {{7, NotOut, 12}}, {{2, 4.0F, 0, 20, 0}});
        addMatch(f.db, "24/05/2019", OneDayMatch, 2, 1, {0, innings, 0, 0, 0});
    }

    site::PlayerLinker linker(bool listActive = false, std::int32_t club = 0)
    {
        site::PlayerLinker l(f.db.ws, "abc", listActive, club);
        for (std::int32_t p = 1; p <= 8; ++p) {
            l.setHasPage(p, true);
        }
        return l;
    }

    StatsFixture f;
};

TEST_F(PlayerLinkTest, FindsThePlayerOfANameWithOrWithoutMarks)
{
    const site::PlayerLinker l = linker();
    struct Case
    {
        const char* name;
        const char* link;
    };
    // clang-format off
    const Case cases[] = {
        {"Smith",            "<a href=\"abc1.htm\">Smith</a>"},
        {"Smith           ", "<a href=\"abc1.htm\">Smith</a>"},
        {"Jones*",           "<a href=\"abc2.htm\">Jones*</a>"},
        {"Jones+",           "<a href=\"abc2.htm\">Jones+</a>"},
        {"Jones*+",          "<a href=\"abc2.htm\">Jones*+</a>"},
        // Scorecard batting lines put the captain's and keeper's marks in front of the name.
        {"  Brown         ", "<a href=\"abc3.htm\">  Brown</a>"},
        {"*+Green",          "<a href=\"abc4.htm\">*+Green</a>"},
        {"* Green",          "<a href=\"abc4.htm\">* Green</a>"},
        {"<b>Bold</b>",      "<a href=\"abc8.htm\">&lt;b&gt;Bold&lt;/b&gt;</a>"},
        {"Jone",             ""},   // a name cut short is another name
        {"jones",            ""},   // exact case
        {"Jones**",          ""},   // one mark of each kind only
        {"#",                ""},
        {"",                 ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(l(c.name), c.link);
    }
}

TEST_F(PlayerLinkTest, ASharedNameLinksToThePlayerOfTheCurrentMatch)
{
    site::PlayerLinker l = linker();
    EXPECT_EQ(l.find("Smith"), 1); // no match: the first of the name
    l.setCurrentMatch(3);
    EXPECT_EQ(l.find("Smith"), 7);
    EXPECT_EQ(l("Smith"), "<a href=\"abc7.htm\">Smith</a>");
    EXPECT_EQ(l.find("Jones"), 2); // a bowler of the match
    EXPECT_EQ(l.find("Brown"), 0); // did not play in it
    l.setCurrentMatch(1);
    EXPECT_EQ(l.find("Smith"), 1);
    l.setCurrentMatch(99); // a match with no innings to read names no one
    EXPECT_EQ(l.find("Smith"), 0);
    l.setCurrentMatch(0);
    EXPECT_EQ(l.find("Smith"), 1);
}

TEST_F(PlayerLinkTest, LinksOnlyPlayersWithAPageInTheChosenList)
{
    site::PlayerLinker all = linker();
    EXPECT_EQ(all("White"), "<a href=\"abc5.htm\">White</a>");
    // "Active" leaves out the inactive White; a subject club leaves out the other club's players.
    EXPECT_EQ(linker(true)("White"), "");
    EXPECT_EQ(linker(false, 2)("Jones"), "");
    EXPECT_EQ(linker(false, 2)("Brown"), "<a href=\"abc3.htm\">Brown</a>");
    // A player without a page (no match under the filters, or no player pages) is not linked.
    all.setHasPage(2, false);
    EXPECT_EQ(all("Jones"), "");
}

} // namespace
} // namespace wickly::test
