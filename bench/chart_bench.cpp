// The time of one player chart, for a run chart of 20 innings and a dismissal pie of 8 slices:
// building the Qt chart and drawing it into a 500 x 300 picture, building and laying it out
// alone, and encoding the picture as a JPEG (quality 80).

#include "chart_document.h"
#include "chart_farm.h"
#include "chart_rendering.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QDir>
#include <QImage>


namespace {

using namespace wickly;

ChartDocument runChart()
{
    ChartDocument doc;
    doc.surface = ChartSurface::Bar;
    doc.titleLines = {"Runs Scored by J. Smith", "All Matches, 01-Jan-2010 to 31-Dec-2019"};
    doc.leftAxisTitle = "Runs";
    doc.bottomAxisTitle = "Year";
    double total = 0;
    for (int i = 0; i < 20; ++i) {
        const double runs = (i * 37) % 113 + 0.2;
        total += runs;
        doc.bars.push_back({runs, i % 5 == 0 ? std::to_string(2010 + i / 5) : std::string(), 9 + i % 3});
        doc.line.push_back({total / (i + 1), std::string(), 0});
    }
    return doc;
}

ChartDocument pieChart()
{
    ChartDocument doc;
    doc.surface = ChartSurface::Pie;
    doc.titleLines = {"Dismissals of J. Smith", "All Matches"};
    const char* labels[] = {"Bowled", "Caught", "LBW", "Run Out", "Stumped", "Not Out", "Retired", "Hit Wicket"};
    for (int i = 0; i < 8; ++i) {
        doc.slices.push_back({static_cast<double>(3 + i * 2), labels[i], 9 + i});
    }
    return doc;
}

void RenderChart(benchmark::State& state)
{
    const ChartDocument doc = state.range(0) == 0 ? runChart() : pieChart();
    for (auto _ : state) {
        QImage image = ui::renderChart(doc, 500, 300);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(RenderChart)->ArgName("pie")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void LayOutChart(benchmark::State& state)
{
    const ChartDocument doc = state.range(0) == 0 ? runChart() : pieChart();
    for (auto _ : state) {
        QGraphicsScene scene;
        QChart* chart = ui::makeChart(doc);
        scene.addItem(chart);
        chart->setAnimationOptions(QChart::NoAnimation);
        chart->resize(500, 300);
        chart->layout()->activate();
        benchmark::DoNotOptimize(chart);
    }
}
BENCHMARK(LayOutChart)->ArgName("pie")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void EncodeJpeg(benchmark::State& state)
{
    const QImage image = ui::renderChart(runChart(), 500, 300);
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG", 80);
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(EncodeJpeg)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    ui::drawOffscreenWithoutDisplay();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
