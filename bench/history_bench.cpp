// Undo and redo of whole-map edits on a 10 x 10-quad map (1,000,000 tiles),
// each beside the edit itself as the editor runs it, history included. Undo
// and redo should take no longer than the edit.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "editing/history.h"
#include "editing/tools.h"
#include "generator/random.h"
#include "generator/world.h"
#include "map/map_grid.h"

namespace {

using namespace pelorn;

// A generated world to start every edit from.
const std::vector<TerrainCode>& generatedWorld() {
    static const std::vector<TerrainCode> world = [] {
        resetMapState();
        quadCountX = 10;
        quadCountY = 10;
        allocateMapGrid();
        seedRandom(20240601);
        generateRandomMap();
        return std::vector<TerrainCode>(mapGrid[0], mapGrid[0] + std::size_t{1000} * 1000);
    }();
    return world;
}

void startFromGeneratedWorld() {
    const std::vector<TerrainCode>& world = generatedWorld();
    if (!mapGrid || quadCountX != 10 || quadCountY != 10) {
        resetMapState();
        quadCountX = 10;
        quadCountY = 10;
        allocateMapGrid();
    }
    for (int x = 0; x < 1000; ++x) std::memcpy(mapGrid[x], world.data() + std::size_t{1000} * x, 1000 * sizeof(TerrainCode));
    historyClear();
}

void fillWithHills() {
    currentTerrain = kHills;
    fillTool = true;
    fillWholeMap();
}

void BM_WholeMapFill(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        startFromGeneratedWorld();
        state.ResumeTiming();
        fillWithHills();
    }
    historyClear();
}
BENCHMARK(BM_WholeMapFill)->Unit(benchmark::kMillisecond);

void BM_UndoWholeMapFill(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        startFromGeneratedWorld();
        fillWithHills();
        state.ResumeTiming();
        undoLastEdit();
    }
    historyClear();
}
BENCHMARK(BM_UndoWholeMapFill)->Unit(benchmark::kMillisecond);

void BM_RedoWholeMapFill(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        startFromGeneratedWorld();
        fillWithHills();
        undoLastEdit();
        state.ResumeTiming();
        redoLastEdit();
    }
    historyClear();
}
BENCHMARK(BM_RedoWholeMapFill)->Unit(benchmark::kMillisecond);

void generate() {
    seedRandom(77);
    generateRandomMap();
}

// The generator rewrites the whole map too; it takes far longer than its undo.
void BM_Generation(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        startFromGeneratedWorld();
        state.ResumeTiming();
        runRecordedWholeMapEdit(generate);
    }
    historyClear();
}
BENCHMARK(BM_Generation)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UndoGeneration(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        startFromGeneratedWorld();
        runRecordedWholeMapEdit(generate);
        state.ResumeTiming();
        undoLastEdit();
    }
    historyClear();
}
BENCHMARK(BM_UndoGeneration)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RedoGeneration(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        startFromGeneratedWorld();
        runRecordedWholeMapEdit(generate);
        undoLastEdit();
        state.ResumeTiming();
        redoLastEdit();
    }
    historyClear();
}
BENCHMARK(BM_RedoGeneration)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
