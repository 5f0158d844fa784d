// Bitmap export: the whole map as a 24-bit picture, one pixel per tile, with
// the outer ring of tiles of every quad drawn darker so the quads stand out.
#pragma once

#include <cstdint>
#include <string>

#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn {

// The exact bytes of the map's bitmap (54 header bytes, then the rows top
// first, blue-green-red). Empty when the map has no grid.
std::string mapBitmapBytes(const Map& map);

// Writes the bitmap to the map's currentMapName + ".bmp"; true on success. A
// failed export leaves any previous file as it was; an unsafe name
// (isSafeMapName) writes nothing.
bool saveMapBitmap(const Map& map);

// A colour component on a quad's ring: divided by 1.4 and rounded up, that
// is ceil(5v / 7) in exact integers (122 -> 88, 255 -> 183, 0 stays 0).
constexpr std::uint8_t ringComponent(std::uint8_t v) { return static_cast<std::uint8_t>((5 * v + 6) / 7); }
constexpr Rgb ringColour(Rgb c) { return {ringComponent(c.red), ringComponent(c.green), ringComponent(c.blue)}; }

// True for a tile column (or row) on the first or last line of its quad: the
// tiles drawn darker.
constexpr bool onQuadRing(std::int32_t position) {
    constexpr std::uint32_t kSize = kQuadSize;
    const std::uint32_t inQuad = static_cast<std::uint32_t>(position) % kSize;
    return inQuad == 0 || inQuad == kSize - 1;
}

}  // namespace pelorn
