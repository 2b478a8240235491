// The time of one web site generation on a generated database of a large club (players and
// matches given as the benchmark's arguments; 20 clubs, 3 grades, one page set), with match and
// player pages. Built with the desktop's chart drawing (WICKLY_BUILD_QT), the chart pictures are
// drawn and saved as `wickly-cli web` draws them, offscreen, with the given number of helper
// processes; without it the charts are built but not drawn.

#include "cli_support.h"
#include "max_database.h"
#include "site_generator.h"
#include "statistics_window_model.h"

#include <benchmark/benchmark.h>

#ifdef WICKLY_SITE_BENCH_CHARTS
#include "chart_farm.h"
#include "cli_charts.h"

#include <QApplication>
#endif

#include <cstdlib>
#include <filesystem>
#include <memory>

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
    // Pictures: -1 none (the charts are still built), else drawn with that many helpers.
    const auto helpers = static_cast<int>(state.range(2));
#ifdef WICKLY_SITE_BENCH_CHARTS
    std::unique_ptr<cli::QtChartDrawer> drawer;
    if (helpers >= 0) {
        drawer = std::make_unique<cli::QtChartDrawer>(cli::thisExecutable(), helpers);
    }
    cli::setChartDrawer(drawer.get());
#else
    (void)helpers;
#endif
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
    cli::setChartDrawer(nullptr);
    state.counters["files"] = static_cast<double>(files);
    std::filesystem::remove_all(pattern);
}
BENCHMARK(GenerateSite)
    ->ArgNames({"players", "matches", "helpers"})
    ->Args({300, 300, 0})
    ->Args({1000, 1000, 0})
    ->Args({2000, 5000, -1})
    ->Args({2000, 5000, 0})
    ->Args({2000, 5000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
#ifdef WICKLY_SITE_BENCH_CHARTS
    if (ui::isChartWorkerStart(argc, argv)) {
        return ui::chartWorkerMain(argc, argv);
    }
    ui::drawOffscreenWithoutDisplay();
    QApplication application(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
