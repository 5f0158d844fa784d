// A map as the detail view draws it, every tile a hexagon with its marks,
// in one picture of the whole map for sharing (pelorn-cli export --hex).
// Tile (x, y) stands where the detail view would put it were the map one
// quad: columns 6 pixels apart, rows 4, the even columns 2 pixels higher,
// so tile (0, 0)'s box has its top-left corner at (0, 0) and tile (1, 0)'s
// at (6, 2). The ground between the hexagons is white, as in the window.
#pragma once

#include <cstdint>
#include <string>

#include "files/png_file.h"
#include "map/map_grid.h"
#include "view/painter.h"

namespace pelorn {

// The picture's size for a map of tilesAcross by tilesDown tiles, at scale 1.
ImageSize hexPictureSize(std::int32_t tilesAcross, std::int32_t tilesDown);

// Draws every tile of the map, column after column as the detail
// view does (each column overlaps the one before it by 2 pixels).
void drawHexPicture(Painter& painter, const Map& map);

// The picture of a map as a PNG, each pixel a block of scale by
// scale, carrying the map (files/png_map_chunk.h). Empty, with `error` saying why, when there is no map, the picture
// is larger than imagePngBytes writes, or memory runs out.
std::string hexPicturePng(const Map& map, int scale, std::string& error);

}  // namespace pelorn
