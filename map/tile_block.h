// A rectangle of tiles lifted off the map: what copy takes, what a paste puts
// down, and what the stamp's mirrors turn over. Tiles stand column by column
// as in the map's grid; a cell may be empty (transparent), leaving the map's
// tile under it as it is. The block remembers the parity of the map column
// its first column came from: even columns stand half a tile higher, so a
// block keeps its shape only where its columns keep their parity.
#pragma once

#include <cstdint>
#include <vector>

#include "map/hex_geometry.h"
#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn {

// A cell of the block that holds no tile.
constexpr TerrainCode kTransparentCell = -1;

// A rectangle of map tiles: the columns x .. x + width - 1, the rows y .. y + height - 1.
struct TileRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const TileRect& a, const TileRect& b) {
        return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
    }
    bool contains(TilePos p) const { return p.x >= x && p.y >= y && p.x < x + width && p.y < y + height; }
    std::int64_t tiles() const { return static_cast<std::int64_t>(width) * height; }
};

// The rectangle with two tiles as opposite corners, both included.
TileRect rectBetween(TilePos a, TilePos b);

struct TileBlock {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t firstColumnParity = 0;  // 0: column 0 came from an even map column
    std::vector<TerrainCode> cells;      // cells[x * height + y]

    bool empty() const { return width <= 0 || height <= 0; }
    TerrainCode at(std::int32_t x, std::int32_t y) const { return cells[static_cast<std::size_t>(x) * height + y]; }
    TerrainCode& at(std::int32_t x, std::int32_t y) { return cells[static_cast<std::size_t>(x) * height + y]; }
    friend bool operator==(const TileBlock& a, const TileBlock& b) {
        return a.width == b.width && a.height == b.height && a.firstColumnParity == b.firstColumnParity &&
               a.cells == b.cells;
    }
};

// The map's tiles inside `rect`, which must lie on the map.
TileBlock copyBlock(const Map& map, const TileRect& rect);

// The mirrors of a stamp, each a true mirror image on the hex layout.
// East-west: columns reversed, rows kept; the first column's parity becomes
// that of the old last one, so every tile keeps its column's parity.
TileBlock mirrorEastWest(const TileBlock& block);
// North-south: an even map column's row y goes to k + 1 - y, an odd one's to
// k - y, so the outline may turn ragged (the new cells are transparent). The
// result is cut to the rows that hold tiles.
TileBlock mirrorNorthSouth(const TileBlock& block);

// Where a block put down with its first column near `column` starts: the
// column itself when it has the block's parity, else the one left of it.
std::int32_t stampColumn(const TileBlock& block, std::int32_t column);

// Calls visit(mapX, mapY, code) for each tile of the block put down with its
// top-left cell on map tile `at`, wrapping round the map's edges. Cells past
// the map's own size (a block wider or higher than the map) are left out.
template <typename Visit>
void forEachStampTile(const TileBlock& block, const Map& map, TilePos at, Visit visit) {
    const std::int32_t width = mapWidth(map);
    const std::int32_t height = mapHeight(map);
    const std::int32_t columns = block.width < width ? block.width : width;
    const std::int32_t rows = block.height < height ? block.height : height;
    for (std::int32_t i = 0; i < columns; ++i) {
        const std::int32_t x = ((at.x + i) % width + width) % width;
        const TerrainCode* cell = block.cells.data() + static_cast<std::size_t>(i) * block.height;
        std::int32_t y = ((at.y % height) + height) % height;
        for (std::int32_t j = 0; j < rows; ++j, ++y) {
            if (y == height) y = 0;
            if (cell[j] != kTransparentCell) visit(x, y, cell[j]);
        }
    }
}

}  // namespace pelorn
