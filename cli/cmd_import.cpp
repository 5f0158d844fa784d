// pelorn-cli import: a map made from a PNG image.
#include <iostream>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/options.h"
#include "files/map_file.h"
#include "files/png_file.h"
#include "map/map_grid.h"

namespace pelorn::cli {

namespace {
constexpr const char* kCommand = "import";
constexpr const char* kChangedNote =
    "the image carries the map it was exported from, but its pixels were changed since: read from its pixels";
}  // namespace

void printImportHelp(std::ostream& out) {
    out << "pelorn-cli import IMAGE.png --name NAME\n"
           "  Makes a map from a PNG image and saves it as NAME.map in the current\n"
           "  folder. Every PNG that Pelorn writes gives its map back exactly: the\n"
           "  pictures of 'export' (also --hex) and \"Save PNG\" carry the map in a\n"
           "  chunk of their own, used while the pixels are those exported, and an\n"
           "  image from 'export --indexed' holds the codes as its pixels. A picture\n"
           "  changed since (in a paint program that kept the chunk) is read from its\n"
           "  pixels, and import says so. Any other PNG (colour, grey, with or\n"
           "  without alpha, which is ignored) is read by colour: each pixel becomes\n"
           "  the legend terrain of the nearest colour; printed are the pixels that\n"
           "  matched no terrain colour exactly, those of a colour several terrains\n"
           "  share (read as the lowest code: forests as plains and hills) and those\n"
           "  far from every legend colour. The darker quad frames of \"Save Bitmap\"\n"
           "  pictures are recognised.\n"
           "  The image must be a whole number of quads: width and height multiples\n"
           "  of 100 pixels, each side 1 to 100 quads, at most 1024 quads in all.\n"
           "  --name NAME  map name: the stem of the file written and its name line\n";
}

int runImport(const Arguments& args) {
    std::optional<std::string> imagePath;
    std::optional<std::string> name;
    const Stop stop = readOptions(kCommand, args, {}, {"--name"}, Operands::kFiles,
                                  [&](const std::string& option, const std::string& value) -> Stop {
                                      if (option == "--name") {
                                          if (const Stop refused = refuseUnsafeName(kCommand, option, value))
                                              return refused;
                                          name = value;
                                      } else {
                                          if (imagePath) return usageError(kCommand, "one image only");
                                          imagePath = value;
                                      }
                                      return std::nullopt;
                                  });
    if (stop) return *stop;
    if (!imagePath) return usageError(kCommand, "an image file is required");
    if (const auto refused = refuseDevicePath(kCommand, "image", *imagePath)) return *refused;
    if (const Stop missing = requireOption(kCommand, "--name", name.has_value())) return *missing;

    Map map;
    const PngImport image = loadMapPngFile(map, *imagePath);
    if (image.changedSinceExport) std::cout << kChangedNote << "\n";
    if (!image.ok) return reportCannotRead(kCommand, *imagePath, image.error);
    std::cout << "read " << *imagePath << ": " << image.width << "x" << image.height << " pixels, " << map.quadCountX
              << "x" << map.quadCountY << " quads, ";
    if (image.byStoredMap) std::cout << "by the map stored in the image\n";
    else if (image.byCode) std::cout << "by terrain code\n";
    else {
        std::cout << "by colour; pixels of no terrain colour: " << image.inexactPixels << "\n";
        if (image.sharedPixels > 0)
            std::cout << "pixels of a colour several terrains share, read as the lowest of them: " << image.sharedPixels
                      << "\n";
        if (image.farPixels > 0) std::cout << "pixels far from every legend colour: " << image.farPixels << "\n";
    }

    map.currentMapName = *name;
    const bool saved = saveMapFile(map);
    return reportWrite(kCommand, map.currentMapName + ".map", saved);
}

}  // namespace pelorn::cli
