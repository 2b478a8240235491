#pragma once
// A generated database of the largest size the format holds: 32767 players, 32767 matches and
// 65534 innings, every innings with all its batting and bowling lines filled. The figures are
// pseudo-random but the same on every run.

#include "app_state.h"

#include <cstdint>
#include <string>

namespace wickly::bench {

struct MaxDatabaseSize
{
    std::int32_t players = 32767;
    std::int32_t matches = 32767;
    int clubs = 20;
    int grounds = 10;
    int grades = 3;
};

// Writes the working files of a new database into `folder` and returns its state.
AppState makeMaxDatabase(const std::string& folder, const MaxDatabaseSize& size = {});

} // namespace wickly::bench
