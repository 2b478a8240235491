// The name resolution window: its caption and label, the records it offers for each kind, the
// entry chosen in advance, and what each button answers.

#include "exchange_fixture.h"
#include "formats.h"
#include "name_resolution_model.h"
#include "scripted_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace wickly;
using namespace wickly::exchange;
using namespace wickly::test;

namespace {

class NameResolutionTest : public ::testing::Test, public ExchangeFixture
{
protected:
    NameResolutionModel window(NameKind kind, const std::string& name, std::int16_t club1 = 0,
                               std::int16_t club2 = 0)
    {
        NameQuestion q;
        q.kind = kind;
        q.name = name;
        q.club1 = club1;
        q.club2 = club2;
        return NameResolutionModel(app, platform, q);
    }

    static std::vector<std::string> texts(const NameResolutionModel& w)
    {
        std::vector<std::string> out;
        for (const ResolutionEntry& e : w.entries) {
            out.push_back(e.text);
        }
        return out;
    }

    ScriptedPlatform platform;
};

TEST_F(NameResolutionTest, OffersTheLivePlayersOfTheMatchsTwoClubs)
{
    const std::int32_t visitors = addClub("Visitors");
    addPlayer("V One", static_cast<std::int16_t>(visitors));
    const std::int32_t smith = addPlayer("J Smith", 1, "Smith", "John");
    PlayerRecord inactive = ws.read<PlayerRecord>(3);
    inactive.active = 0;
    ws.write(3, inactive);
    ws.deletePlayer(2);

    NameResolutionModel w = window(NameKind::Player, "J Doe   ", 1, 2);
    EXPECT_EQ(w.caption, "Player Selection");
    EXPECT_EQ(w.label, "\"J Doe\" could not be found, select from list or 'New Entry'");
    // clang-format off
    EXPECT_EQ(texts(w), (std::vector<std::string>{
        "E One" + std::string(30, ' ') + " Eastwood CC" + std::string(10, ' ') + " 1",
        "Smith, John" + std::string(24, ' ') + " Eastwood CC" + std::string(10, ' ') + " " + std::to_string(smith),
        "W One" + std::string(30, ' ') + " Westfield CC" + std::string(10, ' ') + " 3",
        "W Two" + std::string(30, ' ') + " Westfield CC" + std::string(10, ' ') + " 4",
    }));
    // clang-format on
    EXPECT_EQ(w.chosen, -1);
}

TEST_F(NameResolutionTest, TeamsOfOneNameAreToldApartAndEachCanBeChosen)
{
    addTeam("1st XI", 2);
    addTeam("1st XI", 1);
    NameResolutionModel w = window(NameKind::Team, "1st XIs");
    EXPECT_EQ(texts(w), (std::vector<std::string>{"1st XI  (Eastwood CC)", "1st XI  (Westfield CC)", "Eastwood",
                                                  "Westfield"}));
    EXPECT_EQ(w.chosen, -1);
    EXPECT_EQ(window(NameKind::Team, "1st XI").chosen, 0);
    w.entryChosen(1);
    w.selectClicked();
    EXPECT_TRUE(w.closed);
    EXPECT_EQ(w.result, 3); // the team chosen, not merely the last of that name
    EXPECT_EQ(w.answer().action, NameAnswer::Action::Use);
    EXPECT_FALSE(w.answer().remember);
}

TEST_F(NameResolutionTest, ChoosesTheEqualNameInAdvanceAndLeavesDeletedRecordsOut)
{
    addNamed<GradeRecord>("B Grade");
    addNamed<GradeRecord>("Gone");
    ws.deleteGrade(3);
    NameResolutionModel w = window(NameKind::Grade, "B Grade");
    EXPECT_EQ(texts(w), (std::vector<std::string>{"A Grade", "B Grade"}));
    EXPECT_EQ(w.chosen, 1);
    w.rememberClicked();
    const NameAnswer a = w.answer();
    EXPECT_EQ(a.action, NameAnswer::Action::Use);
    EXPECT_EQ(a.record, 2);
    EXPECT_TRUE(a.remember);
}

TEST_F(NameResolutionTest, ButtonsAndTheirAnswers)
{
    {
        NameResolutionModel w = window(NameKind::Ground, "Lords");
        EXPECT_EQ(w.caption, "Ground Selection");
        w.selectClicked();
        w.rememberClicked();
        EXPECT_FALSE(w.closed);
        EXPECT_EQ(platform.messageTexts(), (std::vector<std::string>(2, "Make a selection from the list first")));
        EXPECT_EQ(platform.messages[0].icon, Icon::Information);
        w.helpClicked();
        EXPECT_EQ(platform.helpContexts, std::vector<int>{1100});
        w.closeBoxClicked();
        EXPECT_EQ(w.result, -1);
        EXPECT_EQ(w.answer().action, NameAnswer::Action::Abort);
    }
    struct Case
    {
        void (NameResolutionModel::*button)();
        std::int32_t result;
        NameAnswer::Action action;
    };
    const Case cases[] = {
        {&NameResolutionModel::newEntryClicked, 0, NameAnswer::Action::NewEntry},
        {&NameResolutionModel::newEntryForAllClicked, 0, NameAnswer::Action::NewEntryForAll},
        {&NameResolutionModel::abortClicked, -99, NameAnswer::Action::Abort},
    };
    for (const Case& c : cases) {
        NameResolutionModel w = window(NameKind::Club, "Northern");
        EXPECT_EQ(w.caption, "Club Selection");
        (w.*c.button)();
        EXPECT_TRUE(w.closed);
        EXPECT_EQ(w.result, c.result);
        EXPECT_EQ(w.answer().action, c.action);
    }
}

} // namespace
