#pragma once
// What every wickly-cli command shares: a private folder for its working files, a fresh program
// state in it, and the one-line error report.

#include "app_state.h"

#include <functional>
#include <iosfwd>
#include <string>

namespace wickly {
struct ChartDocument;
}

namespace wickly::cli {

inline constexpr const char* kToolName = "wickly-cli";

// A folder of its own for the working files of one command, so that the tool never touches the
// working files of a desktop session in the current directory. Removed when the command ends.
class PrivateFolder
{
public:
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Messages go out as one line each.
std::string oneLine(std::string text);

// Writes "wickly-cli: message" to `err` and returns the failure exit code, 1.
int failure(std::ostream& err, const std::string& message);

// Each command gets a fresh state whose working files live in `folder`.
AppState freshState(const PrivateFolder& folder);

// Draws a chart into a JPEG picture of width x height pixels; false when it could not. The tool's
// main() installs one when the tool is built with Qt, so that `web` writes the player charts too;
// without one no chart is drawn.
using ChartExporter =
    std::function<bool(const ChartDocument& chart, const std::string& path, int width, int height, int quality)>;
void setChartExporter(ChartExporter exporter);
const ChartExporter& chartExporter();

} // namespace wickly::cli
