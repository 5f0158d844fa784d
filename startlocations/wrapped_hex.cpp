#include "startlocations/wrapped_hex.h"

#include <algorithm>
#include <cstdlib>

namespace pelorn {

namespace {

std::int32_t floorHalf(std::int32_t v) { return v >= 0 ? v / 2 : -((1 - v) / 2); }

// Steps between two axial positions (q the column, r the row measured along
// the slanted axis).
std::int64_t axialSteps(std::int64_t dq, std::int64_t dr) {
    return (std::llabs(dq) + std::llabs(dr) + std::llabs(dq + dr)) / 2;
}

}  // namespace

std::int32_t wrappedHexDistance(TilePos a, TilePos b, std::int32_t width, std::int32_t height) {
    // Axial row of a column-offset tile: r = y - floor(x / 2). Moving a tile by
    // the map width keeps its parity, so an image W columns east sits at
    // (q + W, r - W / 2); one H rows south at (q, r + H).
    const std::int64_t dq = static_cast<std::int64_t>(b.x) - a.x;
    const std::int64_t dr = (static_cast<std::int64_t>(b.y) - b.x / 2) - (static_cast<std::int64_t>(a.y) - a.x / 2);
    std::int64_t best = axialSteps(dq, dr);
    for (int kx = -1; kx <= 1; ++kx) {
        for (int ky = -1; ky <= 1; ++ky) {
            const std::int64_t q = dq + static_cast<std::int64_t>(kx) * width;
            const std::int64_t r = dr - static_cast<std::int64_t>(kx) * (width / 2) + static_cast<std::int64_t>(ky) * height;
            best = std::min(best, axialSteps(q, r));
        }
    }
    return static_cast<std::int32_t>(best);
}

std::vector<ColumnSpan> hexDiscSpans(std::int32_t radius, bool evenColumn) {
    std::vector<ColumnSpan> spans;
    if (radius < 0) return spans;
    spans.reserve(static_cast<std::size_t>(2 * radius + 1));
    for (std::int32_t dx = -radius; dx <= radius; ++dx) {
        // The row shift between the columns' axial frames.
        const std::int32_t shift = evenColumn ? floorHalf(dx) : floorHalf(dx + 1);
        const std::int32_t first = std::max(-radius, -radius - dx);
        const std::int32_t last = std::min(radius, radius - dx);
        spans.push_back({dx, first + shift, last + shift});
    }
    return spans;
}

}  // namespace pelorn
