#include "map/hex_geometry.h"

#include <algorithm>

namespace pelorn {

TilePos HexTorus::wrap(TilePos p) const {
    if (p.x < 0) p.x += width;
    else if (p.x >= width) p.x -= width;
    if (p.y < 0) p.y += height;
    else if (p.y >= height) p.y -= height;
    return p;
}

namespace {

// Axial coordinates (q, r): every neighbour differs by one of (0, -1),
// (1, -1), (1, 0), (0, 1), (-1, 1), (-1, 0).
constexpr std::int64_t axialRow(TilePos p) { return p.y - (p.x - (p.x & 1)) / 2; }

constexpr std::int64_t absolute(std::int64_t v) { return v < 0 ? -v : v; }

constexpr std::int64_t axialSteps(std::int64_t dq, std::int64_t dr) {
    return (absolute(dq) + absolute(dr) + absolute(dq + dr)) / 2;
}

}  // namespace

std::int32_t hexDistance(TilePos a, TilePos b) {
    return static_cast<std::int32_t>(axialSteps(static_cast<std::int64_t>(b.x) - a.x, axialRow(b) - axialRow(a)));
}

std::int32_t HexTorus::distance(TilePos a, TilePos b) const {
    // The nearest of the nine copies of b around the map gives the step
    // count. A copy one map width east keeps its column's parity and sits
    // width columns on and width / 2 axial rows up; one map height south
    // sits height rows down.
    const std::int64_t dq = static_cast<std::int64_t>(b.x) - a.x;
    const std::int64_t dr = axialRow(b) - axialRow(a);
    std::int64_t best = axialSteps(dq, dr);
    for (std::int64_t kx = -1; kx <= 1; ++kx) {
        for (std::int64_t ky = -1; ky <= 1; ++ky) {
            best = std::min(best, axialSteps(dq + kx * width, dr - kx * (width / 2) + ky * height));
        }
    }
    return static_cast<std::int32_t>(best);
}

std::vector<ColumnRun> hexDisc(std::int32_t radius, std::int32_t x) {
    std::vector<ColumnRun> runs;
    if (radius < 0) return runs;
    runs.reserve(static_cast<std::size_t>(2 * radius + 1));
    for (std::int32_t dx = -radius; dx <= radius; ++dx) runs.push_back(hexDiscColumn(radius, x, dx));
    return runs;
}

}  // namespace pelorn
