// The alias manager: the aliases of one kind at a time, and deletions that drop the last record
// from the count or free a slot for the next import.

#include "alias_manager_model.h"
#include "database_fixture.h"
#include "scripted_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace wickly;
using namespace wickly::masterdata;
using namespace wickly::test;

namespace {

class AliasManagerTest : public ::testing::Test, public TestDatabase
{
protected:
    AliasManagerTest()
    {
        alias("Tea", "Eastwood", "Eastwood 1st XI");  // 1
        alias("Pla", "Smith J", "J Smith");           // 2
        alias("Tea", "Westies", "Westfield");         // 3
        alias("", "", "");                            // 4, free
        alias("Tea", "Norths", "Northern");           // 5
        app.databaseChanged = false;
    }

    void alias(const std::string& kind, const std::string& text, const std::string& name)
    {
        AliasRecord a;
        a.kindCode.assign(kind);
        a.alias.assign(text);
        a.name.assign(name);
        ws.append(a);
    }

    static std::vector<std::string> rows(const AliasManagerModel& m)
    {
        std::vector<std::string> out;
        for (const AliasLine& l : m.lines) {
            out.push_back(l.record + "|" + l.alias + "|" + l.aliasId);
        }
        return out;
    }

    ScriptedPlatform platform;
};

TEST_F(AliasManagerTest, ListsTheAliasesOfTheChosenKind)
{
    AliasManagerModel m(app, platform);
    EXPECT_EQ(m.caption, "Alias Manager");
    EXPECT_EQ(rows(m), std::vector<std::string>{"J Smith|Smith J|2"});
    m.kindChosen(AliasKind::Teams);
    EXPECT_EQ(rows(m), (std::vector<std::string>{"Eastwood 1st XI|Eastwood|1", "Westfield|Westies|3",
                                                 "Northern|Norths|5"}));
    m.kindChosen(AliasKind::Clubs);
    EXPECT_TRUE(m.lines.empty());
    EXPECT_FALSE(m.deleteEnabled);
    m.helpClicked();
    EXPECT_EQ(platform.helpContexts, std::vector<int>{1000});
}

TEST_F(AliasManagerTest, DeletingTheLastDropsTheCountAndAnyOtherFreesItsSlot)
{
    AliasManagerModel m(app, platform);
    m.kindChosen(AliasKind::Teams);
    m.lineClicked(2); // alias 5, the last record
    EXPECT_TRUE(m.deleteEnabled);
    m.deleteClicked();
    EXPECT_EQ(ws.count(RecordKind::Alias), 4);
    EXPECT_EQ(ws.read<AliasRecord>(5).kindCode.raw(), "Tea"); // nothing written
    EXPECT_TRUE(app.databaseChanged);
    EXPECT_EQ(rows(m), (std::vector<std::string>{"Eastwood 1st XI|Eastwood|1", "Westfield|Westies|3"}));
    EXPECT_EQ(m.selectedLine, -1);

    m.lineClicked(0);
    m.deleteClicked();
    EXPECT_EQ(ws.count(RecordKind::Alias), 4);
    const AliasRecord freed = ws.read<AliasRecord>(1);
    EXPECT_TRUE(freed.isFree());
    EXPECT_EQ(freed.alias.raw(), std::string(50, '\0'));
    EXPECT_EQ(freed.name.raw(), std::string(50, '\0'));
    // The next alias takes the freed slot.
    EXPECT_EQ(ws.addAlias(AliasRecord{FixedText<3>::of("Gro"), FixedText<50>::of("x"), FixedText<50>::of("y")}),
              1);
}

TEST_F(AliasManagerTest, AFreedSlotBelowTheLastStaysCounted)
{
    AliasManagerModel m(app, platform);
    m.kindChosen(AliasKind::Teams);
    m.lineClicked(1); // alias 3
    m.deleteClicked();
    m.lineClicked(1); // alias 5, now the last
    m.deleteClicked();
    EXPECT_EQ(ws.count(RecordKind::Alias), 4); // slot 4 was free already and stays counted
}

TEST_F(AliasManagerTest, DeleteWithoutASelectionSaysSo)
{
    AliasManagerModel m(app, platform);
    m.deleteClicked();
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].text, "Select an item from the list to delete first");
    EXPECT_EQ(platform.messages[0].icon, Icon::Error);
    EXPECT_EQ(ws.count(RecordKind::Alias), 5);
    EXPECT_FALSE(app.databaseChanged);
}

} // namespace
