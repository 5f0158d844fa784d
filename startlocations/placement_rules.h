// The placement rules every start location obeys, however it is chosen: the
// classic random tries and the players mode share them. Inline, since the
// classic generator runs them a hundred thousand times on a large map.
#pragma once

#include <cstdint>

#include "map/hex_geometry.h"
#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn {

// Tiles this close to a quad's edge never carry a start location, which also
// keeps every tile the rules look at inside the map.
constexpr std::int32_t kEdgeMargin = 2;

// v mod 100 lies from 2 to 97: the column or row may carry a start location.
inline bool insideQuadMargin(std::int32_t v) {
    const std::int32_t q = v % kQuadSize;
    return q >= kEdgeMargin && q < kQuadSize - kEdgeMargin;
}

// Every one of the six neighbours is water. Needs both coordinates inside
// the quad margin.
inline bool surroundedByWater(const Map& map, std::int32_t x, std::int32_t y) {
    for (const TilePos& n : hexNeighbours(x, y)) {
        if (!isWaterCode(map.mapGrid[n.x][n.y])) return false;
    }
    return true;
}

// Any start location within two steps of (x, y). The tile itself is among
// them: a start location there stays as it is either way. Needs both
// coordinates inside the quad margin.
inline bool startLocationNearby(const Map& map, std::int32_t x, std::int32_t y) {
    for (const ColumnRun& run : withinTwoSteps(x)) {
        const TerrainCode* column = map.mapGrid[x + run.dx];
        for (std::int32_t row = y + run.firstDy; row <= y + run.lastDy; ++row) {
            if (isStartLocationCode(column[row])) return true;
        }
    }
    return false;
}

// Turns every start location of the map back into its land tile. Needs a grid.
void clearStartLocations(Map& map);

}  // namespace pelorn
