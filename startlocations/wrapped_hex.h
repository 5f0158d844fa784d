// Hex steps on the map as the bucket fill walks it: the column-offset layout
// of hexNeighbours (even columns stand half a tile higher), wrapping east-west
// and north-south. Map widths are whole quads, so wrapping east-west keeps a
// column's parity and the layout stays seamless.
#pragma once

#include <cstdint>
#include <vector>

#include "map/map_grid.h"

namespace pelorn {

// The fewest hex steps from a to b on a width x height map that wraps both
// ways. Both positions must lie inside the map.
std::int32_t wrappedHexDistance(TilePos a, TilePos b, std::int32_t width, std::int32_t height);

// The tiles within `radius` steps of a tile, as one run of rows per column:
// column x + dx holds rows y + firstRow to y + lastRow. Unwrapped offsets,
// columns from -radius to radius in order.
struct ColumnSpan {
    std::int32_t dx;
    std::int32_t firstRow;
    std::int32_t lastRow;
};
std::vector<ColumnSpan> hexDiscSpans(std::int32_t radius, bool evenColumn);

}  // namespace pelorn
