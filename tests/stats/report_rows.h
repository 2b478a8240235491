#pragma once
// What the report tests of the statistics fixture share: a request for a report over every date,
// the rows a report produces, a record changed in place, and the name and club columns of the
// fixture's players as a player report shows them.

#include "stats_engine.h"
#include "stats_fixture.h"

#include <string>
#include <vector>

namespace wickly::test {

inline stats::StatsRequest requestFor(int kind)
{
    stats::StatsRequest r;
    r.reportKind = kind;
    r.dateFrom = "18000101";
    r.dateTo = "21000101";
    return r;
}

inline std::vector<std::string> rows(const StatsFixture& f, const stats::StatsRequest& r)
{
    return stats::ProduceReport(f.db.ws, r).lines;
}

// Reads record `n` of kind R, lets `edit` change it, and writes it back.
template <class R, class F> void change(TestDatabase& db, std::int32_t n, F&& edit)
{
    R r = db.ws.read<R>(n);
    edit(r);
    db.ws.write(n, r);
}

namespace columns {
inline const std::string smith = "Smith              ALP     ";
inline const std::string jones = "Jones              ALP     ";
inline const std::string brown = "Brown              Beta CC ";
inline const std::string green = "Green              Beta CC ";
inline const std::string white = "White              ALP     ";
inline const std::string black = "Black              Beta CC ";
} // namespace columns

} // namespace wickly::test
