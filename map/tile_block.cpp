#include "map/tile_block.h"

#include <algorithm>

namespace pelorn {

TileRect rectBetween(TilePos a, TilePos b) {
    const std::int32_t left = std::min(a.x, b.x);
    const std::int32_t top = std::min(a.y, b.y);
    return {left, top, std::max(a.x, b.x) - left + 1, std::max(a.y, b.y) - top + 1};
}

TileBlock copyBlock(const Map& map, const TileRect& rect) {
    TileBlock block;
    block.width = rect.width;
    block.height = rect.height;
    block.firstColumnParity = rect.x & 1;
    block.cells.resize(static_cast<std::size_t>(rect.tiles()));
    auto out = block.cells.begin();
    for (std::int32_t x = rect.x; x < rect.x + rect.width; ++x) {
        const TerrainCode* column = map.mapGrid[x] + rect.y;
        out = std::copy(column, column + rect.height, out);
    }
    return block;
}

TileBlock mirrorEastWest(const TileBlock& block) {
    TileBlock mirrored = block;
    mirrored.firstColumnParity = (block.firstColumnParity + block.width - 1) & 1;
    for (std::int32_t x = 0; x < block.width; ++x)
        std::copy_n(block.cells.begin() + static_cast<std::ptrdiff_t>(block.width - 1 - x) * block.height,
                    block.height, mirrored.cells.begin() + static_cast<std::ptrdiff_t>(x) * block.height);
    return mirrored;
}

TileBlock mirrorNorthSouth(const TileBlock& block) {
    // With k = height - 1, odd columns keep rows 0..height-1 and even columns
    // move one row down; the rows that hold no tile are cut afterwards.
    const std::int32_t k = block.height - 1;
    const auto isEven = [&](std::int32_t x) { return ((block.firstColumnParity + x) & 1) == 0; };
    std::int32_t top = block.height + 1;
    std::int32_t bottom = -1;
    for (std::int32_t x = 0; x < block.width; ++x) {
        for (std::int32_t y = 0; y < block.height; ++y) {
            if (block.at(x, y) == kTransparentCell) continue;
            const std::int32_t row = isEven(x) ? k + 1 - y : k - y;
            top = std::min(top, row);
            bottom = std::max(bottom, row);
        }
    }
    TileBlock mirrored;
    mirrored.width = block.width;
    mirrored.firstColumnParity = block.firstColumnParity;
    if (bottom < top) return mirrored;
    mirrored.height = bottom - top + 1;
    mirrored.cells.assign(static_cast<std::size_t>(mirrored.width) * mirrored.height, kTransparentCell);
    for (std::int32_t x = 0; x < block.width; ++x) {
        const std::int32_t shift = (isEven(x) ? k + 1 : k) - top;
        for (std::int32_t y = 0; y < block.height; ++y)
            if (block.at(x, y) != kTransparentCell) mirrored.at(x, shift - y) = block.at(x, y);
    }
    return mirrored;
}

std::int32_t stampColumn(const TileBlock& block, std::int32_t column) {
    return ((column - block.firstColumnParity) & 1) == 0 ? column : column - 1;
}

}  // namespace pelorn
