// pelorn-cli export: a map file as a PNG image.
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/options.h"
#include "files/map_file.h"
#include "files/png_file.h"
#include "files/safe_file.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "view/hex_picture.h"

namespace pelorn::cli {

namespace {
constexpr const char* kCommand = "export";
}  // namespace

void printExportHelp(std::ostream& out) {
    out << "pelorn-cli export FILE.map --png OUT.png [--indexed | --hex SCALE]\n"
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
           "                 32767 pixels on a side or 33554432 in all are refused.\n";
}

int runExport(const Arguments& args) {
    std::optional<std::string> mapPath;
    std::optional<std::string> pngPath;
    bool indexed = false;
    std::optional<int> hexScale;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--indexed") {
            if (indexed) return usageError(kCommand, "--indexed given twice");
            indexed = true;
        } else if (word == "--hex") {
            if (i + 1 >= args.size()) return usageError(kCommand, "--hex needs a value");
            if (hexScale) return usageError(kCommand, "--hex given twice");
            const auto scale = parseDecimal(args[++i], kMaxImageScale);
            if (!scale || *scale < 1)
                return usageError(kCommand, "--hex must be a whole number from 1 to " + std::to_string(kMaxImageScale));
            hexScale = static_cast<int>(*scale);
        } else if (word == "--png") {
            if (i + 1 >= args.size()) return usageError(kCommand, "--png needs a value");
            if (pngPath) return usageError(kCommand, "--png given twice");
            pngPath = args[++i];
            if (pngPath->empty()) return usageError(kCommand, "--png must not be empty");
        } else if (!word.empty() && word[0] == '-') {
            return usageError(kCommand, "unknown option '" + word + "'");
        } else {
            if (mapPath) return usageError(kCommand, "one map file only");
            mapPath = word;
        }
    }
    if (!mapPath) return usageError(kCommand, "a map file is required");
    if (!pngPath) return usageError(kCommand, "--png is required");
    if (indexed && hexScale) return usageError(kCommand, "--indexed and --hex exclude each other");
    if (*pngPath == *mapPath) return usageError(kCommand, "--png names the map file itself");
    // A device is never opened, to read or to write: it could block for good.
    if (const auto refused = refuseDevicePath(kCommand, "map", *mapPath)) return *refused;
    if (const auto refused = refuseDevicePath(kCommand, "--png", *pngPath)) return *refused;

    resetMapState();
    buildTerrainPalette();  // the editor builds it at start-up
    if (!loadMapFile(*mapPath) || !mapGrid) {
        std::cerr << "pelorn-cli export: cannot read '" << *mapPath << "'\n";
        return kExitFile;
    }
    std::string error;
    bool written = false;
    if (hexScale) {
        const ImageSize size = hexPictureSize(mapWidth(), mapHeight());
        const std::int64_t width = static_cast<std::int64_t>(size.width) * *hexScale;
        const std::int64_t height = static_cast<std::int64_t>(size.height) * *hexScale;
        if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels) {
            std::cerr << "pelorn-cli export: the picture of '" << *mapPath << "' at --hex " << *hexScale
                      << " would be " << width << " by " << height << " pixels; at most " << kMaxImageSide
                      << " on a side and " << kMaxImagePixels << " in all (try a smaller scale)\n";
            freeMapGrid();
            return kExitFile;
        }
        const std::string png = hexPicturePng(*hexScale, error);
        written = !png.empty() && writeFileSafely(*pngPath, png);
        if (!png.empty() && !written) error = "cannot write the file";
    } else {
        written = writeMapPng(*pngPath, indexed ? PngKind::TerrainCodes : PngKind::Picture, error);
    }
    freeMapGrid();
    if (!written) {
        std::cerr << "pelorn-cli export: cannot write '" << *pngPath << "': " << error << "\n";
        return kExitFile;
    }
    std::cout << "wrote " << *pngPath << "\n";
    return kExitOk;
}

}  // namespace pelorn::cli
