// Real innings opened in the scorecard window and saved again unchanged keep every byte, whatever
// the scorecard options show: a hidden column ("Include Balls Faced", "Include 4's and 6's" off)
// must not erase the figures stored behind it. The databases are built from the example JSON files
// the same way `wickly-cli build` builds them.

#include "database_fixture.h"
#include "match_details_model.h"
#include "scorecard_model.h"
#include "scripted_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace wickly;
using namespace wickly::matches;

class ScorecardResaveTest : public ::testing::TestWithParam<const char*>, public test::TestDatabase
{
protected:
    test::ScriptedPlatform platform;
};

TEST_P(ScorecardResaveTest, AnUnchangedInningsIsSavedByteForByteWithEveryOptionCombination)
{
    const Status built = test::buildExample(app, GetParam());
    ASSERT_TRUE(built.ok()) << built.message();

    // Figures in the hidden columns are what the fault erased: the data must hold some.
    bool hasBalls = false;
    bool hasBoundaries = false;
    for (std::int32_t n = 1; n <= ws.count(RecordKind::Innings); ++n) {
        for (const BattingLine& b : ws.read<InningsRecord>(n).batting) {
            hasBalls = hasBalls || b.ballsFaced != 0;
            hasBoundaries = hasBoundaries || b.fours != 0 || b.sixes != 0;
        }
    }
    ASSERT_TRUE(hasBalls && hasBoundaries);

    struct Options
    {
        std::uint8_t ballsFaced;
        std::uint8_t foursSixes;
    };
    for (const Options o : {Options{1, 1}, Options{0, 0}, Options{1, 0}, Options{0, 1}}) {
        SCOPED_TRACE("balls faced " + std::to_string(o.ballsFaced) + ", fours and sixes " +
                     std::to_string(o.foursSixes));
        app.header.options.scorecardBallsFaced = o.ballsFaced;
        app.header.options.scorecardFoursSixes = o.foursSixes;
        int saved = 0;
        for (std::int32_t match = 1; match <= ws.count(RecordKind::Match); ++match) {
            if (!IsLiveMatch(ws.read<MatchRecord>(match))) {
                continue;
            }
            const MatchDetailsModel details(app, platform, match);
            for (int slot = 1; slot <= 4; ++slot) {
                const std::int32_t n = details.innings[static_cast<std::size_t>(slot)];
                if (n < 1 || n > ws.count(RecordKind::Innings)) {
                    continue;
                }
                SCOPED_TRACE("match " + std::to_string(match) + ", slot " + std::to_string(slot));
                const std::vector<std::uint8_t> before = ws.readRaw(RecordKind::Innings, n);
                ScorecardModel scorecard(app, platform, details.scorecardHandOver(slot));
                ASSERT_FALSE(scorecard.closed);
                // Real scorecards do not always balance (penalty runs, retirements): every
                // warning is accepted, as a scorer saving an innings unchanged would.
                platform.buttonAnswers.assign(10, Button::Yes);
                scorecard.okClicked();
                ASSERT_TRUE(scorecard.saved) << (platform.messages.empty() ? "" : platform.messages.back().text);
                const std::vector<std::uint8_t> after = ws.readRaw(RecordKind::Innings, n);
                ASSERT_EQ(after.size(), before.size());
                for (std::size_t i = 0; i < after.size(); ++i) {
                    ASSERT_EQ(after[i], before[i]) << "innings " << n << ", first changed byte at offset " << i;
                }
                platform.buttonAnswers.clear();
                platform.messages.clear();
                ++saved;
            }
        }
        EXPECT_GT(saved, 100);
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, ScorecardResaveTest, ::testing::Values("tests.json", "sample.json"),
                         [](const ::testing::TestParamInfo<const char*>& example) {
                             return std::string(example.param).substr(0, std::string(example.param).find('.'));
                         });

} // namespace
