#pragma once
// Draws a run of chart pictures (the web site's player charts) on every core. Qt Charts draws
// on the GUI thread only, so the other cores get helper processes: the program itself started
// with kChartWorkerArgument, each with its own offscreen application, drawing the pictures this
// process hands it over a socket while this process draws the rest and writes the pages.

#include "chart_document.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wickly::ui {

// The first argument that starts a program as a chart helper; the second is the number of the
// file descriptor of its socket. A program's main() hands such a start to chartWorkerMain
// before it makes its own application object.
inline constexpr const char* kChartWorkerArgument = "--chart-worker";

// Pictures are drawn on the display when there is one, so that they come out alike in every
// process of a run (text is measured at the screen's resolution); without one, on the offscreen
// platform. Call before the application object is made.
void drawOffscreenWithoutDisplay();

// True when the program was started as a chart helper.
bool isChartWorkerStart(int argc, char** argv);
// The helper's whole life: an application object (on the display of the process that started
// it, else offscreen), then each job read from the socket is drawn and answered, until the
// socket is closed. Returns the exit status.
int chartWorkerMain(int argc, char** argv);

// The helpers worth starting on this machine: one less than its cores, at most three.
int chartHelpersForThisMachine();

// One picture to draw.
struct ChartJob
{
    ChartDocument chart;
    std::string path;
    int width = 0;
    int height = 0;
    int quality = 0;
    bool operator==(const ChartJob&) const = default;
};

// A job as the socket carries it (without its length prefix), and back; false for bytes that
// are no job.
std::string encodeChartJob(const ChartJob& job);
bool decodeChartJob(std::string_view bytes, ChartJob& job);

class ChartFarm
{
public:
    // Starts `helpers` helper processes running `program` (this program's own executable); a
    // helper that cannot start is left out, and with none every picture is drawn here. Needs
    // the application object of this process for the pictures drawn here.
    ChartFarm(const std::string& program, int helpers);
    // Waits for the helpers (finish()).
    ~ChartFarm();
    ChartFarm(const ChartFarm&) = delete;
    ChartFarm& operator=(const ChartFarm&) = delete;

    // Draws the chart into a JPEG picture of width x height pixels at `path`, here or in a
    // helper. True when the picture is written or handed to a helper (finish() tells how that
    // went); false when it was drawn here and could not be written.
    bool save(const ChartDocument& chart, const std::string& path, int width, int height, int quality);
    // Waits until every picture handed to a helper is written and stops the helpers. The
    // pictures of a helper that stopped early are drawn here. Returns the paths of the pictures
    // handed over that could not be written.
    std::vector<std::string> finish();
    // The helpers running.
    int helpers() const;
    // The pictures handed to a helper so far.
    int handedOver() const { return m_handedOver; }

private:
    struct Helper;
    void collectAnswers(Helper& helper, bool wait);
    void takeBack(Helper& helper);

    std::vector<std::unique_ptr<Helper>> m_helpers;
    std::vector<std::string> m_failed;
    int m_handedOver = 0;
};

} // namespace wickly::ui
