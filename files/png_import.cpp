// Maps made from PNG images: a terrain-code export read back exactly, any
// other image read by colour.
#include <cstring>
#include <optional>
#include <vector>
#include <new>
#include <utility>

#include "files/image_decoding.h"
#include "files/png_chunks.h"
#include "files/png_file.h"
#include "files/png_indexed_reader.h"
#include "files/png_map_chunk.h"
#include "files/safe_file.h"
#include "map/map_grid.h"

namespace pelorn {

using namespace png;

namespace {

// Puts the tiles in place of the map; the old map stays when no
// grid can be had for the new one.
bool replaceMap(Map& map, std::int32_t quadsX, std::int32_t quadsY, const Tiles& tiles) {
    TileGrid grid;
    if (!grid.allocate(quadsX, quadsY)) return false;
    const std::size_t height = static_cast<std::size_t>(quadsY) * kQuadSize;
    for (std::int32_t x = 0; x < quadsX * kQuadSize; ++x)
        std::memcpy(grid.columns()[x], tiles.data() + static_cast<std::size_t>(x) * height, height * sizeof(TerrainCode));
    installMapGrid(map, std::move(grid));
    return true;
}

}  // namespace

// The map the picture carries, when its pixels are still those exported:
// true with the map replaced; false otherwise, `result` saying whether it
// carried one and whether it was damaged.
bool readCarriedMap(Map& map, std::string_view bytes, PngImport& result) {
    std::optional<StoredMap> stored;
    if (!readStoredMap(bytes, stored, result.error) || !stored) return false;
    PngLayout png;
    std::vector<unsigned char> rgb;
    if (!readLayout(bytes, png, result.error, ImageBound::kAnyExportedPicture) || !decodeRgb(bytes, png, rgb, result.error))
        return false;
    PixelHash hash;
    hash.add(rgb.data(), rgb.size());
    if (hash.value() != stored->pixelHash) {
        result.changedSinceExport = true;
        return false;
    }
    result.width = static_cast<std::int32_t>(png.width);
    result.height = static_cast<std::int32_t>(png.height);
    if (!replaceMap(map, stored->quadsX, stored->quadsY, stored->tiles)) {
        result.error = "not enough memory for the map";
        return false;
    }
    result.byStoredMap = true;
    return true;
}

PngImport loadMapFromPng(Map& map, std::string_view bytes) {
    PngImport result;
    try {
        if (readCarriedMap(map, bytes, result)) {
            result.ok = true;
            return result;
        }
        if (!result.error.empty()) return result;
        PngLayout png;
        if (!readLayout(bytes, png, result.error)) return result;
        result.width = static_cast<std::int32_t>(png.width);
        result.height = static_cast<std::int32_t>(png.height);
        Tiles tiles;
        result.byCode = holdsTerrainCodes(png);
        ColourMatch match;
        const bool read = result.byCode ? readTerrainCodes(bytes, png, tiles, result.error)
                                        : readColours(bytes, png, tiles, match, result.error);
        result.inexactPixels = match.inexact;
        result.sharedPixels = match.shared;
        result.farPixels = match.far;
        if (!read) return result;
        if (!replaceMap(map, result.width / kQuadSize, result.height / kQuadSize, tiles)) {
            result.error = "not enough memory for the map";
            return result;
        }
        result.ok = true;
    } catch (const std::bad_alloc&) {
        result.error = "not enough memory";
    }
    return result;
}

PngImport loadMapPngFile(Map& map, const std::string& path) {
    std::string bytes;
    ReadFailure failure = ReadFailure::kNone;
    // The one bounded reader of every file: devices, pipes and folders are
    // refused before anything is read.
    if (!readWholeFile(path, bytes, kMaxPngFileSize, &failure)) {
        PngImport result;
        result.error = failure == ReadFailure::kTooLarge ? "the file is larger than any map image (" +
                                                               std::to_string(kMaxPngFileSize >> 20) + " MiB)"
                                                         : "cannot read the file";
        return result;
    }
    return loadMapFromPng(map, bytes);
}

}  // namespace pelorn
