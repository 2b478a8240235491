#include "lines_per_team.h"

#include "database_header.h"

#include <cstdint>

namespace wickly::matches {

namespace {

constexpr int kMostLines = InningsRecord::kLines - 1; // lines 1..14
constexpr int kUsualLines = 11;

int linesPerTeam(std::int16_t option)
{
    return option >= 1 && option <= kMostLines ? option : kUsualLines;
}

} // namespace

int BatsmenPerTeam(const DatabaseOptions& options)
{
    return linesPerTeam(options.batsmenPerTeam);
}

int BowlersPerTeam(const DatabaseOptions& options)
{
    return linesPerTeam(options.bowlersPerTeam);
}

} // namespace wickly::matches
