#pragma once
// The chart window: shows one player chart, prints it through a print preview and saves it as a
// JPEG picture of 500 x 300 pixels.

#include "chart_document.h"
#include "platform.h"

#include <string>

namespace wickly::stats {

inline constexpr int kChartSaveWidth = 500;
inline constexpr int kChartSaveHeight = 300;
inline constexpr int kChartJpegQuality = 80;

class ChartWindowModel : public WindowModel
{
public:
    ChartWindowModel(Platform& platform, ChartDocument chart);

    // ---- State shown by the view
    ChartDocument chart;
    const std::string& caption() const { return chart.caption; }
    // Set by "Close"; the view closes the window when it sees it.
    bool closed = false;

    // ---- Actions
    void printClicked();
    void saveClicked();
    void closeClicked() { closed = true; }

private:
    Platform& m_platform;
};

// The name a chart picture is saved under: ".jpg" is added when the file's own name has no ".".
std::string ChartFileName(const std::string& chosen);

} // namespace wickly::stats
