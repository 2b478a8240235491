#pragma once
// wickly-cli report: any ranked report of the statistics window, printed as the report window
// saves it.

#include "cli_filters.h"

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace wickly::cli {

struct ReportOptions
{
    std::string database;
    int kind = -1;
    int team = 0;
    int player = 0; // the player of the complete statistics (report 0)
    StatsFilterOptions filters;
    std::string format = "text";
};

// Adds the "report" command with its options to the tool.
CLI::App* addReportCommand(CLI::App& app, ReportOptions& options);

// Loads the database into a private folder, sets the statistics window's controls from the
// options (0 and options left out keep the window's opening values), presses "Generate!" and
// prints the report window's Text, CSV or HTML save. Returns the exit code.
int reportCommand(const ReportOptions& options, std::ostream& out, std::ostream& err);

} // namespace wickly::cli
