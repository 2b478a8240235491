// A match form filled from lists read once (as the web site's match pages fill theirs) offers and
// chooses exactly what a form that reads the working files itself does, for every match of the
// example databases, with an inactive and a deleted player among them.

#include "database_fixture.h"
#include "match_form.h"

#include <gtest/gtest.h>


namespace {

using namespace wickly;
using namespace wickly::matches;

class MatchFormSourceTest : public ::testing::TestWithParam<const char*>, public test::TestDatabase
{
};

void expectSameLists(const EntryList& a, const EntryList& b)
{
    EXPECT_EQ(a.entries, b.entries);
    EXPECT_EQ(a.selected, b.selected);
}

TEST_P(MatchFormSourceTest, FormsFromOneReadingMatchTheirOwn)
{
    const Status built = test::buildExample(app, GetParam());
    ASSERT_TRUE(built.ok()) << built.message();
    ASSERT_GE(ws.count(RecordKind::Player), 3);
    PlayerRecord inactive = ws.read<PlayerRecord>(1);
    inactive.active = 0;
    ws.write(1, inactive);
    PlayerRecord deleted = ws.read<PlayerRecord>(2);
    deleted.reportName.assign(DELETED_MARK);
    ws.write(2, deleted);

    const FormSource source = FormSource::read(ws);
    ASSERT_GE(ws.count(RecordKind::Match), 1);
    for (std::int32_t m = 0; m <= ws.count(RecordKind::Match); ++m) { // 0: a new match
        SCOPED_TRACE("match " + std::to_string(m));
        const MatchForm own(app, m);
        const MatchForm shared(app, m, &source);
        for (int g = 0; g < 2; ++g) {
            expectSameLists(shared.teams[g].team, own.teams[g].team);
            expectSameLists(shared.teams[g].captain, own.teams[g].captain);
            expectSameLists(shared.teams[g].keeper, own.teams[g].keeper);
            EXPECT_EQ(shared.teams[g].playersVisible, own.teams[g].playersVisible);
        }
        expectSameLists(shared.grounds, own.grounds);
        expectSameLists(shared.grades, own.grades);
        expectSameLists(shared.manOfMatch, own.manOfMatch);
        EXPECT_EQ(shared.summaryLines, own.summaryLines);
        EXPECT_EQ(shared.margin, own.margin);
        if (m > 0) {
            EXPECT_FALSE(own.teams[0].captain.entries.empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, MatchFormSourceTest, ::testing::Values("tests.json", "sample.json"),
                         [](const auto& param) { return param.index == 0 ? "Tests" : "Sample"; });

} // namespace
