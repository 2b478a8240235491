// The time of each report on the largest database the format holds, beside the time of one
// sequential read of the match and innings working files (the floor any report pass has).

#include "max_database.h"
#include "stats_engine.h"
#include "working_set.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace {

using namespace wickly;

struct Database
{
    Database()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "wickly-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        folder = pattern;
        app = bench::makeMaxDatabase(folder);
    }
    ~Database() { std::filesystem::remove_all(folder); }

    std::string folder;
    AppState app;
};

Database& database()
{
    static Database db;
    return db;
}

void SequentialRead(benchmark::State& state)
{
    Database& db = database();
    const WorkingSet ws(db.app);
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        std::size_t total = 0;
        for (const RecordKind kind : {RecordKind::Match, RecordKind::Innings}) {
            std::ifstream in(ws.filePath(kind), std::ios::binary);
            while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
                total += static_cast<std::size_t>(in.gcount());
            }
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(SequentialRead)->Unit(benchmark::kMillisecond);

void Report(benchmark::State& state)
{
    Database& db = database();
    const WorkingSet ws(db.app);
    stats::StatsRequest r;
    r.reportKind = static_cast<int>(state.range(0));
    r.player = 1; // whose complete statistics the first catalogue entry shows
    r.reportLength = static_cast<int>(state.range(1));
    r.dateFrom = "18000101";
    r.dateTo = "21000101";
    r.battingMinRuns = 0;
    r.battingMinInnings = 0;
    r.bowlingMinOvers = 0;
    r.bowlingMinWickets = 0;
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = stats::ProduceReport(ws, r).lines.size();
        benchmark::DoNotOptimize(rows);
    }
    state.SetLabel(std::string(stats::catalogueEntry(r.reportKind).caption) + ", " + std::to_string(rows) + " rows");
}

void reportKinds(benchmark::internal::Benchmark* b)
{
    for (int kind = 0; kind < stats::kReportKindCount; ++kind) {
        // The web site generator is in the catalogue but is no report.
        if (stats::reportAvailable(kind) && kind != stats::GenerateWebPages) {
            b->Args({kind, 20});
        }
    }
    b->Args({stats::TopRunScores, 3000});
    b->Args({stats::TopRunAggregates, 3000});
}
BENCHMARK(Report)->Apply(reportKinds)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
