// World generation at growing map sizes, reported per tile.
#include <benchmark/benchmark.h>

#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/symmetry.h"
#include "generator/world.h"
#include "map/map_grid.h"

namespace {

pelorn::Map mapOf(std::int32_t quadsX, std::int32_t quadsY) {
    pelorn::Map map;
    map.quadCountX = quadsX;
    map.quadCountY = quadsY;
    return map;
}

// Seconds per tile, shown in the counter's own unit scaling (e.g. 95n = 95 ns).
benchmark::Counter perTile(double tiles) {
    return benchmark::Counter(tiles, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_GenerateRandomMap(benchmark::State& state) {
    const auto quads = static_cast<std::int32_t>(state.range(0));
    pelorn::Map map = mapOf(quads, quads);
    const pelorn::GeneratorParameters parameters;
    pelorn::Random random;
    std::uint32_t seed = 1;
    for (auto _ : state) {
        random.seed(seed++);
        pelorn::generateRandomMap(map, parameters, random);
        benchmark::DoNotOptimize(map.mapGrid[0][0]);
    }
    const double tiles = static_cast<double>(pelorn::mapWidth(map)) * pelorn::mapHeight(map);
    state.counters["tiles"] = tiles;
    state.counters["per_tile"] = perTile(tiles);
}
BENCHMARK(BM_GenerateRandomMap)->Arg(1)->Arg(2)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond);

// The sea search at its worst: no body of water is large enough, so all 200
// tries that land on a lake measure its body in full.
void BM_GenerateWithoutSea(benchmark::State& state) {
    const auto quads = static_cast<std::int32_t>(state.range(0));
    pelorn::Map map = mapOf(quads, quads);
    pelorn::GeneratorParameters parameters;
    parameters.genSeaTiles = 2'000'000'000;
    pelorn::Random random;
    std::uint32_t seed = 1;
    for (auto _ : state) {
        random.seed(seed++);
        pelorn::generateRandomMap(map, parameters, random);
        benchmark::DoNotOptimize(map.mapGrid[0][0]);
    }
    state.counters["per_tile"] = perTile(static_cast<double>(pelorn::mapWidth(map)) * pelorn::mapHeight(map));
}
BENCHMARK(BM_GenerateWithoutSea)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// The same worlds made symmetric, to hold against BM_GenerateRandomMap of the
// same size (the target: at most 1.2 times as long). Arguments: quads across,
// quads down, symmetry (0 none, 1 rotate2, 2 copies2, 3 copies4).
void BM_GenerateSymmetricMap(benchmark::State& state) {
    const auto symmetry = static_cast<pelorn::Symmetry>(state.range(2));
    pelorn::Map map = mapOf(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
    const pelorn::GeneratorParameters parameters;
    pelorn::Random random;
    std::uint32_t seed = 1;
    for (auto _ : state) {
        random.seed(seed++);
        pelorn::generateSymmetricMap(map, parameters, random, symmetry);
        benchmark::DoNotOptimize(map.mapGrid[0][0]);
    }
    state.SetLabel(pelorn::symmetryName(symmetry));
}
// The same seeds, 1 to 16, for every symmetry: worlds differ in their work
// (the sea search, the rivers), so a fair comparison makes the same ones.
BENCHMARK(BM_GenerateSymmetricMap)
    ->ArgsProduct({{2, 4, 10}, {2, 10}, {0, 1, 2, 3}})
    ->Iterations(16)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
