#include "support/test_map.h"

#include <algorithm>

#include "map/map_grid.h"

namespace pelorn::test {

bool makeTestMap(Map& map, int quadsX, int quadsY, TerrainCode fill) {
    freeMapGrid(map);
    map.quadCountX = quadsX;
    map.quadCountY = quadsY;
    if (!allocateMapGrid(map)) return false;
    for (int x = 0; x < mapWidth(map); ++x) std::fill(map.mapGrid[x], map.mapGrid[x] + mapHeight(map), fill);
    return true;
}

std::vector<TerrainCode> mapTiles(const Map& map) {
    std::vector<TerrainCode> tiles;
    if (!map.mapGrid) return tiles;
    tiles.reserve(static_cast<std::size_t>(mapWidth(map)) * static_cast<std::size_t>(mapHeight(map)));
    for (int x = 0; x < mapWidth(map); ++x) tiles.insert(tiles.end(), map.mapGrid[x], map.mapGrid[x] + mapHeight(map));
    return tiles;
}

}  // namespace pelorn::test
