#pragma once
// The web site generator ("Generate Web Pages", the last entry of the statistics window's
// catalogue): a frameset home page with its menu, one page per statistics report, a list of
// matches with a scorecard page per match, a list of players with a statistics page and chart
// pictures per player, and, on request, one such set of pages per grade. docs/web.md lists the
// files in the order they are written.
//
// It drives the statistics window as the user would: it selects each catalogue entry, reads the
// request the window would hand to the engine, and converts each report with the report
// window's HTML writer. Every page is written whole (temporary file, then rename) into the web
// folder; file names are made only of the file prefix, fixed letters and record numbers.

#include "result.h"

#include <functional>
#include <string>
#include <vector>

namespace wickly {
struct AppState;
class Platform;
} // namespace wickly

namespace wickly::stats {
class StatisticsWindowModel;
}

namespace wickly::site {

inline constexpr const char* kNoPrefixMessage =
    "The HTML file prefix has not been set up.  Please enter a 3 character prefix in the CONFIG menu.";

struct SiteSettings
{
    std::string webFolder; // created when missing (not its parents)
    // Told of the progress of the whole run, 0 to 100.
    std::function<void(int)> progress;
    // Today as "dd/mm/yyyy" for the "Last updated" line; the system's date when empty.
    std::function<std::string()> today;
};

struct SiteOutcome
{
    std::vector<std::string> files; // the names written, in order (chart pictures included)
    std::string message;            // the completion message
    int chartsLeftOut = 0;          // pictures the platform could not draw (left out of the pages)
};

// Runs the generator with the window's current filters and web page choices, the window showing
// the report "Generate Web Pages". The window's selections are put back as they were. Refusals
// (no prefix, a prefix that cannot be part of a file name) and failures (the web folder cannot
// be made, a page cannot be written, a working file cannot be read) are an Error whose message
// says what went wrong; pages written before a failure stay, each one complete.
Result<SiteOutcome> GenerateSite(AppState& app, Platform& platform, stats::StatisticsWindowModel& window,
                                 const SiteSettings& settings);

// "Generate!" with "Generate Web Pages" chosen in the desktop: runs GenerateSite into the start-up
// folder's "web" folder with the busy pointer and the window's progress bar, then shows the
// completion message, or the error with the error icon.
void genweb(AppState& app, Platform& platform, stats::StatisticsWindowModel& window);

} // namespace wickly::site
