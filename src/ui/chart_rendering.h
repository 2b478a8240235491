#pragma once
// Draws the logic's charts with Qt Charts: on screen (the chart window), in a print preview, and
// as JPEG pictures drawn without a window.

#include <QString>

class QChart;
class QImage;
class QPainter;
class QRectF;

namespace wickly {
struct ChartDocument;
}

namespace wickly::ui {

// A Qt chart showing `chart` with its fixed appearance; the caller owns it.
QChart* makeChart(const ChartDocument& chart);
// The chart drawn into a picture of width x height pixels.
QImage renderChart(const ChartDocument& chart, int width, int height);
// Writes the chart as a JPEG picture; false when the file could not be written.
bool saveChartJpeg(const ChartDocument& chart, const QString& path, int width, int height, int quality);
// Draws the chart into `target` of a painter (a printer page), keeping its proportions.
void paintChart(const ChartDocument& chart, QPainter& painter, const QRectF& target);

} // namespace wickly::ui
