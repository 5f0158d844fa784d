#include "map/hex_geometry.h"

#include <algorithm>
#include <cstdlib>

namespace pelorn {

TilePos HexTorus::wrap(TilePos p) const {
    if (p.x < 0) p.x += width;
    else if (p.x >= width) p.x -= width;
    if (p.y < 0) p.y += height;
    else if (p.y >= height) p.y -= height;
    return p;
}

std::int32_t hexDistance(TilePos a, TilePos b) {
    // As axial coordinates (q, r) in which every neighbour differs by one of
    // (0, -1), (1, -1), (1, 0), (0, 1), (-1, 1), (-1, 0).
    const auto axialRow = [](TilePos p) { return p.y - (p.x - (p.x & 1)) / 2; };
    const std::int64_t dq = static_cast<std::int64_t>(b.x) - a.x;
    const std::int64_t dr = static_cast<std::int64_t>(axialRow(b)) - axialRow(a);
    return static_cast<std::int32_t>((std::llabs(dq) + std::llabs(dr) + std::llabs(dq + dr)) / 2);
}

std::int32_t HexTorus::distance(TilePos a, TilePos b) const {
    // The width is even (whole quads), so moving by it keeps a column's
    // parity: the nearest of the nine copies of b around the map gives the step count.
    std::int32_t best = hexDistance(a, b);
    for (std::int32_t sx : {-width, 0, width})
        for (std::int32_t sy : {-height, 0, height}) best = std::min(best, hexDistance(a, {b.x + sx, b.y + sy}));
    return best;
}

}  // namespace pelorn
