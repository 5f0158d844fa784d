#include "map/flood_fill.h"

#include <memory>
#include <new>

#include "map/map_grid.h"

namespace pelorn {

void wrapTile(std::int32_t& x, std::int32_t& y) {
    const std::int32_t width = mapWidth();
    const std::int32_t height = mapHeight();
    if (x < 0) x += width;
    else if (x >= width) x -= width;
    if (y < 0) y += height;
    else if (y >= height) y -= height;
}

void hexStep(std::int32_t& x, std::int32_t& y, int direction) {
    if (direction < 1 || direction > 6) return;
    const TilePos next = hexNeighbours(x, y)[direction - 1];
    x = next.x;
    y = next.y;
    wrapTile(x, y);
}

void floodFill(std::int32_t x, std::int32_t y, TerrainCode code) {
    if (!mapGrid) return;
    const TerrainCode target = mapGrid[x][y];
    if (target == code) return;

    const std::size_t capacity = static_cast<std::size_t>(mapWidth()) * static_cast<std::size_t>(mapHeight());
    std::unique_ptr<TilePos[]> stack(new (std::nothrow) TilePos[capacity]);
    if (!stack) return;
    std::size_t depth = 0;

    for (;;) {
        if (mapGrid[x][y] == target) mapGrid[x][y] = code;

        int matching = 0;
        TilePos first{0, 0};
        for (TilePos n : hexNeighbours(x, y)) {
            wrapTile(n.x, n.y);
            if (mapGrid[n.x][n.y] == target) {
                if (matching == 0) first = n;
                ++matching;
            }
        }
        if (matching >= 2) stack[depth++] = TilePos{x, y};
        if (matching > 0) {
            x = first.x;
            y = first.y;
        } else if (depth == 0) {
            break;
        } else {
            const TilePos top = stack[--depth];
            x = top.x;
            y = top.y;
        }
    }
}

}  // namespace pelorn
