// Start locations made visible on a picture of the whole map, whatever its
// scale: a round black-and-white mark over each start with its number (its
// place in the map file's order) beside it, and, when asked for, each
// start's room tinted a colour of its own. The whole-map view and the PNG
// export of pelorn-cli draw them alike.
#pragma once

#include <cstdint>
#include <vector>

#include "map/hex_geometry.h"
#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn {

// A block of pixels, row after row; (left, top) is its first pixel's place in
// the picture.
struct PixelBlock {
    Rgb* pixels;
    int left;
    int top;
    int width;
    int height;
};

// A start's mark: the picture pixel showing its tile, and its number from 1.
struct StartMark {
    int x;
    int y;
    std::int32_t number;
};

// Draws the marks, cut to the block. Each mark reaches 3 pixels around its
// pixel, and its number stands to the right of it.
void drawStartMarks(const PixelBlock& block, const std::vector<StartMark>& marks);

// The room of every tile (index x * H + y): the index into `starts` of the
// start it belongs to, -1 for none; rooms within the automatic room radius
// for that many starts, weighed with the players-mode land value table.
std::vector<std::int32_t> roomOwnersOf(const Map& map, const std::vector<TilePos>& starts);

// A tile's colour tinted for the room of start `index` (from 0).
Rgb roomTint(Rgb colour, std::int32_t index);

// The middle pixel of the picture's pixels first..next - 1 that show a tile;
// the first one beyond it when none does (a tile narrower than a pixel),
// within 0..size - 1.
int pixelShowing(int first, int next, int size);

}  // namespace pelorn
