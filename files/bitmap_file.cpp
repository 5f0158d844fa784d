#include "files/bitmap_file.h"

#include <cstring>
#include <exception>

#include "files/map_name.h"
#include "files/safe_file.h"
#include "map/map_grid.h"

namespace pelorn {

namespace {

constexpr std::size_t kHeaderSize = 54;

void putU16(char* out, std::uint32_t value) {
    out[0] = static_cast<char>(value & 0xFF);
    out[1] = static_cast<char>((value >> 8) & 0xFF);
}

void putU32(char* out, std::uint32_t value) {
    putU16(out, value & 0xFFFF);
    putU16(out + 2, value >> 16);
}

struct PixelColour {
    char bgr[3];
};

PixelColour toPixel(Rgb colour, bool ring) {
    if (ring) colour = ringColour(colour);
    return {{static_cast<char>(colour.blue), static_cast<char>(colour.green), static_cast<char>(colour.red)}};
}

}  // namespace

std::string mapBitmapBytes(const Map& map) {
    if (!map.mapGrid || !isAcceptableMapSize(map.quadCountX, map.quadCountY)) return std::string();
    const std::int32_t width = mapWidth(map);
    const std::int32_t height = mapHeight(map);
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(width);
    const std::size_t pixelBytes = rowBytes * static_cast<std::size_t>(height);

    std::string bytes(kHeaderSize + pixelBytes, '\0');
    char* header = &bytes[0];
    header[0] = 'B';
    header[1] = 'M';
    putU32(header + 2, static_cast<std::uint32_t>(kHeaderSize + pixelBytes));
    putU32(header + 10, static_cast<std::uint32_t>(kHeaderSize));
    putU32(header + 14, 40);
    putU32(header + 18, static_cast<std::uint32_t>(width));
    putU32(header + 22, static_cast<std::uint32_t>(-height));  // negative: top row first
    putU16(header + 26, 1);
    putU16(header + 28, 24);
    putU32(header + 34, static_cast<std::uint32_t>(pixelBytes));

    // Both looks of every code with a colour, worked out once; codes without
    // one (only a foreign map file brings them) are looked up per tile.
    PixelColour plain[kPaletteSize];
    PixelColour ring[kPaletteSize];
    for (TerrainCode code = 0; code < kPaletteSize; ++code) {
        plain[code] = toPixel(terrainColour(code), false);
        ring[code] = toPixel(terrainColour(code), true);
    }

    // Walk the grid in its own order, column by column: the reads stream, and
    // the pixels a column writes lie on rows that the next columns write too,
    // so they stay in the cache.
    char* pixels = header + kHeaderSize;
    for (std::int32_t x = 0; x < width; ++x) {
        const TerrainCode* column = map.mapGrid[x];
        const bool ringColumn = onQuadRing(x);
        char* out = pixels + 3 * static_cast<std::size_t>(x);
        for (std::int32_t y = 0; y < height; ++y, out += rowBytes) {
            const TerrainCode code = column[y];
            const bool onRing = ringColumn || onQuadRing(y);
            const PixelColour pixel = code >= 0 && code < kPaletteSize ? (onRing ? ring[code] : plain[code])
                                                                       : toPixel(terrainColour(code), onRing);
            std::memcpy(out, pixel.bgr, 3);
        }
    }
    return bytes;
}

bool saveMapBitmap(const Map& map) {
    if (!isSafeMapName(map.currentMapName)) return false;
    try {
        const std::string bytes = mapBitmapBytes(map);
        if (bytes.empty()) return false;
        return writeFileSafely(map.currentMapName + ".bmp", bytes);
    } catch (const std::exception&) {
        return false;  // no memory for the picture: no file is made
    }
}

}  // namespace pelorn
