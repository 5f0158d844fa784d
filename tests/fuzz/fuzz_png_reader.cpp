// Any bytes as a PNG image to import: the reader must refuse it with a reason
// and leave the previous map as it was, or make a map that survives its own
// export and import unchanged.
// Inputs whose first byte is even (a PNG file starts with 0x89) are instead
// the image data of a one-quad image that is framed here with valid chunks
// and checksums, which the fuzzer could hardly find itself: the second byte
// picks the colour type, bit depth and interlacing, and whether the rest is
// the compressed stream or is compressed here first.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "files/png_file.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using namespace pelorn;
using fuzz::check;
using fuzz::gridCopy;

std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// Large images decode through the same code as small ones but cost the
// fuzzer a hundred times more per input; the unit tests read them.
bool asksForALargeImage(std::string_view bytes) {
    if (bytes.size() < 24) return false;
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return std::uint64_t{be32(p + 16)} * be32(p + 20) > 40000;
}

std::string u32(std::uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

std::string chunk(const std::string& type, const std::string& data) {
    const std::string body = type + data;
    return u32(static_cast<std::uint32_t>(data.size())) + body +
           u32(static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

std::string framed(std::uint8_t choice, std::string_view data) {
    static const std::uint8_t kForms[][2] = {{8, 3}, {8, 2}, {16, 2}, {8, 0}, {1, 0}, {4, 3}, {8, 6}, {16, 4}};
    const auto& form = kForms[choice % 8];
    const bool interlaced = choice & 0x10;
    std::string stream(data);
    if (!(choice & 0x80)) {
        uLongf size = compressBound(data.size());
        stream.assign(size, '\0');
        compress2(reinterpret_cast<Bytef*>(&stream[0]), &size, reinterpret_cast<const Bytef*>(data.data()),
                  data.size(), 1);
        stream.resize(size);
    }
    std::string palette;
    for (int i = 0; i < (form[0] == 8 ? 256 : 16); ++i) {
        const Rgb c = terrainColour(i);
        palette += {static_cast<char>(c.red), static_cast<char>(c.green), static_cast<char>(c.blue)};
    }
    return std::string("\x89PNG\r\n\x1a\n", 8) +
           chunk("IHDR", u32(100) + u32(100) +
                             std::string{static_cast<char>(form[0]), static_cast<char>(form[1]), 0, 0,
                                         static_cast<char>(interlaced)}) +
           (form[1] == 3 ? chunk("PLTE", palette) : std::string()) + chunk("IDAT", stream) + chunk("IEND", "");
}

void readImage(std::string_view bytes) {
    if (asksForALargeImage(bytes)) return;
    // The previous map, which a refused image must leave alone.
    Map map;
    check(allocateMapGrid(map));
    for (std::int32_t x = 0; x < 100; ++x)
        for (std::int32_t y = 0; y < 100; ++y) map.mapGrid[x][y] = 7;
    const std::vector<TerrainCode> before = gridCopy(map);

    const PngImport read = loadMapFromPng(map, bytes);
    if (!read.ok) {
        check(!read.error.empty());
        check(map.quadCountX == 1 && map.quadCountY == 1);
        check(gridCopy(map) == before);
        return;
    }
    check(map.mapGrid != nullptr);
    check(isAcceptableMapSize(map.quadCountX, map.quadCountY));
    // A picture that carries its map may be of any size (the hexagons).
    check(read.byStoredMap || (read.width == mapWidth(map) && read.height == mapHeight(map)));
    check(read.inexactPixels >= 0 && read.inexactPixels <= std::int64_t{read.width} * read.height);

    // A map read by code exports and reads back by code; one read by colour
    // holds legend terrains only; a picture reads back by the map it carries.
    const std::vector<TerrainCode> tiles = gridCopy(map);
    std::string error;
    const std::string again = mapPngBytes(map, read.byCode ? PngKind::TerrainCodes : PngKind::Picture, error);
    check(!again.empty());
    const PngImport reread = loadMapFromPng(map, again);
    check(reread.ok && reread.byCode == read.byCode && reread.byStoredMap == !read.byCode && reread.inexactPixels == 0);
    check(gridCopy(map) == tiles);
    if (!read.byCode && !read.byStoredMap)
        for (TerrainCode code : tiles) check(code >= 0 && code <= kLastLegendCode);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (size >= 2 && data[0] % 2 == 0) readImage(framed(data[1], bytes.substr(2)));
    else readImage(bytes);
    return 0;
}
