// World generation at growing map sizes, reported per tile.
#include <benchmark/benchmark.h>

#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/symmetry.h"
#include "generator/world.h"
#include "map/map_grid.h"

namespace {

void BM_GenerateRandomMap(benchmark::State& state) {
    const auto quads = static_cast<std::int32_t>(state.range(0));
    pelorn::generatorParameters = pelorn::GeneratorParameters{};
    pelorn::resetMapState();
    pelorn::quadCountX = quads;
    pelorn::quadCountY = quads;
    std::uint32_t seed = 1;
    for (auto _ : state) {
        pelorn::seedRandom(seed++);
        pelorn::generateRandomMap();
        benchmark::DoNotOptimize(pelorn::mapGrid[0][0]);
    }
    const double tiles = static_cast<double>(pelorn::mapWidth()) * pelorn::mapHeight();
    state.counters["tiles"] = tiles;
    // Seconds per tile, shown in the counter's own unit scaling (e.g. 95n = 95 ns).
    state.counters["per_tile"] =
        benchmark::Counter(tiles, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    pelorn::resetMapState();
}
BENCHMARK(BM_GenerateRandomMap)->Arg(1)->Arg(2)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond);

// The sea search at its worst: no body of water is large enough, so all 200
// tries that land on a lake measure its body in full.
void BM_GenerateWithoutSea(benchmark::State& state) {
    const auto quads = static_cast<std::int32_t>(state.range(0));
    pelorn::generatorParameters = pelorn::GeneratorParameters{};
    pelorn::generatorParameters.genSeaTiles = 2'000'000'000;
    pelorn::resetMapState();
    pelorn::quadCountX = quads;
    pelorn::quadCountY = quads;
    std::uint32_t seed = 1;
    for (auto _ : state) {
        pelorn::seedRandom(seed++);
        pelorn::generateRandomMap();
        benchmark::DoNotOptimize(pelorn::mapGrid[0][0]);
    }
    const double tiles = static_cast<double>(pelorn::mapWidth()) * pelorn::mapHeight();
    state.counters["per_tile"] =
        benchmark::Counter(tiles, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    pelorn::resetMapState();
    pelorn::generatorParameters = pelorn::GeneratorParameters{};
}
BENCHMARK(BM_GenerateWithoutSea)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// The same worlds made symmetric, to hold against BM_GenerateRandomMap of the
// same size (the target: at most 1.2 times as long). Arguments: quads across,
// quads down, symmetry (0 none, 1 rotate2, 2 copies2, 3 copies4).
void BM_GenerateSymmetricMap(benchmark::State& state) {
    const auto symmetry = static_cast<pelorn::Symmetry>(state.range(2));
    pelorn::generatorParameters = pelorn::GeneratorParameters{};
    pelorn::resetMapState();
    pelorn::quadCountX = static_cast<std::int32_t>(state.range(0));
    pelorn::quadCountY = static_cast<std::int32_t>(state.range(1));
    std::uint32_t seed = 1;
    for (auto _ : state) {
        pelorn::seedRandom(seed++);
        pelorn::generateSymmetricMap(symmetry);
        benchmark::DoNotOptimize(pelorn::mapGrid[0][0]);
    }
    state.SetLabel(pelorn::symmetryName(symmetry));
    pelorn::resetMapState();
}
// The same seeds, 1 to 16, for every symmetry: worlds differ in their work
// (the sea search, the rivers), so a fair comparison makes the same ones.
BENCHMARK(BM_GenerateSymmetricMap)
    ->ArgsProduct({{2, 4, 10}, {2, 10}, {0, 1, 2, 3}})
    ->Iterations(16)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
