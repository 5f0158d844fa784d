#include "support/test_map.h"

#include <algorithm>

#include "map/map_grid.h"

namespace pelorn::test {

bool makeTestMap(int quadsX, int quadsY, TerrainCode fill) {
    freeMapGrid();
    quadCountX = quadsX;
    quadCountY = quadsY;
    if (!allocateMapGrid()) return false;
    for (int x = 0; x < mapWidth(); ++x) std::fill(mapGrid[x], mapGrid[x] + mapHeight(), fill);
    return true;
}

std::vector<TerrainCode> mapTiles() {
    std::vector<TerrainCode> tiles;
    if (!mapGrid) return tiles;
    tiles.reserve(static_cast<std::size_t>(mapWidth()) * static_cast<std::size_t>(mapHeight()));
    for (int x = 0; x < mapWidth(); ++x) tiles.insert(tiles.end(), mapGrid[x], mapGrid[x] + mapHeight());
    return tiles;
}

}  // namespace pelorn::test
