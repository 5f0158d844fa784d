#include "startlocations/start_locations.h"

#include <cstdint>

#include "generator/parameters.h"
#include "generator/random.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "startlocations/placement_rules.h"

namespace pelorn {

namespace {

void tryOnce(std::int32_t width, std::int32_t height) {
    const std::int32_t x = drawScaled(width - 1);
    const std::int32_t y = drawScaled(height - 1);
    if (!insideQuadMargin(x) || !insideQuadMargin(y)) return;
    if (surroundedByWater(x, y)) return;
    if (startLocationNearby(x, y)) return;
    const TerrainCode marked = startLocationCode(mapGrid[x][y]);
    if (marked != 0) mapGrid[x][y] = marked;
}

}  // namespace

std::int32_t startLocationTryCount() { return triesOverMap(generatorParameters.genStartLocTries); }

bool generateStartLocations() {
    if (!mapGrid) return false;
    const std::int32_t width = mapWidth();
    const std::int32_t height = mapHeight();
    clearStartLocations(width, height);
    const std::int32_t tries = startLocationTryCount();
    for (std::int32_t i = 0; i < tries; ++i) tryOnce(width, height);
    return true;
}

}  // namespace pelorn
