#pragma once

#include <cstdint>
#include <vector>

#include "map/terrain.h"

namespace pelorn {

// Steps (x, y) one tile in one of the six neighbour directions of hexNeighbours
// (1 above, 2 upper right, 3 lower right, 4 below, 5 lower left, 6 upper left)
// and wraps it around the map's edges, as on a torus. Any other direction
// leaves the position as it is.
void hexStep(std::int32_t& x, std::int32_t& y, int direction);
// Wraps a position one tile beyond an edge back into the map.
void wrapTile(std::int32_t& x, std::int32_t& y);

// Replaces the connected area of tiles holding the code of (x, y) by `code`,
// over the six neighbours with wrap-around on all four edges. Depth first,
// iterative, with one stack of W x H positions reserved up front; when that
// stack cannot be had nothing changes. (x, y) must lie inside the map.
void floodFill(std::int32_t x, std::int32_t y, TerrainCode code);
// The same, also appending the position of every tile it converts, in the
// order of conversion, to `converted` when that is not null: the column in
// the high 16 bits, the row in the low 16 bits.
void floodFill(std::int32_t x, std::int32_t y, TerrainCode code, std::vector<std::uint32_t>* converted);

}  // namespace pelorn
