#pragma once
// wickly-cli web: the web site generator ("Generate Web Pages") run from a script.

#include "cli_filters.h"

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace wickly::cli {

struct WebOptions
{
    std::string database;
    std::string out = "web"; // the web folder
    StatsFilterOptions filters;
};

// Adds the "web" command with its options to the tool.
CLI::App* addWebCommand(CLI::App& app, WebOptions& options);

// Loads the database into a private folder, sets the statistics window's filters from the
// options (0 and options left out keep the window's opening values), chooses "Generate Web
// Pages" and runs the generator into the web folder, with a progress line and the completion
// message on `out`. The web page choices are the database's. Returns the exit code.
int webCommand(const WebOptions& options, std::ostream& out, std::ostream& err);

} // namespace wickly::cli
