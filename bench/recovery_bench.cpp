// Recovery copies of a 10 by 10 quad map (1,000,000 tiles), which the editor
// writes while the user waits (before New, Open, a world, the end) and every
// two minutes while edits are unsaved. The goal: at most 100 ms each, so the
// editor never stutters. Run from anywhere: it works in a temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

#include "editing/unsaved_work.h"
#include "files/recovery_file.h"
#include "editing/history.h"
#include "map/map_grid.h"
#include "map/terrain.h"

namespace {

using namespace pelorn;

// A 10 by 10 quad map of mixed codes, as the generator leaves them.
void makeBenchMap() {
    resetMapState();
    buildTerrainPalette();
    quadCountX = 10;
    quadCountY = 10;
    currentMapName = "Bench";
    allocateMapGrid();
    std::uint32_t state = 12345;
    for (std::int32_t x = 0; x < mapWidth(); ++x)
        for (std::int32_t y = 0; y < mapHeight(); ++y) {
            state = state * 214013u + 2531011u;
            mapGrid[x][y] = static_cast<TerrainCode>((state >> 16) % 61);
        }
}

// With five copies there already: one deleted, four moved, one written.
void BM_NewRecoveryCopy(benchmark::State& state) {
    makeBenchMap();
    for (int i = 0; i < kRecoveryCopies; ++i) writeNewRecoveryCopy();
    for (auto _ : state) benchmark::DoNotOptimize(writeNewRecoveryCopy());
}

// The autosave's usual work: this session's copy brought up to date.
void BM_RewriteRecoveryCopy(benchmark::State& state) {
    makeBenchMap();
    writeNewRecoveryCopy();
    for (auto _ : state) benchmark::DoNotOptimize(rewriteRecoveryCopy(1));
}

// What the editor runs before it drops a map: one edit, then the copy.
void BM_KeepUnsavedWork(benchmark::State& state) {
    makeBenchMap();
    historyClear();
    TerrainCode code = 0;
    for (auto _ : state) {
        state.PauseTiming();
        historyRecordTile(5, 5, mapGrid[5][5], code);
        mapGrid[5][5] = code;
        historyEndEdit();
        code = (code + 1) % 39;
        state.ResumeTiming();
        benchmark::DoNotOptimize(keepUnsavedWork());
    }
}

BENCHMARK(BM_NewRecoveryCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RewriteRecoveryCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_KeepUnsavedWork)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path previous = fs::current_path();
    const fs::path folder = fs::temp_directory_path() / ("pelorn-recovery-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    fs::current_path(folder);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    resetMapState();
    fs::current_path(previous);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
