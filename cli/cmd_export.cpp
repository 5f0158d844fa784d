// pelorn-cli export: a map file as a PNG image.
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/options.h"
#include "files/bitmap_file.h"
#include "files/map_file.h"
#include "files/png_file.h"
#include "files/safe_file.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "startlocations/players.h"
#include "view/hex_picture.h"
#include "view/start_marks.h"

namespace pelorn::cli {

namespace {
constexpr const char* kCommand = "export";
}  // namespace

void printExportHelp(std::ostream& out) {
    out << "pelorn-cli export FILE.map --png OUT.png [--indexed | --hex SCALE | --starts]\n"
           "  Reads a map file as the editor opens it and writes a PNG image of it,\n"
           "  one pixel per tile, that web browsers and image viewers show.\n"
           "  --png OUT.png  the image to write; an existing file is replaced\n"
           "  --indexed      each pixel's palette index is its tile's terrain code\n"
           "                 (0 to 255), shown in the legend's colours without quad\n"
           "                 frames: 'pelorn-cli import' reads the map back exactly.\n"
           "                 Without it, the picture of \"Save Bitmap\": the legend's\n"
           "                 colours with the outer tiles of every quad darker.\n"
           "  --hex SCALE    the map drawn as hexagons, as the editor's detail view\n"
           "                 draws them (marks of forests, jungles and start\n"
           "                 locations included), each pixel made SCALE by SCALE\n"
           "                 (1 to 16). At scale 1 the picture of a map of W by H\n"
           "                 tiles is 6W + 2 by 4H + 2 pixels; pictures of more than\n"
           "                 32767 pixels on a side or 33554432 in all are refused.\n"
           "  --starts       on the picture, a round black-and-white mark on every\n"
           "                 start location, numbered in the map file's order, as\n"
           "                 the editor's whole-map view shows them, and each start's\n"
           "                 room tinted (rooms as 'pelorn-cli info' measures them).\n"
           "  The picture and the hexagons also carry the map itself in a chunk of\n"
           "  their own, which viewers skip: 'pelorn-cli import' reads it back exactly.\n";
}

namespace {

// The picture's size at a scale, when a PNG can hold it.
bool hexPictureFits(const Map& map, int scale, std::int64_t& width, std::int64_t& height) {
    const ImageSize size = hexPictureSize(mapWidth(map), mapHeight(map));
    width = static_cast<std::int64_t>(size.width) * scale;
    height = static_cast<std::int64_t>(size.height) * scale;
    return width <= kMaxImageSide && height <= kMaxImageSide && width * height <= kMaxImagePixels;
}

// The picture of "Save Bitmap" with the start locations' rooms tinted and
// their marks drawn, to `path`.
bool writeStartsPicture(const Map& map, const std::string& path, std::string& error) {
    const std::int32_t width = mapWidth(map);
    const std::int32_t height = mapHeight(map);
    const std::vector<TilePos> starts = startLocationsOnMap(map);
    const std::vector<std::int32_t> owners = roomOwnersOf(map, starts);
    std::vector<Rgb> pixels(static_cast<std::size_t>(width) * height);
    for (std::int32_t x = 0; x < width; ++x) {
        for (std::int32_t y = 0; y < height; ++y) {
            const Rgb colour = terrainColour(map.mapGrid[x][y]);
            Rgb& pixel = pixels[static_cast<std::size_t>(y) * width + x];
            pixel = onQuadRing(x) || onQuadRing(y) ? ringColour(colour) : colour;
            const std::int32_t owner = owners.empty() ? -1 : owners[static_cast<std::size_t>(x) * height + y];
            if (owner >= 0) pixel = roomTint(pixel, owner);
        }
    }
    std::vector<StartMark> marks;
    for (std::size_t i = 0; i < starts.size(); ++i) marks.push_back({starts[i].x, starts[i].y, static_cast<std::int32_t>(i + 1)});
    drawStartMarks({pixels.data(), 0, 0, width, height}, marks);
    // Marked or not, a Pelorn picture carries its map, so import gives it back.
    const std::string png = imagePngBytes({width, height}, pixels.data(), 1, error, &map);
    if (png.empty()) return false;
    if (writeFileSafely(path, png)) return true;
    error = "cannot write the file";
    return false;
}

// The map as hexagons to `path`; false with `error` saying why.
bool writeHexPicture(const Map& map, const std::string& path, int scale, std::string& error) {
    const std::string png = hexPicturePng(map, scale, error);
    if (png.empty()) return false;
    if (writeFileSafely(path, png)) return true;
    error = "cannot write the file";
    return false;
}

}  // namespace

int runExport(const Arguments& args) {
    std::optional<std::string> mapPath;
    std::optional<std::string> pngPath;
    bool indexed = false;
    bool starts = false;
    std::optional<int> hexScale;
    const Stop stop = readOptions(kCommand, args, {"--indexed", "--starts"}, {"--png", "--hex"}, Operands::kFiles,
                                  [&](const std::string& option, const std::string& value) -> Stop {
                                      if (option == "--indexed") {
                                          if (indexed) return usageError(kCommand, "--indexed given twice");
                                          indexed = true;
                                      } else if (option == "--starts") {
                                          if (starts) return usageError(kCommand, "--starts given twice");
                                          starts = true;
                                      } else if (option == "--hex") {
                                          const auto scale = parseDecimal(value, kMaxImageScale);
                                          if (!scale || *scale < 1)
                                              return usageError(kCommand, "--hex must be a whole number from 1 to " +
                                                                              std::to_string(kMaxImageScale));
                                          hexScale = static_cast<int>(*scale);
                                      } else if (option == "--png") {
                                          if (value.empty()) return usageError(kCommand, "--png must not be empty");
                                          pngPath = value;
                                      } else {
                                          if (mapPath) return usageError(kCommand, "one map file only");
                                          mapPath = value;
                                      }
                                      return std::nullopt;
                                  });
    if (stop) return *stop;
    if (!mapPath) return usageError(kCommand, "a map file is required");
    if (const Stop missing = requireOption(kCommand, "--png", pngPath.has_value())) return *missing;
    if (indexed && hexScale) return usageError(kCommand, "--indexed and --hex exclude each other");
    // The indexed image's pixels are terrain codes: marks would change the map read back.
    if (starts && indexed) return usageError(kCommand, "--starts and --indexed exclude each other");
    if (starts && hexScale) return usageError(kCommand, "--starts and --hex exclude each other");
    if (*pngPath == *mapPath) return usageError(kCommand, "--png names the map file itself");
    // A device is never opened, to read or to write: it could block for good.
    if (const auto refused = refuseDevicePath(kCommand, "map", *mapPath)) return *refused;
    if (const auto refused = refuseDevicePath(kCommand, "--png", *pngPath)) return *refused;

    Map map;
    if (!loadMapFile(map, *mapPath) || !map.mapGrid) return reportCannotRead(kCommand, *mapPath);
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (hexScale && !hexPictureFits(map, *hexScale, width, height)) {
        std::cerr << "pelorn-cli export: the picture of '" << *mapPath << "' at --hex " << *hexScale << " would be "
                  << width << " by " << height << " pixels; at most " << kMaxImageSide << " on a side and "
                  << kMaxImagePixels << " in all (try a smaller scale)\n";
        return kExitFile;
    }
    std::string error;
    const bool written = hexScale ? writeHexPicture(map, *pngPath, *hexScale, error)
                         : starts ? writeStartsPicture(map, *pngPath, error)
                                  : writeMapPng(map, *pngPath, indexed ? PngKind::TerrainCodes : PngKind::Picture, error);
    return reportWrite(kCommand, *pngPath, written, error);
}

}  // namespace pelorn::cli
