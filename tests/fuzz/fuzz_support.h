// Shared by the fuzz targets: a check that aborts (the fuzzer's crash), and
// the tiles of a map as a flat list.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "map/map_grid.h"

namespace pelorn::fuzz {

inline void check(bool condition) {
    if (!condition) std::abort();
}

// Every tile, column by column, each column top to bottom.
inline std::vector<TerrainCode> gridCopy(const Map& map) {
    std::vector<TerrainCode> tiles;
    for (std::int32_t x = 0; x < mapWidth(map); ++x)
        tiles.insert(tiles.end(), map.mapGrid[x], map.mapGrid[x] + mapHeight(map));
    return tiles;
}

}  // namespace pelorn::fuzz
