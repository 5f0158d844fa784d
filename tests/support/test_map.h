// Maps for tests: a fresh grid of one code, and the tiles as a flat list.
#pragma once

#include <vector>

#include "map/terrain.h"

namespace pelorn::test {

// Replaces the map by one of quadsX by quadsY quads with every tile `fill`;
// false when the grid cannot be had.
bool makeTestMap(int quadsX, int quadsY, TerrainCode fill = kVoid);

// Every tile, column by column, each column top to bottom.
std::vector<TerrainCode> mapTiles();

}  // namespace pelorn::test
