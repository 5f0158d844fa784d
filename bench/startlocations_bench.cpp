// Start-location placement on a 10 x 10 quad map at the default 1000 tries per
// quad (100,000 tries), on plain land and on a mixed land-and-water map.
#include <benchmark/benchmark.h>

#include "generator/parameters.h"
#include "generator/random.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "startlocations/start_locations.h"

namespace {

void makeMap(pelorn::Map& map, bool mixed) {
    pelorn::replaceWithEmptyMap(map, 10, 10);
    for (int x = 0; x < pelorn::mapWidth(map); ++x)
        for (int y = 0; y < pelorn::mapHeight(map); ++y)
            map.mapGrid[x][y] = (mixed && (x / 7 + y / 5) % 3 == 0) ? pelorn::kSea : pelorn::kPlains;
}

void runPlacement(benchmark::State& state, bool mixed) {
    pelorn::Map map;
    makeMap(map, mixed);
    const pelorn::GeneratorParameters parameters;
    pelorn::Random random(1);
    for (auto _ : state) {
        pelorn::generateStartLocations(map, parameters, random);
        benchmark::DoNotOptimize(map.mapGrid[50][50]);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}

void BM_StartLocationsPlains10x10(benchmark::State& state) { runPlacement(state, false); }
void BM_StartLocationsMixed10x10(benchmark::State& state) { runPlacement(state, true); }

}  // namespace

BENCHMARK(BM_StartLocationsPlains10x10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartLocationsMixed10x10)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
