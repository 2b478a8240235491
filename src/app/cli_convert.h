#pragma once
// wickly-cli convert: the conversion of old databases that start-up runs, without a display.

#include <iosfwd>
#include <string>

namespace wickly::cli {

// Converts the old databases in the "database" folder under `folder` (the folder the program
// would start in), printing each message the conversion shows as one line on `out`. Returns 0
// when every old database was converted (or there was none), 1 when any was left as it was.
int convertCommand(const std::string& folder, std::ostream& out, std::ostream& err);

} // namespace wickly::cli
