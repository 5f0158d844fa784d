// The bucket fill of a whole 10 x 10-quad map (1,000,000 tiles of one code)
// beside one plain pass that writes every tile of the same grid. The fill
// should stay within four times the plain pass.
#include <benchmark/benchmark.h>

#include "generator/random.h"
#include "map/flood_fill.h"
#include "map/map_grid.h"

namespace {

using namespace pelorn;

// A 10 x 10-quad map, every tile 0.
void makeMap(Map& map) { replaceWithEmptyMap(map, 10, 10); }

void BM_FloodFillWholeMap(benchmark::State& state) {
    Map map;
    makeMap(map);
    const MapGrid mapGrid = map.mapGrid;
    TerrainCode code = kSea;
    for (auto _ : state) {
        floodFill(map, 500, 500, code);
        benchmark::DoNotOptimize(mapGrid[0][0]);
        code = code == kSea ? kLake : kSea;
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_FloodFillWholeMap)->Unit(benchmark::kMillisecond);

void BM_PlainPassWholeMap(benchmark::State& state) {
    Map map;
    makeMap(map);
    const MapGrid mapGrid = map.mapGrid;
    TerrainCode code = kSea;
    for (auto _ : state) {
        const std::int32_t width = mapWidth(map);
        const std::int32_t height = mapHeight(map);
        for (std::int32_t x = 0; x < width; ++x) {
            TerrainCode* column = mapGrid[x];
            for (std::int32_t y = 0; y < height; ++y) column[y] = code;
        }
        benchmark::ClobberMemory();
        code = code == kSea ? kLake : kSea;
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_PlainPassWholeMap)->Unit(benchmark::kMillisecond);

// A map of scattered land and water, six tiles of ten water: one large
// ragged area, where the fill mostly walks tile by tile.
void BM_FloodFillScatteredMap(benchmark::State& state) {
    Map map;
    makeMap(map);
    const MapGrid mapGrid = map.mapGrid;
    Random random(2024);
    for (int x = 0; x < 1000; ++x)
        for (int y = 0; y < 1000; ++y) mapGrid[x][y] = random.next() % 10 < 6 ? kLake : kHills;
    mapGrid[500][500] = kLake;
    TerrainCode code = kSea;
    for (auto _ : state) {
        floodFill(map, 500, 500, code);
        benchmark::DoNotOptimize(mapGrid[0][0]);
        code = code == kSea ? kLake : kSea;
    }
}
BENCHMARK(BM_FloodFillScatteredMap)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
