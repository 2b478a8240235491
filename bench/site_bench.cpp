// The time of one web site generation on a generated database of a large club (players and
// matches given as the benchmark's arguments; 20 clubs, 3 grades, one page set), with match and
// player pages. Built with the desktop's chart drawing (WICKLY_BUILD_QT), the chart pictures are
// drawn and saved as the command-line tool draws them, offscreen; without it the charts are
// built but not drawn.

#include "cli_support.h"
#include "max_database.h"
#include "site_generator.h"
#include "statistics_window_model.h"

#include <benchmark/benchmark.h>

#ifdef WICKLY_SITE_BENCH_CHARTS
#include "chart_document.h"
#include "chart_rendering.h"

#include <QApplication>
#include <QFile>
#endif

#include <cstdlib>
#include <filesystem>

namespace {

using namespace wickly;

void GenerateSite(benchmark::State& state)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "wickly-site-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    bench::MaxDatabaseSize size;
    size.players = static_cast<std::int32_t>(state.range(0));
    size.matches = static_cast<std::int32_t>(state.range(1));
    AppState app = bench::makeMaxDatabase(pattern, size);
    app.header.options.webFilePrefix.assign("wk");
    app.header.options.webPageFlags1 = 0; // every page and every chart
    app.header.options.webPageFlags2 = 0;
    // The third argument 0 leaves the pictures out (the charts are still built) to show what the
    // drawing costs.
    const cli::ChartExporter exporter = cli::chartExporter();
    if (state.range(2) == 0) {
        cli::setChartExporter({});
    }
    cli::HeadlessPlatform platform;
    std::size_t files = 0;
    for (auto _ : state) {
        stats::StatisticsWindowModel window(app, platform);
        window.reportChosen(stats::GenerateWebPages);
        window.listOptionChosen(false); // every player
        site::SiteSettings settings;
        settings.webFolder = pattern + "/web";
        const auto outcome = site::GenerateSite(app, platform, window, settings);
        if (!outcome) {
            state.SkipWithError(outcome.message().c_str());
            break;
        }
        files = outcome.value().files.size();
    }
    cli::setChartExporter(exporter);
    state.counters["files"] = static_cast<double>(files);
    std::filesystem::remove_all(pattern);
}
BENCHMARK(GenerateSite)
    ->ArgNames({"players", "matches", "pictures"})
    ->Args({300, 300, 1})
    ->Args({1000, 1000, 1})
    ->Args({2000, 5000, 0})
    ->Args({2000, 5000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
#ifdef WICKLY_SITE_BENCH_CHARTS
    if (std::getenv("DISPLAY") == nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    cli::setChartExporter([](const ChartDocument& chart, const std::string& path, int width, int height,
                             int quality) {
        return ui::saveChartJpeg(chart, QFile::decodeName(path.c_str()), width, height, quality);
    });
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
#ifdef WICKLY_SITE_BENCH_CHARTS
    cli::setChartExporter({});
#endif
    return 0;
}
