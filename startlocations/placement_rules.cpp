#include "startlocations/placement_rules.h"

#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn {

namespace {

bool columnHoldsStartLocation(std::int32_t x, std::int32_t firstRow, std::int32_t lastRow) {
    const TerrainCode* column = mapGrid[x];
    for (std::int32_t y = firstRow; y <= lastRow; ++y) {
        if (isStartLocationCode(column[y])) return true;
    }
    return false;
}

}  // namespace

bool insideQuadMargin(std::int32_t v) {
    const std::int32_t q = v % kQuadSize;
    return q >= kEdgeMargin && q < kQuadSize - kEdgeMargin;
}

bool surroundedByWater(std::int32_t x, std::int32_t y) {
    for (const TilePos& n : hexNeighbours(x, y)) {
        if (!isWaterCode(mapGrid[n.x][n.y])) return false;
    }
    return true;
}

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

}  // namespace pelorn
