// pelorn-cli export: a map file as a PNG image.
#include <iostream>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/options.h"
#include "files/map_file.h"
#include "files/png_file.h"
#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn::cli {

namespace {
constexpr const char* kCommand = "export";
}  // namespace

void printExportHelp(std::ostream& out) {
    out << "pelorn-cli export FILE.map --png OUT.png [--indexed]\n"
           "  Reads a map file as the editor opens it and writes a PNG image of it,\n"
           "  one pixel per tile, that web browsers and image viewers show.\n"
           "  --png OUT.png  the image to write; an existing file is replaced\n"
           "  --indexed      each pixel's palette index is its tile's terrain code\n"
           "                 (0 to 255), shown in the legend's colours without quad\n"
           "                 frames: 'pelorn-cli import' reads the map back exactly.\n"
           "                 Without it, the picture of \"Save Bitmap\": the legend's\n"
           "                 colours with the outer tiles of every quad darker.\n";
}

int runExport(const Arguments& args) {
    std::optional<std::string> mapPath;
    std::optional<std::string> pngPath;
    bool indexed = false;
    const Stop stop = readOptions(kCommand, args, {"--indexed"}, {"--png"}, Operands::kFiles,
                                  [&](const std::string& option, const std::string& value) -> Stop {
                                      if (option == "--indexed") {
                                          if (indexed) return usageError(kCommand, "--indexed given twice");
                                          indexed = true;
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
    if (*pngPath == *mapPath) return usageError(kCommand, "--png names the map file itself");
    // A device is never opened, to read or to write: it could block for good.
    if (const auto refused = refuseDevicePath(kCommand, "map", *mapPath)) return *refused;
    if (const auto refused = refuseDevicePath(kCommand, "--png", *pngPath)) return *refused;

    resetMapState();
    buildTerrainPalette();  // the editor builds it at start-up
    if (!loadMapFile(*mapPath) || !mapGrid) return reportCannotRead(kCommand, *mapPath);
    std::string error;
    const bool written = writeMapPng(*pngPath, indexed ? PngKind::TerrainCodes : PngKind::Picture, error);
    freeMapGrid();
    return reportWrite(kCommand, *pngPath, written, error);
}

}  // namespace pelorn::cli
