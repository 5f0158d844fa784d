// The terrain-code image read back: an 8-bit palette image whose palette is
// the export's, each pixel's index a tile's code.
#pragma once

#include <string>
#include <string_view>

#include "files/png_chunks.h"

namespace pelorn::png {

// A palette image as the terrain-code export writes it: 8 bits per pixel,
// not interlaced, every palette entry the export's.
bool holdsTerrainCodes(const PngLayout& png);

// Decompresses and unfilters the image and takes each pixel's index as its
// tile's code; an index beyond the palette refuses the image.
bool readTerrainCodes(std::string_view file, const PngLayout& png, Tiles& tiles, std::string& error);

}  // namespace pelorn::png
