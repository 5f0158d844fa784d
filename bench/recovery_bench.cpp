// Recovery copies of a 10 by 10 quad map (1,000,000 tiles), which the editor
// writes while the user waits (before New, Open, a world, the end) and every
// two minutes while edits are unsaved. The goal: at most 100 ms each, so the
// editor never stutters. Run from anywhere: it works in a temporary folder.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_files.h"
#include "editing/document.h"
#include "editing/editor.h"
#include "editing/unsaved_work.h"
#include "files/recovery_file.h"
#include "map/map_grid.h"

namespace {

using namespace pelorn;

using bench::makeBenchMap;

// With the folder full: one written, the oldest of an ended run deleted.
void BM_NewRecoveryCopy(benchmark::State& state) {
    Map map;
    makeBenchMap(map);
    {
        RecoveryRun ended;
        for (std::size_t i = 0; i < kKeptRecoveryCopies; ++i) writeNewRecoveryCopy(ended, map);
    }
    RecoveryRun run;
    for (auto _ : state) benchmark::DoNotOptimize(writeNewRecoveryCopy(run, map));
}

// The autosave's usual work: the map's copy brought up to date.
void BM_RewriteRecoveryCopy(benchmark::State& state) {
    Map map;
    makeBenchMap(map);
    RecoveryRun run;
    const std::string path = writeNewRecoveryCopy(run, map);
    for (auto _ : state) benchmark::DoNotOptimize(rewriteRecoveryCopy(map, path));
}

// What the editor runs before it drops a map: one edit, then the copy.
void BM_KeepUnsavedWork(benchmark::State& state) {
    Document document;
    Editor editor(document);
    makeBenchMap(document.map);
    MapGrid mapGrid = document.map.mapGrid;
    TerrainCode code = 0;
    for (auto _ : state) {
        state.PauseTiming();
        document.history.recordTile(5, 5, mapGrid[5][5], code);
        mapGrid[5][5] = code;
        document.history.endEdit();
        code = (code + 1) % 39;
        state.ResumeTiming();
        benchmark::DoNotOptimize(keepUnsavedWork(editor));
    }
}

BENCHMARK(BM_NewRecoveryCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RewriteRecoveryCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_KeepUnsavedWork)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return pelorn::bench::runInTemporaryFolder(argc, argv, "pelorn-recovery-bench"); }
