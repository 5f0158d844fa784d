#include "startlocations/start_locations.h"

#include <cstdint>

#include "generator/parameters.h"
#include "generator/random.h"
#include "map/hex_geometry.h"
#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn {

namespace {

// Tiles this close to a quad's edge never carry a start location, which also
// keeps every tile the rules look at inside the map.
constexpr std::int32_t kEdgeMargin = 2;

bool insideQuadMargin(std::int32_t v) {
    const std::int32_t q = v % kQuadSize;
    return q >= kEdgeMargin && q < kQuadSize - kEdgeMargin;
}

// Every one of the six neighbours is water.
bool surroundedByWater(std::int32_t x, std::int32_t y) {
    for (const TilePos& n : hexNeighbours(x, y)) {
        if (!isWaterCode(mapGrid[n.x][n.y])) return false;
    }
    return true;
}

// Any start location within two steps of (x, y). The tile itself is among
// them: a start location there stays as it is either way.
bool startLocationNearby(std::int32_t x, std::int32_t y) {
    for (const ColumnRun& run : withinTwoSteps(x)) {
        const TerrainCode* column = mapGrid[x + run.dx];
        for (std::int32_t row = y + run.firstDy; row <= y + run.lastDy; ++row) {
            if (isStartLocationCode(column[row])) return true;
        }
    }
    return false;
}

void clearStartLocations(std::int32_t width, std::int32_t height) {
    for (std::int32_t x = 0; x < width; ++x) {
        TerrainCode* column = mapGrid[x];
        for (std::int32_t y = 0; y < height; ++y) {
            if (isStartLocationCode(column[y])) column[y] = baseCode(column[y]);
        }
    }
}

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
