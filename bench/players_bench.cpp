// Players mode: the time to place 12 starts on a 10 x 10 quad world (generated,
// and all plains), the automatic spacing on 4 x 4 and 10 x 10 worlds, a batch of 200 generated 4 x 4 worlds with their starts, and
// the fairness reached over 100 default 4 x 4 worlds with 8 players 20 steps apart.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/symmetry.h"
#include "generator/world.h"
#include "map/map_grid.h"
#include "startlocations/players.h"

namespace {

void generate(pelorn::Map& map, std::int32_t quads, std::uint32_t seed) {
    map = pelorn::Map{};
    map.quadCountX = quads;
    map.quadCountY = quads;
    pelorn::Random random(seed);
    pelorn::generateRandomMap(map, pelorn::GeneratorParameters{}, random);
}

pelorn::PlayersOptions options(std::int32_t players, std::int32_t distance) {
    pelorn::PlayersOptions o;
    o.players = players;
    o.minDistance = distance;
    return o;
}

void BM_PlayersPlan10x10(benchmark::State& state) {
    pelorn::Map map;
    generate(map, 10, 1);
    const auto o = options(12, static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        const pelorn::PlayersPlan plan = pelorn::planPlayerStarts(map, o);
        benchmark::DoNotOptimize(plan.starts.data());
        state.counters["starts"] = static_cast<double>(plan.starts.size());
        state.counters["spread_pct"] = plan.report.landSpread.fraction() * 100;
    }
}
BENCHMARK(BM_PlayersPlan10x10)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);

// Players mode as it opens: the automatic spacing, homes and rooms made
// even. Targets: 4 x 4 quads with 8 players at most 0.25 s; 10 x 10 with 12
// at most 3 s.
void BM_PlayersAutomatic(benchmark::State& state) {
    pelorn::Map map;
    const auto quads = static_cast<std::int32_t>(state.range(0));
    generate(map, quads, 1);
    const auto o = options(static_cast<std::int32_t>(state.range(1)), pelorn::kAutomaticSpacing);
    for (auto _ : state) {
        const pelorn::PlayersPlan plan = pelorn::planPlayerStarts(map, o);
        benchmark::DoNotOptimize(plan.starts.data());
        state.counters["home_spread_pct"] = plan.report.landSpread.fraction() * 100;
        state.counters["room_spread_pct"] = plan.roomSpread.fraction() * 100;
    }
}
BENCHMARK(BM_PlayersAutomatic)->Args({4, 8})->Args({10, 12})->Unit(benchmark::kMillisecond);

// Symmetric sets whose rooms are made even: a 10 x 10 copies2 world with 12
// players at the automatic spacing (the rooms' walks stop at a work budget).
void BM_PlayersSymmetric10x10(benchmark::State& state) {
    pelorn::Map map;
    map.quadCountX = 10;
    map.quadCountY = 10;
    pelorn::Random random(3);
    pelorn::generateSymmetricMap(map, pelorn::GeneratorParameters{}, random, pelorn::Symmetry::kCopies2);
    auto o = options(12, pelorn::kAutomaticSpacing);
    o.symmetry = pelorn::Symmetry::kCopies2;
    for (auto _ : state) {
        const pelorn::PlayersPlan plan = pelorn::planPlayerStarts(map, o);
        benchmark::DoNotOptimize(plan.starts.data());
        state.counters["home_spread_pct"] = plan.report.landSpread.fraction() * 100;
        state.counters["room_spread_pct"] = plan.roomSpread.fraction() * 100;
    }
}
BENCHMARK(BM_PlayersSymmetric10x10)->Unit(benchmark::kMillisecond);

// The worst band for spreading the starts out: every legal tile equally good.
void BM_PlayersPlainMap10x10(benchmark::State& state) {
    pelorn::Map map;
    pelorn::replaceWithEmptyMap(map, 10, 10);
    for (int x = 0; x < pelorn::mapWidth(map); ++x)
        for (int y = 0; y < pelorn::mapHeight(map); ++y) map.mapGrid[x][y] = pelorn::kPlains;
    const auto o = options(12, 20);
    for (auto _ : state) {
        const pelorn::PlayersPlan plan = pelorn::planPlayerStarts(map, o);
        benchmark::DoNotOptimize(plan.starts.data());
    }
}
BENCHMARK(BM_PlayersPlainMap10x10)->Unit(benchmark::kMillisecond);

// A batch of 200 seeds on one thread: each world, then its starts at the
// automatic spacing. pelorn-cli makes one world per core:
// bench/players_batch.sh times that against the 60 s target on two cores.
void BM_Batch200Seeds4x4(benchmark::State& state) {
    const auto o = options(8, pelorn::kAutomaticSpacing);
    pelorn::Map map;
    for (auto _ : state) {
        for (std::uint32_t seed = 1; seed <= 200; ++seed) {
            generate(map, 4, seed);
            const pelorn::PlayersPlan plan = pelorn::planPlayerStarts(map, o);
            benchmark::DoNotOptimize(plan.starts.data());
        }
    }
}
BENCHMARK(BM_Batch200Seeds4x4)->Iterations(1)->Unit(benchmark::kMillisecond);

// Seeds 1 to 100, N 8, D 20, R 3: counters give the worst and the median
// spread in percent, the weakest start's value as a share of the best legal
// tile (worst world), the fewest starts placed and the closest pair.
void BM_PlayersQuality4x4(benchmark::State& state) {
    pelorn::Map map;
    for (auto _ : state) {
        std::vector<double> spreads;
        double worstShare = 1.0;
        double fewestStarts = 1e9;
        double closestPair = 1e9;
        double worstTerritory = 0;
        std::vector<double> territories;
        std::vector<double> closest;
        for (std::uint32_t seed = 1; seed <= 100; ++seed) {
            generate(map, 4, seed);
            const pelorn::PlayersPlan plan = pelorn::planPlayerStarts(map, options(8, 20));
            spreads.push_back(plan.report.landSpread.fraction() * 100);
            std::int32_t weakest = plan.bestLegalValue;
            for (const auto& s : plan.report.starts) {
                weakest = std::min(weakest, s.landValue);
                closestPair = std::min(closestPair, static_cast<double>(s.nearestRival));
            }
            if (plan.bestLegalValue > 0) worstShare = std::min(worstShare, static_cast<double>(weakest) / plan.bestLegalValue);
            fewestStarts = std::min(fewestStarts, static_cast<double>(plan.starts.size()));
            worstTerritory = std::max(worstTerritory, plan.report.territorySpread.fraction() * 100);
            territories.push_back(plan.report.territorySpread.fraction() * 100);
            double pair = 1e9;
            for (const auto& s : plan.report.starts) pair = std::min(pair, static_cast<double>(s.nearestRival));
            closest.push_back(pair);
        }
        std::sort(spreads.begin(), spreads.end());
        state.counters["max_spread_pct"] = spreads.back();
        state.counters["median_spread_pct"] = (spreads[49] + spreads[50]) / 2;
        state.counters["min_weakest_share"] = worstShare;
        state.counters["fewest_starts"] = fewestStarts;
        state.counters["closest_pair"] = closestPair;
        state.counters["max_territory_spread_pct"] = worstTerritory;
        std::sort(territories.begin(), territories.end());
        std::sort(closest.begin(), closest.end());
        state.counters["median_territory_spread_pct"] = (territories[49] + territories[50]) / 2;
        state.counters["median_closest_pair"] = (closest[49] + closest[50]) / 2;
    }
}
BENCHMARK(BM_PlayersQuality4x4)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
