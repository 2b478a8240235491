#pragma once
// A player's complete statistics sheet (the first entry of the report catalogue), with the
// figures the web site generator reads back for the player's page.

#include "report_text.h"
#include "stats_engine.h"
#include "web_context.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wickly::stats {

struct CompleteStatistics
{
    ReportText text;
    std::int64_t matches = 0;   // the matches total
    std::string clubName;       // the full name of the player's club
    std::int64_t wickets = 0;   // the wickets total, history included
    web::PageImages pageImages; // the player's picture; his club's logo and web address
};

// The statistics sheet of `request.player` over the matches the request selects: totals in
// match record order, the lists of centuries, ducks, five-wicket innings and ten-wicket matches
// in date order. Throws StorageError when a working file cannot be read.
CompleteStatistics ProcessINN(const WorkingSet& ws, const StatsRequest& request, ProgressFn progress = {});

// The sheets of `players` (in that order; `request.player` is not read), each as ProcessINN
// makes it alone, from one pass over the matches. Throws std::invalid_argument when a number is
// no player's record.
std::vector<CompleteStatistics> ProcessINN(const WorkingSet& ws, const StatsRequest& request,
                                           const std::vector<std::int32_t>& players, ProgressFn progress = {});

} // namespace wickly::stats
