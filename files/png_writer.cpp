// The PNG exports of the map and of any picture.
#include <zlib.h>

#include <cstring>
#include <new>
#include <unordered_map>
#include <vector>

#include "files/bitmap_file.h"
#include "files/map_name.h"
#include "files/png_chunks.h"
#include "files/png_file.h"
#include "files/png_map_chunk.h"
#include "files/safe_file.h"
#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn {

using namespace png;

namespace {

// The picture's palette: codes 0..60 (39..49 in the view's colour for codes
// without one), then the same codes on a quad's ring; any other code takes the
// colour of 39.
constexpr int kRingIndexOffset = kPaletteSize;
constexpr int kPicturePaletteSize = 2 * kPaletteSize;
constexpr int kNoColourIndex = kLastLegendCode + 1;

// Run-length matching only suits rows of palette indices: a map's rows are
// long runs of one code. On a generated world this is about twice as fast as
// level 1, the fastest general level, and its files are smaller. Rows of
// colours repeat at three bytes' distance, which only the general matcher finds.
enum class Rows { Indices, Colours };

bool compressRows(const std::string& raw, Rows rows, std::string& out) {
    z_stream z{};
    const int level = rows == Rows::Indices ? Z_BEST_SPEED : Z_DEFAULT_COMPRESSION;
    const int strategy = rows == Rows::Indices ? Z_RLE : Z_DEFAULT_STRATEGY;
    if (deflateInit2(&z, level, Z_DEFLATED, 15, 8, strategy) != Z_OK) return false;
    out.resize(deflateBound(&z, static_cast<uLong>(raw.size())));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
    z.avail_in = static_cast<uInt>(raw.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return result == Z_STREAM_END;
}

// The CRC-32 of an image's pixels as red, green, blue, from its rows.
std::uint32_t pixelHashOf(std::uint32_t width, std::uint32_t height, const std::vector<Rgb>& palette,
                          const std::string& raw) {
    PixelHash hash;
    const std::size_t rowBytes = 1 + static_cast<std::size_t>(width) * (palette.empty() ? 3 : 1);
    std::vector<unsigned char> rgb(palette.empty() ? 0 : static_cast<std::size_t>(width) * 3);
    for (std::uint32_t y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const unsigned char*>(raw.data()) + y * rowBytes + 1;
        if (palette.empty()) {
            hash.add(row, rowBytes - 1);
            continue;
        }
        for (std::uint32_t x = 0; x < width; ++x) {
            const Rgb c = palette[row[x]];
            rgb[3 * x] = c.red;
            rgb[3 * x + 1] = c.green;
            rgb[3 * x + 2] = c.blue;
        }
        hash.add(rgb.data(), rgb.size());
    }
    return hash.value();
}

// An 8-bit image from its rows (each a filter byte of 0 and the pixels): a
// palette image when `palette` holds colours, else red, green and blue. With
// `carried`, the map goes with it in its own chunk (png_map_chunk.h).
std::string pngOf(std::uint32_t width, std::uint32_t height, const std::vector<Rgb>& palette,
                  const std::string& raw, const Map* carried = nullptr) {
    const bool indexed = !palette.empty();
    std::string header;
    putU32(header, width);
    putU32(header, height);
    // bit depth, colour type, compression, filter, no interlace
    header += {8, static_cast<char>(indexed ? kColourTypeIndexed : kColourTypeRgb), 0, 0, 0};
    std::string colours;
    for (Rgb c : palette) colours += {static_cast<char>(c.red), static_cast<char>(c.green), static_cast<char>(c.blue)};
    std::string compressed;
    if (!compressRows(raw, indexed ? Rows::Indices : Rows::Colours, compressed)) return std::string();

    std::string png(reinterpret_cast<const char*>(kSignature), sizeof kSignature);
    appendChunk(png, "IHDR", header);
    if (indexed) appendChunk(png, "PLTE", colours);
    if (carried) {
        const std::string stored = mapChunkData(*carried, pixelHashOf(width, height, palette, raw));
        if (stored.empty()) return std::string();
        appendChunk(png, kMapChunkType, stored);
    }
    appendChunk(png, "IDAT", compressed);
    appendChunk(png, "IEND", std::string_view());
    return png;
}

std::string palettePng(const Map& map, const std::vector<Rgb>& palette, const std::string& raw, bool carryMap) {
    return pngOf(static_cast<std::uint32_t>(mapWidth(map)), static_cast<std::uint32_t>(mapHeight(map)), palette, raw,
                 carryMap ? &map : nullptr);
}

// The rows of palette indices, `indexOf(code, onRing)` for every tile.
template <typename IndexOf>
std::string indexRows(const Map& map, IndexOf indexOf) {
    const std::int32_t width = mapWidth(map);
    const std::int32_t height = mapHeight(map);
    const std::size_t stride = static_cast<std::size_t>(width) + 1;
    std::string raw(stride * static_cast<std::size_t>(height), '\0');  // filter 0 on every row
    // Column by column, as the grid lies in memory.
    for (std::int32_t x = 0; x < width; ++x) {
        const TerrainCode* column = map.mapGrid[x];
        const bool ringColumn = onQuadRing(x);
        char* out = &raw[1 + static_cast<std::size_t>(x)];
        for (std::int32_t y = 0; y < height; ++y, out += stride)
            *out = static_cast<char>(indexOf(column[y], ringColumn || onQuadRing(y)));
    }
    return raw;
}

std::string picturePng(const Map& map) {
    std::vector<Rgb> palette(kPicturePaletteSize);
    for (int code = 0; code < kPaletteSize; ++code) {
        palette[code] = terrainColour(code);
        palette[kRingIndexOffset + code] = ringColour(terrainColour(code));
    }
    const std::string raw = indexRows(map, [](TerrainCode code, bool ring) {
        const int index = code >= 0 && code < kPaletteSize ? code : kNoColourIndex;
        return ring ? index + kRingIndexOffset : index;
    });
    return palettePng(map, palette, raw, true);
}

std::string terrainCodePng(const Map& map, std::string& error) {
    for (std::int32_t x = 0; x < mapWidth(map); ++x)
        for (std::int32_t y = 0; y < mapHeight(map); ++y) {
            const TerrainCode code = map.mapGrid[x][y];
            if (code < 0 || code > 255) {
                error = "tile x " + std::to_string(x) + ", y " + std::to_string(y) + " holds code " +
                        std::to_string(code) + ": a terrain-code image holds codes 0 to 255 only";
                return std::string();
            }
        }
    std::vector<Rgb> palette(256);
    for (int index = 0; index < 256; ++index) palette[index] = codePaletteEntry(index);
    return palettePng(map, palette, indexRows(map, [](TerrainCode code, bool) { return code; }), false);
}

std::uint32_t packedColour(Rgb c) { return std::uint32_t{c.red} << 16 | std::uint32_t{c.green} << 8 | c.blue; }

// The rows of an image enlarged `scale` times, each pixel `bytesPerPixel`
// bytes that `put` writes for source pixel i.
template <typename Put>
std::string enlargedRows(const ImageSize& size, int scale, std::size_t bytesPerPixel, Put put) {
    const std::size_t rowBytes = 1 + static_cast<std::size_t>(size.width) * scale * bytesPerPixel;
    std::string raw(rowBytes * static_cast<std::size_t>(size.height) * scale, '\0');
    for (std::int32_t y = 0; y < size.height; ++y) {
        char* row = &raw[static_cast<std::size_t>(y) * scale * rowBytes];
        char* out = row + 1;  // filter 0
        for (std::int32_t x = 0; x < size.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * size.width + x;
            for (int k = 0; k < scale; ++k, out += bytesPerPixel) put(i, out);
        }
        for (int k = 1; k < scale; ++k) std::memcpy(row + k * rowBytes, row, rowBytes);
    }
    return raw;
}

}  // namespace

std::string mapPngBytes(const Map& map, PngKind kind, std::string& error) {
    error.clear();
    if (!map.mapGrid || !isAcceptableMapSize(map.quadCountX, map.quadCountY)) {
        error = "there is no map";
        return std::string();
    }
    try {
        std::string png = kind == PngKind::Picture ? picturePng(map) : terrainCodePng(map, error);
        if (png.empty() && error.empty()) error = "the image data cannot be compressed";
        return png;
    } catch (const std::bad_alloc&) {
        error = "not enough memory";
        return std::string();
    }
}

bool writeMapPng(const Map& map, const std::string& path, PngKind kind, std::string& error) {
    const std::string png = mapPngBytes(map, kind, error);
    if (png.empty()) return false;
    if (!writeFileSafely(path, png)) {
        error = "cannot write the file";
        return false;
    }
    return true;
}

std::string imagePngBytes(const ImageSize& size, const Rgb* pixels, int scale, std::string& error, const Map* carried) {
    error.clear();
    if (size.width <= 0 || size.height <= 0 || scale < 1 || scale > kMaxImageScale ||
        static_cast<std::int64_t>(size.width) * scale > kMaxImageSide ||
        static_cast<std::int64_t>(size.height) * scale > kMaxImageSide ||
        static_cast<std::int64_t>(size.width) * size.height * scale * scale > kMaxImagePixels) {
        error = "an image of that size cannot be written";
        return std::string();
    }
    try {
        const ImageSize out{size.width * scale, size.height * scale};
        const std::size_t count = static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height);
        // The palette of the colours in their order of first appearance, while there are at most 256.
        std::vector<Rgb> palette;
        std::unordered_map<std::uint32_t, unsigned char> indexOf;
        std::vector<unsigned char> indices(count);
        for (std::size_t i = 0; i < count && palette.size() <= 256; ++i) {
            const auto found = indexOf.emplace(packedColour(pixels[i]), static_cast<unsigned char>(palette.size()));
            if (found.second) palette.push_back(pixels[i]);
            indices[i] = found.first->second;
        }
        std::string png;
        if (palette.size() <= 256) {
            png = pngOf(static_cast<std::uint32_t>(out.width), static_cast<std::uint32_t>(out.height), palette,
                        enlargedRows(size, scale, 1, [&](std::size_t i, char* o) { *o = static_cast<char>(indices[i]); }),
                        carried);
        } else {
            indices = std::vector<unsigned char>();
            png = pngOf(static_cast<std::uint32_t>(out.width), static_cast<std::uint32_t>(out.height), {},
                        enlargedRows(size, scale, 3, [&](std::size_t i, char* o) {
                            o[0] = static_cast<char>(pixels[i].red);
                            o[1] = static_cast<char>(pixels[i].green);
                            o[2] = static_cast<char>(pixels[i].blue);
                        }),
                        carried);
        }
        if (png.empty()) error = "the image data cannot be compressed";
        return png;
    } catch (const std::bad_alloc&) {
        error = "not enough memory";
        return std::string();
    }
}

bool saveMapPng(const Map& map) {
    std::string error;
    return isSafeMapName(map.currentMapName) && writeMapPng(map, map.currentMapName + ".png", PngKind::Picture, error);
}

}  // namespace pelorn
