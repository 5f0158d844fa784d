// Recovery copies of a 10 by 10 quad map (1,000,000 tiles), which the editor
// writes while the user waits (before New, Open, a world, the end) and every
// two minutes while edits are unsaved. The goal: at most 100 ms each, so the
// editor never stutters. Run from anywhere: it works in a temporary folder.
#include <benchmark/benchmark.h>

#include "bench_files.h"
#include "editing/document.h"
#include "editing/editor.h"
#include "editing/unsaved_work.h"
#include "files/recovery_file.h"
#include "map/map_grid.h"

namespace {

using namespace pelorn;

using bench::makeBenchMap;

// With five copies there already: one deleted, four moved, one written.
void BM_NewRecoveryCopy(benchmark::State& state) {
    Map map;
    makeBenchMap(map);
    for (int i = 0; i < kRecoveryCopies; ++i) writeNewRecoveryCopy(map);
    for (auto _ : state) benchmark::DoNotOptimize(writeNewRecoveryCopy(map));
}

// The autosave's usual work: this session's copy brought up to date.
void BM_RewriteRecoveryCopy(benchmark::State& state) {
    Map map;
    makeBenchMap(map);
    writeNewRecoveryCopy(map);
    for (auto _ : state) benchmark::DoNotOptimize(rewriteRecoveryCopy(map, 1));
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
