#include "startlocations/start_locations.h"

#include <cstdint>

#include "generator/parameters.h"
#include "generator/random.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "map/window_seam.h"

namespace pelorn {

namespace {

// Tiles this close to a quad's edge never carry a start location, which also
// keeps every tile the rules look at inside the map.
constexpr std::int32_t kEdgeMargin = 2;

// A random integer from 0 to m; both ends come out half as often as the rest.
std::int32_t randomUpTo(std::int32_t m) {
    const std::int32_t r = rand();
    if (m == 0) return 0;
    return roundHalfUpToSingle(static_cast<double>(r) / 32767.0 * m);
}

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

bool columnHoldsStartLocation(std::int32_t x, std::int32_t firstRow, std::int32_t lastRow) {
    const TerrainCode* column = mapGrid[x];
    for (std::int32_t y = firstRow; y <= lastRow; ++y) {
        if (isStartLocationCode(column[y])) return true;
    }
    return false;
}

// Any start location among the 18 tiles within two steps of (x, y).
bool startLocationNearby(std::int32_t x, std::int32_t y) {
    if (isStartLocationCode(mapGrid[x][y - 2]) || isStartLocationCode(mapGrid[x][y - 1]) ||
        isStartLocationCode(mapGrid[x][y + 1]) || isStartLocationCode(mapGrid[x][y + 2])) {
        return true;
    }
    // Even columns stand half a tile higher, so their side columns reach one row further up.
    const std::int32_t sideFirst = (x % 2 == 0) ? y - 2 : y - 1;
    if (columnHoldsStartLocation(x - 1, sideFirst, sideFirst + 3) ||
        columnHoldsStartLocation(x + 1, sideFirst, sideFirst + 3)) {
        return true;
    }
    return columnHoldsStartLocation(x - 2, y - 1, y + 1) || columnHoldsStartLocation(x + 2, y - 1, y + 1);
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
    const std::int32_t x = randomUpTo(width - 1);
    const std::int32_t y = randomUpTo(height - 1);
    if (!insideQuadMargin(x) || !insideQuadMargin(y)) return;
    if (surroundedByWater(x, y)) return;
    if (startLocationNearby(x, y)) return;
    const TerrainCode marked = startLocationCode(mapGrid[x][y]);
    if (marked != 0) mapGrid[x][y] = marked;
}

}  // namespace

std::int32_t startLocationTryCount() {
    // Unsigned arithmetic wraps without undefined behaviour; the result is
    // then read back as a two's-complement value.
    const std::uint32_t product = static_cast<std::uint32_t>(generatorParameters.genStartLocTries) *
                                  static_cast<std::uint32_t>(quadCountY) *
                                  static_cast<std::uint32_t>(quadCountX);
    if (product <= 0x7FFFFFFFu) return static_cast<std::int32_t>(product);
    return -static_cast<std::int32_t>(~product) - 1;
}

void generateStartLocations() {
    if (mapGrid) {
        const std::int32_t width = mapWidth();
        const std::int32_t height = mapHeight();
        clearStartLocations(width, height);
        const std::int32_t tries = startLocationTryCount();
        for (std::int32_t i = 0; i < tries; ++i) tryOnce(width, height);
    }
    invalidateRect(kMapAreaRect, true);
}

}  // namespace pelorn
