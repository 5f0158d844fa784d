// Maps for tests: a fresh grid of one code, and the tiles as a flat list.
#pragma once

#include <vector>

#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn::test {

// Replaces the map by one of quadsX by quadsY quads with every tile `fill`;
// false when the grid cannot be had.
bool makeTestMap(Map& map, int quadsX, int quadsY, TerrainCode fill = kVoid);

// Every tile, column by column, each column top to bottom.
std::vector<TerrainCode> mapTiles(const Map& map);

}  // namespace pelorn::test
