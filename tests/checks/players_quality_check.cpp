// Players mode over 100 default worlds of 4 x 4 quads (seeds 1 to 100), with
// 8 players at least 20 steps apart and land values within 3 steps: every
// world must get exactly 8 starts, every pair 20 steps apart or more, a land
// value spread of at most 5% (at most 2% in the median world), and a weakest
// start worth at least 90% of the best legal tile of its map. The best legal
// tile is found here again, tile by tile, without the planner's tables.
// Too many worlds for the sanitizer builds, so CTest runs it on the plain
// build only. Prints the measures; exits 1 when one fails.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/world.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "startlocations/placement_rules.h"
#include "startlocations/players.h"

namespace {

using namespace pelorn;

constexpr std::uint32_t kSeeds = 100;
constexpr std::int32_t kQuads = 4;
constexpr std::int32_t kPlayers = 8;
constexpr std::int32_t kDistance = 20;

std::int32_t bestLegalValue(const Map& map, const PlayersOptions& options) {
    std::int32_t best = 0;
    for (std::int32_t x = 0; x < mapWidth(map); ++x) {
        for (std::int32_t y = 0; y < mapHeight(map); ++y) {
            if (!insideQuadMargin(x) || !insideQuadMargin(y)) continue;
            if (startLocationCode(baseCode(map.mapGrid[x][y])) == 0 || surroundedByWater(map, x, y)) continue;
            best = std::max(best, landValueAt(map, x, y, options.radius, options.weights));
        }
    }
    return best;
}

}  // namespace

int main() {
    PlayersOptions options;
    options.players = kPlayers;
    options.minDistance = kDistance;
    std::vector<double> spreads;
    double worstShare = 1.0;
    std::int32_t closest = -1;
    double worstTerritory = 0;
    int failures = 0;
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        Map map;
        map.quadCountX = kQuads;
        map.quadCountY = kQuads;
        Random random(seed);
        generateRandomMap(map, GeneratorParameters{}, random);
        if (!map.mapGrid) {
            std::printf("seed %u: no world\n", seed);
            return 1;
        }
        const PlayersPlan plan = generatePlayerStartLocations(map, options);
        const std::vector<TilePos> onMap = startLocationsOnMap(map);
        const HexTorus torus = mapTorus(map);
        std::int32_t pairSteps = -1;
        for (std::size_t i = 0; i < onMap.size(); ++i)
            for (std::size_t j = 0; j < i; ++j) {
                const std::int32_t d = torus.distance(onMap[i], onMap[j]);
                if (pairSteps < 0 || d < pairSteps) pairSteps = d;
            }
        std::int32_t weakest = plan.report.starts.empty() ? 0 : plan.report.starts.front().landValue;
        for (const StartFacts& s : plan.report.starts) weakest = std::min(weakest, s.landValue);
        const std::int32_t best = bestLegalValue(map, options);
        const double share = best > 0 ? static_cast<double>(weakest) / best : 1.0;
        const double spread = plan.report.landSpread.fraction();
        spreads.push_back(spread);
        worstShare = std::min(worstShare, share);
        if (closest < 0 || pairSteps < closest) closest = pairSteps;
        worstTerritory = std::max(worstTerritory, plan.report.territorySpread.fraction());
        const bool ok = plan.complete && onMap.size() == static_cast<std::size_t>(kPlayers) && onMap == plan.starts &&
                        pairSteps >= kDistance && spread <= 0.05 && share >= 0.9 && best == plan.bestLegalValue;
        if (!ok) {
            ++failures;
            std::printf("seed %u: %zu starts on the map, closest pair %d steps, spread %.2f%%, weakest %d of best %d "
                        "(planner's best %d)\n",
                        seed, onMap.size(), pairSteps, spread * 100, weakest, best, plan.bestLegalValue);
        }
    }
    std::sort(spreads.begin(), spreads.end());
    const double median = (spreads[kSeeds / 2 - 1] + spreads[kSeeds / 2]) / 2;
    if (median > 0.02) ++failures;
    std::printf("players mode, %u worlds of %dx%d quads, %d players %d steps apart, radius 3:\n", kSeeds, kQuads,
                kQuads, kPlayers, kDistance);
    std::printf("  land value spread: at most %.2f%%, median %.2f%%\n", spreads.back() * 100, median * 100);
    std::printf("  weakest start: at least %.1f%% of the best legal tile\n", worstShare * 100);
    std::printf("  closest pair: %d steps\n", closest);
    std::printf("  territory spread (reported only): at most %.2f%%\n", worstTerritory * 100);
    std::printf("%s\n", failures == 0 ? "all targets met" : "TARGETS MISSED");
    return failures == 0 ? 0 : 1;
}
