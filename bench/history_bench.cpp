// Undo and redo of whole-map edits on a 10 x 10-quad map (1,000,000 tiles),
// each beside the edit itself as the editor runs it, history included. Undo
// and redo should take no longer than the edit.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "editing/document.h"
#include "editing/editor.h"
#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/world.h"
#include "map/map_grid.h"

namespace {

using namespace pelorn;

// A generated world to start every edit from, made once.
const std::vector<TerrainCode>& generatedWorld() {
    static const std::vector<TerrainCode> world = [] {
        Map map;
        map.quadCountX = 10;
        map.quadCountY = 10;
        allocateMapGrid(map);
        Random random(20240601);
        generateRandomMap(map, GeneratorParameters{}, random);
        return std::vector<TerrainCode>(map.mapGrid[0], map.mapGrid[0] + std::size_t{1000} * 1000);
    }();
    return world;
}

// A document and its editor as the program holds them.
struct Session {
    Document document;
    Editor editor{document};
    GeneratorParameters parameters;

    void startFromGeneratedWorld() {
        const std::vector<TerrainCode>& world = generatedWorld();
        Map& map = document.map;
        if (!map.mapGrid || map.quadCountX != 10 || map.quadCountY != 10) replaceWithEmptyMap(map, 10, 10);
        for (int x = 0; x < 1000; ++x)
            std::memcpy(map.mapGrid[x], world.data() + std::size_t{1000} * x, 1000 * sizeof(TerrainCode));
        document.history.clear();
    }

    void fillWithHills() {
        editor.screen.currentTerrain = kHills;
        editor.screen.fillTool = true;
        editor.fillWholeMap();
    }

    // The generator rewrites the whole map as one recorded edit.
    void generate() {
        editor.runRecordedWholeMapEdit([this] {
            Random random(77);
            parameters = generateRandomMap(document.map, parameters, random).parameters;
        });
    }
};

void BM_WholeMapFill(benchmark::State& state) {
    Session session;
    for (auto _ : state) {
        state.PauseTiming();
        session.startFromGeneratedWorld();
        state.ResumeTiming();
        session.fillWithHills();
    }
}
BENCHMARK(BM_WholeMapFill)->Unit(benchmark::kMillisecond);

void BM_UndoWholeMapFill(benchmark::State& state) {
    Session session;
    for (auto _ : state) {
        state.PauseTiming();
        session.startFromGeneratedWorld();
        session.fillWithHills();
        state.ResumeTiming();
        session.editor.undo();
    }
}
BENCHMARK(BM_UndoWholeMapFill)->Unit(benchmark::kMillisecond);

void BM_RedoWholeMapFill(benchmark::State& state) {
    Session session;
    for (auto _ : state) {
        state.PauseTiming();
        session.startFromGeneratedWorld();
        session.fillWithHills();
        session.editor.undo();
        state.ResumeTiming();
        session.editor.redo();
    }
}
BENCHMARK(BM_RedoWholeMapFill)->Unit(benchmark::kMillisecond);

// The generator takes far longer than its undo.
void BM_Generation(benchmark::State& state) {
    Session session;
    for (auto _ : state) {
        state.PauseTiming();
        session.startFromGeneratedWorld();
        state.ResumeTiming();
        session.generate();
    }
}
BENCHMARK(BM_Generation)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UndoGeneration(benchmark::State& state) {
    Session session;
    for (auto _ : state) {
        state.PauseTiming();
        session.startFromGeneratedWorld();
        session.generate();
        state.ResumeTiming();
        session.editor.undo();
    }
}
BENCHMARK(BM_UndoGeneration)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RedoGeneration(benchmark::State& state) {
    Session session;
    for (auto _ : state) {
        state.PauseTiming();
        session.startFromGeneratedWorld();
        session.generate();
        session.editor.undo();
        state.ResumeTiming();
        session.editor.redo();
    }
}
BENCHMARK(BM_RedoGeneration)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
