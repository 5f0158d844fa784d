// Recovery copies of a 10 by 10 quad map (1,000,000 tiles), which the editor
// writes while the user waits (before New, Open, a world, the end) and every
// two minutes while edits are unsaved. The goal: at most 100 ms each, so the
// editor never stutters. Run from anywhere: it works in a temporary folder.
#include <benchmark/benchmark.h>

#include "bench_files.h"
#include "editing/history.h"
#include "editing/unsaved_work.h"
#include "files/recovery_file.h"
#include "map/map_grid.h"

namespace {

using namespace pelorn;

using bench::makeBenchMap;

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

int main(int argc, char** argv) { return pelorn::bench::runInTemporaryFolder(argc, argv, "pelorn-recovery-bench"); }
