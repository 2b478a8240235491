// The time of one web site generation on a generated database of a large club (players and
// matches given as the benchmark's arguments; 3 grades, one page set), with match and player
// pages, on a platform that draws no charts (the charts are still built).

#include "cli_support.h"
#include "max_database.h"
#include "site_generator.h"
#include "statistics_window_model.h"

#include <benchmark/benchmark.h>

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
    app.header.options.webPageFlags1 = 0;
    app.header.options.webPageFlags2 = 0;
    cli::HeadlessPlatform platform; // no exporter installed: no pictures are written
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
        benchmark::DoNotOptimize(outcome.value().files.size());
    }
    std::filesystem::remove_all(pattern);
}
BENCHMARK(GenerateSite)->Args({300, 300})->Args({1000, 1000})->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
