#pragma once
// The scorecard of a match as the fixed-pitch text of the report window, in two forms: the full
// card (every batsman with his dismissal, extras, total, fall of wickets and bowling) and the
// summary (batsmen with 40 or more, bowlers with 3 or more wickets, the innings totals).

#include "report_text.h"

namespace wickly {
class WorkingSet;
}

namespace wickly::web {
struct PageImages;
}

namespace wickly::matches {

class MatchForm;

enum class ScorecardForm
{
    Summary = 0,
    Full = 1,
};

// Builds the scorecard of the match as `form` currently stands (not the saved record). When
// `images` is given, its two club logos and links become those of the two teams' clubs, for the
// banner of the page the scorecard is saved or published as.
stats::ReportText BuildScorecardText(const MatchForm& form, const WorkingSet& ws, ScorecardForm which,
                                     web::PageImages* images);

// The dismissal column of a batting line: the detailed text names fieldsman and bowler (their
// 30-character report names, "sub" for a substitute, "?" for none); the short one only says how.
std::string DismissalText(int howOut, const std::string& fieldsman, const std::string& bowler, bool detailed);

} // namespace wickly::matches
