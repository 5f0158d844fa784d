#pragma once

#include <cstdint>
#include <vector>

#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn {

// Replaces the connected area of tiles holding the code of (x, y) by `code`,
// over the six neighbours with wrap-around on all four edges (mapTorus). Depth first,
// iterative, with one stack of W x H positions reserved up front. False, with
// nothing changed, when that stack cannot be had or there is no grid.
// (x, y) must lie inside the map.
bool floodFill(Map& map, std::int32_t x, std::int32_t y, TerrainCode code);
// The same, also appending the position of every tile it converts, in the
// order of conversion, to `converted` when that is not null (packTile).
bool floodFill(Map& map, std::int32_t x, std::int32_t y, TerrainCode code, std::vector<std::uint32_t>* converted);

}  // namespace pelorn
